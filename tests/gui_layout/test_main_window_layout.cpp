#include "test_gui_layout.h"

#include "main_window/check_list_box.h"
#include "main_window/dock_splitter.h"
#include "main_window/log_memo.h"
#include "main_window/main_window_ui.h"
#include "main_window/panel_status_bar.h"
#include "main_window/spin_edit.h"
#include "main_window/text_buffer_memo.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

using namespace rx42;

namespace {

struct Window {
    QMainWindow form;
    MainWindowUi ui;
    Window() { ui.setup(&form); }

    template <class W = QWidget>
    W* find(const QString& name) const
    {
        const QList<W*> found = form.findChildren<W*>(name);
        return found.size() == 1 ? found.first() : nullptr;
    }

    bool show_active()
    {
        form.show();
        form.activateWindow();
        return QTest::qWaitForWindowActive(&form);
    }
};

QLabel* label_of(const QWidget* form, const QWidget* buddy)
{
    for (QLabel* label : form->findChildren<QLabel*>())
        if (label->buddy() == buddy)
            return label;
    return nullptr;
}

}  // namespace

void MainWindowLayoutTest::form_as_designed()
{
    Window w;
    QCOMPARE(w.form.windowTitle(), QStringLiteral("rx42"));
    QCOMPARE(w.form.size(), QSize(1061, 804));
    QCOMPARE(w.form.pos(), QPoint(192, 123));
    QCOMPARE(w.form.font().family(), QStringLiteral("Tahoma"));
    QCOMPARE(w.form.font().pointSize(), 8);
    QCOMPARE(w.ui.PageControl1->count(), 2);
    QCOMPARE(w.ui.PageControl1->tabText(0), QStringLiteral(" Работа"));
    QCOMPARE(w.ui.PageControl1->tabText(1), QStringLiteral("Опции"));
    QCOMPARE(w.ui.PageControl1->currentWidget(), w.ui.TabSheet1);
}

// One row per control whose caption or hint the user reads: the right kind of widget, on the
// right tab, with its exact texts.
void MainWindowLayoutTest::controls_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("hint");

    auto row = [](const char* name, const char* kind, int tab, const QString& caption, const QString& hint) {
        QTest::newRow(name) << QString::fromLatin1(kind) << tab << caption << hint;
    };
    const QString none;
    // Work tab: bit buttons take the focus, speed buttons do not.
    row("btn_start", "QPushButton", 0, none, "Входим на сайт");
    row("chbx_auto", "QCheckBox", 0, "автомат", none);
    row("btn_search", "QToolButton", 0, none, "Старт поиска цены");
    row("btn_cell_price", "QToolButton", 0, none, "Фейк - контроль");
    row("btn_cell_price2", "QToolButton", 0, none, "Поиск цены продажи");
    row("e_cell_price", "QLineEdit", 0, none, none);
    row("btn_buy_price", "QToolButton", 0, none, "Фейк - контроль");
    row("btn_buy_price2", "QToolButton", 0, none, "Поиск цены покупки ");
    row("e_buy_price", "QLineEdit", 0, none, none);
    row("btn_switcher", "QPushButton", 0, none, "Переключатель Купить/Продать");
    row("Btn_sw_curr", "QPushButton", 0, none, "Переключатель Валют");
    row("e_porog", "QLineEdit", 0, none, "Порог покупки ");
    row("btn_click_buy", "QToolButton", 0, none, "Нажали Купить");
    row("btn_click_all", "QPushButton", 0, none, "Кнопка \"Все\"");
    row("btn_buy_eth", "QPushButton", 0, none, "Купить валюту");
    row("SpeedButton1", "QToolButton", 0, none, "Остановить цикл");
    row("chbx_autobuy", "QCheckBox", 0, "автопокупка", none);
    row("btn2", "QToolButton", 0, none, "Сохранить страницу в файл ");
    row("btn4", "QToolButton", 0, none, "Сохранить настройки");
    row("btn5", "QToolButton", 0, none, none);
    row("btn_size", "QToolButton", 0, none, "Оптимизировать размеры");
    row("Label4", "QLabel", 0, "___", none);
    row("e_message", "QLineEdit", 0, none, none);
    // Options tab.
    row("BackBtn", "QPushButton", 1, "3", none);
    row("ForwardBtn", "QPushButton", 1, "4", none);
    row("ReloadBtn", "QPushButton", 1, "q", none);
    row("StopBtn", "QPushButton", 1, "=", none);
    row("GoBtn", "QPushButton", 1, ">", none);
    row("ConfigBtn", "QPushButton", 1, "?", none);
    row("grp2", "QGroupBox", 1, "Настройки", none);
    row("grp_timers", "QGroupBox", 1, "Таймеры (ms)", none);
    row("chklst1", "rx42::CheckListBox", 1, none, "Контроируемые роботом валюты");
    row("LstCurr", "QListWidget", 1, none, none);
    row("chbx_sound", "QCheckBox", 1, "сигнал", none);
    row("btn1", "QPushButton", 1, "Записать", none);
    row("SpeedButton11", "QToolButton", 1, none, "Мануал");
    row("SpeedButton6", "QToolButton", 1, "Save options", none);
    row("grp3", "QGroupBox", 1, "Протокол", none);
    row("chbx_prot", "QCheckBox", 1, "Вести протокол", none);
    row("mmo_log", "rx42::LogMemo", 1, none, none);
    row("btn_save_log", "QPushButton", 1, "Сохранить протокол в файл", none);
    row("e_script", "QLineEdit", 1, none, none);
    row("BitBtn1", "QPushButton", 1, "Для отладки", "Отладка");
    row("Memo_html", "QPlainTextEdit", 1, none, none);
}

