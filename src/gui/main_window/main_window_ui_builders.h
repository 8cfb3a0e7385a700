#pragma once

// Small constructors shared by the parts of MainWindowUi::setup(): each names the widget after
// its component and gives it its designed caption, hint and size.

#include <QStyle>
#include <QString>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QWidget;

namespace rx42 {
class SpinEdit;
}

namespace rx42::ui {

// Speed button: flat, never takes the keyboard focus, shows a standard icon when it has no caption.
QToolButton* speed_button(QWidget* parent, const char* name, const QString& hint,
                          QStyle::StandardPixmap icon, const QString& caption = {});

// Bit button: takes the keyboard focus when clicked, as a windowed button does.
QPushButton* bit_button(QWidget* parent, const char* name, const QString& caption, const QString& hint,
                        QStyle::StandardPixmap icon = QStyle::SP_CustomBase);

// Edit box without a length limit.
QLineEdit* edit_box(QWidget* parent, const char* name, const QString& hint = {});

QCheckBox* check_box(QWidget* parent, const char* name, const QString& caption);

// Spin edit holding `value` in [minimum, maximum].
SpinEdit* spin_edit(QWidget* parent, const char* name, int value, int minimum, int maximum, const QString& hint = {});

// Panel and group box, named after their component.
QFrame* panel(QWidget* parent, const char* name);
QGroupBox* group_box(QWidget* parent, const char* name, const QString& caption);

QLabel* caption_label(QWidget* parent, const char* name, const QString& caption, QWidget* buddy = nullptr);

}  // namespace rx42::ui
