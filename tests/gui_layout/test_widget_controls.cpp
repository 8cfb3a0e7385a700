#include "test_gui_layout.h"

#include "common/handler_guard.h"
#include "main_window/check_list_box.h"
#include "main_window/log_memo.h"
#include "main_window/main_window_ui.h"
#include "main_window/spin_edit.h"
#include "main_window/widget_controls.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include "main_window/text_buffer_memo.h"
#include <QTest>

using namespace rx42;

namespace {

struct BoundWindow {
    QMainWindow form;
    MainWindowUi ui;
    TradingControls c;
    BoundWindow()
    {
        ui.setup(&form);
        c = bind_trading_controls(ui);
    }
};

}  // namespace

void WidgetControlsTest::every_trading_control_is_bound()
{
    BoundWindow w;
    const TradingControls& c = w.c;
    const void* bound[] = {c.e_cell_price, c.e_buy_price, c.e_porog, c.e_message, c.chbx_auto, c.chbx_autobuy,
                           c.GroupBox2, c.Label4, c.se_start, c.se_switcher, c.se_buy_price, c.se_cell_price,
                           c.se_buy, c.se_buy_all, c.se_buy_eth, c.se_curr_switcher, c.se_fake1, c.se_fake2,
                           c.chbx_sound, c.chklst1, c.LstCurr, c.chbx_prot, c.mmo_log, c.Memo_html, c.e_script};
    QCOMPARE(sizeof(bound), sizeof(TradingControls));
    for (const void* p : bound)
        QVERIFY(p);
}

void WidgetControlsTest::adapters_read_and_write_the_widgets()
{
    BoundWindow w;
    MainWindowUi& ui = w.ui;
    TradingControls& c = w.c;

    ui.e_porog->setText(QStringLiteral("  150 "));
    QCOMPARE(c.e_porog->text(), QStringLiteral("  150 "));
    c.e_cell_price->set_text(QStringLiteral(" 95,50 "));
    QCOMPARE(ui.e_cell_price->text(), QStringLiteral(" 95,50 "));
    c.Label4->set_text(QStringLiteral("BTC"));
    QCOMPARE(ui.Label4->text(), QStringLiteral("BTC"));

    QVERIFY(!c.chbx_sound->checked());
    ui.chbx_sound->setChecked(true);
    QVERIFY(c.chbx_sound->checked());
    c.chbx_prot->set_checked(true);
    QVERIFY(ui.chbx_prot->isChecked());

    // The spin edit: what the user typed, its value, and a clamped set from code.
    ui.se_buy->findChild<QLineEdit*>()->setText(QStringLiteral("5"));
    QCOMPARE(c.se_buy->text(), QStringLiteral("5"));
    QCOMPARE(c.se_buy->value(), 5);
    QCOMPARE(c.se_buy->minimum(), 40);
    QCOMPARE(c.se_buy->maximum(), 100000);
    c.se_buy->set_value(5);
    QCOMPARE(ui.se_buy->text(), QStringLiteral("40"));

    // Check list and rotation list.
    QCOMPARE(c.chklst1->count(), 5);
    QCOMPARE(c.chklst1->item(3), QStringLiteral("BTC"));
    c.chklst1->set_checked(3, true);
    QVERIFY(ui.chklst1->checked(3));
    QVERIFY_THROWS_EXCEPTION(HandlerError, c.chklst1->set_checked(5, true));
    c.LstCurr->set_items({"BNB", "USDT"});
    c.LstCurr->set_items({"ETH", "BTC"});
    QCOMPARE(c.LstCurr->items(), QStringList({"ETH", "BTC"}));
    QCOMPARE(ui.LstCurr->count(), 2);

    c.mmo_log->append_line(QStringLiteral("Меняем тип валюты 10:00:00 2021.03.17"));
    QCOMPARE(ui.mmo_log->toPlainText(), QStringLiteral("\nМеняем тип валюты 10:00:00 2021.03.17"));

    const QString html = QStringLiteral("<head></head>\r\n<body>\n  <div>1</div>\n</body>");
    c.Memo_html->set_text(html);
    QCOMPARE(c.Memo_html->text(), html);
}

void WidgetControlsTest::group_enabled_is_its_own_state()
{
    BoundWindow w;
    EnabledControl* group = w.c.GroupBox2;
    QVERIFY(group->enabled());
    group->set_enabled(false);
    QVERIFY(!w.ui.GroupBox2->isEnabled());
    QVERIFY(!group->enabled());

    group->set_enabled(true);
    w.ui.pnl1->setEnabled(false);  // a disabled parent does not change the group's own state
    QVERIFY(group->enabled());
}