void MainWindowLayoutTest::controls()
{
    QFETCH(QString, kind);
    QFETCH(int, tab);
    QFETCH(QString, caption);
    QFETCH(QString, hint);

    Window w;
    QWidget* control = w.find(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY2(control, "exactly one widget of that name");
    QVERIFY2(control->inherits(kind.toLatin1()), control->metaObject()->className());
    QVERIFY(w.ui.PageControl1->widget(tab)->isAncestorOf(control));
    const char* caption_property = control->inherits("QGroupBox") ? "title" : "text";
    if (control->metaObject()->indexOfProperty(caption_property) >= 0)
        QCOMPARE(control->property(caption_property).toString(), caption);
    QCOMPARE(control->toolTip(), hint);
}

void MainWindowLayoutTest::spin_edits_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");

    QTest::newRow("se_start") << "Старт" << "Задержка разблокировки кнопок управления " << 4000 << 50 << 10000000;
    QTest::newRow("se_cell_price") << "Задержка перед чтением цены продажи"
                                   << "Задержка перед чтением цены продажи" << 5369 << 50 << 10000000;
    QTest::newRow("se_buy_price") << "Задержка перед чтением цены покупки"
                                  << "Задержка перед чтением  цены закупки" << 5467 << 50 << 10000000;
    QTest::newRow("se_switcher") << "Переключатель операций" << "Задержка перед сменой покупка/продажа" << 2000 << 50
                                 << 10000000;
    QTest::newRow("se_buy") << "Задержка  кнопки \"Купить\"" << "Задержка перед нажатием кнопки \"Купить\"" << 2000
                            << 40 << 100000;
    QTest::newRow("se_buy_all") << "Задержка перед нажатием кнопки \"Все\""
                                << "Задержка перед нажатием кнопки \"Все\"" << 2000 << 40 << 100000;
    QTest::newRow("se_buy_eth") << "Задержка  кнопки \"Купить валюту\""
                                << "Задержка перед нажатием кнопки \"Купить валюту\"" << 3000 << 40 << 100000;
    QTest::newRow("se_curr_switcher")
        << "Переключатель валют" << "Интервал переключателя валют, задается в пропорции к переключателю операции"
        << 8000 << 40 << 100000;
    QTest::newRow("se_fake1") << "Фейк - контроль" << QString() << 20 << 1 << 100000;
    QTest::newRow("se_fake2") << QString() << QString() << 30 << 1 << 100000;
}

