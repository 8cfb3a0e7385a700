#include "test_automation.h"

#include "automation_rig.h"

#include <QTest>

using namespace rx42;
using namespace rx42::testing;

void CurrencyRotationTest::rotation_list_follows_the_check_list()
{
    AutomationRig rig;
    rig.robot.curr_index = 1;
    rig.tick({"USDT"});
    rig.tick({"ETH"});
    rig.tick({"BUSD"});
    QCOMPARE(rig.ui.LstCurr.items(), (QStringList{"ETH", "BUSD", "USDT"}));  // list order, not tick order
    rig.tick({"BUSD"}, false);
    QCOMPARE(rig.ui.LstCurr.items(), (QStringList{"ETH", "USDT"}));
    QCOMPARE(rig.robot.curr_index, 1);
}

void CurrencyRotationTest::changes_follow_the_list_data()
{
    QTest::addColumn<QStringList>("currencies");
    QTest::addColumn<QStringList>("selected");
    QTest::addColumn<QList<int>>("indexes");  // curr_index after each change
    QTest::addColumn<bool>("rotating");

    QTest::newRow("two") << QStringList{"ETH", "BTC"} << QStringList{"ETH", "BTC", "ETH", "BTC"}
                         << QList<int>{1, 0, 1, 0} << true;
    QTest::newRow("three") << QStringList{"ETH", "BTC", "USDT"} << QStringList{"ETH", "BTC", "USDT", "ETH"}
                           << QList<int>{1, 2, 0, 1} << true;
    QTest::newRow("one: no rotation") << QStringList{"BNB"} << QStringList{"BNB", "BNB", "BNB", "BNB"}
                                      << QList<int>{0, 0, 0, 0} << false;
}

void CurrencyRotationTest::changes_follow_the_list()
{
    QFETCH(QStringList, currencies);
    QFETCH(QStringList, selected);
    QFETCH(QList<int>, indexes);
    QFETCH(bool, rotating);

    AutomationRig rig;
    rig.tick(currencies);
    QStringList labels;
    QList<int> seen;
    QStringList tabs;
    for (int i = 0; i < selected.size(); ++i) {
        rig.robot.Btn_sw_currClick();
        labels.append(rig.ui.Label4.text());
        seen.append(rig.robot.curr_index);
        QCOMPARE(rig.robot.timers.Timer_curr_switcher.enabled(), rotating);
        tabs.append("currency " + selected[i]);
    }
    QCOMPARE(labels, selected);
    QCOMPARE(seen, indexes);
    QCOMPARE(rig.page.received_names(), tabs);
    QCOMPARE(rig.messages(), QStringList(selected.size(), "Меняем тип валюты"));
}

void CurrencyRotationTest::change_restarts_the_sell_side()
{
    AutomationRig rig;
    rig.tick({"ETH", "BTC"});
    rig.offer("BTC", "96,00", "95,00");
    rig.ui.e_cell_price.set_text("1");
    rig.ui.e_buy_price.set_text("2");
    rig.robot.timers.Timer_buy_price.enable();
    rig.robot.timers.timer_cell_price.enable();
    rig.clock.advance(5000);

    rig.robot.curr_index = 1;
    rig.robot.Btn_sw_currClick();  // by hand, "автомат" unticked

    QCOMPARE(rig.ui.e_cell_price.text(), QString());
    QCOMPARE(rig.ui.e_buy_price.text(), QString());
    QVERIFY(!rig.robot.timers.Timer_buy_price.enabled());
    QCOMPARE(rig.robot.timers.timer_cell_price.remaining_ms(), 7657);  // counting afresh
    rig.robot.timers.Timer_curr_switcher.disable();

    rig.clock.advance(60000);
    QCOMPARE(rig.page.received_names(), (QStringList{"currency BTC", "order count", "price"}));
    QCOMPARE(rig.ui.e_cell_price.text(), QString("96,00"));
    QCOMPARE(rig.clock.pending(), std::size_t(0));
}

void CurrencyRotationTest::change_past_the_end_ends_the_rotation()
{
    AutomationRig rig;
    rig.ui.chbx_auto.set_checked(true);
    rig.tick({"ETH", "BNB", "BTC"});
    rig.robot.timers.Timer_curr_switcher.set_interval(1000);
    rig.robot.timers.timer_cell_price.set_interval(5000);
    rig.robot.btn_searchClick();  // ETH
    rig.clock.advance(1000);      // BNB
    QCOMPARE(rig.ui.Label4.text(), QString("BNB"));
    QCOMPARE(rig.robot.curr_index, 2);

    rig.tick({"BTC"}, false);
    rig.ui.e_cell_price.set_text("96,00");
    rig.robot.timers.Timer_buy_price.enable();
    const qsizetype lines_before = rig.messages().size();
    rig.page.clear_log();
    rig.clock.advance(1000);  // the change finds no entry at position 2

    QCOMPARE(rig.errors, QStringList{"List index out of bounds (2)"});
    QCOMPARE(rig.messages().mid(lines_before), QStringList{"Меняем тип валюты"});
    QCOMPARE(rig.ui.e_cell_price.text(), QString());
    QVERIFY(!rig.robot.timers.Timer_buy_price.enabled());
    QCOMPARE(rig.ui.Label4.text(), QString("BNB"));
    QCOMPARE(rig.robot.curr_index, 2);
    QVERIFY(!rig.robot.timers.Timer_curr_switcher.enabled());
    QCOMPARE(rig.page.received_names(), QStringList{});

    // The restarted sell-side timer still runs.
    QCOMPARE(rig.robot.timers.timer_cell_price.remaining_ms(), 5000);
    rig.clock.advance(5000);
    QCOMPARE(rig.page.received_names(), QStringList{"order count"});
    QCOMPARE(rig.errors.size(), 1);
}

void CurrencyRotationTest::change_with_empty_list_fails()
{
    AutomationRig rig;
    rig.ui.e_buy_price.set_text("95,00");
    rig.robot.Btn_sw_currClick();
    QCOMPARE(rig.errors, QStringList{"List index out of bounds (0)"});
    QCOMPARE(rig.messages(), QStringList{"Меняем тип валюты"});
    QCOMPARE(rig.ui.e_buy_price.text(), QString());
    QVERIFY(rig.robot.timers.timer_cell_price.enabled());
    QCOMPARE(rig.ui.Label4.text(), QString("___"));
}
