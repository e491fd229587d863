#pragma once
// SQLite's failures as the Informix errors a server gives for them: the SQL
// code, the name that fills the message's %s, the ISAM code and the offset of
// the offending word in the statement text.
#include <string>
#include <vector>

#include "engine/StatementTokenizer.h"
#include "engine/StatementTranslate.h"

struct sqlite3;

namespace ifxsim {

class RequestGuard;

enum class StatementPhase { Prepare, Select, Insert, Update, Delete, Other };

// Stores the Informix error for SQLite result `rc` on `db` in sqlca and
// returns its code. `original` and `tokens` are the statement as the caller
// wrote it, `translated` what SQLite ran (for offsets).
int reportSqliteError(sqlite3* db, int rc, const RequestGuard& guard, StatementPhase phase,
                      const std::vector<Token>& tokens, const TranslatedStatement* translated);

}  // namespace ifxsim
