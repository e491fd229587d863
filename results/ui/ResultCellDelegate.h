#pragma once
// Draws a result grid's cells the default way, except that a null cell which
// is not the focused cell is painted on the tooltip background colour.
#include <QStyledItemDelegate>

namespace varnok {

class TResultCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

}  // namespace varnok
