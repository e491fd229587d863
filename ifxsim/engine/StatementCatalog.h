#pragma once
// Statements the server answers from the catalog alone: CREATE/DROP of stored
// routines and triggers, GRANT/REVOKE, CREATE/DROP ROLE and SET ROLE. PREPARE
// checks their syntax; EXECUTE writes their catalog rows as one unit.
#include "engine/Statement.h"

struct sqlite3;

namespace ifxsim {

class RequestGuard;

bool isCatalogStatementType(int type);

// PREPARE: 0, or the syntax error (stored in sqlca).
int checkCatalogStatement(const StatementPlan& plan);

// EXECUTE: 0, or the error stored in sqlca; a failure leaves no row behind.
int runCatalogStatement(RequestGuard& guard, const StatementPlan& plan);

// PREPARE of EXECUTE PROCEDURE/FUNCTION: the routine is unknown (-674) or
// known but not run by this server (-721); always an error stored in sqlca.
int executeRoutineError(sqlite3* db, const StatementPlan& plan);

}  // namespace ifxsim
