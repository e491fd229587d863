#pragma once
// Collection and row types: SET(t NOT NULL), MULTISET(t NOT NULL),
// LIST(t NOT NULL) and unnamed ROW(field t, …) as column types, and the
// sysxtdtypes rows Informix keeps for them (one row per distinct unnamed
// type, mode 'C', extended ids from 2048).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/StatementTokenizer.h"
#include "engine/TypeDecl.h"

struct sqlite3;

namespace ifxsim {

// The rest of a complex type after its keyword: tokens[k - 1] is SET,
// MULTISET, LIST or ROW and tokens[k] should open its parentheses. On success
// `k` moves past the closing parenthesis.
std::optional<IfxType> parseComplexType(const std::vector<Token>& tokens, std::size_t& k);

// syscolumns.collength of a collection: the most a client reads of its text.
constexpr int kCollectionLength = 2048;

namespace catalog {

// syscolumns.extended_id of a column of `type`: its built-in id, or for a
// collection or row type the id of its sysxtdtypes row (added when the
// database has none for that type yet).
std::int64_t extendedIdOf(sqlite3* db, const std::string& owner, const IfxType& type);

// Removes the sysxtdtypes rows of unnamed types no column uses any longer.
int pruneUnnamedTypes(sqlite3* db);

}  // namespace catalog

}  // namespace ifxsim
