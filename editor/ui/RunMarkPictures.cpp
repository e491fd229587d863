#include "editor/ui/RunMarkPictures.h"

#include <QPainter>
#include <QPixmap>

namespace varnok {

namespace {

constexpr int kSize = 16;

// Our own drawing for when the icon theme lacks the standard name: a green
// triangle for a running page, a grey disc for a finished one.
QIcon Drawn(TRunMark mark) {
    QPixmap pm(kSize, kSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    if (mark == TRunMark::Running) {
        p.setBrush(QColor(0x2e, 0x9e, 0x3e));
        const QPointF tri[3] = {{4, 2}, {14, 8}, {4, 14}};
        p.drawPolygon(tri, 3);
    } else {
        p.setBrush(QColor(0x80, 0x80, 0x80));
        p.drawEllipse(QRectF(3, 3, 10, 10));
    }
    return QIcon(pm);
}

QIcon Themed(const char* name, TRunMark mark) {
    const QIcon icon = QIcon::fromTheme(QString::fromLatin1(name));
    return icon.isNull() ? Drawn(mark) : icon;
}

} // namespace

QIcon RunMarkPicture(TRunMark mark) {
    switch (mark) {
    case TRunMark::Running:
        return Themed("media-playback-start", mark);
    case TRunMark::Finished:
        return Themed("media-playback-stop", mark);
    case TRunMark::None:
        break;
    }
    return {};
}

} // namespace varnok
