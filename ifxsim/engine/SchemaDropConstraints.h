#pragma once
// ALTER TABLE … DROP CONSTRAINT name | (name, …) for every constraint the
// catalog lists for the table. SQLite has no such statement, so the table's
// stored definition loses the clause: edited in place for NOT NULL, CHECK and
// FOREIGN KEY (no stored row changes), rebuilt (rows, indexes and triggers
// kept) for a primary or unique key, whose index lives in the table's file.
// A key added by ALTER TABLE is a unique index of its own and is dropped as
// one. Dropping a key drops the references to it, as Informix does.
#include <string_view>

#include "engine/DdlOutcome.h"

struct sqlite3;

namespace ifxsim {

// Drops the constraints named by the DROP CONSTRAINT clauses of `alterTable`
// (nothing when it has none), before the rest of the statement runs. Fails,
// changing nothing, with -206 for an unknown table and -623 for a name the
// table's constraints do not have. The catalog follows at the statement's end.
DdlOutcome dropNamedConstraints(sqlite3* db, std::string_view alterTable);

}  // namespace ifxsim
