#pragma once
// Draws one entry of the picture chooser: the picture alone, 3 pixels from
// the left and 2 pixels from the top of the entry.
#include <QStyledItemDelegate>

namespace varnok {

class TPictureEntryDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    static constexpr int kLeft = 3;
    static constexpr int kTop = 2;
};

}  // namespace varnok
