#include "results/ui/ResultCellDelegate.h"

namespace varnok {

void TResultCellDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    // The model gives null cells their colour; the focused cell keeps the plain look.
    if (option->state & QStyle::State_HasFocus) option->backgroundBrush = QBrush();
}

}  // namespace varnok
