#include "main_window_ui.h"

#include "main_window/main_window_ui_builders.h"
#include "main_window/spin_edit.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

#include <limits>

namespace rx42 {

namespace ui {

QToolButton* speed_button(QWidget* parent, const char* name, const QString& hint, QStyle::StandardPixmap icon,
                          const QString& caption)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromUtf8(name));
    button->setToolTip(hint);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    if (caption.isEmpty()) {
        button->setIcon(button->style()->standardIcon(icon));
        button->setFixedSize(25, 25);
    } else {
        button->setText(caption);
    }
    return button;
}

QPushButton* bit_button(QWidget* parent, const char* name, const QString& caption, const QString& hint,
                        QStyle::StandardPixmap icon)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromUtf8(name));
    button->setToolTip(hint);
    button->setAutoDefault(false);
    if (icon != QStyle::SP_CustomBase)
        button->setIcon(button->style()->standardIcon(icon));
    if (caption.isEmpty())
        button->setFixedSize(30, 25);
    return button;
}

QLineEdit* edit_box(QWidget* parent, const char* name, const QString& hint)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromUtf8(name));
    edit->setToolTip(hint);
    edit->setMaxLength(std::numeric_limits<int>::max());
    return edit;
}

QCheckBox* check_box(QWidget* parent, const char* name, const QString& caption)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromUtf8(name));
    return box;
}

SpinEdit* spin_edit(QWidget* parent, const char* name, int value, int minimum, int maximum, const QString& hint)
{
    auto* spin = new SpinEdit(parent);
    spin->setObjectName(QString::fromUtf8(name));
    spin->setToolTip(hint);
    spin->set_range(minimum, maximum);
    spin->set_value(value);
    spin->setFixedWidth(90);
    return spin;
}

QFrame* panel(QWidget* parent, const char* name)
{
    auto* frame = new QFrame(parent);
    frame->setObjectName(QString::fromUtf8(name));
    return frame;
}

QGroupBox* group_box(QWidget* parent, const char* name, const QString& caption)
{
    auto* group = new QGroupBox(caption, parent);
    group->setObjectName(QString::fromUtf8(name));
    return group;
}

QLabel* caption_label(QWidget* parent, const char* name, const QString& caption, QWidget* buddy)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QString::fromUtf8(name));
    label->setTextFormat(Qt::PlainText);
    if (buddy)
        label->setBuddy(buddy);
    return label;
}

}  // namespace ui

void MainWindowUi::setup(QMainWindow* form)
{
    if (form->objectName().isEmpty())
        form->setObjectName(QStringLiteral("VelkoBrowserFrm"));
    form->setWindowTitle(QStringLiteral("rx42"));
    form->setFont(QFont(QStringLiteral("Tahoma"), 8));
    form->move(192, 123);
    form->resize(1061, 804);

    PageControl1 = new QTabWidget(form);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    // The window may be made (or loaded from the settings) smaller than its contents; they are
    // clipped then, never forcing the window's size.
    PageControl1->setMinimumSize(1, 1);
    form->setCentralWidget(PageControl1);

    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    PageControl1->addTab(TabSheet1, QStringLiteral(" Работа"));
    TabSheet2 = new QWidget;
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    PageControl1->addTab(TabSheet2, QStringLiteral("Опции"));

    setup_work_tab();
    setup_options_tab();
    setup_tools_menu(form);

    PageControl1->setCurrentWidget(TabSheet1);

    // The browser panel's designed place, until FormResize takes over.
    const int top = pnl1->height();
    CEFWindowParent1->setGeometry(10, top, form->width() - 40, form->height() - top - 100);
}

void MainWindowUi::setup_tools_menu(QWidget* form)
{
    PopupMenu1 = new QMenu(form);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));

    auto item = [](QMenu* menu, const char* name, const QString& caption) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QString::fromUtf8(name));
        return action;
    };

    DevTools1 = item(PopupMenu1, "DevTools1", QStringLiteral("DevTools"));
    PopupMenu1->addSeparator();
    Openfile1 = item(PopupMenu1, "Openfile1", QStringLiteral("Open file with a FILE URL..."));
    OpenfilewithaDAT1 = item(PopupMenu1, "OpenfilewithaDAT1", QStringLiteral("Open file with a DATA URL..."));
    PopupMenu1->addSeparator();
    Print1 = item(PopupMenu1, "Print1", QStringLiteral("Print"));
    PrintinPDF1 = item(PopupMenu1, "PrintinPDF1", QStringLiteral("Print to PDF"));
    PopupMenu1->addSeparator();
    Zoom1 = PopupMenu1->addMenu(QStringLiteral("Zoom"));
    Zoom1->setObjectName(QStringLiteral("Zoom1"));
    Inczoom1 = item(Zoom1, "Inczoom1", QStringLiteral("Inc zoom"));
    Deczoom1 = item(Zoom1, "Deczoom1", QStringLiteral("Dec zoom"));
    Resetzoom1 = item(Zoom1, "Resetzoom1", QStringLiteral("Reset zoom"));
    PopupMenu1->addSeparator();
    Preferences1 = item(PopupMenu1, "Preferences1", QStringLiteral("Preferences..."));
    Resolvehost1 = item(PopupMenu1, "Resolvehost1", QStringLiteral("Resolve host..."));
    Downloadimage1 = item(PopupMenu1, "Downloadimage1", QStringLiteral("Download image..."));
    Simulatekeyboardpresses1 = item(PopupMenu1, "Simulatekeyboardpresses1", QStringLiteral("Simulate keyboard presses"));
    Flushcookies1 = item(PopupMenu1, "Flushcookies1", QStringLiteral("Flush cookies"));
    PopupMenu1->addSeparator();
    Memoryinfo1 = item(PopupMenu1, "Memoryinfo1", QStringLiteral("Memory info..."));
}

}  // namespace rx42
