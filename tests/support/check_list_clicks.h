#pragma once

#include "main_window/check_list_box.h"

#include <QPoint>
#include <QStyle>
#include <QStyleOptionViewItem>

// The middle of an entry's check mark: a click there ticks it as the user does.
inline QPoint check_mark_of(rx42::CheckListBox& list, int row)
{
    QStyleOptionViewItem option;
    option.initFrom(list.viewport());
    option.rect = list.visualItemRect(list.item(row));
    option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    option.text = list.item(row)->text();
    return list.style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, &list).center();
}
