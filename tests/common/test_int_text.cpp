#include "test_common.h"

#include "common/handler_guard.h"
#include "common/int_text.h"

#include <QTest>

using namespace rx42;

void IntTextTest::parse_int_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("converts");
    QTest::addColumn<int>("value");
    QTest::newRow("plain") << "2500" << true << 2500;
    QTest::newRow("leading blank") << " 2500" << true << 2500;
    QTest::newRow("leading tab") << "\t7" << true << 7;
    QTest::newRow("trailing blank") << "2500 " << false << 0;
    QTest::newRow("trailing letter") << "2500x" << false << 0;
    QTest::newRow("signs") << "-100" << true << -100;
    QTest::newRow("plus") << "+5" << true << 5;
    QTest::newRow("sign alone") << "-" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("blank") << " " << false << 0;
    QTest::newRow("max") << "2147483647" << true << 2147483647;
    QTest::newRow("min") << "-2147483648" << true << int(-2147483648LL);
    QTest::newRow("beyond max") << "2147483648" << false << 0;
    QTest::newRow("far beyond") << "99999999999999999999" << false << 0;
    QTest::newRow("inner space") << "12 345" << false << 0;
    QTest::newRow("point") << "95.5" << false << 0;
    QTest::newRow("arabic-indic digits") << "\u0661\u0662" << false << 0;
}

void IntTextTest::parse_int()
{
    QFETCH(QString, text);
    QFETCH(bool, converts);
    QFETCH(int, value);
    const auto parsed = rx42::parse_int(text);
    QCOMPARE(parsed.has_value(), converts);
    if (converts)
        QCOMPARE(*parsed, value);
}

void IntTextTest::str_to_int_error_names_the_text()
{
    try {
        str_to_int("2500x");
        QFAIL("no error");
    } catch (const HandlerError& e) {
        QCOMPARE(e.text(), QString("'2500x' is not a valid integer value"));
    }
}
