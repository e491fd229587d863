#pragma once
// The fragmentation clause of CREATE TABLE (FRAGMENT BY / PARTITION BY
// EXPRESSION or ROUND ROBIN), which SQLite has no use for but sysfragments
// lists: one row per fragment, in evaluation order.
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace ifxsim::catalog {

struct DeclaredFragment {
    char strategy = 0;       // E expression, R round robin
    std::string expression;  // E: the condition as written, or "remainder"
    std::string dbspace;
    std::string partition;   // PARTITION name, else the dbspace
};

// The fragments of one CREATE TABLE statement; empty when it has no such clause.
std::vector<DeclaredFragment> declaredFragments(std::string_view createTable);

// sysfragments rows (fragtype T) of table `tabid`. Returns SQLITE_OK or SQLite's error.
int writeFragments(sqlite3* db, long long tabid, const std::vector<DeclaredFragment>& fragments);

}  // namespace ifxsim::catalog
