#pragma once
// Bounds how deep parentheses, brackets and collection braces may nest in a
// statement. The translators and SQLite walk nested expressions recursively,
// so a pasted text of thousands of "(" would otherwise exhaust the stack of
// the process that loads the library.
#include <cstddef>
#include <optional>
#include <vector>

#include "engine/StatementTokenizer.h"

namespace ifxsim {

// Deeper nesting than any hand-written statement needs; SQLite's parser stops
// a little below it anyway ("parser stack overflow"), and the translators'
// recursion stays far from the end of even a small thread stack.
inline constexpr int kMaxStatementNesting = 100;

// The offset of the first opening mark beyond the limit, if there is one.
std::optional<std::size_t> tooDeeplyNested(const std::vector<Token>& tokens, int limit = kMaxStatementNesting);

}  // namespace ifxsim
