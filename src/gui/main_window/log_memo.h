#pragma once

#include <QPlainTextEdit>

namespace rx42 {

// The protocol memo: both scroll bars, no wrapping, starting with one empty line. Lines are
// appended at the end at a cost that does not grow with the number of lines; the view follows
// the end while it is scrolled to the bottom. The user may edit it; the program's lines do not
// go on the undo stack.
class LogMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit LogMemo(QWidget* parent = nullptr);

    // Appends one line as the new last line.
    void append_line(const QString& line);
};

}  // namespace rx42
