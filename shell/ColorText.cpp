#include "shell/ColorText.h"

#include <array>
#include <cstdio>

#include "shell/IniFile.h"

namespace varnok {

namespace {

struct TNamedColor {
    const char* name;
    uint32_t value;
};

// The toolkit's colour constants; the first name of a value is the one written.
constexpr std::array kNamedColors{
    TNamedColor{"clBlack", 0x000000},
    TNamedColor{"clMaroon", 0x000080},
    TNamedColor{"clGreen", 0x008000},
    TNamedColor{"clOlive", 0x008080},
    TNamedColor{"clNavy", 0x800000},
    TNamedColor{"clPurple", 0x800080},
    TNamedColor{"clTeal", 0x808000},
    TNamedColor{"clGray", 0x808080},
    TNamedColor{"clSilver", 0xC0C0C0},
    TNamedColor{"clRed", 0x0000FF},
    TNamedColor{"clLime", 0x00FF00},
    TNamedColor{"clYellow", 0x00FFFF},
    TNamedColor{"clBlue", 0xFF0000},
    TNamedColor{"clFuchsia", 0xFF00FF},
    TNamedColor{"clAqua", 0xFFFF00},
    TNamedColor{"clWhite", 0xFFFFFF},
    TNamedColor{"clMoneyGreen", 0xC0DCC0},
    TNamedColor{"clSkyBlue", 0xF0CAA6},
    TNamedColor{"clCream", 0xF0FBFF},
    TNamedColor{"clMedGray", 0xA4A0A0},
    TNamedColor{"clLtGray", 0xC0C0C0},
    TNamedColor{"clDkGray", 0x808080},
    TNamedColor{"clScrollBar", 0x80000000},
    TNamedColor{"clBackground", 0x80000001},
    TNamedColor{"clActiveCaption", 0x80000002},
    TNamedColor{"clInactiveCaption", 0x80000003},
    TNamedColor{"clMenu", 0x80000004},
    TNamedColor{"clWindow", 0x80000005},
    TNamedColor{"clWindowFrame", 0x80000006},
    TNamedColor{"clMenuText", 0x80000007},
    TNamedColor{"clWindowText", 0x80000008},
    TNamedColor{"clCaptionText", 0x80000009},
    TNamedColor{"clActiveBorder", 0x8000000A},
    TNamedColor{"clInactiveBorder", 0x8000000B},
    TNamedColor{"clAppWorkSpace", 0x8000000C},
    TNamedColor{"clHighlight", 0x8000000D},
    TNamedColor{"clHighlightText", 0x8000000E},
    TNamedColor{"clBtnFace", 0x8000000F},
    TNamedColor{"clBtnShadow", 0x80000010},
    TNamedColor{"clGrayText", 0x80000011},
    TNamedColor{"clBtnText", 0x80000012},
    TNamedColor{"clInactiveCaptionText", 0x80000013},
    TNamedColor{"clBtnHighlight", 0x80000014},
    TNamedColor{"cl3DDkShadow", 0x80000015},
    TNamedColor{"cl3DLight", 0x80000016},
    TNamedColor{"clInfoText", 0x80000017},
    TNamedColor{"clInfoBk", 0x80000018},
    TNamedColor{"clHotLight", 0x8000001A},
    TNamedColor{"clGradientActiveCaption", 0x8000001B},
    TNamedColor{"clGradientInactiveCaption", 0x8000001C},
    TNamedColor{"clMenuHighlight", 0x8000001D},
    TNamedColor{"clMenuBar", 0x8000001E},
};

// System colour index -> the palette role that plays its part on this desktop.
constexpr std::array<const char*, 31> kPaletteRoles{
    "Button",          // 0 scroll bar
    "Window",          // 1 desktop background
    "Highlight",       // 2 active caption
    "Mid",             // 3 inactive caption
    "Window",          // 4 menu
    "Base",            // 5 window: background of lists and edits
    "Shadow",          // 6 window frame
    "WindowText",      // 7 menu text
    "Text",            // 8 window text: text of lists and edits
    "HighlightedText", // 9 caption text
    "Button",          // 10 active border
    "Button",          // 11 inactive border
    "Mid",             // 12 application work space
    "Highlight",       // 13 highlight
    "HighlightedText", // 14 highlight text
    "Button",          // 15 button face
    "Dark",            // 16 button shadow
    "PlaceholderText", // 17 grey text
    "ButtonText",      // 18 button text
    "WindowText",      // 19 inactive caption text
    "Light",           // 20 button highlight
    "Shadow",          // 21 3-D dark shadow
    "Midlight",        // 22 3-D light
    "ToolTipText",     // 23 info text
    "ToolTipBase",     // 24 info background
    "",                // 25 (unused index)
    "Link",            // 26 hot light
    "Highlight",       // 27 gradient active caption
    "Mid",             // 28 gradient inactive caption
    "Highlight",       // 29 menu highlight
    "Window",          // 30 menu bar
};

bool SameAsciiText(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        const auto lower = [](char c) {
            return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return i == a.size() && b[i] == '\0';
}

} // namespace

TColorText TColorText::Rgb(uint8_t red, uint8_t green, uint8_t blue) {
    return TColorText{static_cast<uint32_t>(red) | (static_cast<uint32_t>(green) << 8) |
                      (static_cast<uint32_t>(blue) << 16)};
}

std::optional<TColorText> TColorText::Named(const std::string& name) {
    for (const auto& c : kNamedColors)
        if (SameAsciiText(name, c.name)) return TColorText{c.value};
    return std::nullopt;
}

std::string TColorText::PaletteRole() const {
    if (!IsSystem()) return {};
    const uint32_t index = value & 0x00FFFFFFu;
    return index < kPaletteRoles.size() ? kPaletteRoles[index] : "";
}

bool ParseColorText(const std::string& text, TColorText& out) {
    if (auto named = TColorText::Named(text)) {
        out = *named;
        return true;
    }
    // "$BBGGRR" / "0x..." / decimal: the integer forms of the settings file.
    int value = 0;
    if (!ParseIniInteger(text, value)) return false;
    out = TColorText{static_cast<uint32_t>(value)};
    return true;
}

std::string FormatColorText(const TColorText& color) {
    for (const auto& c : kNamedColors)
        if (c.value == color.value) return c.name;
    char buf[16];
    std::snprintf(buf, sizeof buf, "$%.8X", static_cast<unsigned>(color.value));
    return buf;
}

TColorText ReadColor(const TIniFile& ini, const std::string& section, const std::string& key,
                     const TColorText& def) {
    TColorText color = def;
    return ParseColorText(ini.ReadString(section, key, std::string()), color) ? color : def;
}

void WriteColor(TIniFile& ini, const std::string& section, const std::string& key, const TColorText& color) {
    ini.WriteString(section, key, FormatColorText(color));
}

} // namespace varnok
