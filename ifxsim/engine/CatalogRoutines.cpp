#include "engine/CatalogRoutines.h"

#include <sqlite3.h>

#include "engine/CatalogDb.h"
#include "engine/CatalogTypes.h"
#include "engine/TypeDecl.h"

namespace ifxsim::catalog {

namespace {

using I = std::int64_t;

// SPL is language 2 in sysroutinelangs (0 built-in, 1 C, 3 Java).
constexpr I kLanguageSpl = 2;

Bound textOrNull(const std::string& s) { return s.empty() ? Bound{} : Bound{s}; }

// Bytes a list of declared types takes (retsize, datasize); unknown types count nothing.
I storageOf(const std::vector<std::string>& types) {
    I bytes = 0;
    for (const std::string& text : types)
        if (auto type = parseTypeDecl(text)) bytes += columnStorageSize(*type);
    return bytes;
}

int insertPieces(sqlite3* db, const char* table, const char* idColumn, I id, const char* key, const std::string& text,
                 I& seqno) {
    int rc = SQLITE_OK;
    for (const std::string& piece : textPieces(text, kBodyPieceWidth)) {
        if (rc != SQLITE_OK) break;
        rc = run(db, std::string("INSERT INTO ") + table + " (" + idColumn + ", datakey, seqno, data) VALUES (?, ?, ?, ?)",
                 {id, std::string(key), seqno++, piece});
    }
    return rc;
}

}  // namespace

bool isAnsiDatabase(sqlite3* db) { return (scalar(db, "PRAGMA user_version") & 0xff) == 3; }

std::vector<RoutineRef> findRoutines(sqlite3* db, const QualifiedName& name, const std::optional<std::string>& paramTypes,
                                     bool functionOnly) {
    std::string sql = "SELECT procid, isproc FROM sysprocedures WHERE procname = ?";
    std::vector<Bound> args{name.name};
    if (!name.owner.empty()) {
        sql += " AND owner = ?";
        args.emplace_back(name.owner);
    }
    if (paramTypes) {
        sql += " AND coalesce(paramtypes, '') = ?";
        args.emplace_back(*paramTypes);
    }
    if (functionOnly) sql += " AND isproc = 'f'";
    std::vector<RoutineRef> out;
    run(db, sql + " ORDER BY procid", args, [&](sqlite3_stmt* s) {
        out.push_back(RoutineRef{sqlite3_column_int64(s, 0), text(s, 1) == "f"});
    });
    return out;
}

DdlOutcome createRoutine(sqlite3* db, const std::string& user, const RoutineDecl& r) {
    const std::string owner = r.name.owner.empty() ? user : r.name.owner;
    const std::string paramTypes = r.paramTypes();
    // Routines may share a name; never a name and its parameter types.
    QualifiedName anyOwner{std::string(), r.name.name, r.name.offset};
    if (!findRoutines(db, anyOwner, paramTypes, false).empty()) {
        if (r.ifNotExists) return {};
        return DdlOutcome::fail(ddlerr::kRoutineExists, r.name.name, r.name.offset);
    }
    if (!r.specificName.empty() &&
        scalar(db, "SELECT count(*) FROM sysprocedures WHERE specificname = ?", {r.specificName}) > 0)
        return DdlOutcome::fail(ddlerr::kObjectExists, r.specificName);
    const I procid = std::max<I>(scalar(db, "SELECT max(procid) FROM sysprocedures", {}, 0), 0) + 1;
    std::vector<std::string> paramTypeList;
    I symbols = 0;
    for (const RoutineParam& p : r.params) {
        paramTypeList.push_back(p.type);
        symbols += static_cast<I>(p.name.size()) + 1;
    }
    // The sizes describe the compiled form Informix keeps; here they are
    // derived from the declaration: return values, parameters, names, body text.
    int rc = run(db,
                 "INSERT INTO sysprocedures (procname, owner, procid, mode, retsize, symsize, datasize, codesize, "
                 "numargs, isproc, specificname, externalname, paramstyle, langid, paramtypes, variant, client, "
                 "handlesnulls, iterator, percallcost, internal, parallelizable, selconst) "
                 "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, NULL, 'I', ?, ?, ?, 'f', ?, ?, 0, 'f', 'f', 0)",
                 {r.name.name, owner, procid, std::string(r.dba ? "D" : "O"), storageOf(r.returns), symbols,
                  storageOf(paramTypeList), static_cast<I>(r.bodyBytes), static_cast<I>(r.params.size()),
                  std::string(r.function ? "f" : "t"), textOrNull(r.specificName), kLanguageSpl, paramTypes,
                  std::string(r.notVariant ? "f" : "t"), std::string(r.handlesNulls ? "t" : "f"),
                  std::string(r.iterator ? "t" : "f")});
    I seqno = 1;
    if (rc == SQLITE_OK) rc = insertPieces(db, "sysprocbody", "procid", procid, "T", r.text, seqno);
    seqno = 1;
    for (const std::string& doc : r.documents)
        if (rc == SQLITE_OK) rc = insertPieces(db, "sysprocbody", "procid", procid, "D", doc, seqno);
    if (rc == SQLITE_OK && !r.returns.empty()) {
        std::string list;
        for (const std::string& type : r.returns) list += (list.empty() ? "" : ",") + type;
        seqno = 1;
        rc = insertPieces(db, "sysprocbody", "procid", procid, "R", list, seqno);
    }
    // The owner's right to run it (and grant it) is implied and has no row;
    // in a database that is not ANSI everyone may run it.
    if (rc == SQLITE_OK && !isAnsiDatabase(db))
        rc = run(db, "INSERT INTO sysprocauth (grantor, grantee, procid, procauth) VALUES (?, 'public', ?, 'e')",
                 {owner, procid});
    return rc == SQLITE_OK ? DdlOutcome{} : DdlOutcome::sqliteFailure(rc);
}

DdlOutcome dropRoutine(sqlite3* db, const RoutineDrop& d) {
    const auto found = findRoutines(db, d.name, d.paramTypes, d.functionOnly);
    // Without a signature the name must say which routine it is.
    if (found.empty() || (found.size() > 1 && !d.paramTypes)) {
        if (found.empty() && d.ifExists) return {};
        return DdlOutcome::fail(ddlerr::kRoutineUnresolved, d.name.name, d.name.offset);
    }
    int rc = SQLITE_OK;
    for (const char* table : {"sysprocedures", "sysprocbody", "sysprocauth"})
        if (rc == SQLITE_OK) rc = run(db, std::string("DELETE FROM ") + table + " WHERE procid = ?", {found[0].procid});
    return rc == SQLITE_OK ? DdlOutcome{} : DdlOutcome::sqliteFailure(rc);
}

DdlOutcome createTrigger(sqlite3* db, const std::string& user, const TriggerDecl& d) {
    const bool insteadOf = d.event >= 'a' && d.event <= 'z';
    std::string sql = "SELECT tabid FROM systables WHERE tabname = ? AND tabid >= 100 AND tabtype = ?";
    std::vector<Bound> args{d.table.name, std::string(insteadOf ? "V" : "T")};
    if (!d.table.owner.empty()) {
        sql += " AND owner = ?";
        args.emplace_back(d.table.owner);
    }
    const I tabid = scalar(db, sql, args, 0);
    if (!tabid) return DdlOutcome::fail(ddlerr::kNoTable, d.table.name, d.table.offset);
    for (const std::string& column : d.columns)
        if (scalar(db, "SELECT count(*) FROM syscolumns WHERE tabid = ? AND colname = ?", {tabid, column}) == 0)
            return DdlOutcome::fail(ddlerr::kNoColumn, column, d.columnsOffset);
    const std::string owner = d.name.owner.empty() ? user : d.name.owner;
    if (scalar(db, "SELECT count(*) FROM systriggers WHERE trigname = ?", {d.name.name}) > 0) {
        if (d.ifNotExists) return {};
        return DdlOutcome::fail(ddlerr::kObjectExists, d.name.name, d.name.offset);
    }
    const I trigid = std::max<I>(scalar(db, "SELECT max(trigid) FROM systriggers", {}, 0), 0) + 1;
    // mode is reserved: Informix leaves it empty.
    int rc = run(db,
                 "INSERT INTO systriggers (trigid, trigname, owner, tabid, event, old, new) VALUES (?, ?, ?, ?, ?, ?, ?)",
                 {trigid, d.name.name, owner, tabid, std::string(1, d.event), textOrNull(d.oldName), textOrNull(d.newName)});
    I seqno = 0;
    if (rc == SQLITE_OK) rc = insertPieces(db, "systrigbody", "trigid", trigid, "D", d.header, seqno);
    seqno = 0;
    if (rc == SQLITE_OK) rc = insertPieces(db, "systrigbody", "trigid", trigid, "A", d.action, seqno);
    if (rc == SQLITE_OK)
        rc = run(db, "INSERT INTO sysobjstate (objtype, owner, name, tabid, state) VALUES ('T', ?, ?, ?, ?)",
                 {owner, d.name.name, tabid, std::string(d.disabled ? "D" : "E")});
    return rc == SQLITE_OK ? DdlOutcome{} : DdlOutcome::sqliteFailure(rc);
}

DdlOutcome dropTrigger(sqlite3* db, const TriggerDrop& d) {
    std::string sql = "SELECT trigid, tabid FROM systriggers WHERE trigname = ?";
    std::vector<Bound> args{d.name.name};
    if (!d.name.owner.empty()) {
        sql += " AND owner = ?";
        args.emplace_back(d.name.owner);
    }
    I trigid = 0, tabid = 0;
    run(db, sql, args, [&](sqlite3_stmt* s) {
        trigid = sqlite3_column_int64(s, 0);
        tabid = sqlite3_column_int64(s, 1);
    });
    if (!trigid) return d.ifExists ? DdlOutcome{} : DdlOutcome::fail(ddlerr::kObjectMissing, d.name.name, d.name.offset);
    int rc = run(db, "DELETE FROM systrigbody WHERE trigid = ?", {trigid});
    if (rc == SQLITE_OK) rc = run(db, "DELETE FROM systriggers WHERE trigid = ?", {trigid});
    if (rc == SQLITE_OK)
        rc = run(db, "DELETE FROM sysobjstate WHERE objtype = 'T' AND name = ? AND tabid = ?", {d.name.name, tabid});
    return rc == SQLITE_OK ? DdlOutcome{} : DdlOutcome::sqliteFailure(rc);
}

int dropOrphanedTriggers(sqlite3* db) {
    const std::string gone = "SELECT trigid FROM systriggers WHERE tabid NOT IN (SELECT tabid FROM systables)";
    int rc = run(db, "DELETE FROM systrigbody WHERE trigid IN (" + gone + ")");
    if (rc == SQLITE_OK)
        rc = run(db, "DELETE FROM sysobjstate WHERE objtype = 'T' AND tabid NOT IN (SELECT tabid FROM systables)");
    if (rc == SQLITE_OK) rc = run(db, "DELETE FROM systriggers WHERE trigid IN (" + gone + ")");
    return rc;
}

}  // namespace ifxsim::catalog
