// PREPARE: classify, translate, compile on SQLite, describe, estimate.
#include <sqlite3.h>

#include "engine/Connection.h"
#include "engine/DatabaseStatement.h"
#include "engine/Errors.h"
#include "engine/Interrupt.h"
#include "engine/Statement.h"
#include "engine/StatementCatalog.h"
#include "engine/StatementErrors.h"
#include "engine/StatementNesting.h"
#include "engine/StatementTemporal.h"
#include "engine/ValuesFunctions.h"
#include "ifxesqlc.h"

namespace ifxsim {

namespace {

bool isDatabaseVerb(int type) {
    switch (type) {
    case kStmtDatabase: case kStmtCreateDatabase: case kStmtDropDatabase: case kStmtCloseDatabase:
    case kStmtBeginWork: case kStmtCommitWork: case kStmtRollbackWork:
        return true;
    default:
        return false;
    }
}

// Statements a single-user SQLite store has nothing to do for: permissions,
// locking and isolation, optimizer and session settings, table checks.
bool isAccepted(int type) {
    switch (type) {
    case kStmtLock: case kStmtUnlock: case kStmtGrant: case kStmtRevoke: case kStmtCheckTable:
    case kStmtRepairTable: case kStmtRecoverTable: case kStmtStartDatabase: case kStmtRollforward:
    case kStmtSetLockMode: case kStmtAlterIndex: case kStmtSetIsolation: case kStmtSetLog:
    case kStmtSetExplain: case kStmtSetOptimization: case kStmtSetConstraints: case kStmtSetDebugFile:
    case kStmtRoutineStatistics: case kStmtSetDataskip: case kStmtSetPdqPriority: case kStmtSetObjectMode:
    case kStmtStartViolations: case kStmtStopViolations: case kStmtSetSession: case kStmtSetSessionAuthorization:
    case kStmtSetTableHigh: case kStmtSetExtentSize: case kStmtCreateRole: case kStmtDropRole: case kStmtSetRole:
    case kStmtSetDbPassword: case kStmtSetResident: case kStmtSetScheduleLevel: case kStmtSetEnvironment:
    case kStmtSetStatementCache: case kStmtCheckIndex: case kStmtDebug:
        return true;
    default:
        return false;
    }
}

bool runsOnSqlite(int type) {
    switch (type) {
    case kStmtSelect: case kStmtSelectIntoTemp: case kStmtUpdate: case kStmtDelete: case kStmtInsert:
    case kStmtCreateTable: case kStmtDropTable: case kStmtCreateIndex: case kStmtDropIndex:
    case kStmtRenameTable: case kStmtRenameColumn: case kStmtAlterTable: case kStmtUpdateStatistics:
    case kStmtDeleteAll: case kStmtUpdateAll: case kStmtCreateView: case kStmtDropView:
    case kStmtCreateSynonym: case kStmtDropSynonym: case kStmtCreateTempTable: case kStmtDropTrigger:
    case kStmtTruncate: case kStmtSavepoint: case kStmtReleaseSavepoint: case kStmtRollbackToSavepoint:
        return true;
    default:
        return false;
    }
}

bool hasEstimate(int type) {
    switch (type) {
    case kStmtSelect: case kStmtSelectIntoTemp: case kStmtUpdate: case kStmtDelete: case kStmtInsert:
    case kStmtDeleteAll: case kStmtUpdateAll:
        return true;
    default:
        return false;
    }
}

std::size_t topLevelInto(const std::vector<Token>& t) {
    int depth = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i].isSymbol("(")) ++depth;
        else if (t[i].isSymbol(")")) --depth;
        else if (depth == 0 && t[i].is("INTO")) return i;
    }
    return t.size();
}

}  // namespace

int compilePlan(const RequestGuard& guard, const StatementPlan& plan, StmtPtr& out) {
    out.reset();
    if (!plan.translated) return 0;
    sqlite3* db = guard.connection().db();
    if (!db) return SetError(err::kNoDatabase);
    ensureValueFunctions(db);  // the normalising triggers of DATE/DATETIME/INTERVAL columns call them
    sqlite3_stmt* raw = nullptr;
    const int rc = sqlite3_prepare_v2(db, plan.translated->sql.c_str(), -1, &raw, nullptr);
    out.reset(raw);
    if (rc != SQLITE_OK) {
        out.reset();
        return reportSqliteError(db, rc, guard, StatementPhase::Prepare, plan.tokens, &*plan.translated);
    }
    return 0;
}

