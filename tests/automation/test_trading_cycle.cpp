#include "test_automation.h"

#include "automation_rig.h"

#include <QTest>

using namespace rx42;
using namespace rx42::testing;

namespace {

int count_of(const QStringList& list, const QString& prefix)
{
    int n = 0;
    for (const QString& s : list)
        n += s.startsWith(prefix) ? 1 : 0;
    return n;
}

QStringList only(const QStringList& list, const QString& prefix)
{
    QStringList out;
    for (const QString& s : list) {
        if (s.startsWith(prefix))
            out.append(s);
    }
    return out;
}

}  // namespace

void TradingCycleTest::transitions_data()
{
    QTest::addColumn<QString>("event");  // a handler pressed, or the timer that fires
    QTest::addColumn<bool>("automat");
    QTest::addColumn<bool>("autobuy");
    QTest::addColumn<QStringList>("currencies");
    QTest::addColumn<QStringList>("before");  // timers running before the event
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QStringList>("sent");

    const QStringList none;
    const QStringList all = {"Timer_start", "timer_cell_price", "Timer_ff1", "Timer_buy_price", "Timer_ff2",
                             "Timer_switcher", "Timer_buy", "Timer_click_all", "Timer_buy_eth",
                             "Timer_curr_switcher"};

    QTest::newRow("search, no currency") << "btn_searchClick" << true << false << none << none
                                         << QStringList{"Timer_buy_price"} << none;
    QTest::newRow("search, one currency") << "btn_searchClick" << true << false << QStringList{"BTC"} << none
                                          << QStringList{"timer_cell_price"} << QStringList{"currency BTC"};
    QTest::newRow("search, two currencies")
        << "btn_searchClick" << true << false << QStringList{"ETH", "BTC"} << none
        << QStringList{"timer_cell_price", "Timer_curr_switcher"} << QStringList{"currency ETH"};
    QTest::newRow("search by hand, two currencies") << "btn_searchClick" << false << false
                                                    << QStringList{"ETH", "BTC"} << none
                                                    << QStringList{"Timer_buy_price"} << none;
    QTest::newRow("sell-side delay ends") << "timer_cell_price" << true << false << none << none
                                          << QStringList{"Timer_ff1"} << QStringList{"order count"};
    QTest::newRow("sell-side read") << "Timer_ff1" << true << false << none << none
                                    << QStringList{"Timer_buy_price", "Timer_switcher"} << QStringList{"price"};
    QTest::newRow("sell-side read by hand") << "Timer_ff1" << false << false << none << none << none
                                            << QStringList{"price"};
    QTest::newRow("buy-side delay ends") << "Timer_buy_price" << false << false << none << none
                                         << QStringList{"Timer_ff2"} << QStringList{"order count"};
    QTest::newRow("buy-side read") << "Timer_ff2" << true << false << none << none
                                   << QStringList{"timer_cell_price", "Timer_switcher"} << QStringList{"price"};
    QTest::newRow("buy-side read by hand") << "Timer_ff2" << false << false << none << none << none
                                           << QStringList{"price"};
    QTest::newRow("view switch") << "Timer_switcher" << true << true << none << none << none
                                 << QStringList{"view switch"};
    QTest::newRow("buy click ends the rotation")
        << "Timer_buy" << true << false << none << QStringList{"Timer_curr_switcher"}
        << QStringList{"Timer_click_all"} << QStringList{"offer buy"};
    QTest::newRow("buy click by hand") << "Timer_buy" << false << true << none
                                       << QStringList{"Timer_curr_switcher"} << none << QStringList{"offer buy"};
    QTest::newRow("all-amount click with автопокупка") << "Timer_click_all" << true << true << none << none
                                                       << QStringList{"Timer_buy_eth"}
                                                       << QStringList{"all amount"};
    QTest::newRow("all-amount click without автопокупка") << "Timer_click_all" << true << false << none << none
                                                          << none << QStringList{"all amount"};
    QTest::newRow("all-amount click, автопокупка without автомат")
        << "Timer_click_all" << false << true << none << none << none << QStringList{"all amount"};
    QTest::newRow("confirming click ends the chain") << "Timer_buy_eth" << true << true << none << none << none
                                                     << QStringList{"confirm"};
    QTest::newRow("stop stops six timers")
        << "SpeedButton1Click" << true << true << none << all
        << QStringList{"Timer_ff1", "Timer_ff2", "Timer_switcher", "Timer_curr_switcher"} << none;
}

