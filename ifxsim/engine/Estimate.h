#pragma once
// The optimizer's estimates that PREPARE reports: sqlerrd[0] (rows the
// statement returns or touches) and sqlerrd[3] (cost). They come from SQLite's
// query plan and the tables' sizes, so that a full scan of a large table costs
// more than an index lookup and a join multiplies its loops.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/StatementTokenizer.h"

struct sqlite3;

namespace ifxsim {

struct Estimate {
    std::int32_t rows = 0;
    std::int32_t cost = 0;
};

// `sql` is the SQLite text of the statement; `tokens` the original statement's
// tokens (to resolve table aliases the plan names); `wholeTable` the table a
// DELETE/UPDATE without WHERE works on (its plan may be empty).
Estimate estimateStatement(sqlite3* db, const std::string& sql, const std::vector<Token>& tokens,
                           const std::string& wholeTable = {});

// Rows of a table: the statistics when ANALYZE ran, else the highest row id.
std::int64_t estimatedTableRows(sqlite3* db, const std::string& table);

}  // namespace ifxsim
