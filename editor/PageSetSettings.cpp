#include "editor/PageSetSettings.h"

#include "shell/IniFile.h"

#include <algorithm>
#include <cstdlib>

namespace varnok {

std::string PageSectionName(int pageNumber) {
    return kSqlSection + std::to_string(pageNumber);
}

TPageSetSettings ReadPageSetSettings(const TIniFile& ini) {
    TPageSetSettings s;
    s.sheetPos = ini.ReadInteger(kSqlSection, "SQLSheetPos", kDefaultPageSheetPos);
    const int count = std::min(StoredPageCount(ini), kMaxPageCount);
    for (int n = 1; n <= count; ++n) {
        const std::string section = PageSectionName(n);
        TPageSettings page;
        page.fontHeight = ini.ReadInteger(section, "fnHeight", kDefaultPageFontHeight);
        page.name = ini.ReadString(section, "Name", std::to_string(n));
        s.pages.push_back(std::move(page));
    }
    s.wantTab = ini.ReadBool(kSqlSection, "WantTab", true);
    return s;
}

int StoredPageCount(const TIniFile& ini) {
    return ini.ReadInteger(kSqlSection, "SQLSheetCnt", kDefaultPageCount);
}

void WritePageSetSettings(TIniFile& ini, const TPageSetSettings& settings) {
    ini.WriteInteger(kSqlSection, "SQLSheetPos", settings.sheetPos);
    ini.WriteInteger(kSqlSection, "SQLSheetCnt", int(settings.pages.size()));
    int n = 0;
    for (const TPageSettings& page : settings.pages) {
        const std::string section = PageSectionName(++n);
        ini.WriteInteger(section, "fnHeight", page.fontHeight);
        ini.WriteString(section, "Name", page.name);
    }
    ini.WriteBool(kSqlSection, "WantTab", settings.wantTab);
}

int FontPixelSize(int fontHeight) {
    if (fontHeight == 0) return -kNewPageFontHeight;
    const long long size = std::llabs(static_cast<long long>(fontHeight));
    return size > kMaxFontPixelSize ? kMaxFontPixelSize : int(size);
}

} // namespace varnok
