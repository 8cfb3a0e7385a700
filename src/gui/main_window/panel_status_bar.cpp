#include "panel_status_bar.h"

#include "common/controls.h"
#include "common/handler_guard.h"

#include <QLabel>

namespace rx42 {

PanelStatusBar::PanelStatusBar(const QList<int>& widths, QWidget* parent)
    : QStatusBar(parent)
    , widths_(widths)
{
    setSizeGripEnabled(false);
    for (int i = 0; i < widths.size(); ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("panel%1").arg(i));
        label->setTextFormat(Qt::PlainText);
        label->setFrameShape(QFrame::StyledPanel);
        label->setFrameShadow(QFrame::Sunken);
        const bool last = i == widths.size() - 1;
        if (last) {
            label->setMinimumWidth(widths[i]);
            label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        } else {
            label->setFixedWidth(widths[i]);
        }
        addWidget(label, last ? 1 : 0);
        panels_.append(label);
    }
}

QLabel* PanelStatusBar::panel(int index) const
{
    if (index < 0 || index >= panels_.size())
        throw HandlerError(list_index_error_text(index));
    return panels_[index];
}

int PanelStatusBar::panel_width(int index) const
{
    panel(index);
    return widths_[index];
}

QString PanelStatusBar::panel_text(int index) const
{
    return panel(index)->text();
}

void PanelStatusBar::set_panel_text(int index, const QString& text)
{
    panel(index)->setText(text);
}

}  // namespace rx42
