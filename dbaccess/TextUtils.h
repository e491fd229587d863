#pragma once
// Small text helpers of the access layer: Delphi-like trimming, ASCII case
// folding, and the name=value line lists used for connection parameters and
// macro lists. Names are matched without regard to case, as the layer's string
// lists always did.
#include <string>
#include <string_view>
#include <vector>

namespace varnok {

using TStringLines = std::vector<std::string>;

// Removes every character at or below the blank from both ends (tabs, CR, LF…).
std::string TrimText(std::string_view text);
std::string LowerText(std::string_view text);
bool SameText(std::string_view a, std::string_view b);

// The name part of a "name=value" line: everything before the first "=";
// a line without "=" has no name (empty result, hasName = false).
std::string_view NameOfLine(std::string_view line, bool* hasName = nullptr);
std::string_view ValueOfLine(std::string_view line);

// Index of the first line whose name equals name (ignoring case), or -1.
int IndexOfName(const TStringLines& lines, std::string_view name);
// Index of the first line equal to line (ignoring case), or -1.
int IndexOfLine(const TStringLines& lines, std::string_view line);
// Value of the first entry called name; empty when there is none.
std::string ValueOfName(const TStringLines& lines, std::string_view name);

}  // namespace varnok
