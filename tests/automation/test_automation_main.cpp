#include <QCoreApplication>
#include <QTest>

#include "test_automation.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    int status = 0;
    const auto run = [&](QObject&& test) { status |= QTest::qExec(&test, argc, argv); };
    run(ProtocolTest());
    run(PriceCheckTest());
    run(ScriptChannelTest());
    run(TradingCycleTest());
    run(CurrencyRotationTest());
    return status;
}
