#include "test_automation.h"

#include "automation/price_check.h"
#include "automation_rig.h"

#include <QTest>

using namespace rx42;
using namespace rx42::testing;

void PriceCheckTest::tomycurr_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("digits");

    QTest::newRow("both separators") << "1,234.56" << "123456";
    QTest::newRow("empty") << "" << "0";
    QTest::newRow("lone point") << "." << "0";
    QTest::newRow("point and comma") << ".," << "0";
    QTest::newRow("inner space stays") << "12 345" << "12 345";
    QTest::newRow("sign and decimals") << "-0,50" << "-050";
    QTest::newRow("other characters kept in order") << "$9.5a" << "$95a";
}

void PriceCheckTest::tomycurr()
{
    QFETCH(QString, text);
    QFETCH(QString, digits);
    QCOMPARE(rx42::tomycurr(text), digits);
}

void PriceCheckTest::fake_control_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("lower");
    QTest::addColumn<int>("upper");
    QTest::addColumn<bool>("fake");
    QTest::addColumn<QString>("line");

    QTest::newRow("below the band") << "19" << 20 << 30 << false << "Фейк-контроль - 19";
    QTest::newRow("lower bound") << "20" << 20 << 30 << true << "Фейк-контроль - 20";
    QTest::newRow("inside") << "25" << 20 << 30 << true << "Фейк-контроль - 25";
    QTest::newRow("upper bound") << "30" << 20 << 30 << true << "Фейк-контроль - 30";
    QTest::newRow("above the band") << "31" << 20 << 30 << false << "Фейк-контроль - 31";
    QTest::newRow("blanks around") << " 25\t\n" << 20 << 30 << true << "Фейк-контроль - 25";
    QTest::newRow("letters count as 0") << "abc" << 20 << 30 << false << "Фейк-контроль - abc";
    QTest::newRow("digits then letters count as 0") << "25abc" << 1 << 30 << false << "Фейк-контроль - 25abc";
    QTest::newRow("empty answer") << "" << 20 << 30 << false << "Фейк-контроль - ";
    QTest::newRow("reversed bounds make an empty band") << "25" << 30 << 20 << false << "Фейк-контроль - 25";
}

void PriceCheckTest::fake_control()
{
    QFETCH(QString, answer);
    QFETCH(int, lower);
    QFETCH(int, upper);
    QFETCH(bool, fake);
    QFETCH(QString, line);

    AutomationRig rig;
    rig.ui.se_fake1.set_value(lower);
    rig.ui.se_fake2.set_value(upper);
    rig.robot.fake_found = !fake;  // every fake control overwrites the last result
    rig.robot.wait_orders = true;
    rig.robot.Chromium1ConsoleMessage(answer);

    QCOMPARE(rig.robot.fake_found, fake);
    QVERIFY(!rig.robot.wait_orders);
    QCOMPARE(rig.messages(), QStringList{line});
}

