// The trading robot on the real browser: TradingAutomation drives the practice P2P page through
// the browser component, on real timers. What the page shows comes back into the controls, what
// the robot clicks is what the page records (read through runJavaScript's result callback, never
// through the console, which is the robot's own channel).

#include "automation/page_scripts.h"
#include "automation/trading_automation.h"
#include "browser_component.h"
#include "browser_panel.h"
#include "browser_test_main.h"
#include "common/cp1251.h"
#include "common/handler_guard.h"
#include "common/qt_scheduler.h"
#include "plain_trading_controls.h"
#include "test_dialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QWebEnginePage>

#include <memory>
#include <optional>

using namespace rx42;
using rx42::testing::PlainTradingControls;
using rx42::testing::TestDialogs;

namespace {

const QString kPracticePage = QStringLiteral("qrc:/practice/p2p.html");
// Protocol lines carry this stamp: the robot runs on a fixed local clock.
const QDateTime kNow(QDate(2021, 3, 17), QTime(9, 5, 7));
const QString kStamp = QStringLiteral(" 09:05:07 2021.03.17");

QStringList handler_errors;

// One robot on one browser in a shown window, wired as the main window wires them: every console
// message of the browser goes to Chromium1ConsoleMessage; the go button loads `address`.
struct Rig {
    QWidget window;
    BrowserPanel* panel = nullptr;
    BrowserComponent component{*rx42::testing::test_runtime()};
    QtScheduler scheduler;
    PlainTradingControls ui;
    TestDialogs dialogs;
    QString address;
    TradingAutomation robot{scheduler, component, ui.controls(), dialogs,
                            [this]() { component.load_url(address); }, {}, []() { return kNow; }};

    QStringList console;   // every console message, in arrival order
    QStringList protocol;  // protocol messages, the stamp cut off
    QStringList sent;      // scripts handed to the page
    int main_frame_loads = 0;

    Rig()
    {
        window.resize(1280, 800);
        panel = new BrowserPanel(&window);
        panel->setGeometry(0, 0, 1280, 800);
        window.show();
        component.on_console_message = [this](BrowserId, int, const QString& message, const QString&, int) {
            console << message;
            robot.Chromium1ConsoleMessage(message);
        };
        component.on_load_end = [this](BrowserId, const FrameInfo& frame, int) {
            if (frame.is_main)
                ++main_frame_loads;
        };
        robot.protocol().set_line_listener([this](const QString& line) {
            QVERIFY2(line.endsWith(kStamp), qPrintable(line));
            protocol << line.chopped(kStamp.size());
        });
        robot.on_script_sent = [this](const QString& code) { sent << code; };
    }

    bool create()
    {
        return component.create_browser(panel) && QTest::qWaitFor([this] { return main_frame_loads > 0; }, 30000);
    }

    // Waits for the practice page the go button (or open) loaded to run its own script.
    bool loaded()
    {
        return QTest::qWaitFor([this] { return main_frame_loads > 1; }, 30000)
               && evaluate(QStringLiteral("typeof practiceClicks")).toString() == QLatin1String("function");
    }

    // Creates the browser and opens the practice page with `query` through the go button.
    bool open(const QString& query)
    {
        address = kPracticePage + query;
        if (!create())
            return false;
        component.load_url(address);
        return loaded();
    }

    // Runs an expression through the result callback; everything the robot sent before it has
    // run in the page by then.
    QVariant evaluate(const QString& expression)
    {
        // Shared with the callback, which may still come after a time-out.
        const auto result = std::make_shared<std::optional<QVariant>>();
        QWebEnginePage* page = component.page_of(component.browser_id());
        if (!page)
            return {};
        page->runJavaScript(expression, [result](const QVariant& v) { *result = v; });
        if (!QTest::qWaitFor([&] { return result->has_value(); }, 10000))
            qWarning("no result from: %s", qPrintable(expression));
        return result->value_or(QVariant());
    }

    QStringList clicks() { return evaluate(QStringLiteral("practiceClicks()")).toStringList(); }
    QVariantList purchases() { return evaluate(QStringLiteral("practiceState().purchases")).toList(); }

    // Short delays for the trading cycle. The view switch fires well before the next read
    // starts, and a buy-side answer has `switcher_ms` to come back before the switch would run.
    void short_delays(int reads_ms = 1200, int switcher_ms = 600, int purchase_ms = 300)
    {
        TradingTimers& t = robot.timers;
        t.Timer_start.set_interval(300);
        t.timer_cell_price.set_interval(reads_ms);
        t.Timer_buy_price.set_interval(reads_ms);
        t.Timer_switcher.set_interval(switcher_ms);
        t.Timer_buy.set_interval(purchase_ms);
        t.Timer_click_all.set_interval(purchase_ms);
        t.Timer_buy_eth.set_interval(purchase_ms);
    }

