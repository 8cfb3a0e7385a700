#include "text_buffer_memo.h"

#include <utility>

namespace rx42 {

TextBufferMemo::TextBufferMemo(QWidget* parent)
    : QPlainTextEdit(parent)
{
}

QString TextBufferMemo::text() const
{
    return has_pending_ ? pending_ : toPlainText();
}

void TextBufferMemo::set_text(const QString& text)
{
    if (isVisible()) {
        setPlainText(text);
        return;
    }
    pending_ = text;
    has_pending_ = true;
    if (!document()->isEmpty())
        clear();
}

void TextBufferMemo::showEvent(QShowEvent* event)
{
    if (has_pending_) {
        has_pending_ = false;
        setPlainText(std::exchange(pending_, QString()));
    }
    QPlainTextEdit::showEvent(event);
}

}  // namespace rx42
