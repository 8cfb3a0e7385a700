#include "spin_edit.h"

#include "common/int_text.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>

namespace rx42 {

SpinEdit::SpinEdit(QWidget* parent)
    : QAbstractSpinBox(parent)
{
    setKeyboardTracking(false);
    setAccelerated(true);
    lineEdit()->setText(QStringLiteral("0"));
}

void SpinEdit::set_range(int minimum, int maximum)
{
    minimum_ = minimum;
    maximum_ = qMax(minimum, maximum);
}

int SpinEdit::value() const
{
    return parse_int(text()).value_or(minimum_);
}

void SpinEdit::set_value(int value)
{
    lineEdit()->setText(QString::number(qBound(minimum_, value, maximum_)));
}

void SpinEdit::stepBy(int steps)
{
    const qint64 next = qint64(value()) + steps;
    set_value(int(qBound(qint64(minimum_), next, qint64(maximum_))));
    selectAll();
}

QAbstractSpinBox::StepEnabled SpinEdit::stepEnabled() const
{
    if (isReadOnly())
        return StepNone;
    return StepUpEnabled | StepDownEnabled;
}

QValidator::State SpinEdit::validate(QString&, int&) const
{
    // Any text may stand while the user edits; only leaving the edit brings a number into range.
    return QValidator::Acceptable;
}

void SpinEdit::fixup(QString&) const {}

void SpinEdit::focusOutEvent(QFocusEvent* event)
{
    QAbstractSpinBox::focusOutEvent(event);
    const int v = value();
    if (qBound(minimum_, v, maximum_) != v)
        set_value(v);
}

void SpinEdit::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    if (typed.size() == 1 && typed.at(0).unicode() >= 0x20 && !(event->modifiers() & Qt::ControlModifier)) {
        const QChar c = typed.at(0);
        const bool allowed = (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || QLocale().decimalPoint() == typed;
        if (!allowed) {
            QApplication::beep();
            event->accept();
            return;
        }
    }
    QAbstractSpinBox::keyPressEvent(event);
}

void SpinEdit::wheelEvent(QWheelEvent* event)
{
    // The wheel scrolls the page the edit sits on; it never changes a delay by accident.
    event->ignore();
}

}  // namespace rx42
