#pragma once
// Catalog rows of stored routines (sysprocedures, sysprocbody, sysprocauth)
// and triggers (systriggers, systrigbody, sysobjstate) written by CREATE and
// removed by DROP. The routines are described, not compiled: nothing here
// runs them.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/DdlOutcome.h"
#include "engine/RoutineText.h"

struct sqlite3;

namespace ifxsim::catalog {

// Width of the text pieces of sysprocbody.data and systrigbody.data.
constexpr std::size_t kBodyPieceWidth = 256;

DdlOutcome createRoutine(sqlite3* db, const std::string& user, const RoutineDecl& routine);
DdlOutcome dropRoutine(sqlite3* db, const RoutineDrop& drop);
DdlOutcome createTrigger(sqlite3* db, const std::string& user, const TriggerDecl& trigger);
DdlOutcome dropTrigger(sqlite3* db, const TriggerDrop& drop);

struct RoutineRef {
    std::int64_t procid = 0;
    bool function = false;
};

// Routines named `name` (of `owner` when given), with exactly the parameter
// types `paramTypes` when given; functions only when `functionOnly`.
std::vector<RoutineRef> findRoutines(sqlite3* db, const QualifiedName& name, const std::optional<std::string>& paramTypes,
                                     bool functionOnly);

// Triggers whose table is gone (DROP TABLE drops its triggers) lose their rows.
int dropOrphanedTriggers(sqlite3* db);

// True when the database is ANSI-compliant (no default privileges for public).
bool isAnsiDatabase(sqlite3* db);

}  // namespace ifxsim::catalog