void PriceCheckTest::decision_data()
{
    QTest::addColumn<QString>("sell");
    QTest::addColumn<QString>("buy");
    QTest::addColumn<QString>("porog");
    QTest::addColumn<bool>("fake");
    QTest::addColumn<bool>("sound");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("purchase");

    const auto checked = [](const QString& sell, const QString& buy) {
        return "Проверяем цены - продажа=" + sell + " покупка=" + buy;
    };

    QTest::newRow("spread equal to threshold") << "95,50" << "95,00" << "0,50" << false << true
                                               << QStringList{checked("95,50", "95,00")} << false;
    QTest::newRow("spread above threshold")
        << "95,50" << "95,00" << "0,49" << false << true
        << QStringList{checked("95,50", "95,00"), "9550-9500>049,запускаем покупку! "} << true;
    QTest::newRow("passing check without sound")
        << "95,50" << "95,00" << "0,49" << false << false
        << QStringList{checked("95,50", "95,00"), "9550-9500>049,запускаем покупку! "} << true;
    QTest::newRow("fake offer") << "95,50" << "95,00" << "0,49" << true << true
                                << QStringList{checked("95,50", "95,00")} << false;
    QTest::newRow("sell below buy") << "94" << "95" << "0" << false << true << QStringList{checked("94", "95")} << false;
    QTest::newRow("negative threshold")
        << "9401" << "9500" << "-100" << false << true
        << QStringList{checked("9401", "9500"), "9401-9500>-100,запускаем покупку! "} << true;
    QTest::newRow("spread beyond 32 bits, positive")
        << "2147483647" << "-2147483648" << "0" << false << true
        << QStringList{checked("2147483647", "-2147483648"), "2147483647--2147483648>0,запускаем покупку! "} << true;
    QTest::newRow("spread beyond 32 bits, negative")
        << "-2147483648" << "2147483647" << "-1" << false << true
        << QStringList{checked("-2147483648", "2147483647")} << false;
    QTest::newRow("digit strings of different decimals")
        << "95.5" << "95.00" << "1" << false << true << QStringList{checked("95.5", "95.00")} << false;
    QTest::newRow("blanks around every text")
        << " 96,00 " << "\t95,00 " << " 0,50 " << false << true
        << QStringList{checked("96,00", "95,00"), "9600-9500>050,запускаем покупку! "} << true;
    QTest::newRow("no sell-side price yet") << "" << "95,00" << "0,50" << false << true << QStringList{} << false;
    QTest::newRow("blank threshold") << "96,00" << "95,00" << "  " << false << true << QStringList{} << false;
    QTest::newRow("blank answer") << "96,00" << " " << "0,50" << false << true << QStringList{} << false;
    QTest::newRow("unreadable buy price")
        << "96,00" << "12 345" << "0,50" << false << true
        << QStringList{"Проверка цен невозможна - не число: покупка=12 345"} << false;
    QTest::newRow("unreadable sell price")
        << "$96.00" << "95,00" << "0,50" << false << true
        << QStringList{"Проверка цен невозможна - не число: продажа=$96.00"} << false;
    QTest::newRow("threshold beyond 32 bits")
        << "96,00" << "95,00" << "2147483648" << false << true
        << QStringList{"Проверка цен невозможна - не число: порог=2147483648"} << false;
}

void PriceCheckTest::decision()
{
    QFETCH(QString, sell);
    QFETCH(QString, buy);
    QFETCH(QString, porog);
    QFETCH(bool, fake);
    QFETCH(bool, sound);
    QFETCH(QStringList, lines);
    QFETCH(bool, purchase);

    AutomationRig rig;
    rig.ui.e_cell_price.set_text(sell);
    rig.ui.e_porog.set_text(porog);
    rig.ui.chbx_sound.set_checked(sound);
    rig.robot.fake_found = fake;
    rig.robot.timers.Timer_switcher.enable();
    rig.robot.timers.timer_cell_price.enable();
    rig.robot.wait_buy_price = true;

    rig.robot.Chromium1ConsoleMessage(buy);

    QCOMPARE(rig.ui.e_buy_price.text(), buy);  // shown as the page gave it
    QCOMPARE(rig.messages(), lines);
    QVERIFY(!rig.robot.wait_buy_price);
    QCOMPARE(rig.robot.timers.Timer_buy.enabled(), purchase);
    QCOMPARE(rig.robot.timers.Timer_switcher.enabled(), !purchase);
    QCOMPARE(rig.robot.timers.timer_cell_price.enabled(), !purchase);
    QCOMPARE(rig.beeps, purchase && sound ? 1 : 0);
    QVERIFY(rig.errors.isEmpty() && rig.dialogs.messages.isEmpty());
}

void PriceCheckTest::silent_machine_still_buys()
{
    SimulatedScheduler clock;
    ScriptedPage page(clock);
    PlainTradingControls ui;
    TradingControls controls = ui.controls();
    TestDialogs dialogs;
    const auto failing_beep = [] { throw std::runtime_error("no sound device"); };
    for (const std::function<void()>& beep : {std::function<void()>(), std::function<void()>(failing_beep)}) {
        TradingAutomation robot(clock, page, controls, dialogs, {}, beep);
        ui.chbx_sound.set_checked(true);
        ui.e_cell_price.set_text("96,00");
        ui.e_porog.set_text("0,50");
        robot.wait_buy_price = true;
        robot.Chromium1ConsoleMessage("95,00");
        QVERIFY(robot.timers.Timer_buy.enabled());
    }
}
