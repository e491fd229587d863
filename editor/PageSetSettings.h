#pragma once
// The stored page set: section "SQL" (tab placement, page count, Tab-key
// switch) and one section "SQL<n>" per page (caption and font height).
#include <string>
#include <vector>

namespace varnok {

class TIniFile;

// Font heights follow the convention of the settings file: a negative height
// is the character height in pixels; a smaller number is a larger font.
constexpr int kDefaultPageFontHeight = -17; // a stored page without "fnHeight"
constexpr int kNewPageFontHeight = -15;     // a page added while the program runs
constexpr int kDefaultPageSheetPos = 2;     // tabs at the bottom
constexpr int kDefaultPageCount = 3;
// Every page is a whole editor: a mistyped count must not make the program
// build pages until memory runs out. Files of pages beyond it stay on disk.
constexpr int kMaxPageCount = 1000;

struct TPageSettings {
    std::string name;
    int fontHeight = kDefaultPageFontHeight;
    bool operator==(const TPageSettings&) const = default;
};

struct TPageSetSettings {
    int sheetPos = kDefaultPageSheetPos; // tab placement code, stored as read
    bool wantTab = true;
    std::vector<TPageSettings> pages;
    bool operator==(const TPageSetSettings&) const = default;
};

// Section names.
inline const char* const kSqlSection = "SQL";
std::string PageSectionName(int pageNumber); // "SQL" + n, n from 1

// Reads "SQL" and "SQL1" … "SQL<SQLSheetCnt>". A missing page section gives
// the caption n and the default font height; a negative count reads as none,
// a count above kMaxPageCount as kMaxPageCount.
TPageSetSettings ReadPageSetSettings(const TIniFile& ini);
// "SQLSheetCnt" as stored (the default when missing).
int StoredPageCount(const TIniFile& ini);

// Writes "SQLSheetPos", "SQLSheetCnt" = number of pages, "fnHeight" and "Name"
// of every page, then "WantTab" - the order of the saved file.
void WritePageSetSettings(TIniFile& ini, const TPageSetSettings& settings);

// Pixel size of a font height: its magnitude; 0 (the platform's "default
// height") gives the size of a new page. Sizes stop at kMaxFontPixelSize so a
// mistyped stored height cannot ask the font engine for a giant font.
constexpr int kMaxFontPixelSize = 1000;
int FontPixelSize(int fontHeight);

} // namespace varnok
