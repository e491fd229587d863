#include "connections/ui/PictureEntryDelegate.h"

#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QPixmap>

#include "connections/ui/ConnectionPictures.h"

namespace varnok {

void TPictureEntryDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    background.icon = QIcon();
    background.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);
    const QPixmap picture =
        qvariant_cast<QIcon>(index.data(Qt::DecorationRole)).pixmap(kConnectionPictureSize, kConnectionPictureSize);
    if (!picture.isNull()) painter->drawPixmap(option.rect.topLeft() + QPoint(kLeft, kTop), picture);
}

QSize TPictureEntryDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
    return {kConnectionPictureSize + 2 * kLeft, kConnectionPictureSize + 2 * kTop};
}

}  // namespace varnok
