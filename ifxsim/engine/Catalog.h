#pragma once
// The system catalog's entry for the statement path: after a DDL statement
// succeeded, the catalog is brought in step with it.
#include <string>
#include <string_view>

struct sqlite3;

namespace ifxsim {

// Call after statement `type` (its text as written) succeeded in `db`.
// Returns SQLITE_OK or SQLite's error, which fails the statement.
int catalogAfterStatement(sqlite3* db, const std::string& user, int type, std::string_view text);

// Creates the catalog of a database that has none; registers its SQL functions.
int catalogOnOpen(sqlite3* db, const std::string& user);

}  // namespace ifxsim
