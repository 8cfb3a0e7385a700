#pragma once

#include <QFrame>
#include <QPointer>

namespace rx42 {

// A splitter bar docked at the left edge of a right-docked panel: dragging it sets the panel's
// width (setFixedWidth), at least 0.
class DockSplitter : public QFrame {
    Q_OBJECT
public:
    explicit DockSplitter(QWidget* panel, QWidget* parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPointer<QWidget> panel_;
    int press_x_ = 0;
    int press_width_ = 0;
    bool dragging_ = false;
};

}  // namespace rx42
