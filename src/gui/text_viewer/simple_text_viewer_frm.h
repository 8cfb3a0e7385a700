#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace rx42 {

// The simple text viewer: a fixed window holding one read-only memo. It has no code of its own:
// the main window fills Memo1 and shows it modally (exec()); the text stays until the next fill.
class TSimpleTextViewerFrm : public QDialog {
    Q_OBJECT
public:
    explicit TSimpleTextViewerFrm(QWidget* parent = nullptr);

    QPlainTextEdit* Memo1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace rx42
