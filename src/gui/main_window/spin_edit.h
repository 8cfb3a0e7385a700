#pragma once

#include <QAbstractSpinBox>

namespace rx42 {

// A spin edit as the settings expect it: the text is free while the user types; value() is the
// text as a whole number, or the minimum when the text is not one. The value is brought into the
// range only when it is set from code, stepped with the arrows, or when the edit loses the
// keyboard focus holding a number outside the range; a text that is not a number stays as it is.
// Typing accepts digits, signs and the decimal point only; pasting is not filtered.
class SpinEdit : public QAbstractSpinBox {
    Q_OBJECT
public:
    explicit SpinEdit(QWidget* parent = nullptr);

    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    void set_range(int minimum, int maximum);

    int value() const;
    // Clamped into the range; the text follows.
    void set_value(int value);

    void stepBy(int steps) override;

protected:
    StepEnabled stepEnabled() const override;
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    int minimum_ = 0;
    int maximum_ = 100;
};

}  // namespace rx42
