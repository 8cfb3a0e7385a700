#pragma once

#include <QString>
#include <QStringList>

namespace rx42 {

// The controls the trading logic and the settings read and write, as small interfaces. The window
// implements them over its widgets (gui/main_window/widget_controls.*); tests, benchmarks and the
// practice run use the plain ones of plain_controls.h. Texts are the controls' texts as shown.

class TextControl {  // edit box, memo, label, line of text
public:
    virtual ~TextControl() = default;
    virtual QString text() const = 0;
    virtual void set_text(const QString& text) = 0;
};

class CheckControl {  // check box
public:
    virtual ~CheckControl() = default;
    virtual bool checked() const = 0;
    virtual void set_checked(bool checked) = 0;
};

class EnabledControl {  // anything that can be enabled and disabled (a group box)
public:
    virtual ~EnabledControl() = default;
    virtual bool enabled() const = 0;
    virtual void set_enabled(bool enabled) = 0;
};

// A spin edit: an integer value inside [minimum, maximum] and the text the user sees (which may
// be anything while the user types).
class SpinControl {
public:
    virtual ~SpinControl() = default;
    virtual int minimum() const = 0;
    virtual int maximum() const = 0;
    // The text exactly as shown.
    virtual QString text() const = 0;
    // The value: the text as a whole number, or the minimum when the text is not one. Not clamped.
    virtual int value() const = 0;
    // Sets the value from code: clamped into the range, the text follows.
    virtual void set_value(int value) = 0;
};

class ListControl {  // list box, rebuilt whole
public:
    virtual ~ListControl() = default;
    virtual QStringList items() const = 0;
    virtual void set_items(const QStringList& items) = 0;
};

// Check list box. Ticking from code does not raise the user's tick event.
class CheckListControl {
public:
    virtual ~CheckListControl() = default;
    virtual int count() const = 0;
    virtual QString item(int index) const = 0;
    virtual bool checked(int index) const = 0;
    // Throws HandlerError("List index out of bounds (N)") for an index outside the list.
    virtual void set_checked(int index, bool checked) = 0;
};

class LogControl {  // the protocol memo: lines appended at the end, never read by the program
public:
    virtual ~LogControl() = default;
    virtual void append_line(const QString& line) = 0;
};

// The text of the list index error raised by list controls.
QString list_index_error_text(int index);

}  // namespace rx42
