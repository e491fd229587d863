#pragma once
// Colour text: how a colour is stored in the settings file.
//
// Either the name of one of the toolkit's colour constants ("clWindow",
// "clWindowText", "clRed", "clInfoBk", ...) or "$" followed by eight hexadecimal
// digits in blue-green-red order ("$000000FF" is pure red). Names are matched
// without regard to case; a colour that has a name is written by its name.
//
// A colour is kept as the toolkit's 32-bit colour value: 0x00BBGGRR for a fixed
// colour, 0x80000000 | index for a system colour ("clWindow" is 0x80000005).
// System colours stand for roles of the desktop palette; PaletteRole() names
// the QPalette::ColorRole enumerator ("Base", "Text", "ToolTipBase", ...) so the
// widget layer can look the colour up in the current palette.
#include <cstdint>
#include <optional>
#include <string>

namespace varnok {

class TIniFile;

struct TColorText {
    uint32_t value = 0;

    static TColorText Rgb(uint8_t red, uint8_t green, uint8_t blue);
    // The named constant (case-insensitive), or nothing for an unknown name.
    static std::optional<TColorText> Named(const std::string& name);

    bool IsSystem() const { return (value & 0xFF000000u) == 0x80000000u; }
    // QPalette::ColorRole enumerator name for a system colour; empty for a fixed colour
    // (and for a system colour index that has no role).
    std::string PaletteRole() const;
    // Components of a fixed colour (meaningless for a system colour).
    uint8_t Red() const { return static_cast<uint8_t>(value & 0xFF); }
    uint8_t Green() const { return static_cast<uint8_t>((value >> 8) & 0xFF); }
    uint8_t Blue() const { return static_cast<uint8_t>((value >> 16) & 0xFF); }

    bool operator==(const TColorText&) const = default;
};

// The colours the list layouts default to.
inline constexpr uint32_t kClWindow = 0x80000005u;     // "clWindow": background of lists and edits
inline constexpr uint32_t kClWindowText = 0x80000008u; // "clWindowText": text of lists and edits

// Parses a constant name, "$" + up to eight hexadecimal digits, or a decimal
// integer; false (out untouched) for anything else.
bool ParseColorText(const std::string& text, TColorText& out);
// The constant's name when the colour has one, else "$" + eight upper-case hex digits.
std::string FormatColorText(const TColorText& color);

// Typed settings access: text that is not a colour yields def.
TColorText ReadColor(const TIniFile& ini, const std::string& section, const std::string& key,
                     const TColorText& def);
void WriteColor(TIniFile& ini, const std::string& section, const std::string& key, const TColorText& color);

} // namespace varnok
