#include "test_automation.h"

#include "automation_rig.h"
#include "common/cp1251.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace rx42;
using namespace rx42::testing;

void ScriptChannelTest::routing_data()
{
    QTest::addColumn<QStringList>("flags");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("buy");
    QTest::addColumn<QString>("html");

    QTest::newRow("no flag: ignored") << QStringList{} << "42" << QStringList{} << "old sell" << "old buy"
                                      << "old html";
    QTest::newRow("order count and sell price take the same message")
        << QStringList{"orders", "cell"} << "42" << QStringList{"Фейк-контроль - 42"} << "42" << "old buy"
        << "old html";
    QTest::newRow("all four take it")
        << QStringList{"orders", "buy", "cell", "html"} << "42" << QStringList{"Фейк-контроль - 42"} << "42"
        << "42" << "42";
    QTest::newRow("sell price shown untrimmed")
        << QStringList{"cell"} << "  96,50 " << QStringList{} << "  96,50 " << "old buy" << "old html";
    QTest::newRow("html") << QStringList{"html"} << "<p>x</p>" << QStringList{} << "old sell" << "old buy"
                          << "<p>x</p>";
    QTest::newRow("characters outside code page 1251")
        << QStringList{"cell", "html"} << "Цена ✓ 😀" << QStringList{} << "Цена ? ?" << "old buy"
        << "Цена ? ?";
}

void ScriptChannelTest::routing()
{
    QFETCH(QStringList, flags);
    QFETCH(QString, message);
    QFETCH(QStringList, lines);
    QFETCH(QString, cell);
    QFETCH(QString, buy);
    QFETCH(QString, html);

    AutomationRig rig;
    rig.ui.e_cell_price.set_text("old sell");
    rig.ui.e_buy_price.set_text("old buy");
    rig.ui.Memo_html.set_text("old html");
    rig.robot.wait_orders = flags.contains("orders");
    rig.robot.wait_buy_price = flags.contains("buy");
    rig.robot.wait_cell_price = flags.contains("cell");
    rig.robot.wait_html = flags.contains("html");

    rig.robot.Chromium1ConsoleMessage(message);

    QCOMPARE(rig.messages(), lines);
    QCOMPARE(rig.ui.e_cell_price.text(), cell);
    QCOMPARE(rig.ui.e_buy_price.text(), buy);
    QCOMPARE(rig.ui.Memo_html.text(), html);
    QVERIFY(!rig.robot.wait_orders && !rig.robot.wait_buy_price && !rig.robot.wait_cell_price
            && !rig.robot.wait_html);
}

void ScriptChannelTest::first_message_is_the_answer()
{
    AutomationRig rig;
    rig.offer("ETH", "96,00", "95,00", "12");

    // Both reads sent before either answer: the order count serves both flags, the price that
    // follows finds none and is dropped.
    rig.robot.btn_cell_priceClick();
    rig.robot.btn_cell_price2Click();
    rig.clock.advance(100);
    QCOMPARE(rig.messages(), QStringList{"Фейк-контроль - 12"});
    QCOMPARE(rig.ui.e_cell_price.text(), QString("12"));

    // Page noise arriving before the answer is taken as the answer.
    rig.page.emit_noise("cookie banner shown");
    rig.robot.btn_cell_price2Click();
    rig.clock.advance(100);
    QCOMPARE(rig.ui.e_cell_price.text(), QString("cookie banner shown"));
}

void ScriptChannelTest::debugging_script_is_sent_unchanged_and_answers_a_flag()
{
    AutomationRig rig;
    const QString script = "  console.log(1) ";  // blanks included: sent exactly as typed
    rig.ui.e_script.set_text(script);
    rig.page.set_script_answer(script, "1");
    rig.robot.wait_cell_price = true;

    rig.robot.BitBtn1Click();
    rig.clock.advance(100);

    QCOMPARE(rig.ui.e_script.text(), script);
    QCOMPARE(rig.page.received_names(), QStringList{"custom"});
    QCOMPARE(rig.ui.e_cell_price.text(), QString("1"));
    QVERIFY(!rig.robot.wait_cell_price);
}

void ScriptChannelTest::text_result_is_discarded()
{
    AutomationRig rig;
    rig.robot.wait_html = true;
    rig.robot.Chromium1TextResultAvailable("<html>source</html>");
    QVERIFY(rig.robot.wait_html);
    QVERIFY(rig.ui.Memo_html.text().isEmpty());
    QVERIFY(rig.messages().isEmpty());
}

void ScriptChannelTest::html_capture_data()
{
    QTest::addColumn<QString>("previous");        // Memo_html before the capture
    QTest::addColumn<QString>("file");            // name chosen in the dialog; empty: cancel
    QTest::addColumn<bool>("answer_in_dialog");   // the page answers while the dialog is open
    QTest::addColumn<bool>("saved");
    QTest::addColumn<QString>("saved_text");
    QTest::addColumn<bool>("reported");

    QTest::newRow("cancelled") << "" << "" << true << false << "" << false;
    QTest::newRow("confirmed before the first answer") << "" << "page.html" << false << true << "" << false;
    QTest::newRow("confirmed before the answer: previous capture") << "<p>old</p>" << "page.html" << false
                                                                   << true << "<p>old</p>" << false;
    QTest::newRow("answer came in while the dialog was open") << "<p>old</p>" << "page.html" << true << true
                                                              << "<p>Цена ✓</p>" << false;
    QTest::newRow("file cannot be written") << "<p>old</p>" << "missing/folder/page.html" << true << false << ""
                                            << true;
}

void ScriptChannelTest::html_capture()
{
    QFETCH(QString, previous);
    QFETCH(QString, file);
    QFETCH(bool, answer_in_dialog);
    QFETCH(bool, saved);
    QFETCH(QString, saved_text);
    QFETCH(bool, reported);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = file.isEmpty() ? QString() : dir.filePath(file);

    AutomationRig rig;
    rig.page.set_html("<p>Цена ✓</p>");
    rig.ui.Memo_html.set_text(previous);
    bool waiting_when_shown = false;
    rig.dialogs.answer_save = [&](const Dialogs::SaveRequest&) {
        waiting_when_shown = rig.robot.wait_html;  // the script went out before the dialog opened
        if (answer_in_dialog)
            rig.clock.advance(100);
        return path;
    };

    rig.robot.btn2Click();
    rig.clock.advance(100);

    QCOMPARE(rig.page.received_names(), QStringList{"html"});
    QCOMPARE(rig.dialogs.save_requests.size(), 1);
    QVERIFY(waiting_when_shown);
    QCOMPARE(rig.ui.Memo_html.text(), QString("<p>Цена ?</p>"));  // filled even when not saved
    QVERIFY(!rig.robot.wait_html);

    QCOMPARE(QFile::exists(path), saved);
    if (saved) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), to_cp1251(saved_text));
    }
    QCOMPARE(rig.dialogs.messages,
             reported ? QStringList{"Unable to write to " + path} : QStringList{});
}
