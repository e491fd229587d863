#include "dbaccess/TextUtils.h"

#include <algorithm>

namespace varnok {

namespace {
char LowerChar(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
bool IsTrimmed(char c) { return static_cast<unsigned char>(c) <= ' '; }
}  // namespace

std::string TrimText(std::string_view text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && IsTrimmed(text[first])) ++first;
    while (last > first && IsTrimmed(text[last - 1])) --last;
    return std::string(text.substr(first, last - first));
}

std::string LowerText(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), LowerChar);
    return out;
}

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (LowerChar(a[i]) != LowerChar(b[i])) return false;
    return true;
}

std::string_view NameOfLine(std::string_view line, bool* hasName) {
    const size_t eq = line.find('=');
    if (hasName) *hasName = eq != std::string_view::npos;
    return eq == std::string_view::npos ? std::string_view() : line.substr(0, eq);
}

std::string_view ValueOfLine(std::string_view line) {
    const size_t eq = line.find('=');
    return eq == std::string_view::npos ? std::string_view() : line.substr(eq + 1);
}

int IndexOfName(const TStringLines& lines, std::string_view name) {
    for (size_t i = 0; i < lines.size(); ++i) {
        bool hasName = false;
        const std::string_view lineName = NameOfLine(lines[i], &hasName);
        if (hasName && SameText(lineName, name)) return static_cast<int>(i);
    }
    return -1;
}

int IndexOfLine(const TStringLines& lines, std::string_view line) {
    for (size_t i = 0; i < lines.size(); ++i)
        if (SameText(lines[i], line)) return static_cast<int>(i);
    return -1;
}

std::string ValueOfName(const TStringLines& lines, std::string_view name) {
    const int i = IndexOfName(lines, name);
    return i < 0 ? std::string() : std::string(ValueOfLine(lines[static_cast<size_t>(i)]));
}

}  // namespace varnok
