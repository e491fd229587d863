#pragma once
// DESCRIBE: the Informix type, length, name and NOT NULL flag of each result
// column of a prepared statement. Table columns are typed from their declared
// Informix type; expressions are typed the way the server types them
// (count(*) INTEGER, sum/avg and arithmetic DECIMAL, TODAY DATE, …) and named
// "(count(*))", "(sum)", "(expression)", "(constant)" unless they have an alias.
#include <string>
#include <vector>

#include "engine/StatementTokenizer.h"
#include "engine/TypeDecl.h"
#include "ifxesqlc.h"

struct sqlite3;
struct sqlite3_stmt;

namespace ifxsim {

struct ColumnInfo {
    std::string name;
    IfxType type;
    bool notNull = false;
    int sqltype() const { return type.code | (notNull ? SQLNONULL : 0); }
};

// Columns of `stmt` (prepared from the translation of the statement whose
// original tokens are `tokens`), less `hidden` trailing columns the
// translation added for itself.
std::vector<ColumnInfo> describeColumns(sqlite3* db, sqlite3_stmt* stmt, const std::vector<Token>& tokens,
                                        int hidden = 0);

// One malloc'ed block holding the sqlda, its sqlvars and the names, so that
// SqlFreeMem(p, SQLDA_FREE) (a plain free) releases all of it.
ifx_sqlda_t* allocateSqlda(const std::vector<ColumnInfo>& columns);

}  // namespace ifxsim
