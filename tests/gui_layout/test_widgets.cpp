#include "test_gui_layout.h"

#include "common/handler_guard.h"
#include "main_window/check_list_box.h"
#include "main_window/log_memo.h"
#include "main_window/panel_status_bar.h"
#include "main_window/spin_edit.h"
#include "main_window/text_buffer_memo.h"
#include "check_list_clicks.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QVBoxLayout>

using namespace rx42;

namespace {

// A spin edit for delays, 40 to 100000, showing 2000, beside another control that can take the
// keyboard focus.
struct SpinFixture {
    QWidget window;
    SpinEdit* spin = new SpinEdit(&window);
    QLineEdit* other = new QLineEdit(&window);

    SpinFixture()
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(spin);
        layout->addWidget(other);
        spin->set_range(40, 100000);
        spin->set_value(2000);
    }

    bool edit()
    {
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            return false;
        spin->setFocus();
        return QTest::qWaitFor([&] { return spin->hasFocus(); });
    }

    void type(const QString& text)
    {
        QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier);
        if (text.isEmpty())
            QTest::keyClick(spin, Qt::Key_Backspace);
        else
            QTest::keyClicks(spin, text);
    }

    void leave()
    {
        other->setFocus();
        QVERIFY(QTest::qWaitFor([&] { return other->hasFocus(); }));
    }
};

}  // namespace

void SpinEditTest::typed_text_is_kept_until_the_focus_leaves_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("value_while_editing");
    QTest::addColumn<QString>("text_after_leaving");
    QTest::addColumn<int>("value_after_leaving");

    QTest::newRow("below the range") << "5" << 5 << "40" << 40;
    QTest::newRow("above the range") << "150000" << 150000 << "100000" << 100000;
    QTest::newRow("negative") << "-5" << -5 << "40" << 40;
    QTest::newRow("inside the range") << "2500" << 2500 << "2500" << 2500;
    QTest::newRow("signed, inside") << "+77" << 77 << "+77" << 77;
    // A text that is no number reads as the minimum and stays as typed.
    QTest::newRow("emptied") << "" << 40 << "" << 40;
    QTest::newRow("lone sign") << "-" << 40 << "-" << 40;
    QTest::newRow("beyond 32 bits") << "99999999999" << 40 << "99999999999" << 40;
}

void SpinEditTest::typed_text_is_kept_until_the_focus_leaves()
{
    QFETCH(QString, typed);
    QFETCH(int, value_while_editing);
    QFETCH(QString, text_after_leaving);
    QFETCH(int, value_after_leaving);

    SpinFixture f;
    QVERIFY(f.edit());
    f.type(typed);
    QCOMPARE(f.spin->text(), typed);
    QCOMPARE(f.spin->value(), value_while_editing);
    f.leave();
    QCOMPARE(f.spin->text(), text_after_leaving);
    QCOMPARE(f.spin->value(), value_after_leaving);
}

void SpinEditTest::only_number_characters_can_be_typed()
{
    SpinFixture f;
    QVERIFY(f.edit());
    f.type(QStringLiteral("1x2 3b"));
    QCOMPARE(f.spin->text(), QStringLiteral("123"));
}

void SpinEditTest::set_from_code_clamps_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("below") << 10 << "40";
    QTest::newRow("above") << 200000 << "100000";
    QTest::newRow("inside") << 2500 << "2500";
    QTest::newRow("lowest int") << std::numeric_limits<int>::min() << "40";
}

void SpinEditTest::set_from_code_clamps()
{
    QFETCH(int, value);
    QFETCH(QString, text);
    SpinFixture f;
    f.spin->set_value(value);
    QCOMPARE(f.spin->text(), text);
}

void SpinEditTest::arrow_keys_step_inside_the_range_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::newRow("up") << "500" << int(Qt::Key_Up) << "501";
    QTest::newRow("down") << "500" << int(Qt::Key_Down) << "499";
    QTest::newRow("up at the maximum") << "100000" << int(Qt::Key_Up) << "100000";
    QTest::newRow("down at the minimum") << "40" << int(Qt::Key_Down) << "40";
    QTest::newRow("down from below the range") << "5" << int(Qt::Key_Down) << "40";
    QTest::newRow("up from no number") << "" << int(Qt::Key_Up) << "41";
}

void SpinEditTest::arrow_keys_step_inside_the_range()
{
    QFETCH(QString, typed);
    QFETCH(int, key);
    QFETCH(QString, text);
    SpinFixture f;
    QVERIFY(f.edit());
    f.type(typed);
    QTest::keyClick(f.spin, Qt::Key(key));
    QCOMPARE(f.spin->text(), text);
}

