// EXECUTE: running a prepared statement that needs no cursor.
#include <sqlite3.h>

#include <cstdlib>
#include <optional>

#include "engine/Catalog.h"
#include "engine/CheckTypes.h"
#include "engine/CollectionFunctions.h"
#include "engine/Connection.h"
#include "engine/DatabaseStatement.h"
#include "engine/Errors.h"
#include "engine/Interrupt.h"
#include "engine/RowIdWatch.h"
#include "engine/SchemaDropConstraints.h"
#include "engine/Statement.h"
#include "engine/StatementCatalog.h"
#include "engine/StatementErrors.h"
#include "engine/Values.h"
#include "engine/ValuesFunctions.h"

namespace ifxsim {

namespace {

StatementPhase phaseOf(int type) {
    switch (type) {
    case kStmtInsert: return StatementPhase::Insert;
    case kStmtUpdate: case kStmtUpdateAll: return StatementPhase::Update;
    case kStmtDelete: case kStmtDeleteAll: case kStmtTruncate: return StatementPhase::Delete;
    case kStmtSelect: case kStmtSelectIntoTemp: return StatementPhase::Select;
    default: return StatementPhase::Other;
    }
}

std::string ident(const std::string& name) {
    std::string q = "\"";
    for (char c : name) {
        if (c == '"') q += '"';
        q += c;
    }
    return q + "\"";
}

// SET LOCK MODE TO WAIT [n] | NOT WAIT
void applyLockMode(Connection& connection, const std::vector<Token>& t) {
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i].is("NOT") && i + 1 < t.size() && t[i + 1].is("WAIT")) {
            connection.setLockWait(0);
            return;
        }
        if (t[i].is("WAIT")) {
            const bool seconds = i + 1 < t.size() && t[i + 1].kind == TokenKind::Number;
            connection.setLockWait(seconds ? std::atoi(t[i + 1].text.c_str()) : -1);
            return;
        }
    }
}

int bindCell(sqlite3_stmt* s, int index, const CellValue& c) {
    switch (c.storage) {
    case SQLITE_INTEGER: return sqlite3_bind_int64(s, index, c.integer);
    case SQLITE_FLOAT: return sqlite3_bind_double(s, index, c.real);
    case SQLITE_TEXT:
        return sqlite3_bind_text(s, index, c.bytes.data(), static_cast<int>(c.bytes.size()), SQLITE_TRANSIENT);
    case SQLITE_BLOB:
        return sqlite3_bind_blob(s, index, c.bytes.data(), static_cast<int>(c.bytes.size()), SQLITE_TRANSIENT);
    default: return sqlite3_bind_null(s, index);
    }
}

// SELECT … INTO TEMP t: the table gets the Informix types of the select list.
int runIntoTemp(RequestGuard& guard, const StatementPlan& plan, sqlite3_stmt* select) {
    sqlite3* db = guard.connection().db();
    std::string create = "CREATE TEMP TABLE " + ident(plan.tempTable) + " (";
    std::string insert = "INSERT INTO temp." + ident(plan.tempTable) + " VALUES (";
    for (std::size_t i = 0; i < plan.tempColumns.size(); ++i) {
        const ColumnInfo& c = plan.tempColumns[i];
        std::string name = c.name;
        if (name.empty() || name[0] == '(') name = "expr" + std::to_string(i + 1);
        create += (i ? ", " : "") + ident(name) + " " + sqlQuote(c.type.text);
        insert += i ? ", ?" : "?";
    }
    create += ")";
    insert += ")";
    if (int rc = sqlite3_exec(db, create.c_str(), nullptr, nullptr, nullptr); rc != SQLITE_OK)
        return reportSqliteError(db, rc, guard, StatementPhase::Other, plan.tokens, nullptr);
    sqlite3_stmt* raw = nullptr;
    if (int rc = sqlite3_prepare_v2(db, insert.c_str(), -1, &raw, nullptr); rc != SQLITE_OK) {
        sqlite3_finalize(raw);
        return reportSqliteError(db, rc, guard, StatementPhase::Insert, plan.tokens, nullptr);
    }
    StmtPtr ins(raw);
    int rows = 0;
    const int n = sqlite3_column_count(select);
    for (;;) {
        const int rc = sqlite3_step(select);
        if (rc == SQLITE_DONE) break;
        if (rc != SQLITE_ROW)
            return reportSqliteError(db, rc, guard, StatementPhase::Select, plan.tokens, &*plan.translated);
        sqlite3_reset(ins.get());
        for (int i = 0; i < n; ++i) bindCell(ins.get(), i + 1, readCell(select, i));
        if (int irc = sqlite3_step(ins.get()); irc != SQLITE_DONE)
            return reportSqliteError(db, irc, guard, StatementPhase::Insert, plan.tokens, nullptr);
        ++rows;
    }
    ThreadSqlca().sqlerrd[2] = rows;
    if (rows == 0 && guard.connection().isAnsi()) ThreadSqlca().sqlcode = SQLNOTFOUND;
    return ThreadSqlca().sqlcode;
}

