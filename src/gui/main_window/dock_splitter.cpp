#include "dock_splitter.h"

#include <QMouseEvent>

namespace rx42 {

DockSplitter::DockSplitter(QWidget* panel, QWidget* parent)
    : QFrame(parent)
    , panel_(panel)
{
    setCursor(Qt::SplitHCursor);
    setFrameShape(QFrame::NoFrame);
}

void DockSplitter::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !panel_)
        return QFrame::mousePressEvent(event);
    dragging_ = true;
    press_x_ = int(event->globalPosition().x());
    press_width_ = panel_->width();
}

void DockSplitter::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragging_ || !panel_)
        return QFrame::mouseMoveEvent(event);
    const int moved_left = press_x_ - int(event->globalPosition().x());
    panel_->setFixedWidth(qMax(0, press_width_ + moved_left));
}

void DockSplitter::mouseReleaseEvent(QMouseEvent* event)
{
    dragging_ = false;
    QFrame::mouseReleaseEvent(event);
}

}  // namespace rx42
