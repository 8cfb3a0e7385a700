#include "check_list_box.h"

#include "common/controls.h"
#include "common/handler_guard.h"

#include <QStyledItemDelegate>

namespace rx42 {

// Every check mark the user changes goes through the delegate's editorEvent; a change made
// inside it is the user's.
class CheckListBoxDelegate : public QStyledItemDelegate {
public:
    explicit CheckListBoxDelegate(CheckListBox* owner) : QStyledItemDelegate(owner), owner_(owner) {}

    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override
    {
        const bool outer = owner_->user_edit_;
        owner_->user_edit_ = true;
        const bool handled = QStyledItemDelegate::editorEvent(event, model, option, index);
        owner_->user_edit_ = outer;
        return handled;
    }

private:
    CheckListBox* owner_;
};

CheckListBox::CheckListBox(QWidget* parent)
    : QListWidget(parent)
{
    setItemDelegate(new CheckListBoxDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (user_edit_)
            emit clickCheck(row(item));
    });
}

void CheckListBox::add_items(const QStringList& texts)
{
    for (const QString& text : texts) {
        auto* entry = new QListWidgetItem(text);
        entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        entry->setCheckState(Qt::Unchecked);
        addItem(entry);
    }
}

bool CheckListBox::checked(int index) const
{
    const QListWidgetItem* entry = item(index);
    return entry && entry->checkState() == Qt::Checked;
}

void CheckListBox::set_checked(int index, bool checked)
{
    QListWidgetItem* entry = item(index);
    if (!entry)
        throw HandlerError(list_index_error_text(index));
    entry->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

}  // namespace rx42
