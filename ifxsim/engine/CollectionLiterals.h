#pragma once
// Collection and row constructors in statements: SET{…}, MULTISET{…},
// LIST{…} and ROW(…) become calls of ifx_set, ifx_multiset, ifx_list and
// ifx_row (see CollectionValues.h), which build the value's Informix text.
// Token for token, so positions and counts of the other tokens stay put.
#include <cstddef>
#include <optional>
#include <vector>

#include "engine/StatementTokenizer.h"
#include "engine/TypeDecl.h"

namespace ifxsim {

// `x [NOT] IN column` (no parenthesis after IN) asks whether x is an element of
// the column's collection: it becomes IN over ifx_elements(column).
// `out` receives the rewritten tokens; false when `tokens` hold no constructor.
// ROW( after AS or :: is a type (a cast's target) and stays.
bool rewriteCollectionConstructors(const std::vector<Token>& tokens, std::vector<Token>& out);

// The type of the expression tokens[begin, end) when it is a collection or row
// value: a constructor (SET{…} … ROW(…), 2048 bytes like a collection column)
// or a cast to such a type (x::LIST(…), CAST(x AS SET(…))).
std::optional<IfxType> complexExpressionType(const std::vector<Token>& tokens, std::size_t begin, std::size_t end);

}  // namespace ifxsim