void TradingCycleTest::transitions()
{
    QFETCH(QString, event);
    QFETCH(bool, automat);
    QFETCH(bool, autobuy);
    QFETCH(QStringList, currencies);
    QFETCH(QStringList, before);
    QFETCH(QStringList, after);
    QFETCH(QStringList, sent);

    AutomationRig rig;
    rig.ui.chbx_auto.set_checked(automat);
    rig.ui.chbx_autobuy.set_checked(autobuy);
    rig.tick(currencies);
    // Long delays everywhere, so that only the event itself acts.
    for (WindowTimer* t : rig.all_timers())
        t->set_interval(60000);
    for (const QString& name : before)
        rig.timer(name)->enable();

    if (event == "btn_searchClick") {
        rig.robot.btn_searchClick();
    } else if (event == "SpeedButton1Click") {
        rig.robot.SpeedButton1Click();
        QVERIFY(!rig.ui.chbx_auto.checked());
    } else {
        WindowTimer* fired = rig.timer(event);
        QVERIFY(fired);
        fired->set_interval(10);
        fired->enable();
        rig.clock.advance(10);
    }

    QCOMPARE(rig.running(), after);
    QCOMPARE(rig.page.received_names(), sent);
    QVERIFY(rig.errors.isEmpty());
}

void TradingCycleTest::start_loads_the_site()
{
    AutomationRig rig;
    rig.ui.GroupBox2.set_enabled(false);
    rig.robot.curr_index = 3;

    rig.robot.btn_startClick();
    QCOMPARE(rig.go_presses, 1);
    QCOMPARE(rig.robot.curr_index, 0);
    QCOMPARE(rig.messages(), QStringList{"Загружаем сайт"});
    QCOMPARE(rig.running(), QStringList{"Timer_start"});

    rig.clock.advance(1999);
    QVERIFY(!rig.ui.GroupBox2.enabled());
    rig.clock.advance(1);
    QVERIFY(rig.ui.GroupBox2.enabled());
    QCOMPARE(rig.running(), QStringList{});
}

void TradingCycleTest::full_cycle_with_two_currencies()
{
    AutomationRig rig;
    rig.ui.chbx_auto.set_checked(true);
    rig.ui.chbx_autobuy.set_checked(true);
    rig.ui.chbx_sound.set_checked(true);
    rig.ui.e_porog.set_text("0,50");
    rig.tick({"ETH", "BTC"});
    rig.offer("ETH", "96,00", "95,00", "12", "15");
    rig.offer("BTC", "1,00", "1,00");
    // Every delay at its creation value, except a rotation slow enough for a whole pass.
    rig.robot.timers.Timer_curr_switcher.set_interval(30000);

    // 1. Start.
    rig.robot.btn_startClick();
    QCOMPARE(rig.go_presses, 1);
    rig.clock.advance(3000);
    QCOMPARE(rig.running(), QStringList{});

    // 2. Search: the currency change moves the cycle to the sell side.
    const qint64 s = rig.clock.now_ms();
    rig.robot.btn_searchClick();
    QCOMPARE(rig.running(), (QStringList{"timer_cell_price", "Timer_curr_switcher"}));
    QCOMPARE(rig.ui.Label4.text(), QString("ETH"));
    QCOMPARE(rig.robot.curr_index, 1);

    // 3-10. Sell-side read, view switch, buy-side read, check passes.
    rig.clock.advance(15814);
    QCOMPARE(rig.ui.e_cell_price.text(), QString("96,00"));
    QCOMPARE(rig.ui.e_buy_price.text(), QString("95,00"));
    QCOMPARE(rig.running(), (QStringList{"Timer_buy", "Timer_curr_switcher"}));
    QCOMPARE(rig.beeps, 1);

    // 11. The buy click stops the rotation.
    rig.clock.advance(300);
    QCOMPARE(rig.running(), QStringList{"Timer_click_all"});

    // 12-13. All-amount and confirming clicks; then nothing runs any more.
    rig.clock.advance(60000);
    QCOMPARE(rig.running(), QStringList{});
    QCOMPARE(rig.clock.pending(), std::size_t(0));

    QStringList timeline;
    for (const ScriptedPage::Received& r : rig.page.received())
        timeline.append(QString::number(r.at_ms - s) + " " + r.name);
    QCOMPARE(timeline, (QStringList{"0 currency ETH", "7657 order count", "7957 price", "9235 view switch",
                                    "15494 order count", "15794 price", "16114 offer buy", "18314 all amount",
                                    "19568 confirm"}));
    QCOMPARE(rig.page.clicks(),
             (QStringList{"currency ETH", "view switch", "offer buy", "all amount", "confirm"}));
    QCOMPARE(rig.messages(), (QStringList{"Загружаем сайт", "Запускаем цикл проверки цен", "Меняем тип валюты",
                                          "Фейк-контроль - 12", "Фейк-контроль - 15",
                                          "Проверяем цены - продажа=96,00 покупка=95,00",
                                          "9600-9500>050,запускаем покупку! "}));
    QVERIFY(rig.errors.isEmpty());
}

