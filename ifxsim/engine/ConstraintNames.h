#pragma once
// Names of the constraints a failed statement broke, for the texts of -525
// and -530: SQLite reports a check by its expression and a broken reference
// by nothing, Informix names the constraint as the catalog lists it.
#include <string>
#include <vector>

#include "engine/StatementTokenizer.h"

struct sqlite3;

namespace ifxsim {

// The check constraint whose text SQLite quoted in "CHECK constraint failed:
// <detail>" (a table the statement names is preferred); `detail` when the
// catalog lists none.
std::string checkConstraintName(sqlite3* db, const std::string& detail, const std::vector<Token>& tokens);

// The referential constraint an INSERT, UPDATE or DELETE of the statement's
// table can have broken: the table's own references for INSERT and UPDATE,
// those pointing at it for DELETE (and UPDATE when it has none of its own).
// Empty when the catalog lists none.
std::string referenceConstraintName(sqlite3* db, const std::vector<Token>& tokens);

}  // namespace ifxsim