    void tick_currencies(const QList<int>& entries)
    {
        for (int entry : entries)
            ui.chklst1.set_checked(entry, true);
        robot.ToCurrList();
    }

    int count_sent(const QString& code) const { return int(sent.count(code)); }
};

bool any_purchase_click(const QStringList& clicks)
{
    return clicks.contains(QStringLiteral("buy-offer")) || clicks.contains(QStringLiteral("all-amount"))
           || clicks.contains(QStringLiteral("confirm-purchase"));
}

}  // namespace

class RobotBrowserTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        handler_errors.clear();
        set_error_presenter([](const QString& text) { handler_errors << text; });
    }
    void cleanup() { set_error_presenter({}); }

    void reads_bring_back_what_the_page_shows_data();
    void reads_bring_back_what_the_page_shows();
    void click_steps_reach_the_page_elements();
    void html_capture_writes_the_page_in_the_single_byte_form();
    void html_capture_to_an_unwritable_target_data();
    void html_capture_to_an_unwritable_target();
    void page_noise_is_taken_as_the_answer_data();
    void page_noise_is_taken_as_the_answer();
    void read_without_an_answer_leaves_its_flags_set_data();
    void read_without_an_answer_leaves_its_flags_set();
    void cycle_reads_both_views_and_buys_on_a_wide_spread();
    void cycle_does_not_buy_data();
    void cycle_does_not_buy();
    void currency_rotation_clicks_the_tabs_in_turn();
};

void RobotBrowserTest::reads_bring_back_what_the_page_shows_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<bool>("buy_side");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("price");
    QTest::addColumn<bool>("fake");

    QTest::newRow("sell side") << "?sell_ETH=9600.50&orders_sell_ETH=12" << false << "12" << "9600.50" << false;
    QTest::newRow("buy side, count in the fake band")
        << "?view=buy&buy_ETH=9500.00&orders_buy_ETH=25" << true << "25" << "9500.00" << true;
    QTest::newRow("spaces kept, count up to the first space")
        << "?sell_ETH=%209%20600,50%20&orders_sell_ETH=1%20045" << false << "1" << " 9 600,50 " << false;
    QTest::newRow("count that is not a number")
        << "?view=buy&buy_ETH=95.50&orders_buy_ETH=abc" << true << "abc" << "95.50" << false;
    // U+20BD (rouble sign) has no place in code page 1251.
    QTest::newRow("character outside the code page")
        << "?sell_ETH=%E2%82%BD95.50&orders_sell_ETH=22" << false << "22" << "?95.50" << true;
}

// Scripts 1 and 2 through the robot's own steps: the order-count step sends the count script and,
// 300 ms later by its timer, the price script.
void RobotBrowserTest::reads_bring_back_what_the_page_shows()
{
    QFETCH(QString, query);
    QFETCH(bool, buy_side);
    QFETCH(QString, count);
    QFETCH(QString, price);
    QFETCH(bool, fake);

    Rig r;
    QVERIFY(r.open(query));
    PlainText& shown = buy_side ? r.ui.e_buy_price : r.ui.e_cell_price;
    PlainText& other = buy_side ? r.ui.e_cell_price : r.ui.e_buy_price;
    if (buy_side)
        r.robot.btn_buy_priceClick();
    else
        r.robot.btn_cell_priceClick();

    QTRY_COMPARE_WITH_TIMEOUT(shown.text(), price, 15000);
    QCOMPARE(r.protocol, QStringList{QStringLiteral("Фейк-контроль - ") + count});
    QCOMPARE(r.robot.fake_found, fake);
    QCOMPARE(other.text(), QString());
    QCOMPARE(r.console.size(), 2);
    QVERIFY(!r.robot.wait_orders && !r.robot.wait_cell_price && !r.robot.wait_buy_price);
    QVERIFY(handler_errors.isEmpty());
}

