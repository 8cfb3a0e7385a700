#pragma once

#include "automation/trading_controls.h"
#include "common/controls.h"

#include <QObject>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QWidget;

namespace rx42 {

class CheckListBox;
class LogMemo;
class SpinEdit;
class TextBufferMemo;
struct MainWindowUi;

// The control interfaces over the window's widgets. Each adapter is a child object of its
// widget, so it lives exactly as long as the widget does.

class LineEditControl final : public QObject, public TextControl {
public:
    explicit LineEditControl(QLineEdit* edit);
    QString text() const override;
    void set_text(const QString& text) override;

private:
    QLineEdit* edit_;
};

class LabelControl final : public QObject, public TextControl {
public:
    explicit LabelControl(QLabel* label);
    QString text() const override;
    void set_text(const QString& text) override;

private:
    QLabel* label_;
};

// A memo's whole text.
class MemoTextControl final : public QObject, public TextControl {
public:
    explicit MemoTextControl(TextBufferMemo* memo);
    QString text() const override;
    void set_text(const QString& text) override;

private:
    TextBufferMemo* memo_;
};

class CheckBoxControl final : public QObject, public CheckControl {
public:
    explicit CheckBoxControl(QCheckBox* box);
    bool checked() const override;
    void set_checked(bool checked) override;

private:
    QCheckBox* box_;
};

// The widget's own enabled state (not whether its parents are enabled).
class WidgetEnabledControl final : public QObject, public EnabledControl {
public:
    explicit WidgetEnabledControl(QWidget* widget);
    bool enabled() const override;
    void set_enabled(bool enabled) override;

private:
    QWidget* widget_;
};

class SpinEditControl final : public QObject, public SpinControl {
public:
    explicit SpinEditControl(SpinEdit* spin);
    int minimum() const override;
    int maximum() const override;
    QString text() const override;
    int value() const override;
    void set_value(int value) override;

private:
    SpinEdit* spin_;
};

class ListWidgetControl final : public QObject, public ListControl {
public:
    explicit ListWidgetControl(QListWidget* list);
    QStringList items() const override;
    void set_items(const QStringList& items) override;

private:
    QListWidget* list_;
};

class CheckListBoxControl final : public QObject, public CheckListControl {
public:
    explicit CheckListBoxControl(CheckListBox* list);
    int count() const override;
    QString item(int index) const override;
    bool checked(int index) const override;
    void set_checked(int index, bool checked) override;

private:
    CheckListBox* list_;
};

class LogMemoControl final : public QObject, public LogControl {
public:
    explicit LogMemoControl(LogMemo* memo);
    void append_line(const QString& line) override;

private:
    LogMemo* memo_;
};

// Adapters for every control of TradingControls over the widgets of a set-up window. The
// pointers stay valid as long as the widgets.
TradingControls bind_trading_controls(MainWindowUi& ui);

}  // namespace rx42
