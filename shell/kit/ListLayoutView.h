#pragma once
// A list layout (font, colours, column widths) on a list view: a QTreeView or
// a QTableView (the columns of its horizontal header).
#include <string>

class QAbstractItemView;

namespace varnok {

class TIniFile;
struct TListLayout;

// Reads the section for as many columns as the view's model has and applies it.
void ReadListLayout(const TIniFile& ini, const std::string& section, QAbstractItemView* view);
// Writes the view's current look under section.
void WriteListLayout(TIniFile& ini, const std::string& section, const QAbstractItemView* view);

// The two halves, for windows that keep a layout before their view exists.
void ApplyListLayout(const TListLayout& layout, QAbstractItemView* view);
TListLayout CaptureListLayout(const QAbstractItemView* view);

} // namespace varnok