// Scripts 4 to 8 through the step handlers, each once, with "автомат" unticked.
void RobotBrowserTest::click_steps_reach_the_page_elements()
{
    Rig r;
    QVERIFY(r.open(QStringLiteral("?sell_BTC=6,105,400.00&buy_BTC=6,098,000.00")));
    r.tick_currencies({3});  // BTC

    r.robot.Btn_sw_currClick();
    r.robot.btn_switcherClick();
    r.robot.btn_click_buyClick();
    r.robot.btn_click_allClick();
    r.robot.btn_buy_ethClick();

    QCOMPARE(r.clicks(), QStringList({"currency:BTC", "view-switch:buy", "buy-offer", "all-amount", "confirm-purchase"}));
    // The all-amount click filled the form, so the confirming click placed an order.
    const QVariantList purchases = r.purchases();
    QCOMPARE(purchases.size(), 1);
    const QVariantMap bought = purchases.first().toMap();
    QCOMPARE(bought.value("currency").toString(), QStringLiteral("BTC"));
    QCOMPARE(bought.value("view").toString(), QStringLiteral("buy"));
    QCOMPARE(bought.value("price").toString(), QStringLiteral("6,098,000.00"));
    QCOMPARE(r.ui.Label4.text(), QStringLiteral("BTC"));
    // Click scripts answer nothing.
    QVERIFY(r.console.isEmpty());
    QVERIFY(handler_errors.isEmpty());
}

void RobotBrowserTest::html_capture_writes_the_page_in_the_single_byte_form()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("page.html"));
    Rig r;
    // A price text in Cyrillic: the file holds it in code page 1251, not in UTF-8.
    const QString marked_price = QStringLiteral("9 600,50 руб");
    QVERIFY(r.open(QStringLiteral("?sell_ETH=") + QString::fromLatin1(QUrl::toPercentEncoding(marked_price))));
    // The user confirms once the answer is in, as the window keeps running under the dialog.
    r.dialogs.answer_save = [&](const Dialogs::SaveRequest&) {
        return QTest::qWaitFor([&] { return !r.robot.wait_html; }, 15000) ? path : QString();
    };

    r.robot.btn2Click();

    QVERIFY(!r.robot.wait_html);
    QCOMPARE(r.dialogs.save_requests.size(), 1);
    QVERIFY(r.dialogs.messages.isEmpty());
    const QString memo = r.ui.Memo_html.text();
    QVERIFY(memo.startsWith(QStringLiteral("<head>")));
    QVERIFY(memo.contains(QStringLiteral("Practice page: no real offers")));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes, to_cp1251(memo));
    QVERIFY(bytes.contains("id=\"C2Cofferlistbuy_btn_allamount\""));
    QVERIFY(bytes.contains(to_cp1251(marked_price)));
    QVERIFY(!bytes.contains(marked_price.toUtf8()));
}

void RobotBrowserTest::html_capture_to_an_unwritable_target_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("folder that does not exist") << "missing/page.html";
    QTest::newRow("a folder in the way") << "taken";
}

void RobotBrowserTest::html_capture_to_an_unwritable_target()
{
    QFETCH(QString, target);
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkpath(QStringLiteral("taken")));
    QFile kept(folder.filePath(QStringLiteral("taken/kept.txt")));
    QVERIFY(kept.open(QIODevice::WriteOnly) && kept.write("kept") == 4);
    kept.close();
    const auto listing = [&]() {
        QStringList all;
        for (const QString& sub : {QString(), QStringLiteral("taken")})
            for (const QString& name : QDir(folder.filePath(sub)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
                all << sub + u'/' + name;
        return all;
    };
    const QStringList before = listing();
    const QString path = folder.filePath(target);

    Rig r;
    QVERIFY(r.open(QString()));
    r.dialogs.answer_save = [&](const Dialogs::SaveRequest&) {
        return QTest::qWaitFor([&] { return !r.robot.wait_html; }, 15000) ? path : QString();
    };
    r.robot.btn2Click();

    QCOMPARE(r.dialogs.messages.size(), 1);
    QVERIFY2(r.dialogs.messages.first().contains(path), qPrintable(r.dialogs.messages.first()));
    QCOMPARE(listing(), before);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("kept"));
    // The capture itself went through.
    QVERIFY(r.ui.Memo_html.text().contains(QStringLiteral("C2Cofferlistbuy_btn_allamount")));
    QVERIFY(handler_errors.isEmpty());
}

void RobotBrowserTest::page_noise_is_taken_as_the_answer_data()
{
    QTest::addColumn<bool>("count_too");
    QTest::newRow("sell-side price awaited") << false;
    QTest::newRow("order count and sell-side price awaited") << true;
}

