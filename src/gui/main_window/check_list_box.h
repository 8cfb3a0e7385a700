#pragma once

#include <QListWidget>

namespace rx42 {

// A check list box: every entry has a check mark. clickCheck is raised when the user changes a
// check mark (mouse on the mark, or the space key); never for a check mark set from code.
class CheckListBox : public QListWidget {
    Q_OBJECT
public:
    explicit CheckListBox(QWidget* parent = nullptr);

    // Appends unticked entries.
    void add_items(const QStringList& texts);

    bool checked(int index) const;
    // Throws HandlerError(list_index_error_text(index)) for an index outside the list.
    void set_checked(int index, bool checked);

signals:
    void clickCheck(int index);

private:
    friend class CheckListBoxDelegate;
    bool user_edit_ = false;
};

}  // namespace rx42
