#pragma once
// The small storage conventions every window shares: escaped multi-line text,
// colour text, tab placement codes, list layouts, history lists and the
// history rule, and the choice of the settings folder.
#include <optional>
#include <string>
#include <vector>

#include "shell/ColorText.h"
#include "shell/IniFile.h"
#include "shell/SettingsFolder.h"

namespace varnok {

// ---- Escaped text: a multi-line text in one value ----
// Lines end at CR LF, a lone CR or a lone LF; a NUL ends the text. Each line is
// written with "&" -> "&a", '"' -> "&q", '\'' -> "&p", then "&n".
std::string EscapeIniText(const std::string& text);
// The reverse: "&a" "&q" "&p" "&n" give & " ' CR LF; "&" + any other character
// drops both; a trailing "&" is dropped.
std::string UnescapeIniText(const std::string& value);

// ---- Tab placement codes 0 top, 1 left, 2 bottom, 3 right ----
enum class TTabSide { Top = 0, Left = 1, Bottom = 2, Right = 3 };
struct TTabPlacement {
    TTabSide side;
    bool reverseOrder;     // tabs listed from the far end
    bool verticalCaptions; // captions written top to bottom
};
// The table row for a code; nothing for a code outside 0..3 (the caller keeps its layout).
std::optional<TTabPlacement> TabPlacementForCode(int code);
// The stored code of a tab control whose tabs are on side.
inline int TabPlacementCode(TTabSide side) {
    return static_cast<int>(side);
}

// ---- List layout: the look of one list view, one section per list ----
struct TListLayout {
    std::string fontName = "Verdana";
    TColorText fontColor{kClWindowText};
    int fontSize = 8; // points
    TColorText color{kClWindow};
    std::vector<int> columnWidths; // pixels, one per column
};
inline constexpr int kDefaultColumnWidth = 100;
// Reads fnName, fnColor, fnSize, Color and ColWide0..ColWide<columnCount-1>;
// missing or bad values take the defaults, a negative width reads as 100.
TListLayout ReadListLayout(const TIniFile& ini, const std::string& section, int columnCount);
// Writes the same keys in the same order (colours as colour text).
void WriteListLayout(TIniFile& ini, const std::string& section, const TListLayout& layout);

// ---- History list of a drop-down box ----
// Every key of the section in file order, whatever its name, gives one entry.
std::vector<std::string> ReadHistoryList(const TIniFile& ini, const std::string& section);
// Replaces the section with keys "0", "1", ... in list order.
void WriteHistoryList(TIniFile& ini, const std::string& section, const std::vector<std::string>& entries);

// The history rule: removes every entry equal to text (case-sensitive), puts
// text at the top (an empty text too), cuts the list to its first limit
// entries (a negative limit counts as 0), and returns entry 0, or "" when the
// list ends up empty. The caller selects entry 0 in its box.
std::string fSortComboItems(std::vector<std::string>& items, const std::string& text, int limit);

} // namespace varnok