void MainWindowLayoutTest::spin_edits()
{
    QFETCH(QString, label);
    QFETCH(QString, hint);
    QFETCH(int, value);
    QFETCH(int, minimum);
    QFETCH(int, maximum);

    Window w;
    auto* spin = w.find<SpinEdit>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(spin);
    QVERIFY(w.ui.TabSheet2->isAncestorOf(spin));
    QCOMPARE(spin->text(), QString::number(value));
    QCOMPARE(spin->minimum(), minimum);
    QCOMPARE(spin->maximum(), maximum);
    QCOMPARE(spin->toolTip(), hint);
    if (!label.isNull()) {
        const QLabel* caption = label_of(&w.form, spin);
        QVERIFY(caption);
        QCOMPARE(caption->text(), label);
    }
}

void MainWindowLayoutTest::designed_contents()
{
    Window w;
    const MainWindowUi& ui = w.ui;

    QCOMPARE(ui.chklst1->count(), 5);
    const QStringList currencies = {"ETH", "BNB", "BUSD", "BTC", "USDT"};
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(ui.chklst1->item(i)->text(), currencies[i]);
        QVERIFY(!ui.chklst1->checked(i));
    }
    QCOMPARE(label_of(&w.form, ui.chklst1)->text(), QStringLiteral("Валюты"));
    QCOMPARE(ui.LstCurr->count(), 0);

    // The protocol memo starts with one empty line; both scroll bars.
    QCOMPARE(ui.mmo_log->document()->blockCount(), 1);
    QVERIFY(ui.mmo_log->toPlainText().isEmpty());
    QCOMPARE(ui.mmo_log->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(ui.mmo_log->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

    QVERIFY(ui.Memo_html->isHidden());
    QCOMPARE(ui.Memo_html->lineWrapMode(), QPlainTextEdit::NoWrap);

    // The address box: the P2P page as text and only item; nothing typed is added to it.
    const QString p2p = QStringLiteral("https://p2p.binance.com/ru/trade/buy/ETH?fiat=RUB&payment=ALL");
    QVERIFY(ui.cbbURLCbx->isEditable());
    QCOMPARE(ui.cbbURLCbx->currentText(), p2p);
    QCOMPARE(ui.cbbURLCbx->count(), 1);
    QCOMPARE(ui.cbbURLCbx->itemText(0), p2p);
    ui.cbbURLCbx->setEditText(QStringLiteral("example.org"));
    QTest::keyClick(ui.cbbURLCbx, Qt::Key_Return);
    QCOMPARE(ui.cbbURLCbx->count(), 1);

    const QFont address = ui.cbbURLCbx->font();
    QCOMPARE(address.family(), QStringLiteral("Tahoma"));
    QVERIFY(address.bold());
    QCOMPARE(address.pixelSize(), 13);
    for (const QPushButton* b : {ui.GoBtn, ui.ConfigBtn}) {
        QCOMPARE(b->font().family(), QStringLiteral("Arial"));
        QVERIFY(b->font().bold());
        QCOMPARE(b->font().pixelSize(), 17);
    }
    for (const QPushButton* b : {ui.BackBtn, ui.ForwardBtn, ui.ReloadBtn, ui.StopBtn})
        QCOMPARE(b->font().family(), QStringLiteral("Webdings"));

    for (const PanelStatusBar* bar : {ui.StatusBar1, ui.StatusBar2}) {
        QVERIFY(ui.TabSheet1->isAncestorOf(bar));
        QCOMPARE(bar->panel_count(), 4);
        const int widths[] = {100, 500, 100, 100};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(bar->panel_width(i), widths[i]);
            QVERIFY(bar->panel_text(i).isEmpty());
        }
    }
}

void MainWindowLayoutTest::tools_menu_items_in_order()
{
    Window w;
    auto entries = [](const QMenu* menu) {
        QStringList list;
        for (const QAction* a : menu->actions())
            list << (a->isSeparator() ? QStringLiteral("-")
                                      : (a->menu() ? a->menu()->objectName() : a->objectName()) + ": " + a->text());
        return list;
    };
    QCOMPARE(w.find<QMenu>("PopupMenu1"), w.ui.PopupMenu1);
    QCOMPARE(entries(w.ui.PopupMenu1), QStringList({
        "DevTools1: DevTools", "-",
        "Openfile1: Open file with a FILE URL...", "OpenfilewithaDAT1: Open file with a DATA URL...", "-",
        "Print1: Print", "PrintinPDF1: Print to PDF", "-",
        "Zoom1: Zoom", "-",
        "Preferences1: Preferences...", "Resolvehost1: Resolve host...", "Downloadimage1: Download image...",
        "Simulatekeyboardpresses1: Simulate keyboard presses", "Flushcookies1: Flush cookies", "-",
        "Memoryinfo1: Memory info...",
    }));
    QCOMPARE(entries(w.ui.Zoom1),
             QStringList({"Inczoom1: Inc zoom", "Deczoom1: Dec zoom", "Resetzoom1: Reset zoom"}));
}

