#pragma once

#include <QList>
#include <QStatusBar>

class QLabel;

namespace rx42 {

// A status bar of fixed panels, addressed by index. The last panel also takes the width left.
class PanelStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit PanelStatusBar(const QList<int>& widths, QWidget* parent = nullptr);

    int panel_count() const { return int(panels_.size()); }
    int panel_width(int index) const;
    QString panel_text(int index) const;
    // Both throw HandlerError(list_index_error_text(index)) for an index outside the panels.
    void set_panel_text(int index, const QString& text);

private:
    QLabel* panel(int index) const;

    QList<QLabel*> panels_;
    QList<int> widths_;
};

}  // namespace rx42
