#include "shell/IniConventions.h"

#include <algorithm>

namespace varnok {

std::string EscapeIniText(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8 + 2);
    bool lineOpen = false; // characters written since the last "&n"
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\0') break; // a NUL ends the text
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i; // CR LF is one break
            out += "&n";
            lineOpen = false;
            continue;
        }
        lineOpen = true;
        switch (c) {
        case '&':
            out += "&a";
            break;
        case '"':
            out += "&q";
            break;
        case '\'':
            out += "&p";
            break;
        default:
            out += c;
        }
    }
    if (lineOpen) out += "&n"; // the last line ends like every other
    return out;
}

std::string UnescapeIniText(const std::string& value) {
    std::string out;
    out.reserve(value.size());
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '&') {
            out += value[i];
            continue;
        }
        if (++i >= value.size()) break; // a trailing "&" is dropped
        switch (value[i]) {
        case 'a':
            out += '&';
            break;
        case 'q':
            out += '"';
            break;
        case 'p':
            out += '\'';
            break;
        case 'n':
            out += "\r\n";
            break;
        default:
            break; // "&" and an unknown character are both dropped
        }
    }
    return out;
}

std::optional<TTabPlacement> TabPlacementForCode(int code) {
    switch (code) {
    case 0:
        return TTabPlacement{TTabSide::Top, false, false};
    case 1:
        return TTabPlacement{TTabSide::Left, true, true};
    case 2:
        return TTabPlacement{TTabSide::Bottom, false, false};
    case 3:
        return TTabPlacement{TTabSide::Right, false, true};
    default:
        return std::nullopt;
    }
}

TListLayout ReadListLayout(const TIniFile& ini, const std::string& section, int columnCount) {
    TListLayout layout;
    layout.fontName = ini.ReadString(section, "fnName", layout.fontName);
    layout.fontColor = ReadColor(ini, section, "fnColor", layout.fontColor);
    layout.fontSize = ini.ReadInteger(section, "fnSize", layout.fontSize);
    layout.color = ReadColor(ini, section, "Color", layout.color);
    for (int i = 0; i < columnCount; ++i) {
        const int width = ini.ReadInteger(section, "ColWide" + std::to_string(i), kDefaultColumnWidth);
        layout.columnWidths.push_back(width < 0 ? kDefaultColumnWidth : width);
    }
    return layout;
}

void WriteListLayout(TIniFile& ini, const std::string& section, const TListLayout& layout) {
    ini.WriteString(section, "fnName", layout.fontName);
    WriteColor(ini, section, "fnColor", layout.fontColor);
    ini.WriteInteger(section, "fnSize", layout.fontSize);
    WriteColor(ini, section, "Color", layout.color);
    for (size_t i = 0; i < layout.columnWidths.size(); ++i)
        ini.WriteInteger(section, "ColWide" + std::to_string(i), layout.columnWidths[i]);
}

std::vector<std::string> ReadHistoryList(const TIniFile& ini, const std::string& section) {
    std::vector<std::string> entries;
    for (const auto& key : ini.ReadSectionKeys(section))
        entries.push_back(ini.ReadString(section, key, {}));
    return entries;
}

void WriteHistoryList(TIniFile& ini, const std::string& section, const std::vector<std::string>& entries) {
    // Stale keys of a longer earlier list would otherwise come back as entries.
    ini.EraseSection(section);
    for (size_t i = 0; i < entries.size(); ++i)
        ini.WriteString(section, std::to_string(i), entries[i]);
}

std::string fSortComboItems(std::vector<std::string>& items, const std::string& text, int limit) {
    const std::string current = text; // text may refer into items
    std::erase(items, current);
    items.insert(items.begin(), current);
    const auto keep = static_cast<size_t>(std::max(limit, 0));
    if (items.size() > keep) items.resize(keep);
    return items.empty() ? std::string() : items.front();
}

} // namespace varnok