void MainWindowLayoutTest::browser_panel_and_dev_tools_placement()
{
    Window w;
    MainWindowUi& ui = w.ui;
    QVERIFY(w.show_active());

    // Designed place of the browser panel; the tab's layout leaves it alone.
    const QRect panel = ui.CEFWindowParent1->geometry();
    QCOMPARE(panel.left(), 10);
    QCOMPARE(panel.top(), ui.pnl1->geometry().bottom() + 1);
    QCOMPARE(panel.width(), ui.PageControl1->width() - 40);
    QCOMPARE(panel.height(), w.form.height() - panel.top() - 100);
    ui.CEFWindowParent1->setGeometry(10, panel.top(), 300, 200);
    w.form.resize(600, 400);  // the settings may give any size: the contents never hold it up
    QTRY_COMPARE(ui.PageControl1->width(), 600);
    QCOMPARE(w.form.size(), QSize(600, 400));
    QCoreApplication::processEvents();
    QCOMPARE(ui.CEFWindowParent1->geometry(), QRect(10, panel.top(), 300, 200));

    // Hidden with width 0 until shown; shown, docked at the right edge with the splitter beside it,
    // above the browser panel.
    QVERIFY(ui.DevTools->isHidden());
    QCOMPARE(ui.DevTools->maximumWidth(), 0);
    QVERIFY(ui.Splitter1->isHidden());
    QCOMPARE(ui.Splitter1->width(), 5);

    ui.Splitter1->show();
    ui.DevTools->show();
    ui.DevTools->setFixedWidth(265);
    QTRY_COMPARE(ui.DevTools->geometry().right(), ui.TabSheet1->width() - 1);
    QCOMPARE(ui.DevTools->width(), 265);
    QCOMPARE(ui.Splitter1->geometry().right() + 1, ui.DevTools->x());
    QVERIFY(ui.DevTools->geometry().top() > ui.pnl1->geometry().bottom());
    QVERIFY(ui.DevTools->geometry().bottom() < ui.StatusBar1->geometry().top());
    const QList<QObject*> siblings = ui.TabSheet1->children();
    QVERIFY(siblings.indexOf(ui.DevTools) > siblings.indexOf(ui.CEFWindowParent1));

    // Dragging the splitter to the left widens the panel.
    const QPoint grip(2, ui.Splitter1->height() / 2);
    QTest::mousePress(ui.Splitter1, Qt::LeftButton, {}, grip);
    QTest::mouseMove(ui.Splitter1, grip - QPoint(40, 0));
    QTest::mouseRelease(ui.Splitter1, Qt::LeftButton, {}, grip - QPoint(40, 0));
    QCOMPARE(ui.DevTools->maximumWidth(), 305);
}

// A speed button leaves the keyboard focus where it is, so a spin edit being edited keeps what was
// typed; a bit button takes the focus and the spin edit is brought into its range first.
void MainWindowLayoutTest::speed_buttons_leave_an_edited_spin_edit_as_typed()
{
    Window w;
    MainWindowUi& ui = w.ui;
    ui.PageControl1->setCurrentWidget(ui.TabSheet2);
    QVERIFY(w.show_active());

    ui.se_buy->setFocus();
    QTRY_VERIFY(ui.se_buy->hasFocus());
    QTest::keyClick(ui.se_buy, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(ui.se_buy, QStringLiteral("5"));

    QTest::mouseClick(ui.SpeedButton11, Qt::LeftButton);
    QVERIFY(ui.se_buy->hasFocus());
    QCOMPARE(ui.se_buy->text(), QStringLiteral("5"));

    QTest::mouseClick(ui.btn1, Qt::LeftButton);
    QVERIFY(ui.btn1->hasFocus());
    QCOMPARE(ui.se_buy->text(), QStringLiteral("40"));
}
