#include <QCoreApplication>
#include <QTest>

#include "test_settings.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    int status = 0;
    {
        IniFileTest t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        SettingsLoadTest t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        SettingsSaveTest t;
        status |= QTest::qExec(&t, argc, argv);
    }
    return status;
}
