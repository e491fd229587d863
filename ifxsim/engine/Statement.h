#pragma once
// A prepared statement: the caller's text, its class (statement type), the
// SQLite text it became, its result columns and the optimizer's estimates.
// Preparing checks the statement against the database the way PREPARE does
// (syntax, tables, columns); running it does the work.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/Classify.h"
#include "engine/Describe.h"
#include "engine/Estimate.h"
#include "engine/StatementSerial.h"
#include "engine/StatementTranslate.h"
#include "ifxesqlc.h"

struct sqlite3;
struct sqlite3_stmt;

namespace ifxsim {

class Connection;
class RequestGuard;

struct StmtDeleter {
    void operator()(sqlite3_stmt* s) const;
};
using StmtPtr = std::unique_ptr<sqlite3_stmt, StmtDeleter>;

enum class Execution {
    DatabaseVerb,   // DATABASE family and BEGIN/COMMIT/ROLLBACK WORK: the server side runs them
    Accepted,       // statements with nothing to do here (GRANT, SET ISOLATION, LOCK TABLE…)
    Sql,            // runs on SQLite
    SelectIntoTemp, // SELECT … INTO TEMP t: a typed temporary table, then its rows
    Catalog,        // routines, triggers, privileges, roles: catalog rows only
};

struct StatementPlan {
    std::string text;
    std::vector<Token> tokens;
    StatementClass cls;
    Execution execution = Execution::Sql;
    std::optional<TranslatedStatement> translated;
    std::vector<ColumnInfo> columns;      // result columns (SELECT, EXECUTE PROCEDURE)
    std::vector<ColumnInfo> tempColumns;  // SELECT … INTO TEMP: the new table's columns
    std::string tempTable;
    int paramCount = 0;
    Estimate estimate;
    std::vector<SerialColumnOf> serials;  // INSERT: the target's serial columns
    Connection* connection = nullptr;     // where it was prepared (null for database verbs)

    bool returnsRows() const { return !columns.empty(); }
};

// Parameter values of one request: a descriptor's entries or a host array.
struct Inputs {
    const ifx_sqlvar_t* vars = nullptr;
    int count = 0;
    static Inputs of(const ifx_sqlda_t* da) {
        return da ? Inputs{da->sqlvar, da->sqld} : Inputs{};
    }
};

struct PreparedResult {
    std::shared_ptr<StatementPlan> plan;
    StmtPtr stmt;  // the compiled SQLite statement (Execution::Sql); may be null
    int error = 0;
};

// Prepares `text` on the guard's connection (or, for database verbs, without
// one). Errors are stored in sqlca and returned.
PreparedResult prepareStatement(RequestGuard* guard, const std::string& text);

// Compiles the plan's SQLite text anew (a cursor's own statement).
int compilePlan(const RequestGuard& guard, const StatementPlan& plan, StmtPtr& out);

// Binds `inputs` to `stmt`; -254 when the count does not match the markers.
int bindInputs(sqlite3_stmt* stmt, const Inputs& inputs);

// Runs a plan that does not go through a cursor (EXECUTE): rows processed
// in sqlerrd[2], the serial in sqlerrd[1], the row id in sqlerrd[5]. A
// statement returning rows delivers its single row into `output`.
int runStatement(RequestGuard* guard, const StatementPlan& plan, sqlite3_stmt* stmt, const Inputs& inputs,
                 ifx_sqlvar_t* output, int outputCount);

// Text of a NULL-terminated array of pieces (sqli_stmt / sqli_slct).
std::string joinPieces(const char** pieces);

}  // namespace ifxsim
