#include <QApplication>
#include <QTest>

#include "test_gui_layout.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int status = 0;
    {
        MainWindowLayoutTest t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        SpinEditTest t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        SmallWidgetsTest t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        WidgetControlsTest t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        DialogsTest t;
        status |= QTest::qExec(&t, argc, argv);
    }
    return status;
}
