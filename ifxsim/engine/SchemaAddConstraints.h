#pragma once
// ALTER TABLE … ADD CONSTRAINT for the constraints SQLite cannot add by
// itself: FOREIGN KEY and CHECK. They change no stored row, so the table's
// stored definition is extended in place (SQLite's documented way for such
// changes: edit sqlite_schema, bump the schema version, reload); a reference
// that existing rows break fails the statement.
#include <string_view>

struct sqlite3;

namespace ifxsim {

// Adds the FOREIGN KEY and CHECK constraints of `alterTable` to its table.
// Returns SQLITE_OK (also when it adds none) or SQLite's error.
int addReferencesAndChecks(sqlite3* db, std::string_view alterTable);

}  // namespace ifxsim
