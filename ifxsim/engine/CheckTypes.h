#pragma once
// CHECK constraints over DATE, DATETIME, INTERVAL, DECIMAL and MONEY columns.
// SQLite evaluates a CHECK before the normalising triggers have brought a
// value to its stored form, so a date written as '06/01/2008' would be
// compared as text. The table's stored definition is rewritten so that such
// columns (and the quoted literals compared with them) go through the same
// conversions the stored values went through: ifx_date(x),
// ifx_datetime(x, q), ifx_interval(x, q), CAST(x AS REAL).
#include <string>
#include <string_view>

struct sqlite3;

namespace ifxsim {

// Rewrites the CHECK constraints of `table` in place (nothing when none of
// them reads such a column). Returns SQLITE_OK or SQLite's error.
int typeCheckConstraints(sqlite3* db, const std::string& table);

// The rewritten definition, for `definition` (a CREATE TABLE text) whose
// columns have the declared types of `table` in `db`.
std::string typedCheckDefinition(sqlite3* db, const std::string& table, const std::string& definition);

// A CHECK text as SQLite reports it with those conversions taken out again,
// so it can be matched with the text the user wrote.
std::string untypedCheckText(std::string_view text);

}  // namespace ifxsim
