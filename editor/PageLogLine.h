#pragma once
// One line of a page log: duration, a tab, the result or error text, a tab,
// and the first 80 characters of the statement.
#include <string>

namespace varnok {

inline constexpr size_t kPageLogStatementChars = 80;

// Texts are UTF-8; the statement is cut after 80 characters (not bytes), so
// a letter is never split in half.
std::string FormatPageLogLine(const std::string& duration, const std::string& message,
                              const std::string& statement);

}  // namespace varnok
