#pragma once
// The DATABASE family and the transaction verbs as statement text:
//   DATABASE name [EXCLUSIVE]
//   CREATE DATABASE name [IN dbspace] [WITH LOG | WITH BUFFERED LOG | WITH LOG MODE ANSI]
//   CLOSE DATABASE
//   DROP DATABASE name
//   BEGIN [WORK] [WITHOUT REPLICATION], COMMIT [WORK], ROLLBACK [WORK]
// The statement side classifies a statement, then hands it here to run.
#include <optional>
#include <string>
#include <string_view>

#include "engine/Connection.h"

namespace ifxsim {

struct DatabaseStatement {
    enum class Kind { Database, CreateDatabase, CloseDatabase, DropDatabase, BeginWork, CommitWork, RollbackWork };
    Kind kind = Kind::Database;
    std::string name;          // the database named (as written; normalised when run)
    LogMode mode = LogMode::None;
    bool exclusive = false;
};

struct DatabaseStatementParse {
    std::optional<DatabaseStatement> statement;  // set when the text is one of the family
    int error = 0;        // -201 when it starts like one but is malformed
    int errorOffset = 0;  // byte offset of the offending word
};

// Recognises the family by its leading words; anything else gives neither a
// statement nor an error.
DatabaseStatementParse ParseDatabaseStatement(std::string_view sql);

// Runs a parsed statement on the calling thread's current connection, under a
// request guard of its own (guards nest). DATABASE and CREATE DATABASE
// without a connection first connect implicitly to INFORMIXSERVER, as the
// DATABASE statement does. It is the whole request: sqlca starts afresh.
// Returns 0 or the error stored in sqlca.
int RunDatabaseStatement(const DatabaseStatement& statement);

}  // namespace ifxsim
