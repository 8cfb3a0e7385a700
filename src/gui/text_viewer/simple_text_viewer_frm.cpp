#include "simple_text_viewer_frm.h"

#include "gui_common/centre_on_screen.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace rx42 {

TSimpleTextViewerFrm::TSimpleTextViewerFrm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("SimpleTextViewerFrm"));
    setWindowTitle(QStringLiteral("Simple text viewer"));
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    setFixedSize(694, 572);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Memo1);
}

void TSimpleTextViewerFrm::showEvent(QShowEvent* event)
{
    centre_on_screen(this);
    QDialog::showEvent(event);
}

}  // namespace rx42