// The page's own console lines are answers like any other: nothing tells them apart. The flags
// are set as a read sets them, between two lines of the page.
void RobotBrowserTest::page_noise_is_taken_as_the_answer()
{
    QFETCH(bool, count_too);
    Rig r;
    QVERIFY(r.open(QStringLiteral("?noise=100")));
    QTRY_VERIFY_WITH_TIMEOUT(r.console.size() >= 2, 10000);

    const int next = int(r.console.size());
    r.robot.wait_orders = count_too;
    r.robot.wait_cell_price = true;
    QTRY_VERIFY_WITH_TIMEOUT(r.console.size() > next, 10000);
    const QString line = r.console.at(next);
    QVERIFY2(line.startsWith(QStringLiteral("practice noise #")), qPrintable(line));
    QCOMPARE(r.ui.e_cell_price.text(), line);
    QVERIFY(!r.robot.wait_cell_price && !r.robot.wait_orders);
    const QStringList expected = count_too ? QStringList{QStringLiteral("Фейк-контроль - ") + line} : QStringList();
    QCOMPARE(r.protocol, expected);

    // One line, one answer: the lines after it find no flag.
    QTRY_VERIFY_WITH_TIMEOUT(r.console.size() > next + 2, 10000);
    QCOMPARE(r.ui.e_cell_price.text(), line);
    QCOMPARE(r.ui.e_buy_price.text(), QString());
    QCOMPARE(r.protocol, expected);
}

void RobotBrowserTest::read_without_an_answer_leaves_its_flags_set_data()
{
    QTest::addColumn<QString>("query");
    // The order-count and price scripts fail in the page: the first offer is not there.
    QTest::newRow("script failing in the page") << "?offers=0";
    // console.log of an empty text writes no line at all.
    QTest::newRow("empty texts") << "?orders_sell_ETH=&sell_ETH=";
}

// A read that brings nothing back leaves its flag set; the next console line of any kind is then
// taken as its answer.
void RobotBrowserTest::read_without_an_answer_leaves_its_flags_set()
{
    QFETCH(QString, query);
    Rig r;
    QVERIFY(r.open(query));

    r.robot.btn_cell_priceClick();  // the count, then the price by Timer_ff1
    QTRY_VERIFY_WITH_TIMEOUT(r.robot.wait_cell_price, 10000);
    // Both scripts have run in the page once a later result is back; a console line they wrote
    // would reach the window within moments.
    QCOMPARE(r.clicks(), QStringList());
    QTest::qWait(500);
    QVERIFY2(r.console.isEmpty(), qPrintable(r.console.join(u'|')));
    QVERIFY(r.robot.wait_orders);
    QVERIFY(r.robot.wait_cell_price);
    QCOMPARE(r.ui.e_cell_price.text(), QString());
    QVERIFY(r.protocol.isEmpty());

    r.ui.e_script.set_text(QStringLiteral("console.log('late line')"));
    r.robot.BitBtn1Click();
    QTRY_COMPARE_WITH_TIMEOUT(r.ui.e_cell_price.text(), QStringLiteral("late line"), 10000);
    QCOMPARE(r.protocol, QStringList{QStringLiteral("Фейк-контроль - late line")});
    QVERIFY(!r.robot.wait_orders && !r.robot.wait_cell_price);
    QVERIFY(handler_errors.isEmpty());
}

// The whole cycle with "автомат" and "автопокупка" ticked and one currency: start, search, sell
// read, view switch, buy read, check, and the three purchase clicks.
void RobotBrowserTest::cycle_reads_both_views_and_buys_on_a_wide_spread()
{
    Rig r;
    r.address = kPracticePage + QStringLiteral("?sell_ETH=9600.50&buy_ETH=9500.00&orders_sell_ETH=12&orders_buy_ETH=40");
    QVERIFY(r.create());
    r.short_delays();
    r.ui.e_porog.set_text(QStringLiteral("50,00"));
    r.ui.chbx_auto.set_checked(true);
    r.ui.chbx_autobuy.set_checked(true);
    r.tick_currencies({0});  // ETH

    r.robot.btn_startClick();
    QVERIFY(r.loaded());
    r.robot.btn_searchClick();

    const QString confirm = page_scripts::confirm_purchase_click_script();
    QTRY_VERIFY_WITH_TIMEOUT(r.count_sent(confirm) == 1, 60000);
    QCOMPARE(r.clicks(), QStringList({"currency:ETH", "view-switch:buy", "buy-offer", "all-amount", "confirm-purchase"}));
    const QVariantList purchases = r.purchases();
    QCOMPARE(purchases.size(), 1);
    QCOMPARE(purchases.first().toMap().value("view").toString(), QStringLiteral("buy"));
    QCOMPARE(purchases.first().toMap().value("price").toString(), QStringLiteral("9500.00"));
    QCOMPARE(r.protocol, QStringList({
                             "Загружаем сайт",
                             "Запускаем цикл проверки цен",
                             "Меняем тип валюты",
                             "Фейк-контроль - 12",
                             "Фейк-контроль - 40",
                             "Проверяем цены - продажа=9600.50 покупка=9500.00",
                             "960050-950000>5000,запускаем покупку! ",
                         }));
    // The cycle has ended: no timer runs any more.
    TradingTimers& t = r.robot.timers;
    for (const WindowTimer* timer : {&t.Timer_start, &t.timer_cell_price, &t.Timer_ff1, &t.Timer_buy_price, &t.Timer_ff2,
                                     &t.Timer_switcher, &t.Timer_buy, &t.Timer_click_all, &t.Timer_buy_eth,
                                     &t.Timer_curr_switcher})
        QVERIFY2(!timer->enabled(), qPrintable(timer->name()));
    QVERIFY(handler_errors.isEmpty());
}

