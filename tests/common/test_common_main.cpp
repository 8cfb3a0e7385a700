#include <QCoreApplication>
#include <QTest>

#include "test_common.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    int status = 0;
    {
        WindowTimerTest t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        Cp1251Test t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        IntTextTest t;
        status |= QTest::qExec(&t, argc, argv);
    }
    return status;
}
