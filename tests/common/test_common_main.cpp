#include <QCoreApplication>
#include <QTest>

#include "test_common.h"
#include "run_test_classes.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return run_test_classes<WindowTimerTest, Cp1251Test, IntTextTest>(argc, argv);
}