void TradingCycleTest::rotation_against_read_delays_data()
{
    QTest::addColumn<int>("rotation");
    QTest::addColumn<int>("sell_delay");
    QTest::addColumn<int>("buy_delay");
    QTest::addColumn<bool>("price_reads");
    QTest::addColumn<bool>("checks");

    QTest::newRow("creation intervals: no price is ever read") << 1278 << 7657 << 7537 << false << false;
    QTest::newRow("shown defaults: sell side only") << 8000 << 5369 << 5467 << true << false;
    QTest::newRow("rotation longer than both reads") << 12000 << 5369 << 5467 << true << true;
}

void TradingCycleTest::rotation_against_read_delays()
{
    QFETCH(int, rotation);
    QFETCH(int, sell_delay);
    QFETCH(int, buy_delay);
    QFETCH(bool, price_reads);
    QFETCH(bool, checks);

    AutomationRig rig;
    rig.ui.chbx_auto.set_checked(true);
    rig.ui.e_porog.set_text("1000000");
    rig.tick({"ETH", "BTC"});
    rig.offer("ETH", "96,00", "95,00");
    rig.offer("BTC", "96,00", "95,00");
    rig.robot.timers.Timer_curr_switcher.set_interval(rotation);
    rig.robot.timers.timer_cell_price.set_interval(sell_delay);
    rig.robot.timers.Timer_buy_price.set_interval(buy_delay);

    rig.robot.btn_searchClick();
    rig.clock.advance(60000);

    const QStringList names = rig.page.received_names();
    QCOMPARE(names.contains("price"), price_reads);
    QCOMPARE(count_of(rig.messages(), "Проверяем цены") > 0, checks);

    QStringList expected_changes;
    for (int i = 0; i <= 60000 / rotation; ++i)
        expected_changes.append(i % 2 == 0 ? "currency ETH" : "currency BTC");
    QCOMPARE(only(names, "currency"), expected_changes);
}

void TradingCycleTest::cycle_without_rotation_data()
{
    QTest::addColumn<QStringList>("currencies");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("page_currency");

    QTest::newRow("no currency: starts on the buy side") << QStringList{} << "order count" << "___" << "ETH";
    QTest::newRow("one currency: one change") << QStringList{"BTC"} << "currency BTC" << "BTC" << "BTC";
}

void TradingCycleTest::cycle_without_rotation()
{
    QFETCH(QStringList, currencies);
    QFETCH(QString, first);
    QFETCH(QString, label);
    QFETCH(QString, page_currency);

    AutomationRig rig;
    rig.ui.chbx_auto.set_checked(true);
    rig.ui.e_porog.set_text("1000000");
    rig.tick(currencies);
    rig.offer("ETH", "96,00", "95,00");
    rig.offer("BTC", "96,00", "95,00");

    rig.robot.btn_searchClick();
    QVERIFY(!rig.robot.timers.Timer_curr_switcher.enabled());
    rig.clock.advance(60000);

    const QStringList names = rig.page.received_names();
    QCOMPARE(names.value(0), first);
    QCOMPARE(count_of(names, "currency"), currencies.size());
    QCOMPARE(rig.page.currency(), page_currency);
    QCOMPARE(rig.ui.Label4.text(), label);
    QCOMPARE(rig.robot.curr_index, 0);
    QVERIFY(!rig.robot.timers.Timer_curr_switcher.enabled());
    QVERIFY2(count_of(rig.messages(), "Проверяем цены") >= 2, qPrintable(rig.messages().join('\n')));
}

