#include "editor/QuoteLines.h"

namespace varnok {

namespace {

// Blanks and control characters, as the trimming of the text commands sees them.
bool IsTrimmed(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

std::string Trim(const std::string& s) {
    size_t begin = 0;
    size_t end = s.size();
    while (begin < end && IsTrimmed(s[begin]))
        ++begin;
    while (end > begin && IsTrimmed(s[end - 1]))
        --end;
    return s.substr(begin, end - begin);
}

bool StartsWith(const std::string& s, const std::string& prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

bool EndsWith(const std::string& s, const std::string& suffix) {
    return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

template <class Transform> std::string TransformLines(const std::string& text, Transform transform) {
    std::string out;
    for (const std::string& line : SplitTextLines(text)) {
        out += transform(line);
        out += "\r\n";
    }
    return out;
}

} // namespace

std::vector<std::string> SplitTextLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            lines.push_back(std::move(line));
            line.clear();
        } else {
            line.push_back(c);
        }
    }
    if (!line.empty()) lines.push_back(std::move(line));
    return lines;
}

std::string QuoteLine(const std::string& line) {
    return "'" + line + " '+";
}

std::string UnquoteLine(const std::string& line) {
    std::string s = Trim(line);
    if (s.size() <= 1) return s;
    bool cut = false;
    for (const char* head : {"+'", "+ '", "+  '"}) {
        if (StartsWith(s, head)) {
            s.erase(0, std::string(head).size());
            cut = true;
            break;
        }
    }
    if (!cut && StartsWith(s, "'")) s.erase(0, 1);
    cut = false;
    for (const char* tail : {"'+", "' +", "'  +"}) {
        if (EndsWith(s, tail)) {
            s.erase(s.size() - std::string(tail).size());
            cut = true;
            break;
        }
    }
    if (!cut && EndsWith(s, "'")) s.pop_back();
    return Trim(s);
}

std::string QuoteLines(const std::string& text) {
    return TransformLines(text, QuoteLine);
}

std::string UnquoteLines(const std::string& text) {
    return TransformLines(text, UnquoteLine);
}

} // namespace varnok
