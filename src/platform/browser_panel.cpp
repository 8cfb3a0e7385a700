#include "browser_panel.h"

#include <QResizeEvent>

namespace rx42 {

BrowserPanel::BrowserPanel(QWidget* parent)
    : QWidget(parent)
{
}

void BrowserPanel::set_child_window(QWidget* child)
{
    child_ = child;
    if (child_) {
        child_->setParent(this);
        update_size();
        child_->show();
    }
}

void BrowserPanel::update_size()
{
    if (child_)
        child_->setGeometry(contentsRect());
}

void BrowserPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    update_size();
}

}  // namespace rx42
