#include "test_automation.h"

#include "common/plain_controls.h"
#include "settings/protocol.h"

#include <QRegularExpression>
#include <QTest>

using namespace rx42;

void ProtocolTest::line_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<QString>("line");

    QTest::newRow("morning") << QString("Загружаем сайт") << QDateTime(QDate(2021, 3, 17), QTime(9, 5, 7))
                             << QString("Загружаем сайт 09:05:07 2021.03.17");
    QTest::newRow("empty message") << QString() << QDateTime(QDate(2021, 3, 17), QTime(9, 5, 7))
                                   << QString(" 09:05:07 2021.03.17");
    QTest::newRow("message ending in a blank")
        << QString("9600-9500>50,запускаем покупку! ") << QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59))
        << QString("9600-9500>50,запускаем покупку!  23:59:59 1999.12.31");
    QTest::newRow("midnight") << QString("x") << QDateTime(QDate(2024, 2, 29), QTime(0, 0, 0))
                              << QString("x 00:00:00 2024.02.29");
}

void ProtocolTest::line()
{
    QFETCH(QString, message);
    QFETCH(QDateTime, when);
    QFETCH(QString, line);

    PlainText e_message("previous line");
    PlainCheck chbx_prot(true);
    PlainLog mmo_log;
    Protocol protocol(e_message, chbx_prot, mmo_log, [when] { return when; });
    protocol.writelog(message);

    QCOMPARE(e_message.text(), line);
    QCOMPARE(mmo_log.lines(), QStringList{line});
}

void ProtocolTest::memo_only_while_switched_on()
{
    PlainText e_message;
    PlainCheck chbx_prot(false);
    PlainLog mmo_log;
    const QDateTime when(QDate(2021, 3, 17), QTime(9, 5, 7));
    Protocol protocol(e_message, chbx_prot, mmo_log, [when] { return when; });

    protocol.writelog("a");
    QVERIFY(mmo_log.lines().isEmpty());
    QCOMPARE(e_message.text(), QString("a 09:05:07 2021.03.17"));

    chbx_prot.set_checked(true);
    protocol.writelog("b");
    chbx_prot.set_checked(false);
    protocol.writelog("c");
    chbx_prot.set_checked(true);
    protocol.writelog("d");

    // Lines written while switched off never reach the memo, not even later.
    QCOMPARE(mmo_log.lines(), (QStringList{"b 09:05:07 2021.03.17", "d 09:05:07 2021.03.17"}));
    QCOMPARE(e_message.text(), QString("d 09:05:07 2021.03.17"));
}

void ProtocolTest::default_clock_is_local_time()
{
    PlainText e_message;
    PlainCheck chbx_prot(false);
    PlainLog mmo_log;
    Protocol protocol(e_message, chbx_prot, mmo_log);
    const QDateTime before = QDateTime::currentDateTime();
    protocol.writelog("x");
    const QDateTime after = QDateTime::currentDateTime();

    const QString stamp = e_message.text().mid(2);
    const QDateTime written = QDateTime::fromString(stamp, "hh:mm:ss yyyy.MM.dd");
    QVERIFY2(written.isValid(), qPrintable(e_message.text()));
    QVERIFY(written >= before.addMSecs(-before.time().msec()) && written <= after);
}
