#include <QCoreApplication>
#include <QTest>

#include "test_settings.h"
#include "run_test_classes.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return run_test_classes<IniFileTest, SettingsLoadTest, SettingsSaveTest>(argc, argv);
}
