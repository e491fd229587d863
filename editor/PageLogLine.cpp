#include "editor/PageLogLine.h"

namespace varnok {

namespace {

// Byte length of the first `count` UTF-8 characters of s.
size_t PrefixBytes(const std::string& s, size_t count) {
    size_t i = 0;
    for (size_t chars = 0; i < s.size() && chars < count; ++chars) {
        ++i;
        while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;  // continuation bytes
    }
    return i;
}

}  // namespace

std::string FormatPageLogLine(const std::string& duration, const std::string& message,
                              const std::string& statement) {
    return duration + "\t" + message + "\t" + statement.substr(0, PrefixBytes(statement, kPageLogStatementChars));
}

}  // namespace varnok
