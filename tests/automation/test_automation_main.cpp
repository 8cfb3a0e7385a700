#include <QCoreApplication>
#include <QTest>

#include "test_automation.h"
#include "run_test_classes.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return run_test_classes<ProtocolTest, PriceCheckTest, ScriptChannelTest, TradingCycleTest, CurrencyRotationTest>(argc, argv);
}