void RobotBrowserTest::cycle_does_not_buy_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("check");

    QTest::newRow("spread equal to the threshold")
        << "?sell_ETH=9550.00&buy_ETH=9500.00&orders_sell_ETH=12&orders_buy_ETH=40"
        << "Проверяем цены - продажа=9550.00 покупка=9500.00";
    QTest::newRow("spread below the threshold")
        << "?sell_ETH=9520.00&buy_ETH=9500.00&orders_sell_ETH=12&orders_buy_ETH=40"
        << "Проверяем цены - продажа=9520.00 покупка=9500.00";
    QTest::newRow("fake offer: buy-side count inside the band")
        << "?sell_ETH=9600.50&buy_ETH=9500.00&orders_sell_ETH=12&orders_buy_ETH=20"
        << "Проверяем цены - продажа=9600.50 покупка=9500.00";
}

// The cycle goes round twice without a purchase click; a purchase started by the first check
// would have been clicked long before the second.
void RobotBrowserTest::cycle_does_not_buy()
{
    QFETCH(QString, query);
    QFETCH(QString, check);

    Rig r;
    QVERIFY(r.open(query));
    r.short_delays();
    r.ui.e_porog.set_text(QStringLiteral("50,00"));
    r.ui.chbx_auto.set_checked(true);
    r.ui.chbx_autobuy.set_checked(true);
    r.tick_currencies({0});

    r.robot.btn_searchClick();
    QTRY_VERIFY_WITH_TIMEOUT(r.protocol.count(check) == 2, 60000);
    r.robot.SpeedButton1Click();

    const QStringList clicks = r.clicks();
    QVERIFY2(!any_purchase_click(clicks), qPrintable(clicks.join(u' ')));
    QVERIFY(clicks.contains(QStringLiteral("view-switch:buy")));
    QVERIFY(r.purchases().isEmpty());
    QVERIFY(r.protocol.filter(QStringLiteral("запускаем покупку")).isEmpty());
    QVERIFY(!r.robot.timers.Timer_buy.enabled());
    QVERIFY(handler_errors.isEmpty());
}

// ETH and BTC ticked: the changes select ETH, BTC, ETH, ... one per rotation interval. The
// sell-side delay is longer than the rotation, so each change restarts it before it fires.
void RobotBrowserTest::currency_rotation_clicks_the_tabs_in_turn()
{
    Rig r;
    QVERIFY(r.open(QString()));
    r.short_delays(3000);
    r.robot.timers.Timer_curr_switcher.set_interval(400);
    r.ui.chbx_auto.set_checked(true);
    r.tick_currencies({0, 3});
    QCOMPARE(r.ui.LstCurr.items(), QStringList({"ETH", "BTC"}));

    r.robot.btn_searchClick();
    const auto changes = [&r]() {
        return r.count_sent(page_scripts::currency_tab_script(QStringLiteral("ETH")))
               + r.count_sent(page_scripts::currency_tab_script(QStringLiteral("BTC")));
    };
    QTRY_VERIFY_WITH_TIMEOUT(changes() >= 5, 30000);
    r.robot.timers.Timer_curr_switcher.disable();

    QStringList expected;
    for (int n = 0; n < changes(); ++n)
        expected << (n % 2 == 0 ? QStringLiteral("currency:ETH") : QStringLiteral("currency:BTC"));
    QCOMPARE(r.clicks(), expected);
    QCOMPARE(r.ui.Label4.text(), expected.last().mid(9));
    QCOMPARE(r.protocol.count(QStringLiteral("Меняем тип валюты")), changes());
    QVERIFY(r.protocol.filter(QStringLiteral("Фейк-контроль")).isEmpty());
    QVERIFY(handler_errors.isEmpty());
}

int main(int argc, char** argv)
{
    return rx42::testing::run_browser_test_main(argc, argv, rx42::testing::run_tests<RobotBrowserTest>);
}

#include "test_robot_browser.moc"