void TradingCycleTest::search_by_hand_runs_one_buy_side_read()
{
    AutomationRig rig;
    rig.tick({"ETH", "BTC"});  // no currency change without "автомат"
    rig.offer("ETH", "95,00", "94,00");
    rig.ui.e_cell_price.set_text("96,00");
    rig.ui.e_porog.set_text("5,00");

    rig.robot.btn_searchClick();
    rig.clock.advance(60000);

    QCOMPARE(rig.page.received_names(), (QStringList{"order count", "price"}));
    QCOMPARE(rig.messages(), (QStringList{"Запускаем цикл проверки цен", "Фейк-контроль - 12",
                                          "Проверяем цены - продажа=96,00 покупка=95,00"}));
    QCOMPARE(rig.clock.pending(), std::size_t(0));
}

void TradingCycleTest::stop_during_rotation_data()
{
    QTest::addColumn<int>("rotation");
    QTest::addColumn<int>("sell_delay");
    QTest::addColumn<QStringList>("scripts_after_stop");

    QTest::newRow("sell-side delay shorter than the rotation")
        << 8000 << 5369 << QStringList{"currency BTC", "currency ETH", "order count", "price"};
    QTest::newRow("creation intervals") << 1278 << 7657 << QStringList{"currency BTC", "currency ETH"};
}

void TradingCycleTest::stop_during_rotation()
{
    QFETCH(int, rotation);
    QFETCH(int, sell_delay);
    QFETCH(QStringList, scripts_after_stop);

    AutomationRig rig;
    rig.ui.chbx_auto.set_checked(true);
    rig.ui.e_porog.set_text("0");
    rig.tick({"ETH", "BTC"});
    rig.offer("ETH", "96,00", "95,00");
    rig.offer("BTC", "96,00", "95,00");
    rig.robot.timers.Timer_curr_switcher.set_interval(rotation);
    rig.robot.timers.timer_cell_price.set_interval(sell_delay);

    rig.robot.btn_searchClick();
    rig.clock.advance(20000);
    rig.robot.SpeedButton1Click();
    rig.page.clear_log();
    const qsizetype lines_before = rig.messages().size();
    rig.clock.advance(40000);

    QStringList names = rig.page.received_names();
    QCOMPARE(count_of(names, "currency"), 40000 / rotation);  // the rotation goes on
    names.removeDuplicates();
    names.sort();
    QCOMPARE(names, scripts_after_stop);
    QCOMPARE(count_of(rig.messages().mid(lines_before), "Проверяем цены"), 0);
    QVERIFY(rig.robot.timers.Timer_curr_switcher.enabled());
}

void TradingCycleTest::purchase_chain_after_passing_check_data()
{
    QTest::addColumn<bool>("automat");
    QTest::addColumn<bool>("autobuy");
    QTest::addColumn<QStringList>("clicks");

    QTest::newRow("автомат and автопокупка") << true << true
                                             << QStringList{"offer buy", "all amount", "confirm"};
    QTest::newRow("автопокупка unticked: ends after the all-amount click")
        << true << false << QStringList{"offer buy", "all amount"};
    QTest::newRow("автомат unticked: only the offer's buy button") << false << true << QStringList{"offer buy"};
}

void TradingCycleTest::purchase_chain_after_passing_check()
{
    QFETCH(bool, automat);
    QFETCH(bool, autobuy);
    QFETCH(QStringList, clicks);

    AutomationRig rig;
    rig.ui.chbx_auto.set_checked(automat);
    rig.ui.chbx_autobuy.set_checked(autobuy);
    rig.ui.e_cell_price.set_text("96,00");
    rig.ui.e_porog.set_text("0,50");
    rig.offer("ETH", "95,00", "95,00");

    rig.robot.btn_buy_price2Click();
    rig.clock.advance(60000);

    QCOMPARE(rig.page.clicks(), clicks);
    QCOMPARE(rig.messages().last(), QString("9600-9500>050,запускаем покупку! "));
    QCOMPARE(rig.running(), QStringList{});
    QCOMPARE(rig.clock.pending(), std::size_t(0));
}
