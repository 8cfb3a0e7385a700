#include "test_common.h"

#include "common/cp1251.h"

#include <QStringDecoder>
#include <QTest>

using namespace rx42;

void Cp1251Test::every_byte_round_trips()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    QCOMPARE(to_cp1251(from_cp1251(all)), all);
}

void Cp1251Test::matches_the_system_codec()
{
    QStringDecoder decoder("windows-1251");
    QVERIFY(decoder.isValid());
    for (int b = 0; b < 256; ++b) {
        if (b == 0x98)
            continue;  // unassigned in the code page
        const QByteArray one(1, char(b));
        QCOMPARE(from_cp1251(one), QString(decoder.decode(one)));
    }
}

void Cp1251Test::characters_outside_become_question_marks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("ascii") << "9 600,50" << "9 600,50";
    QTest::newRow("cyrillic") << "Загружаем сайт Ёё" << "Загружаем сайт Ёё";
    QTest::newRow("cjk") << "价格 95" << "?? 95";
    QTest::newRow("emoji is one character") << "a\U0001F600b" << "a?b";
    QTest::newRow("euro and nbsp stay") << "€\u00a0" << "€\u00a0";
    QTest::newRow("latin accents go") << "café" << "caf?";
}

void Cp1251Test::characters_outside_become_question_marks()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(through_cp1251(text), expected);
}
