#pragma once

#include <QPointer>
#include <QWidget>

namespace rx42 {

// A panel that hosts one child window (the browser's view, or the developer tools) and keeps it
// filling its client area. Destroying the panel destroys the child with it.
class BrowserPanel final : public QWidget {
    Q_OBJECT
public:
    explicit BrowserPanel(QWidget* parent = nullptr);

    // The hosted window; the panel takes it as its child.
    void set_child_window(QWidget* child);
    QWidget* child_window() const { return child_; }

    // Fits the child window to the panel's client area.
    void update_size();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QPointer<QWidget> child_;
};

}  // namespace rx42