// A statement with result columns run by EXECUTE: exactly one row expected.
int runSingleton(RequestGuard& guard, const StatementPlan& plan, sqlite3_stmt* stmt, ifx_sqlvar_t* output,
                 int outputCount) {
    sqlite3* db = guard.connection().db();
    int rc = sqlite3_step(stmt);
    if (rc == SQLITE_DONE) {
        ThreadSqlca().sqlcode = SQLNOTFOUND;
        return SQLNOTFOUND;
    }
    if (rc != SQLITE_ROW) return reportSqliteError(db, rc, guard, StatementPhase::Select, plan.tokens, &*plan.translated);
    const int n = std::min<int>(outputCount, static_cast<int>(plan.columns.size()));
    for (int i = 0; i < n && output; ++i) {
        if (int err = writeOutput(readCell(stmt, i), plan.columns[static_cast<std::size_t>(i)], output[i]); err < 0)
            return SetError(err);
    }
    if (outputCount != static_cast<int>(plan.columns.size())) SetWarning(3);
    if (plan.translated && plan.translated->rowidColumn) {  // the row id rides last (see TranslatedStatement)
        const CellValue rowid = readCell(stmt, sqlite3_column_count(stmt) - 1);
        if (rowid.storage == SQLITE_INTEGER) ThreadSqlca().sqlerrd[5] = static_cast<int4>(rowid.integer);
    }
    rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW) return SetError(-284);
    if (rc != SQLITE_DONE) return reportSqliteError(db, rc, guard, StatementPhase::Select, plan.tokens, &*plan.translated);
    ThreadSqlca().sqlerrd[2] = 1;
    return 0;
}

}  // namespace

int bindInputs(sqlite3_stmt* stmt, const Inputs& inputs) {
    const int markers = sqlite3_bind_parameter_count(stmt);
    if (inputs.count != markers && !(markers == 0 && inputs.count <= 0)) return SetError(-254);
    for (int i = 0; i < markers; ++i) {
        if (int err = bindInput(stmt, i + 1, inputs.vars[i]); err < 0) return SetError(err);
    }
    return 0;
}

