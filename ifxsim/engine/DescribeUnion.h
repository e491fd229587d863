#pragma once
// DESCRIBE of a UNION: Informix gives each result column the widest CHAR
// length over the branches, and NOT NULL only when every branch is, so a
// longer text in a later branch ("synonym" after "view") is not cut.
#include <vector>

#include "engine/Describe.h"
#include "engine/StatementTokenizer.h"

struct sqlite3;

namespace ifxsim {

// The branches after the first of a top-level UNION / UNION ALL, each from its
// SELECT up to the next top-level UNION (ORDER BY left with the last one).
std::vector<std::vector<Token>> laterUnionBranches(const std::vector<Token>& tokens);

// Widens `columns` (described from the first branch) over the later branches.
void widenOverUnion(sqlite3* db, const std::vector<Token>& tokens, std::vector<ColumnInfo>& columns);

}  // namespace ifxsim
