#include "shell/kit/ListLayoutView.h"

#include <QApplication>
#include <QFontInfo>
#include <QHeaderView>
#include <QTableView>
#include <QTreeView>

#include "shell/IniConventions.h"
#include "shell/kit/ColorRoles.h"

namespace varnok {

namespace {

QHeaderView* ColumnHeader(const QAbstractItemView* view) {
    if (auto* tree = qobject_cast<const QTreeView*>(view)) return tree->header();
    if (auto* table = qobject_cast<const QTableView*>(view)) return table->horizontalHeader();
    return nullptr;
}

int ColumnCount(const QAbstractItemView* view) {
    return view->model() ? view->model()->columnCount() : 0;
}

} // namespace

void ApplyListLayout(const TListLayout& layout, QAbstractItemView* view) {
    QFont font = view->font();
    font.setFamily(QString::fromStdString(layout.fontName));
    if (layout.fontSize > 0) font.setPointSize(layout.fontSize);
    view->setFont(font);
    QPalette palette = view->palette();
    palette.setColor(QPalette::Text, ToQColor(layout.fontColor, palette));
    palette.setColor(QPalette::Base, ToQColor(layout.color, palette));
    view->setPalette(palette);
    if (QHeaderView* header = ColumnHeader(view)) {
        // Every column keeps its stored width, the last one too.
        header->setStretchLastSection(false);
        const int count = std::min<int>(ColumnCount(view), static_cast<int>(layout.columnWidths.size()));
        for (int i = 0; i < count; ++i)
            header->resizeSection(i, layout.columnWidths[static_cast<size_t>(i)]);
    }
}

TListLayout CaptureListLayout(const QAbstractItemView* view) {
    TListLayout layout;
    const QFont font = view->font();
    layout.fontName = font.family().toStdString();
    // A font sized in pixels (the log's Font Bigger/Smaller) is stored in the points it comes to.
    const int points = font.pointSize() > 0 ? font.pointSize() : QFontInfo(font).pointSize();
    layout.fontSize = points > 0 ? points : layout.fontSize;
    const QPalette palette = view->palette();
    // Compared with the application's palette for this kind of view: the view's
    // own palette holds the stored colours in the very roles the names stand for.
    const QPalette system = QApplication::palette(view);
    layout.fontColor = FromQColor(palette.color(QPalette::Text), system, {TColorText{kClWindowText}});
    layout.color = FromQColor(palette.color(QPalette::Base), system, {TColorText{kClWindow}});
    if (const QHeaderView* header = ColumnHeader(view))
        for (int i = 0; i < ColumnCount(view); ++i)
            layout.columnWidths.push_back(header->sectionSize(i));
    return layout;
}

void ReadListLayout(const TIniFile& ini, const std::string& section, QAbstractItemView* view) {
    ApplyListLayout(ReadListLayout(ini, section, ColumnCount(view)), view);
}

void WriteListLayout(TIniFile& ini, const std::string& section, const QAbstractItemView* view) {
    WriteListLayout(ini, section, CaptureListLayout(view));
}

} // namespace varnok
