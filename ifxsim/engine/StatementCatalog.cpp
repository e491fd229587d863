#include "engine/StatementCatalog.h"

#include <sqlite3.h>

#include "engine/CatalogDb.h"
#include "engine/CatalogPrivileges.h"
#include "engine/CatalogRoutines.h"
#include "engine/Connection.h"
#include "engine/Errors.h"
#include "engine/Interrupt.h"
#include "engine/StatementErrors.h"

namespace ifxsim {

namespace {

// Parses the statement and, with `db`, applies it to the catalog.
DdlOutcome parseAndApply(const StatementPlan& plan, sqlite3* db, const std::string& user) {
    const auto& t = plan.tokens;
    DdlOutcome error;
    switch (plan.cls.type) {
    case kStmtCreateRoutine: {
        auto r = parseCreateRoutine(plan.text, t, error);
        if (!r) return error;
        return db ? catalog::createRoutine(db, user, *r) : DdlOutcome{};
    }
    case kStmtDropRoutine: {
        auto r = parseDropRoutine(t, error);
        if (!r) return error;
        return db ? catalog::dropRoutine(db, *r) : DdlOutcome{};
    }
    case kStmtCreateTrigger: {
        auto r = parseCreateTrigger(plan.text, t, error);
        if (!r) return error;
        return db ? catalog::createTrigger(db, user, *r) : DdlOutcome{};
    }
    case kStmtDropTrigger: {
        auto r = parseDropTrigger(t, error);
        if (!r) return error;
        return db ? catalog::dropTrigger(db, *r) : DdlOutcome{};
    }
    case kStmtGrant: case kStmtRevoke: {
        auto r = parsePrivilegeStatement(t, error);
        if (!r) return error;
        return db ? catalog::applyPrivilegeStatement(db, user, *r) : DdlOutcome{};
    }
    case kStmtCreateRole: case kStmtDropRole: case kStmtSetRole: {
        auto r = parseRoleStatement(t, 2, error);
        if (!r) return error;
        if (!db) return {};
        if (plan.cls.type == kStmtCreateRole) return catalog::createRole(db, user, *r);
        if (plan.cls.type == kStmtDropRole) return catalog::dropRole(db, *r);
        return catalog::checkSetRole(db, user, *r);
    }
    default:
        return DdlOutcome::fail(ddlerr::kSyntax, {}, 0);
    }
}

}  // namespace

bool isCatalogStatementType(int type) {
    switch (type) {
    case kStmtCreateRoutine: case kStmtDropRoutine: case kStmtCreateTrigger: case kStmtDropTrigger:
    case kStmtGrant: case kStmtRevoke: case kStmtCreateRole: case kStmtDropRole: case kStmtSetRole:
        return true;
    default:
        return false;
    }
}

int checkCatalogStatement(const StatementPlan& plan) {
    const DdlOutcome o = parseAndApply(plan, nullptr, {});
    return o.ok() ? 0 : SetError(o.code, o.errm, 0, o.offset);
}

int runCatalogStatement(RequestGuard& guard, const StatementPlan& plan) {
    sqlite3* db = guard.connection().db();
    if (!db) return SetError(err::kNoDatabase);
    if (int rc = catalog::run(db, "SAVEPOINT ifxsim_catalog_ddl"); rc != SQLITE_OK)
        return reportSqliteError(db, rc, guard, StatementPhase::Other, plan.tokens, nullptr);
    const DdlOutcome o = parseAndApply(plan, db, guard.connection().user());
    if (o.ok()) {
        if (int rc = catalog::run(db, "RELEASE ifxsim_catalog_ddl"); rc != SQLITE_OK)
            return reportSqliteError(db, rc, guard, StatementPhase::Other, plan.tokens, nullptr);
        return 0;
    }
    int result;
    if (o.sqlite != SQLITE_OK) result = reportSqliteError(db, o.sqlite, guard, StatementPhase::Other, plan.tokens, nullptr);
    else result = SetError(o.code, o.errm, 0, o.offset);
    catalog::run(db, "ROLLBACK TO ifxsim_catalog_ddl");
    catalog::run(db, "RELEASE ifxsim_catalog_ddl");
    return result;
}

int executeRoutineError(sqlite3* db, const StatementPlan& plan) {
    DdlOutcome error;
    const auto name = parseExecuteRoutine(plan.tokens, error);
    if (!name) return SetError(error.code, error.errm, 0, error.offset);
    const bool function = plan.tokens.size() > 1 && plan.tokens[1].is("FUNCTION");
    const bool known = db && !catalog::findRoutines(db, *name, std::nullopt, function).empty();
    return SetError(known ? ddlerr::kRoutineNotRunnable : ddlerr::kRoutineUnresolved, name->name, 0, name->offset);
}

}  // namespace ifxsim