int runStatement(RequestGuard* guard, const StatementPlan& plan, sqlite3_stmt* stmt, const Inputs& inputs,
                 ifx_sqlvar_t* output, int outputCount) {
    if (plan.execution == Execution::DatabaseVerb) {
        const DatabaseStatementParse parsed = ParseDatabaseStatement(plan.text);
        if (!parsed.statement) return SetError(parsed.error ? parsed.error : -201, {}, 0, parsed.errorOffset);
        return RunDatabaseStatement(*parsed.statement);
    }
    if (!guard || !guard->ok()) return LastSqlCode() ? LastSqlCode() : SetError(err::kNoSuchConnection);
    Connection& connection = guard->connection();
    if (plan.connection && plan.connection != &connection) return SetError(-404);
    if (plan.execution == Execution::Accepted) {
        if (plan.cls.type == kStmtSetLockMode) applyLockMode(connection, plan.tokens);
        return 0;
    }
    sqlite3* db = connection.db();
    if (!db) return SetError(err::kNoDatabase);
    if (int rc = connection.beginImplicitTransaction(); rc < 0) return rc;
    if (plan.execution == Execution::Catalog) return runCatalogStatement(*guard, plan);
    const int type = plan.cls.type;
    ensureValueFunctions(db);
    if (!stmt) {
        // ALTER TABLE: one or more SQLite statements run in turn.
        if (!plan.translated) return SetError(-201);
        // DROP CONSTRAINT first: an unknown name fails the statement before anything changes.
        if (const DdlOutcome dropped = dropNamedConstraints(db, plan.text); !dropped.ok()) {
            if (dropped.code) return SetError(dropped.code, dropped.errm, 0, dropped.offset);
            return reportSqliteError(db, dropped.sqlite, *guard, StatementPhase::Other, plan.tokens, nullptr);
        }
        const int rc = sqlite3_exec(db, plan.translated->sql.c_str(), nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK) return reportSqliteError(db, rc, *guard, StatementPhase::Other, plan.tokens, &*plan.translated);
        // Collection and row columns it added store their values converted, as CREATE TABLE's do.
        if (int nrc = installCollectionNormalizers(db, toLowerAscii(plan.cls.object)); nrc != SQLITE_OK)
            return reportSqliteError(db, nrc, *guard, StatementPhase::Other, plan.tokens, nullptr);
        // The catalog follows the ALTER TABLE that just succeeded.
        if (int crc = catalogAfterStatement(db, connection.user(), type, plan.text); crc != SQLITE_OK) return reportSqliteError(db, crc, *guard, StatementPhase::Other, plan.tokens, nullptr);
        return 0;
    }
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    struct ResetOnExit {
        sqlite3_stmt* s;
        ~ResetOnExit() { sqlite3_reset(s); }
    } resetOnExit{stmt};
    if (int rc = bindInputs(stmt, inputs); rc < 0) return rc;
    if (plan.execution == Execution::SelectIntoTemp) return runIntoTemp(*guard, plan, stmt);
    if (plan.returnsRows()) return runSingleton(*guard, plan, stmt, output, outputCount);
    int rc;
    const bool changesRows = type == kStmtUpdate || type == kStmtUpdateAll || type == kStmtDelete || type == kStmtDeleteAll;
    std::optional<RowIdWatch> rowIds;  // sqlerrd[5]: the row id of the last row updated or deleted
    if (changesRows)
        rowIds.emplace(db, plan.cls.object,
                       type == kStmtUpdate || type == kStmtUpdateAll ? SQLITE_UPDATE : SQLITE_DELETE);
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        if (guard->stopRequested()) return guard->failInterrupted();
    }
    if (rc != SQLITE_DONE) return reportSqliteError(db, rc, *guard, phaseOf(type), plan.tokens, &*plan.translated);
    sqlca_s& ca = ThreadSqlca();
    if (rowIds && rowIds->last()) ca.sqlerrd[5] = static_cast<int4>(*rowIds->last());
    rowIds.reset();
    switch (type) {
    case kStmtInsert: case kStmtUpdate: case kStmtDelete: case kStmtUpdateAll: case kStmtDeleteAll:
    case kStmtTruncate: {
        const int rows = sqlite3_changes(db);
        ca.sqlerrd[2] = rows;
        if (type == kStmtInsert && rows > 0) {
            const std::int64_t rowid = sqlite3_last_insert_rowid(db);
            ca.sqlerrd[5] = static_cast<int4>(rowid);
            if (!plan.serials.empty()) {
                const auto serials = readSerials(db, toLowerAscii(plan.cls.object), plan.serials, rowid);
                if (serials.serial) ca.sqlerrd[1] = *serials.serial;
                if (serials.serial8) setLastSerial8(*serials.serial8);
            }
        }
        // NOT FOUND for a searched change that touched nothing: ANSI databases only.
        if (rows == 0 && connection.isAnsi() && (type == kStmtUpdate || type == kStmtDelete || type == kStmtInsert))
            ca.sqlcode = SQLNOTFOUND;
        break;
    }
    case kStmtCreateTable: case kStmtCreateTempTable:
        if (plan.translated) {
            const TranslatedStatement& created = *plan.translated;
            rc = installSerials(db, created.table, created.serials, created.temporary);
            if (rc == SQLITE_OK) rc = installNormalizers(db, created.table, created.normalized, created.temporary);
            if (rc == SQLITE_OK) rc = installCollectionNormalizers(db, created.table, created.temporary);
            if (rc == SQLITE_OK) rc = typeCheckConstraints(db, created.table);
            if (rc != SQLITE_OK) return reportSqliteError(db, rc, *guard, StatementPhase::Other, plan.tokens, nullptr);
        }
        break;
    case kStmtDropTable:
        if (plan.translated) dropSerials(db, plan.translated->table);
        break;
    default:
        break;
    }
    // The catalog follows the DDL (and UPDATE STATISTICS) that just succeeded.
    if (int crc = catalogAfterStatement(db, connection.user(), type, plan.text); crc != SQLITE_OK) return reportSqliteError(db, crc, *guard, StatementPhase::Other, plan.tokens, nullptr);
    return ca.sqlcode;
}

}  // namespace ifxsim
