#include "connections/ui/ConnectionPictures.h"

#include <QIcon>
#include <QPainter>
#include <QPainterPath>
#include <array>

#include "shell/kit/CommandPictures.h"

namespace varnok {

namespace {

struct TPictureSource {
    const char* themeName;
    QColor drawnColor;  // colour of our own drum when the theme has no such picture
};

// The order is the stored Ico number: it must never change, only grow.
const std::array<TPictureSource, 8>& PictureSources() {
    static const std::array<TPictureSource, 8> sources{{
        {"server-database", QColor(0x2f, 0x6f, 0xb8)},
        {"network-server", QColor(0x3c, 0x9a, 0x4a)},
        {"computer", QColor(0xc0, 0x7a, 0x1a)},
        {"network-workgroup", QColor(0x8e, 0x44, 0xad)},
        {"drive-harddisk", QColor(0x7f, 0x8c, 0x8d)},
        {"folder-remote", QColor(0xc0, 0x39, 0x2b)},
        {"applications-development", QColor(0x16, 0xa0, 0x85)},
        {"system-users", QColor(0xd4, 0xac, 0x0d)},
    }};
    return sources;
}

// A database drum: a cylinder with a lighter top.
QPixmap DrawDrum(const QColor& color) {
    QPixmap pixmap(kConnectionPictureSize, kConnectionPictureSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF body(5, 7, 22, 20);
    const qreal capHeight = 7;
    QPainterPath side;
    side.moveTo(body.left(), body.top() + capHeight / 2);
    side.lineTo(body.left(), body.bottom() - capHeight / 2);
    side.arcTo(QRectF(body.left(), body.bottom() - capHeight, body.width(), capHeight), 180, 180);
    side.lineTo(body.right(), body.top() + capHeight / 2);
    side.closeSubpath();
    painter.setPen(QPen(color.darker(150), 1));
    painter.setBrush(color);
    painter.drawPath(side);
    painter.setBrush(color.lighter(150));
    painter.drawEllipse(QRectF(body.left(), body.top(), body.width(), capHeight));
    return pixmap;
}

}  // namespace

std::vector<QPixmap> MakeConnectionPictures() {
    EnsureIconTheme();
    std::vector<QPixmap> pictures;
    for (const TPictureSource& source : PictureSources()) {
        const QIcon themed = QIcon::fromTheme(QLatin1String(source.themeName));
        QPixmap pixmap;
        if (!themed.isNull()) pixmap = themed.pixmap(kConnectionPictureSize, kConnectionPictureSize);
        if (pixmap.isNull()) pixmap = DrawDrum(source.drawnColor);
        pictures.push_back(pixmap);
    }
    return pictures;
}

}  // namespace varnok