PreparedResult prepareStatement(RequestGuard* guard, const std::string& text) {
    PreparedResult r;
    auto plan = std::make_shared<StatementPlan>();
    plan->text = text;
    std::optional<TokenizeError> tokenError;
    plan->tokens = StatementTokenizer::tokenize(text, &tokenError);
    if (tokenError) {
        r.error = SetError(tokenError->sqlcode, {}, 0, static_cast<int>(tokenError->offset));
        return r;
    }
    if (const auto deep = tooDeeplyNested(plan->tokens)) {
        r.error = SetError(-201, {}, 0, static_cast<int>(*deep));
        return r;
    }
    // The script executor sends statements with their terminating ';'.
    while (!plan->tokens.empty() && plan->tokens.back().isSymbol(";")) plan->tokens.pop_back();
    if (plan->tokens.empty()) {
        r.error = SetError(-201, {}, 0, static_cast<int>(text.size()));
        return r;
    }
    plan->cls = classifyStatement(plan->tokens);
    for (const Token& t : plan->tokens) {
        // One statement per PREPARE; a routine's body is one statement with its own ';'.
        if (t.isSymbol(";") && plan->cls.type != kStmtCreateRoutine) {
            r.error = SetError(-201, {}, 0, static_cast<int>(t.offset));
            return r;
        }
    }
    const int type = plan->cls.type;
    if (type == kStmtUnknownWords) {
        r.error = SetError(-201, {}, 0, static_cast<int>(plan->tokens[0].offset));
        return r;
    }
    if (isDatabaseVerb(type)) {
        plan->text = text.substr(0, plan->tokens.back().end());
        const DatabaseStatementParse parsed = ParseDatabaseStatement(plan->text);
        if (parsed.error || !parsed.statement) {
            r.error = SetError(parsed.error ? parsed.error : -201, {}, 0, parsed.errorOffset);
            return r;
        }
        plan->execution = Execution::DatabaseVerb;
        r.plan = std::move(plan);
        return r;
    }
    if (!guard || !guard->ok()) {
        r.error = LastSqlCode() ? LastSqlCode() : SetError(err::kNoSuchConnection);
        return r;
    }
    Connection& connection = guard->connection();
    plan->connection = &connection;
    if (isCatalogStatementType(type)) {
        if (int rc = checkCatalogStatement(*plan); rc < 0) {
            r.error = rc;
            return r;
        }
        plan->execution = Execution::Catalog;
        r.plan = std::move(plan);
        return r;
    }
    if (isAccepted(type)) {
        plan->execution = Execution::Accepted;
        r.plan = std::move(plan);
        return r;
    }
    if (type == kStmtExecuteRoutine) {
        // Routines are kept in the catalog but never run here.
        r.error = executeRoutineError(connection.db(), *plan);
        return r;
    }
    if (!runsOnSqlite(type)) {
        // Routines, triggers, types, sequences, MERGE…: not served by this engine.
        r.error = SetError(-201, {}, 0, static_cast<int>(plan->tokens[0].offset));
        return r;
    }
    sqlite3* db = connection.db();
    if (!db) {
        r.error = SetError(err::kNoDatabase);
        return r;
    }
    const translate::TypingDatabase typing(db);  // operand types for DATE/DATETIME/INTERVAL arithmetic
    if (type == kStmtSelectIntoTemp) {
        // The SELECT part runs as a query; its columns type the new temporary table.
        const std::size_t into = topLevelInto(plan->tokens);
        if (into + 2 >= plan->tokens.size()) {
            r.error = SetError(-201, {}, 0, static_cast<int>(text.size()));
            return r;
        }
        plan->tempTable = foldName(plan->tokens[into + 2]);
        std::vector<Token> select(plan->tokens.begin(), plan->tokens.begin() + static_cast<long>(into));
        StatementClass selectClass;
        selectClass.type = kStmtSelect;
        plan->execution = Execution::SelectIntoTemp;
        TranslateResult translated = translateStatement(text, select, selectClass);
        if (translated.error) {
            r.error = SetError(translated.error->code, translated.error->errm, 0,
                               static_cast<int>(translated.error->offset));
            return r;
        }
        plan->translated = std::move(translated.statement);
    } else {
        TranslateResult translated = translateStatement(text, plan->tokens, plan->cls);
        if (translated.error) {
            r.error = SetError(translated.error->code, translated.error->errm, 0,
                               static_cast<int>(translated.error->offset));
            return r;
        }
        plan->translated = std::move(translated.statement);
    }
    // ALTER TABLE may become several SQLite statements; they are checked as they run.
    if (type != kStmtAlterTable) {
        if (int rc = compilePlan(*guard, *plan, r.stmt); rc < 0) {
            r.error = rc;
            return r;
        }
    }
    if (r.stmt) {
        plan->paramCount = sqlite3_bind_parameter_count(r.stmt.get());
        if (sqlite3_column_count(r.stmt.get()) > 0) {
            auto columns = describeColumns(db, r.stmt.get(), plan->tokens, plan->translated->rowidColumn ? 1 : 0);
            if (type == kStmtSelectIntoTemp) plan->tempColumns = std::move(columns);
            else if (isCursorStatementType(type)) plan->columns = std::move(columns);
        }
    }
    if (hasEstimate(type) && plan->translated) {
        const std::string whole = (type == kStmtDeleteAll || type == kStmtUpdateAll) ? plan->cls.object : std::string();
        plan->estimate = estimateStatement(db, plan->translated->sql, plan->tokens, whole);
    }
    if (type == kStmtInsert && !plan->cls.object.empty()) plan->serials = serialColumns(db, toLowerAscii(plan->cls.object));
    sqlca_s& ca = ThreadSqlca();
    ca.sqlerrd[0] = plan->estimate.rows;
    ca.sqlerrd[3] = plan->estimate.cost;
    if (type == kStmtDeleteAll || type == kStmtUpdateAll) SetWarning(4);
    r.plan = std::move(plan);
    return r;
}

std::string joinPieces(const char** pieces) {
    std::string text;
    for (; pieces && *pieces; ++pieces) text += *pieces;
    return text;
}

}  // namespace ifxsim
