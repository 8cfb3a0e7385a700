#pragma once

#include <QPlainTextEdit>

namespace rx42 {

// A memo that serves as a text buffer while it is hidden: the text is kept exactly as given and
// laid out only when the memo is shown. Laying out a page's HTML, often megabytes on one line,
// would otherwise hold the window up for about a second although nobody sees it.
class TextBufferMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TextBufferMemo(QWidget* parent = nullptr);

    // The text last set, or, once the memo has been shown, the text it holds.
    QString text() const;
    void set_text(const QString& text);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString pending_;
    bool has_pending_ = false;
};

}  // namespace rx42
