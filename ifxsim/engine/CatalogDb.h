#pragma once
// Small SQLite helpers for the catalog code: running statements with bound
// values and reading rows, with the statement finalised on every path.
#include <sqlite3.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace ifxsim::catalog {

// A value to bind: NULL, integer, real or text.
using Bound = std::variant<std::monostate, std::int64_t, double, std::string>;

struct StmtFinalizer {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Stmt = std::unique_ptr<sqlite3_stmt, StmtFinalizer>;

// Runs `sql` with `args` bound in order; calls `row` for each result row.
// Returns SQLITE_OK or SQLite's error code.
int run(sqlite3* db, const std::string& sql, const std::vector<Bound>& args = {},
        const std::function<void(sqlite3_stmt*)>& row = {});

// Text of column `i` of the current row ("" for NULL).
std::string text(sqlite3_stmt* s, int i);

// The first column of the first row as an integer, `fallback` without a row.
std::int64_t scalar(sqlite3* db, const std::string& sql, const std::vector<Bound>& args = {},
                    std::int64_t fallback = 0);

// "name" quoted as an SQLite identifier.
std::string quoteIdent(const std::string& name);

}  // namespace ifxsim::catalog
