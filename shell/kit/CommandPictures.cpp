#include "shell/kit/CommandPictures.h"

#include <QDir>
#include <QFont>
#include <QPainter>
#include <QPixmap>
#include <array>

namespace varnok {

namespace {

struct TPictureInfo {
    const char* themeName; // freedesktop icon naming; "" when none fits
    const char* glyph;     // what our own drawing shows
};

// In picture-index order (the command list refers to these numbers).
constexpr std::array<TPictureInfo, 28> kPictures{{
    {"document-new", "+"},                  // 0 add page
    {"document-open", "O"},                 // 1 open file
    {"document-save-as", "S"},              // 2 save as
    {"edit-clear", "E"},                    // 3 erase
    {"edit-find", "?"},                     // 4 search
    {"go-down", "\u2193"},                  // 5 search next
    {"go-up", "\u2191"},                    // 6 search prior
    {"edit-find-replace", "R"},             // 7 replace
    {"zoom-in", "A+"},                      // 8 font bigger
    {"zoom-out", "A-"},                     // 9 font smaller
    {"window-close", "x"},                  // 10 delete page
    {"edit-cut", "Cut"},                    // 11 cut
    {"tools-check-spelling", "\u2713"},     // 12 check syntax
    {"", "\u2713s"},                        // 13 check syntax selected
    {"edit-redo", "\u21b7"},                // 14 redo
    {"edit-undo", "\u21b6"},                // 15 undo
    {"media-playback-start", "\u25b6"},     // 16 execute
    {"", "\u25b6s"},                        // 17 execute selected
    {"edit-copy", "Cp"},                    // 18 copy
    {"edit-paste", "P"},                    // 19 paste
    {"", "'a'"},                            // 20 add quot
    {"", "a"},                              // 21 delete quot
    {"", "AB"},                             // 22 upper case
    {"", "ab"},                             // 23 lower case
    {"", "Ab"},                             // 24 capital case
    {"", "aB"},                             // 25 invers case
    {"media-seek-forward", "\u25b6\u25b6"}, // 26 execute all or selected
    {"process-stop", "\u25a0"},             // 27 interrupt
}};

QPixmap DrawGlyph(const QString& glyph, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(60, 90, 140), 1));
    painter.setBrush(QColor(225, 235, 250));
    painter.drawRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), size / 6.0, size / 6.0);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(glyph.size() > 2 ? size / 3 : size / 2);
    painter.setFont(font);
    painter.setPen(QColor(20, 40, 90));
    painter.drawText(QRect(0, 0, size, size), Qt::AlignCenter, glyph);
    return pixmap;
}

bool ThemeCanDraw(const QIcon& icon) {
    // Without an image reader for the theme's file format the icon is non-null
    // but paints nothing; an actual pixmap tells.
    return !icon.isNull() && !icon.pixmap(kSmallPictureSize, kSmallPictureSize).isNull();
}

} // namespace

int CommandPictureCount() {
    return static_cast<int>(kPictures.size());
}

QString CommandPictureThemeName(int index) {
    if (index < 0 || index >= CommandPictureCount()) return {};
    return QString::fromLatin1(kPictures[static_cast<size_t>(index)].themeName);
}

QIcon CommandPicture(int index) {
    if (index < 0 || index >= CommandPictureCount()) return {};
    return ThemedPicture(CommandPictureThemeName(index),
                         QString::fromUtf8(kPictures[static_cast<size_t>(index)].glyph));
}

QIcon ThemedPicture(const QString& themeName, const QString& glyph) {
    if (!themeName.isEmpty()) {
        QIcon themed = QIcon::fromTheme(themeName);
        if (ThemeCanDraw(themed)) return themed;
    }
    QIcon own;
    own.addPixmap(DrawGlyph(glyph, kSmallPictureSize));
    own.addPixmap(DrawGlyph(glyph, kLargePictureSize));
    return own;
}

void EnsureIconTheme() {
    const QString current = QIcon::themeName();
    if (!current.isEmpty() && current != QLatin1String("hicolor")) return;
    for (const QString& path : QIcon::themeSearchPaths()) {
        for (const char* theme : {"breeze", "Adwaita"}) {
            if (QDir(path + u'/' + QLatin1String(theme)).exists()) {
                QIcon::setThemeName(QLatin1String(theme));
                return;
            }
        }
    }
}

} // namespace varnok
