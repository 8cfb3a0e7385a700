#include "log_memo.h"

#include <QScrollBar>
#include <QTextCursor>

namespace rx42 {

LogMemo::LogMemo(QWidget* parent)
    : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setUndoRedoEnabled(false);
}

void LogMemo::append_line(const QString& line)
{
    // appendPlainText() would put the first line into the empty first line; a line break
    // inserted at the end keeps that line and costs the same at any length of the protocol.
    QScrollBar* bar = verticalScrollBar();
    const bool follow = bar->value() == bar->maximum();
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    end.insertText(QLatin1Char('\n') + line);
    if (follow)
        bar->setValue(bar->maximum());
}

}  // namespace rx42