void SmallWidgetsTest::check_list_event_only_for_user_ticks_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("user");
    QTest::newRow("from code") << "code" << false;
    QTest::newRow("mouse on the mark") << "mouse" << true;
    QTest::newRow("space key") << "space" << true;
}

void SmallWidgetsTest::check_list_event_only_for_user_ticks()
{
    QFETCH(QString, how);
    QFETCH(bool, user);

    CheckListBox list;
    list.add_items({"ETH", "BNB", "BUSD"});
    list.resize(120, 100);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QSignalSpy ticks(&list, &CheckListBox::clickCheck);

    for (int round = 0; round < 2; ++round) {  // tick, then untick
        if (how == "code") {
            list.set_checked(1, round == 0);
        } else if (how == "mouse") {
            QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, check_mark_of(list, 1));
        } else {
            list.setCurrentRow(1);
            list.setFocus();
            QTest::keyClick(&list, Qt::Key_Space);
        }
        QCOMPARE(list.checked(1), round == 0);
    }
    QVERIFY(!list.checked(0));
    QVERIFY(!list.checked(2));
    QCOMPARE(ticks.count(), user ? 2 : 0);
    if (user)
        QCOMPARE(ticks.first().first().toInt(), 1);
}

void SmallWidgetsTest::check_list_index_outside_the_list_throws()
{
    CheckListBox list;
    list.add_items({"ETH", "BNB", "BUSD", "BTC", "USDT"});
    for (int index : {5, -1}) {
        try {
            list.set_checked(index, true);
            QFAIL("no error");
        } catch (const HandlerError& e) {
            QCOMPARE(e.text(), QStringLiteral("List index out of bounds (%1)").arg(index));
        }
    }
    QVERIFY(!list.checked(5));
}

void SmallWidgetsTest::log_memo_keeps_the_empty_first_line()
{
    LogMemo memo;
    memo.append_line(QStringLiteral("Загружаем сайт 09:05:07 2021.03.17"));
    memo.append_line(QStringLiteral(" 09:05:08 2021.03.17"));
    QCOMPARE(memo.toPlainText(), QStringLiteral("\nЗагружаем сайт 09:05:07 2021.03.17\n 09:05:08 2021.03.17"));

    // The program's lines are not taken back by the user's undo.
    memo.setFocus();
    QTest::keyClick(&memo, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(memo.document()->blockCount(), 3);
}

void SmallWidgetsTest::log_memo_follows_the_end_only_from_the_bottom()
{
    LogMemo memo;
    memo.resize(300, 120);
    memo.show();
    QVERIFY(QTest::qWaitForWindowExposed(&memo));
    QScrollBar* bar = memo.verticalScrollBar();
    for (int i = 0; i < 50; ++i)
        memo.append_line(QString::number(i));
    QVERIFY(bar->maximum() > 0);
    QCOMPARE(bar->value(), bar->maximum());

    bar->setValue(3);  // the user reads older lines
    memo.append_line(QStringLiteral("50"));
    QCOMPARE(bar->value(), 3);
}

void SmallWidgetsTest::status_bar_panels_by_index()
{
    PanelStatusBar bar({100, 500, 100, 100});
    bar.set_panel_text(0, QStringLiteral("Loading... 50%"));
    bar.set_panel_text(1, QStringLiteral("main frame loaded : ''"));
    QCOMPARE(bar.panel_text(0), QStringLiteral("Loading... 50%"));
    QCOMPARE(bar.panel_text(1), QStringLiteral("main frame loaded : ''"));
    QVERIFY(bar.panel_text(3).isEmpty());
    QVERIFY_THROWS_EXCEPTION(HandlerError, bar.set_panel_text(4, QStringLiteral("x")));
}

void SmallWidgetsTest::text_buffer_memo_holds_the_text_exactly_until_shown()
{
    QWidget window;
    auto* memo = new TextBufferMemo(&window);
    memo->hide();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    const QString page = QStringLiteral("<body>\r\n<p>a\u00a0b</p>\u2029</body>");
    memo->set_text(QStringLiteral("older capture"));
    memo->set_text(page);
    QCOMPARE(memo->text(), page);
    QVERIFY(memo->document()->isEmpty());  // nothing laid out while hidden

    memo->show();
    QCOMPARE(memo->document()->blockCount(), 3);
    QVERIFY(memo->toPlainText().startsWith(QStringLiteral("<body>\n<p>a")));
    memo->set_text(QStringLiteral("shown"));
    QCOMPARE(memo->toPlainText(), QStringLiteral("shown"));
    QCOMPARE(memo->text(), QStringLiteral("shown"));
}
