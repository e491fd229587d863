#include "engine/Classify.h"

#include <cstddef>
#include <utility>

namespace ifxsim {

namespace {

using Tokens = std::vector<Token>;

bool wordAt(const Tokens& t, std::size_t i, std::string_view kw) { return i < t.size() && t[i].is(kw); }

// Reads `[database[@server]:][owner.]object` starting at `i`; returns the index
// of the object's own token, or -1 when no name starts there.
int qualifiedNameEnd(const Tokens& t, std::size_t i) {
    auto isNamePart = [&](std::size_t k) {
        return k < t.size() && (t[k].kind == TokenKind::Word || t[k].kind == TokenKind::String);
    };
    if (!isNamePart(i)) return -1;
    std::size_t k = i;
    if (k + 2 < t.size() && t[k + 1].isSymbol("@") && isNamePart(k + 2)) k += 2;  // database@server
    if (k + 2 < t.size() && t[k + 1].isSymbol(":") && isNamePart(k + 2)) k += 2;  // database:
    if (k + 2 < t.size() && t[k + 1].isSymbol(".") && isNamePart(k + 2)) k += 2;  // owner.
    return static_cast<int>(k);
}

StatementClass withObject(int type, const Tokens& t, std::size_t nameStart) {
    StatementClass c;
    c.type = type;
    c.objectToken = qualifiedNameEnd(t, nameStart);
    if (c.objectToken >= 0) c.object = t[static_cast<std::size_t>(c.objectToken)].text;
    return c;
}

StatementClass plain(int type) {
    StatementClass c;
    c.type = type;
    return c;
}

// Finds `kw` outside parentheses from `from` on; returns its index or npos.
std::size_t findTopLevel(const Tokens& t, std::size_t from, std::string_view kw) {
    int depth = 0;
    for (std::size_t i = from; i < t.size(); ++i) {
        if (t[i].isSymbol("(")) ++depth;
        else if (t[i].isSymbol(")")) --depth;
        else if (depth == 0 && t[i].is(kw)) return i;
    }
    return std::string_view::npos;
}

StatementClass classifySelect(const Tokens& t) {
    const std::size_t into = findTopLevel(t, 0, "INTO");
    if (into != std::string_view::npos) {
        if (wordAt(t, into + 1, "TEMP") || wordAt(t, into + 1, "SCRATCH"))
            return withObject(kStmtSelectIntoTemp, t, into + 2);
        if (wordAt(t, into + 1, "EXTERNAL")) return withObject(kStmtSelectIntoExternal, t, into + 2);
    }
    return plain(kStmtSelect);
}

// UPDATE/DELETE: with WHERE CURRENT OF, with WHERE, or the whole table.
StatementClass classifyChange(const Tokens& t, std::size_t nameStart, int withWhere, int current, int all) {
    StatementClass c = withObject(all, t, nameStart);
    const std::size_t where = findTopLevel(t, nameStart, "WHERE");
    if (where != std::string_view::npos)
        c.type = (wordAt(t, where + 1, "CURRENT") && wordAt(t, where + 2, "OF")) ? current : withWhere;
    return c;
}

StatementClass classifyCreate(const Tokens& t) {
    std::size_t i = 1;
    if (wordAt(t, i, "OR") && wordAt(t, i + 1, "REPLACE")) i += 2;
    if (wordAt(t, i, "DATABASE")) return withObject(kStmtCreateDatabase, t, i + 1);
    // Table kinds: TEMP/SCRATCH make a temporary table, RAW/STANDARD/EXTERNAL an ordinary one.
    if (wordAt(t, i, "TEMP") || wordAt(t, i, "SCRATCH")) {
        if (wordAt(t, i + 1, "TABLE")) {
            std::size_t n = i + 2;
            if (wordAt(t, n, "IF") && wordAt(t, n + 1, "NOT") && wordAt(t, n + 2, "EXISTS")) n += 3;
            return withObject(kStmtCreateTempTable, t, n);
        }
    }
    if (wordAt(t, i, "RAW") || wordAt(t, i, "STANDARD") || wordAt(t, i, "EXTERNAL")) ++i;
    if (wordAt(t, i, "TABLE")) {
        std::size_t n = i + 1;
        if (wordAt(t, n, "IF") && wordAt(t, n + 1, "NOT") && wordAt(t, n + 2, "EXISTS")) n += 3;
        return withObject(kStmtCreateTable, t, n);
    }
    std::size_t k = i;
    while (wordAt(t, k, "UNIQUE") || wordAt(t, k, "DISTINCT") || wordAt(t, k, "CLUSTER")) ++k;
    if (wordAt(t, k, "INDEX")) return withObject(kStmtCreateIndex, t, k + 1);
    if (k != i) return plain(kStmtUnknownWords);
    if (wordAt(t, i, "DBA")) ++i;  // CREATE DBA PROCEDURE
    if (wordAt(t, i, "PROCEDURE") || wordAt(t, i, "FUNCTION") || wordAt(t, i, "ROUTINE"))
        return withObject(kStmtCreateRoutine, t, i + 1);
    if (wordAt(t, i, "VIEW")) return withObject(kStmtCreateView, t, i + 1);
    if (wordAt(t, i, "PUBLIC") || wordAt(t, i, "PRIVATE")) ++i;
    if (wordAt(t, i, "SYNONYM")) return withObject(kStmtCreateSynonym, t, i + 1);
    if (wordAt(t, i, "SCHEMA")) return plain(kStmtCreateSchema);
    if (wordAt(t, i, "TRIGGER")) return withObject(kStmtCreateTrigger, t, i + 1);
    if (wordAt(t, i, "ROLE")) return withObject(kStmtCreateRole, t, i + 1);
    if (wordAt(t, i, "AUDIT")) return plain(kStmtCreateAudit);
    if (wordAt(t, i, "DOMAIN")) return plain(kStmtCreateDomain);
    if (wordAt(t, i, "ROW") && wordAt(t, i + 1, "TYPE")) return plain(kStmtCreateRowType);
    if (wordAt(t, i, "DISTINCT") && wordAt(t, i + 1, "TYPE")) return plain(kStmtCreateDistinctType);
    if (wordAt(t, i, "OPAQUE") && wordAt(t, i + 1, "TYPE")) return plain(kStmtCreateOpaqueType);
    if (wordAt(t, i, "IMPLICIT") || wordAt(t, i, "EXPLICIT")) ++i;
    if (wordAt(t, i, "CAST")) return plain(kStmtCreateCast);
    if (wordAt(t, i, "SECONDARY") || wordAt(t, i, "PRIMARY")) ++i;
    if (wordAt(t, i, "ACCESS_METHOD")) return plain(kStmtCreateAccessMethod);
    if (wordAt(t, i, "OPCLASS")) return plain(kStmtCreateOpclass);
    if (wordAt(t, i, "AGGREGATE")) return plain(kStmtCreateAggregate);
    if (wordAt(t, i, "SEQUENCE")) return withObject(kStmtCreateSequence, t, i + 1);
    return plain(kStmtUnknownWords);
}

StatementClass classifyDrop(const Tokens& t) {
    std::size_t i = 1;
    auto nameAfter = [&](std::size_t k) {
        if (wordAt(t, k, "IF") && wordAt(t, k + 1, "EXISTS")) k += 2;
        return k;
    };
    static const std::pair<const char*, int> simple[] = {
        {"DATABASE", kStmtDropDatabase}, {"TABLE", kStmtDropTable}, {"INDEX", kStmtDropIndex},
        {"VIEW", kStmtDropView}, {"SYNONYM", kStmtDropSynonym}, {"PROCEDURE", kStmtDropRoutine},
        {"FUNCTION", kStmtDropRoutine}, {"ROUTINE", kStmtDropRoutine}, {"TRIGGER", kStmtDropTrigger},
        {"ROLE", kStmtDropRole}, {"AUDIT", kStmtDropAudit}, {"DOMAIN", kStmtDropDomain},
        {"CAST", kStmtDropCast}, {"TYPE", kStmtDropType}, {"ACCESS_METHOD", kStmtDropAccessMethod},
        {"OPCLASS", kStmtDropOpclass}, {"AGGREGATE", kStmtDropAggregate}, {"SEQUENCE", kStmtDropSequence},
    };
    if (wordAt(t, i, "ROW") && wordAt(t, i + 1, "TYPE")) return plain(kStmtDropRowType);
    for (const auto& [kw, type] : simple)
        if (wordAt(t, i, kw)) return withObject(type, t, nameAfter(i + 1));
    return plain(kStmtUnknownWords);
}

StatementClass classifyAlter(const Tokens& t) {
    if (wordAt(t, 1, "TABLE")) return withObject(kStmtAlterTable, t, 2);
    if (wordAt(t, 1, "INDEX")) return withObject(kStmtAlterIndex, t, 2);
    if (wordAt(t, 1, "FRAGMENT")) return plain(kStmtAlterFragment);
    if (wordAt(t, 1, "PROCEDURE") || wordAt(t, 1, "FUNCTION") || wordAt(t, 1, "ROUTINE"))
        return plain(kStmtAlterRoutine);
    if (wordAt(t, 1, "ACCESS_METHOD")) return plain(kStmtAlterAccessMethod);
    if (wordAt(t, 1, "SEQUENCE")) return withObject(kStmtAlterSequence, t, 2);
    return plain(kStmtUnknownWords);
}

StatementClass classifySet(const Tokens& t) {
    if (wordAt(t, 1, "LOCK") && wordAt(t, 2, "MODE")) return plain(kStmtSetLockMode);
    if (wordAt(t, 1, "ISOLATION") || wordAt(t, 1, "TRANSACTION")) return plain(kStmtSetIsolation);
    if (wordAt(t, 1, "LOG") || (wordAt(t, 1, "BUFFERED") && wordAt(t, 2, "LOG"))) return plain(kStmtSetLog);
    if (wordAt(t, 1, "EXPLAIN")) return plain(kStmtSetExplain);
    if (wordAt(t, 1, "OPTIMIZATION")) return plain(kStmtSetOptimization);
    if (wordAt(t, 1, "DEBUG") && wordAt(t, 2, "FILE")) return plain(kStmtSetDebugFile);
    if (wordAt(t, 1, "DATASKIP")) return plain(kStmtSetDataskip);
    if (wordAt(t, 1, "PDQPRIORITY")) return plain(kStmtSetPdqPriority);
    if (wordAt(t, 1, "SESSION") && wordAt(t, 2, "AUTHORIZATION")) return plain(kStmtSetSessionAuthorization);
    if (wordAt(t, 1, "SESSION")) return plain(kStmtSetSession);
    if (wordAt(t, 1, "ROLE")) return plain(kStmtSetRole);
    if (wordAt(t, 1, "ENCRYPTION") || wordAt(t, 1, "DBPASSWORD")) return plain(kStmtSetDbPassword);
    if (wordAt(t, 1, "ENVIRONMENT")) return plain(kStmtSetEnvironment);
    if (wordAt(t, 1, "STATEMENT") && wordAt(t, 2, "CACHE")) return plain(kStmtSetStatementCache);
    if (wordAt(t, 1, "SCHEDULE")) return plain(kStmtSetScheduleLevel);
    if (wordAt(t, 1, "TABLE")) {
        const std::size_t memory = findTopLevel(t, 2, "MEMORY_RESIDENT");
        const std::size_t nonres = findTopLevel(t, 2, "NON_RESIDENT");
        if (memory != std::string_view::npos || nonres != std::string_view::npos) return plain(kStmtSetResident);
        return plain(kStmtSetTableHigh);
    }
    if (wordAt(t, 1, "EXTENT") && wordAt(t, 2, "SIZE")) return plain(kStmtSetExtentSize);
    if (wordAt(t, 1, "CONSTRAINTS")) {
        // SET CONSTRAINTS … IMMEDIATE|DEFERRED is the checking mode; ENABLED/DISABLED/FILTERING the object mode.
        if (findTopLevel(t, 2, "IMMEDIATE") != std::string_view::npos ||
            findTopLevel(t, 2, "DEFERRED") != std::string_view::npos)
            return plain(kStmtSetConstraints);
        return plain(kStmtSetObjectMode);
    }
    if (wordAt(t, 1, "INDEXES") || wordAt(t, 1, "TRIGGERS") || wordAt(t, 1, "INDEX") || wordAt(t, 1, "TRIGGER"))
        return plain(kStmtSetObjectMode);
    return plain(kStmtUnknownWords);
}

StatementClass classifyRename(const Tokens& t) {
    if (wordAt(t, 1, "TABLE")) return withObject(kStmtRenameTable, t, 2);
    if (wordAt(t, 1, "COLUMN")) return withObject(kStmtRenameColumn, t, 2);
    if (wordAt(t, 1, "DATABASE")) return withObject(kStmtRenameDatabase, t, 2);
    if (wordAt(t, 1, "INDEX")) return withObject(kStmtRenameIndex, t, 2);
    if (wordAt(t, 1, "SEQUENCE")) return withObject(kStmtRenameSequence, t, 2);
    return plain(kStmtUnknownWords);
}

}  // namespace

StatementClass classifyStatement(const std::vector<Token>& t) {
    if (t.empty()) return plain(kStmtUnknownWords);
    const Token& first = t[0];
    if (first.isSymbol("(")) return classifySelect(t);  // (SELECT …) UNION …
    if (first.kind != TokenKind::Word) return plain(kStmtUnknownWords);
    if (first.is("SELECT") || first.is("WITH")) return classifySelect(t);
    if (first.is("INSERT")) {
        std::size_t i = 1;
        if (wordAt(t, i, "INTO")) ++i;
        return withObject(kStmtInsert, t, i);
    }
    if (first.is("UPDATE")) {
        if (wordAt(t, 1, "STATISTICS")) {
            const bool routines = findTopLevel(t, 2, "PROCEDURE") != std::string_view::npos ||
                                  findTopLevel(t, 2, "FUNCTION") != std::string_view::npos ||
                                  findTopLevel(t, 2, "ROUTINE") != std::string_view::npos;
            return plain(routines ? kStmtRoutineStatistics : kStmtUpdateStatistics);
        }
        return classifyChange(t, 1, kStmtUpdate, kStmtUpdateCurrent, kStmtUpdateAll);
    }
    if (first.is("DELETE")) {
        std::size_t i = 1;
        if (wordAt(t, i, "FROM")) ++i;
        return classifyChange(t, i, kStmtDelete, kStmtDeleteCurrent, kStmtDeleteAll);
    }
    if (first.is("CREATE")) return classifyCreate(t);
    if (first.is("DROP")) return classifyDrop(t);
    if (first.is("ALTER")) return classifyAlter(t);
    if (first.is("SET")) return classifySet(t);
    if (first.is("RENAME")) return classifyRename(t);
    if (first.is("DATABASE")) return withObject(kStmtDatabase, t, 1);
    if (first.is("CLOSE") && wordAt(t, 1, "DATABASE")) return plain(kStmtCloseDatabase);
    if (first.is("BEGIN")) return plain(kStmtBeginWork);
    if (first.is("COMMIT")) return plain(kStmtCommitWork);
    if (first.is("ROLLBACK")) {
        const std::size_t to = findTopLevel(t, 1, "TO");
        return plain(to != std::string_view::npos ? kStmtRollbackToSavepoint : kStmtRollbackWork);
    }
    if (first.is("SAVEPOINT")) return plain(kStmtSavepoint);
    if (first.is("RELEASE") && wordAt(t, 1, "SAVEPOINT")) return plain(kStmtReleaseSavepoint);
    if (first.is("EXECUTE") && (wordAt(t, 1, "PROCEDURE") || wordAt(t, 1, "FUNCTION") || wordAt(t, 1, "ROUTINE")))
        return withObject(kStmtExecuteRoutine, t, 2);
    if (first.is("GRANT")) return plain(kStmtGrant);
    if (first.is("REVOKE")) return plain(kStmtRevoke);
    if (first.is("LOCK") && wordAt(t, 1, "TABLE")) return withObject(kStmtLock, t, 2);
    if (first.is("UNLOCK") && wordAt(t, 1, "TABLE")) return withObject(kStmtUnlock, t, 2);
    if (first.is("LOAD")) return plain(kStmtLoad);
    if (first.is("START")) {
        if (wordAt(t, 1, "DATABASE")) return plain(kStmtStartDatabase);
        if (wordAt(t, 1, "VIOLATIONS")) return plain(kStmtStartViolations);
        if (wordAt(t, 1, "AUDIT")) return plain(kStmtStartAudit);
    }
    if (first.is("STOP")) {
        if (wordAt(t, 1, "VIOLATIONS")) return plain(kStmtStopViolations);
        if (wordAt(t, 1, "AUDIT")) return plain(kStmtStopAudit);
    }
    if (first.is("ROLLFORWARD")) return plain(kStmtRollforward);
    if (first.is("RECOVER") && wordAt(t, 1, "TABLE")) return plain(kStmtRecoverTable);
    if (first.is("CHECK") && wordAt(t, 1, "TABLE")) return plain(kStmtCheckTable);
    if (first.is("CHECK") && wordAt(t, 1, "INDEX")) return plain(kStmtCheckIndex);
    if (first.is("REPAIR") && wordAt(t, 1, "TABLE")) return plain(kStmtRepairTable);
    if (first.is("TRUNCATE")) return withObject(kStmtTruncate, t, wordAt(t, 1, "TABLE") ? 2 : 1);
    if (first.is("MERGE")) return plain(kStmtMerge);
    if (first.is("DEBUG")) return plain(kStmtDebug);
    return plain(kStmtUnknownWords);
}

StatementClass classifyStatement(std::string_view sql) {
    std::optional<TokenizeError> error;
    const auto tokens = StatementTokenizer::tokenize(sql, &error);
    if (error) return plain(kStmtUnknownWords);
    return classifyStatement(tokens);
}

}  // namespace ifxsim
