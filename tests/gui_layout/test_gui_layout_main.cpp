#include <QApplication>
#include <QTest>

#include "test_gui_layout.h"
#include "run_test_classes.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    return run_test_classes<MainWindowLayoutTest, SpinEditTest, SmallWidgetsTest, WidgetControlsTest, DialogsTest>(argc, argv);
}
