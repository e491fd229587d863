#include "engine/CatalogSync.h"

#include <sqlite3.h>

#include <algorithm>
#include <map>
#include <optional>

#include "engine/CatalogDb.h"
#include "engine/CatalogDeclared.h"
#include "engine/CatalogFragments.h"
#include "engine/CatalogSchema.h"
#include "engine/CatalogTypes.h"
#include "engine/CatalogViewColumns.h"
#include "engine/CollectionTypes.h"
#include "engine/SchemaAddConstraints.h"
#include "engine/Classify.h"
#include "engine/StatementTokenizer.h"
#include "engine/StatementTranslate.h"
#include "engine/TypeDecl.h"
#include "ifxesqlc.h"

namespace ifxsim::catalog {

namespace {

using I = std::int64_t;

struct SchemaObject {
    bool view = false;
    std::string name;
    I rootpage = 0;
    std::string sql;
    std::string signature;  // its SQL and its indexes' SQL: a change means "describe again"
    bool matched = false;
};

struct Column {
    std::string name;
    int colno = 0;
};

struct Constraint {  // one row of sysconstraints being built
    char type = 0;
    std::vector<std::string> columns;
    std::string name;
    std::string check;
    I constrid = 0;
    int refIndex = -1;  // R: its entry among the table's foreign keys
};

// Old constraint ids and names of a table described again, by type and columns.
using KeptNames = std::map<std::string, std::pair<I, std::string>>;

std::string keyOf(char type, const std::vector<std::string>& columns) {
    std::string key(1, type);
    for (const auto& c : columns) key += "," + c;
    return key;
}

int ensureState(sqlite3* db) {
    return sqlite3_exec(db, "CREATE TABLE IF NOT EXISTS ifxsim_catalog_state (tabid INTEGER PRIMARY KEY, signature TEXT);"
                   "CREATE TABLE IF NOT EXISTS ifxsim_catalog_keys (constrid INTEGER PRIMARY KEY, keytext TEXT);"
                   "CREATE TABLE IF NOT EXISTS ifxsim_catalog_clustered (idxname TEXT PRIMARY KEY);"
                   // Unique indexes that stand for keys added by ALTER TABLE … ADD CONSTRAINT (type P or U).
                   "CREATE TABLE IF NOT EXISTS ifxsim_catalog_addedkeys (idxname TEXT PRIMARY KEY, type TEXT)",
                        nullptr, nullptr, nullptr);
}

std::vector<SchemaObject> schemaObjects(sqlite3* db) {
    std::vector<SchemaObject> objects;
    run(db, "SELECT type, name, rootpage, sql, (SELECT group_concat(sql, ';') FROM (SELECT sql FROM sqlite_schema i "
            "WHERE i.type = 'index' AND i.tbl_name = o.name ORDER BY i.name)) FROM sqlite_schema o "
            "WHERE type IN ('table', 'view') ORDER BY rowid",
        {}, [&](sqlite3_stmt* s) {
            SchemaObject o{text(s, 0) == "view", text(s, 1), sqlite3_column_int64(s, 2), text(s, 3), {}, false};
            if (isHiddenOrCatalogName(o.name)) return;
            o.signature = o.sql + "|" + text(s, 4);
            objects.push_back(std::move(o));
        });
    return objects;
}

int deleteConstraintRows(sqlite3* db, I tabid) {
    int rc = SQLITE_OK;
    for (const char* t : {"sysreferences", "syschecks", "syscoldepend", "ifxsim_catalog_keys"}) {
        if (rc == SQLITE_OK)
            rc = run(db, std::string("DELETE FROM ") + t +
                             " WHERE constrid IN (SELECT constrid FROM sysconstraints WHERE tabid = ?)",
                     {tabid});
    }
    return rc;
}

// Rows that describe a table's shape (not its identity, privileges or texts).
int deleteShapeRows(sqlite3* db, I tabid) {
    int rc = deleteConstraintRows(db, tabid);
    for (const char* t : {"syscolumns", "sysindexes", "sysindices", "sysconstraints", "sysdefaults"}) {
        if (rc == SQLITE_OK) rc = run(db, std::string("DELETE FROM ") + t + " WHERE tabid = ?", {tabid});
    }
    // Trigger states stay: the triggers outlive a table's new shape (DROP removes them on its own).
    if (rc == SQLITE_OK) rc = run(db, "DELETE FROM sysobjstate WHERE tabid = ? AND objtype <> 'T'", {tabid});
    return rc;
}

int deleteObject(sqlite3* db, I tabid) {
    int rc = deleteShapeRows(db, tabid);
    for (const char* t : {"systables", "systabauth", "syscolauth", "sysviews", "syssyntable", "sysdistrib",
                          "sysfragments", "ifxsim_catalog_state"}) {
        if (rc == SQLITE_OK) rc = run(db, std::string("DELETE FROM ") + t + " WHERE tabid = ?", {tabid});
    }
    if (rc == SQLITE_OK) rc = run(db, "DELETE FROM sysdepend WHERE dtabid = ?1 OR btabid = ?1", {tabid});
    return rc;
}

// DEFAULT as SQLite keeps it → sysdefaults type letter and stored text.
std::pair<char, std::string> defaultOf(const std::string& value, const IfxType& type) {
    const std::string lower = toLowerAscii(value);
    if (lower == "null") return {'N', ""};
    if (lower.find("ifx_session_user") != std::string::npos) return {'U', ""};
    if (lower.find("ifx_server_name") != std::string::npos) return {'S', ""};
    if (lower.find("julianday") != std::string::npos) return {'T', ""};
    if (lower.find("strftime") != std::string::npos) return {'C', ""};
    std::string literal = value;
    if (literal.size() >= 2 && literal.front() == '\'' && literal.back() == '\'') {
        literal = literal.substr(1, literal.size() - 2);
        std::string unq;
        for (std::size_t i = 0; i < literal.size(); ++i) {
            unq += literal[i];
            if (literal[i] == '\'' && i + 1 < literal.size() && literal[i + 1] == '\'') ++i;
        }
        literal = unq;
    }
    // Character and BOOLEAN literals are stored as text; others carry their binary part first.
    if (type.isCharacter() || type.code == SQLBOOL) return {'L', literal};
    return {'L', literal + " " + literal};
}

class TableDescriber {
public:
    TableDescriber(sqlite3* db, const std::string& user, I tabid, const std::string& name)
        : db_(db), user_(user), tabid_(tabid), name_(name) {}

    int describe(bool view, const std::vector<DeclaredConstraint>& declared, const KeptNames& kept) {
        int rc = columns(view);
        if (rc != SQLITE_OK || view) return rc == SQLITE_OK ? totals() : rc;
        rc = constraints(declared, kept);
        if (rc == SQLITE_OK) rc = userIndexes();
        if (rc == SQLITE_OK) rc = totals();
        return rc;
    }

private:
    int columns(bool view) {
        int rc = SQLITE_OK;
        int colno = 0;
        std::vector<std::pair<int, std::string>> defaults;
        const auto computed = view ? viewColumnTypes(db_, tabid_) : std::vector<std::optional<IfxType>>{};
        run(db_, "SELECT name, type, \"notnull\", dflt_value, pk, hidden FROM pragma_table_xinfo(?)", {name_},
            [&](sqlite3_stmt* s) {
                if (sqlite3_column_int(s, 5) != 0) return;
                const std::string colname = text(s, 0);
                const auto type = parseTypeDecl(text(s, 1));
                IfxType t = type ? *type : IfxType{};
                if (!type) {  // a view's computed column: typed from its select item
                    const auto at = static_cast<std::size_t>(colno);
                    if (at < computed.size() && computed[at]) {
                        t = *computed[at];
                    } else {
                        t.code = SQLCHAR;
                        t.length = 0;
                    }
                }
                ++colno;
                columns_.push_back(Column{toLowerAscii(colname), colno});
                if (sqlite3_column_int(s, 4) > 0 && !view) pkColumns_.emplace_back(sqlite3_column_int(s, 4), colname);
                const bool notNull = sqlite3_column_int(s, 2) != 0 || t.serial != SerialKind::None ||
                                     (!view && sqlite3_column_int(s, 4) > 0);
                if (sqlite3_column_int(s, 2) != 0) notNullColumns_.push_back(toLowerAscii(colname));
                rowsize_ += columnStorageSize(t);
                types_.push_back(t);
                if (sqlite3_column_type(s, 3) != SQLITE_NULL) defaults.emplace_back(colno, text(s, 3));
                if (rc == SQLITE_OK)
                    rc = run(db_, "INSERT INTO syscolumns (colname, tabid, colno, coltype, collength, extended_id) "
                                  "VALUES (?, ?, ?, ?, ?, ?)",
                             {toLowerAscii(colname), tabid_, I{colno}, I{t.code + (notNull ? 256 : 0)},
                              I{collengthOf(t)}, I{extendedIdOf(db_, user_, t)}});
            });
        for (const auto& [no, value] : defaults) {
            const auto [letter, stored] = defaultOf(value, types_[static_cast<std::size_t>(no - 1)]);
            if (rc == SQLITE_OK)
                rc = run(db_, "INSERT INTO sysdefaults (tabid, colno, type, \"default\", class) VALUES (?, ?, ?, ?, 'T')",
                         {tabid_, I{no}, std::string(1, letter),
                          letter == 'L' ? Bound{stored} : Bound{}});
        }
        return rc;
    }

    int colnoOf(const std::string& name) const {
        for (const auto& c : columns_)
            if (equalsNoCase(c.name, name)) return c.colno;
        return 0;
    }

    // Above every id in use, including ids kept or given out but not written yet.
    I nextConstrid() {
        keptMax_ = std::max(scalar(db_, "SELECT max(constrid) FROM sysconstraints", {}, 0), keptMax_) + 1;
        return keptMax_;
    }

    // Key parts for sysindexes/sysindices from (colno, descending) pairs.
    int writeIndex(const std::string& idxname, char idxtype, bool clustered,
                   const std::vector<std::pair<int, bool>>& parts) {
        std::vector<Bound> args = {idxname, user_, tabid_, std::string(1, idxtype), std::string(clustered ? "C" : " ")};
        std::string keys;
        for (std::size_t i = 0; i < 16; ++i) {
            const int part = i < parts.size() ? (parts[i].second ? -parts[i].first : parts[i].first) : 0;
            args.emplace_back(I{part});
            if (i < parts.size()) keys += (i ? ", " : "") + std::to_string(part) + " [1]";
        }
        std::string sql = "INSERT INTO sysindexes (idxname, owner, tabid, idxtype, clustered";
        for (int i = 1; i <= 16; ++i) sql += ", part" + std::to_string(i);
        sql += ", levels, leaves, nunique, clust, idxflags) VALUES (?, ?, ?, ?, ?";
        for (int i = 1; i <= 16; ++i) sql += ", ?";
        sql += ", 1, 1, 0, 0, 0)";
        int rc = run(db_, sql, args);
        if (rc == SQLITE_OK)
            rc = run(db_, "INSERT INTO sysindices (idxname, owner, tabid, idxtype, clustered, levels, leaves, nunique, "
                          "clust, nrows, indexkeys, amid, pagesize) VALUES (?, ?, ?, ?, ?, 1, 1, 0, 0, 0, ?, 0, 2048)",
                     {idxname, user_, tabid_, std::string(1, idxtype), std::string(clustered ? "C" : " "), keys});
        if (rc == SQLITE_OK)
            rc = run(db_, "INSERT INTO sysobjstate (objtype, owner, name, tabid, state) VALUES ('I', ?, ?, ?, 'E')",
                     {user_, idxname, tabid_});
        ++nindexes_;
        return rc;
    }

    int constraints(const std::vector<DeclaredConstraint>& declared, const KeptNames& kept) {
        std::vector<Constraint> found;
        for (const auto& c : notNullColumns_) found.push_back(Constraint{'N', {c}, {}, {}, 0});
        // Primary and unique keys: SQLite's automatic indexes, or the rowid for an INTEGER key.
        std::vector<std::pair<std::string, char>> keyIndexes;
        run(db_, "SELECT name, origin FROM pragma_index_list(?) WHERE origin IN ('pk', 'u') ORDER BY seq DESC",
            {name_}, [&](sqlite3_stmt* s) { keyIndexes.emplace_back(text(s, 0), text(s, 1) == "pk" ? 'P' : 'U'); });
        // Keys added later by ALTER TABLE live as unique indexes of their own.
        run(db_, "SELECT l.name, k.type FROM pragma_index_list(?) l JOIN ifxsim_catalog_addedkeys k ON k.idxname = l.name "
                 "ORDER BY l.seq DESC",
            {name_}, [&](sqlite3_stmt* s) { keyIndexes.emplace_back(text(s, 0), text(s, 1) == "P" ? 'P' : 'U'); });
        bool pkSeen = false;
        for (const auto& [index, type] : keyIndexes) {
            Constraint c{type, {}, {}, {}, 0};
            run(db_, "SELECT name FROM pragma_index_info(?) ORDER BY seqno", {index},
                [&](sqlite3_stmt* s) { c.columns.push_back(toLowerAscii(text(s, 0))); });
            pkSeen = pkSeen || type == 'P';
            found.push_back(std::move(c));
        }
        if (!pkSeen && !pkColumns_.empty()) {
            std::sort(pkColumns_.begin(), pkColumns_.end());
            Constraint c{'P', {}, {}, {}, 0};
            for (const auto& p : pkColumns_) c.columns.push_back(toLowerAscii(p.second));
            found.insert(found.begin() + static_cast<long>(notNullColumns_.size()), std::move(c));
        }
        // Foreign keys, one constraint per id.
        struct Ref { std::vector<std::string> from, to; std::string table, onDelete; };
        std::map<int, Ref> refs;
        run(db_, "SELECT id, \"from\", \"to\", \"table\", on_delete FROM pragma_foreign_key_list(?) ORDER BY id, seq",
            {name_}, [&](sqlite3_stmt* s) {
                Ref& r = refs[sqlite3_column_int(s, 0)];
                r.from.push_back(toLowerAscii(text(s, 1)));
                if (sqlite3_column_type(s, 2) != SQLITE_NULL) r.to.push_back(toLowerAscii(text(s, 2)));
                r.table = toLowerAscii(text(s, 3));
                r.onDelete = text(s, 4);
            });
        std::vector<const Ref*> refOrder;
        for (auto it = refs.rbegin(); it != refs.rend(); ++it) {  // SQLite lists them last first
            found.push_back(Constraint{'R', it->second.from, {}, {}, 0, static_cast<int>(refOrder.size())});
            refOrder.push_back(&it->second);
        }
        for (const auto& d : declared)
            if (d.type == 'C') found.push_back(Constraint{'C', {}, d.name, d.checkText, 0});
        // Names: kept from before, else as declared, else the server's own.
        std::vector<bool> used(declared.size(), false);
        for (const auto& [key, idName] : kept) keptMax_ = std::max(keptMax_, idName.first);
        for (auto& c : found) {
            // A check has no columns: it is known again by its name.
            const std::string key = c.type == 'C' ? "C:" + c.name : keyOf(c.type, c.columns);
            if (auto k = kept.find(key); k != kept.end() && (c.type != 'C' || !c.name.empty())) {
                c.constrid = k->second.first;
                c.name = k->second.second;
            } else {
                c.constrid = nextConstrid();
                for (std::size_t i = 0; i < declared.size() && c.type != 'C'; ++i) {
                    if (!used[i] && declared[i].type == c.type && declared[i].columns == c.columns) {
                        used[i] = true;
                        c.name = declared[i].name;
                        break;
                    }
                }
            }
            const char prefix = c.type == 'P' ? 'u' : static_cast<char>(c.type - 'A' + 'a');
            if (c.name.empty()) c.name = prefix + std::to_string(tabid_) + "_" + std::to_string(c.constrid);
        }
        // Rows go in constraint-id order, as the server wrote them.
        std::stable_sort(found.begin(), found.end(), [](const Constraint& a, const Constraint& b) {
            return a.constrid < b.constrid;
        });
        int rc = SQLITE_OK;
        for (const auto& c : found) {
            const std::string key = c.type == 'C' ? "C:" + c.name : keyOf(c.type, c.columns);
            const bool indexed = c.type == 'P' || c.type == 'U' || c.type == 'R';
            const std::string idxname = " " + std::to_string(tabid_) + "_" + std::to_string(c.constrid);
            rc = run(db_, "INSERT INTO sysconstraints (constrid, constrname, owner, tabid, constrtype, idxname) "
                          "VALUES (?, ?, ?, ?, ?, ?)",
                     {c.constrid, c.name, user_, tabid_, std::string(1, c.type), indexed ? Bound{idxname} : Bound{}});
            if (rc == SQLITE_OK)
                rc = run(db_, "INSERT INTO sysobjstate (objtype, owner, name, tabid, state) VALUES ('C', ?, ?, ?, 'E')",
                         {user_, c.name, tabid_});
            if (rc == SQLITE_OK)
                rc = run(db_, "INSERT INTO ifxsim_catalog_keys (constrid, keytext) VALUES (?, ?)", {c.constrid, key});
            if (rc == SQLITE_OK && indexed) {
                std::vector<std::pair<int, bool>> parts;
                for (const auto& col : c.columns) parts.emplace_back(colnoOf(col), false);
                rc = writeIndex(idxname, c.type == 'R' ? 'D' : 'U', false, parts);
            }
            if (rc == SQLITE_OK && c.type == 'P')  // key columns never hold NULL
                for (const auto& col : c.columns)
                    if (rc == SQLITE_OK)
                        rc = run(db_, "UPDATE syscolumns SET coltype = coltype + 256 WHERE tabid = ? AND colno = ? "
                                      "AND coltype < 256",
                                 {tabid_, I{colnoOf(col)}});
            if (rc == SQLITE_OK && c.type == 'N')
                rc = run(db_, "INSERT INTO syscoldepend (constrid, tabid, colno) VALUES (?, ?, ?)",
                         {c.constrid, tabid_, I{colnoOf(c.columns.front())}});
            if (rc == SQLITE_OK && c.type == 'C') {
                for (std::size_t at = 0, seq = 0; rc == SQLITE_OK && at < c.check.size(); at += 32, ++seq)
                    rc = run(db_, "INSERT INTO syschecks (constrid, type, seqno, checktext) VALUES (?, 'T', ?, ?)",
                             {c.constrid, I(seq), c.check.substr(at, 32)});
            }
            if (rc == SQLITE_OK && c.type == 'R') rc = reference(c, *refOrder[static_cast<std::size_t>(c.refIndex)]);
            if (rc != SQLITE_OK) return rc;
        }
        return rc;
    }

    template <typename Ref>
    int reference(const Constraint& c, const Ref& r) {
        const I ptabid = scalar(db_, "SELECT tabid FROM systables WHERE tabname = ? AND tabid >= 100", {r.table}, 0);
        // The referenced key: the primary key when no columns are named, else the key on those columns.
        I primary = 0;
        run(db_, "SELECT c.constrid, k.keytext FROM sysconstraints c JOIN ifxsim_catalog_keys k USING (constrid) "
                 "WHERE c.tabid = ? AND c.constrtype IN ('P', 'U') ORDER BY c.constrtype, c.constrid",
            {ptabid}, [&](sqlite3_stmt* s) {
                const std::string key = text(s, 1);
                if (primary) return;
                if ((r.to.empty() && key[0] == 'P') || key.substr(1) == keyOf('P', r.to).substr(1))
                    primary = sqlite3_column_int64(s, 0);
            });
        const std::string del = toUpperAscii(r.onDelete) == "CASCADE" ? "C" : "R";
        return run(db_, "INSERT INTO sysreferences (constrid, \"primary\", ptabid, updrule, delrule, matchtype, pendant) "
                        "VALUES (?, ?, ?, 'R', ?, 'N', 'N')",
                   {c.constrid, primary ? Bound{primary} : Bound{}, ptabid, del});
    }

    // Indexes made by CREATE INDEX.
    int userIndexes() {
        std::vector<std::pair<std::string, bool>> indexes;
        run(db_, "SELECT name, \"unique\" FROM pragma_index_list(?) WHERE origin = 'c' AND name NOT IN "
                 "(SELECT idxname FROM ifxsim_catalog_addedkeys) ORDER BY seq DESC", {name_},
            [&](sqlite3_stmt* s) { indexes.emplace_back(text(s, 0), sqlite3_column_int(s, 1) != 0); });
        int rc = SQLITE_OK;
        for (const auto& [index, unique] : indexes) {
            std::vector<std::pair<int, bool>> parts;
            run(db_, "SELECT cid, \"desc\" FROM pragma_index_xinfo(?) WHERE key = 1 ORDER BY seqno", {index},
                [&](sqlite3_stmt* s) { parts.emplace_back(sqlite3_column_int(s, 0) + 1, sqlite3_column_int(s, 1) != 0); });
            const bool clustered = scalar(db_, "SELECT count(*) FROM ifxsim_catalog_clustered WHERE idxname = ?",
                                          {index}, 0) > 0;
            if (rc == SQLITE_OK) rc = writeIndex(index, unique ? 'U' : 'D', clustered, parts);
        }
        return rc;
    }

    int totals() {
        return run(db_, "UPDATE systables SET ncols = ?, rowsize = ?, nindexes = ? WHERE tabid = ?",
                   {I(columns_.size()), I{rowsize_}, I{nindexes_}, tabid_});
    }

    sqlite3* db_;
    const std::string& user_;
    I tabid_;
    std::string name_;
    std::vector<Column> columns_;
    std::vector<IfxType> types_;
    std::vector<std::pair<int, std::string>> pkColumns_;
    std::vector<std::string> notNullColumns_;
    int rowsize_ = 0;
    int nindexes_ = 0;
    I keptMax_ = 0;
};

struct HintFacts {
    std::string object;        // the object the statement created (lower case)
    std::string owner;         // its owner when the name says one ("joe".t), else empty
    bool synonym = false, privateSynonym = false;
    std::string synonymFor;
    char lockLevel = 'P';
    I firstExtent = 16, nextExtent = 16;
    std::vector<DeclaredConstraint> declared;
    std::vector<DeclaredFragment> fragments;
};

HintFacts readHint(const DdlHint& hint) {
    HintFacts f;
    const auto t = StatementTokenizer::tokenize(hint.text);
    const StatementClass cls = classifyStatement(t);
    if (cls.objectToken >= 0) f.object = foldName(t[static_cast<std::size_t>(cls.objectToken)]);
    // CREATE TABLE/VIEW/SYNONYM "owner".name: a DBA may create objects that others own.
    const bool creates = cls.type == kStmtCreateTable || cls.type == kStmtCreateView || cls.type == kStmtCreateSynonym;
    if (creates && cls.objectToken >= 2 && t[static_cast<std::size_t>(cls.objectToken) - 1].isSymbol("."))
        f.owner = foldName(t[static_cast<std::size_t>(cls.objectToken) - 2]);
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i].is("LOCK") && i + 2 < t.size() && t[i + 1].is("MODE"))
            f.lockLevel = t[i + 2].is("ROW") ? 'R' : 'P';
        if (t[i].is("EXTENT") && i + 2 < t.size() && t[i + 1].is("SIZE")) f.firstExtent = std::atoll(t[i + 2].text.c_str());
        if (t[i].is("NEXT") && i + 2 < t.size() && t[i + 1].is("SIZE")) f.nextExtent = std::atoll(t[i + 2].text.c_str());
        if (t[i].is("PRIVATE") && i + 1 < t.size() && t[i + 1].is("SYNONYM")) f.privateSynonym = true;
        if (t[i].is("FOR") && cls.type == kStmtCreateSynonym && i + 1 < t.size()) f.synonymFor = foldName(t.back());
    }
    f.synonym = cls.type == kStmtCreateSynonym;
    if (cls.type == kStmtCreateTable) {
        f.declared = declaredConstraints(hint.text);
        f.fragments = declaredFragments(hint.text);
    }
    return f;
}

// The check constraints a table has now, for describing it again: SQLite's
// schema keeps no names or texts of them.
std::vector<DeclaredConstraint> keptChecks(sqlite3* db, I tabid) {
    std::vector<DeclaredConstraint> checks;
    run(db, "SELECT c.constrname, (SELECT group_concat(checktext, '') FROM (SELECT checktext FROM syschecks k "
            "WHERE k.constrid = c.constrid AND k.type = 'T' ORDER BY seqno)) FROM sysconstraints c "
            "WHERE c.tabid = ? AND c.constrtype = 'C' ORDER BY c.constrid",
        {tabid}, [&](sqlite3_stmt* s) {
            std::string check = text(s, 1);
            check.erase(check.find_last_not_of(' ') + 1);
            checks.push_back(DeclaredConstraint{'C', {}, text(s, 0), check});
        });
    return checks;
}

// Marks the unique index that ALTER TABLE … ADD CONSTRAINT made for each
// added primary or unique key (same columns, not yet known) as that key.
int registerAddedKeys(sqlite3* db, const std::string& table, const std::vector<DeclaredConstraint>& added) {
    int rc = run(db, "DELETE FROM ifxsim_catalog_addedkeys WHERE idxname NOT IN "
                     "(SELECT name FROM sqlite_schema WHERE type = 'index')");
    for (const auto& c : added) {
        if (rc != SQLITE_OK || (c.type != 'P' && c.type != 'U')) continue;
        std::vector<std::string> candidates;
        run(db, "SELECT name FROM pragma_index_list(?) WHERE origin = 'c' AND \"unique\" = 1 AND name NOT IN "
                "(SELECT idxname FROM ifxsim_catalog_addedkeys) ORDER BY seq",
            {table}, [&](sqlite3_stmt* s) { candidates.push_back(text(s, 0)); });
        for (const auto& index : candidates) {
            std::vector<std::string> columns;
            run(db, "SELECT name FROM pragma_index_info(?) ORDER BY seqno", {index},
                [&](sqlite3_stmt* s) { columns.push_back(toLowerAscii(text(s, 0))); });
            if (columns != c.columns) continue;
            rc = run(db, "INSERT INTO ifxsim_catalog_addedkeys (idxname, type) VALUES (?, ?)",
                     {index, std::string(1, c.type)});
            break;
        }
    }
    return rc;
}

KeptNames keptNames(sqlite3* db, I tabid) {
    KeptNames kept;
    run(db, "SELECT c.constrid, c.constrname, k.keytext FROM sysconstraints c JOIN ifxsim_catalog_keys k "
            "USING (constrid) WHERE c.tabid = ?",
        {tabid}, [&](sqlite3_stmt* s) { kept[text(s, 2)] = {sqlite3_column_int64(s, 0), text(s, 1)}; });
    return kept;
}

bool isAnsi(sqlite3* db) { return (scalar(db, "PRAGMA user_version") & 0xff) == 3; }

// A view's text in pieces and the objects it reads.
int describeView(sqlite3* db, I tabid, const std::string& viewText) {
    int rc = SQLITE_OK;
    for (std::size_t at = 0, seq = 0; rc == SQLITE_OK && at < viewText.size(); at += 64, ++seq)
        rc = run(db, "INSERT INTO sysviews (tabid, seqno, viewtext) VALUES (?, ?, ?)", {tabid, I(seq), viewText.substr(at, 64)});
    const auto t = StatementTokenizer::tokenize(viewText);
    std::vector<I> seen;
    for (std::size_t i = 0; i < t.size() && rc == SQLITE_OK; ++i) {
        if (t[i].kind != TokenKind::Word) continue;
        I base = 0;
        std::string type;
        run(db, "SELECT tabid, tabtype FROM systables WHERE tabname = ? AND tabid >= 100 AND tabid <> ?",
            {foldName(t[i]), tabid}, [&](sqlite3_stmt* s) { base = sqlite3_column_int64(s, 0); type = text(s, 1); });
        if (!base || std::find(seen.begin(), seen.end(), base) != seen.end()) continue;
        seen.push_back(base);
        rc = run(db, "INSERT INTO sysdepend (btabid, btype, dtabid, dtype) VALUES (?, ?, ?, 'V')",
                 {base, type == "V" ? std::string("V") : std::string("T"), tabid});
    }
    return rc;
}

int addObject(sqlite3* db, const std::string& sessionUser, const SchemaObject& o, const HintFacts& f,
              const std::string& hintText) {
    const bool fromHint = equalsNoCase(o.name, f.object);
    const std::string user = fromHint && !f.owner.empty() ? f.owner : sessionUser;  // the owner
    const I tabid = std::max<I>(scalar(db, "SELECT max(tabid) FROM systables", {}, 99), 99) + 1;
    std::string tabtype = o.view ? "V" : "T";
    if (fromHint && f.synonym) tabtype = f.privateSynonym ? "P" : "S";
    const bool table = tabtype == "T";
    int rc = run(db, "INSERT INTO systables (tabname, owner, partnum, tabid, rowsize, ncols, nindexes, nrows, created, "
                     "version, tabtype, locklevel, npused, fextsize, nextsize, flags, pagesize) "
                     "VALUES (?, ?, ?, ?, 0, 0, 0, 0, ?, ?, ?, ?, 0, ?, ?, 0, 2048)",
                 {toLowerAscii(o.name), user, table ? o.rootpage : 0, tabid, I{todayAsInformixDate()}, tabid * 65536,
                  tabtype, std::string(1, table && fromHint ? f.lockLevel : table ? 'P' : 'B'),
                  table ? (fromHint ? f.firstExtent : 16) : 0, table ? (fromHint ? f.nextExtent : 16) : 0});
    if (rc == SQLITE_OK && tabtype != "V" && !table) {
        const I btabid = scalar(db, "SELECT tabid FROM systables WHERE tabname = ? AND tabid >= 100", {f.synonymFor}, 0);
        rc = run(db, "INSERT INTO syssyntable (tabid, btabid) VALUES (?, ?)", {tabid, btabid});
    }
    if (rc == SQLITE_OK && (table || tabtype == "V")) {  // a synonym has no privileges of its own
        // The owner holds every privilege with the grant option, granted by
        // nobody (a blank grantor); in a database that is not ANSI the owner
        // grants public select, update, insert, delete and index.
        rc = run(db, "INSERT INTO systabauth (grantor, grantee, tabid, tabauth) VALUES ('', ?, ?, ?)",
                 {user, tabid, std::string(table ? "SU-IDXAR-" : "SU-ID----")});
        if (rc == SQLITE_OK && !isAnsi(db))
            rc = run(db, "INSERT INTO systabauth (grantor, grantee, tabid, tabauth) VALUES (?, 'public', ?, ?)",
                     {user, tabid, std::string(table ? "su-idx---" : "su-id----")});
    }
    if (rc == SQLITE_OK && table && fromHint) rc = writeFragments(db, tabid, f.fragments);
    if (rc == SQLITE_OK && o.view && tabtype == "V") rc = describeView(db, tabid, fromHint ? hintText : o.sql);
    if (rc == SQLITE_OK && (table || tabtype == "V"))
        rc = TableDescriber(db, user, tabid, o.name).describe(o.view, fromHint ? f.declared : std::vector<DeclaredConstraint>{}, {});
    if (rc == SQLITE_OK)
        rc = run(db, "INSERT OR REPLACE INTO ifxsim_catalog_state (tabid, signature) VALUES (?, ?)", {tabid, o.signature});
    return rc;
}

}  // namespace

int syncCatalog(sqlite3* db, const std::string& user, const DdlHint& hint) {
    int rc = ensureState(db);
    if (rc != SQLITE_OK) return rc;
    if (hint.statementType == kStmtAlterTable) rc = addReferencesAndChecks(db, hint.text);
    if (rc != SQLITE_OK) return rc;
    const HintFacts facts = readHint(hint);
    if (hint.statementType == kStmtCreateIndex && toUpperAscii(hint.text).find("CLUSTER") != std::string::npos)
        run(db, "INSERT OR IGNORE INTO ifxsim_catalog_clustered (idxname) VALUES (?)", {facts.object});
    std::vector<SchemaObject> objects = schemaObjects(db);
    struct Known { I tabid; std::string name, type, signature; I partnum; std::string owner; };
    std::vector<Known> known;
    run(db, "SELECT t.tabid, t.tabname, t.tabtype, s.signature, t.partnum, t.owner FROM systables t LEFT JOIN "
            "ifxsim_catalog_state s USING (tabid) WHERE t.tabid >= 100 ORDER BY t.tabid",
        {}, [&](sqlite3_stmt* s) {
            known.push_back({sqlite3_column_int64(s, 0), text(s, 1), text(s, 2), text(s, 3), sqlite3_column_int64(s, 4),
                             text(s, 5)});
        });
    for (const Known& k : known) {
        SchemaObject* match = nullptr;
        for (auto& o : objects) {
            if (o.matched) continue;
            // A table keeps its storage (rootpage) through RENAME; views go by name.
            const bool same = k.type == "T" ? !o.view && o.rootpage == k.partnum : o.view && equalsNoCase(o.name, k.name);
            if (same) { match = &o; break; }
        }
        if (!match) {
            if (rc == SQLITE_OK) rc = deleteObject(db, k.tabid);
            continue;
        }
        match->matched = true;
        if (rc == SQLITE_OK && !equalsNoCase(match->name, k.name))
            rc = run(db, "UPDATE systables SET tabname = ? WHERE tabid = ?", {toLowerAscii(match->name), k.tabid});
        if (rc == SQLITE_OK && k.type == "T" && match->signature != k.signature) {
            const KeptNames kept = keptNames(db, k.tabid);
            std::vector<DeclaredConstraint> checks = keptChecks(db, k.tabid);
            if (hint.statementType == kStmtAlterTable && equalsNoCase(facts.object, match->name)) {
                const auto added = addedConstraints(hint.text);
                if (rc == SQLITE_OK) rc = registerAddedKeys(db, match->name, added);
                checks.insert(checks.end(), added.begin(), added.end());
            }
            rc = deleteShapeRows(db, k.tabid);
            // Its keys and indexes stay the table owner's, whoever changed it.
            if (rc == SQLITE_OK) rc = TableDescriber(db, k.owner, k.tabid, match->name).describe(false, checks, kept);
            if (rc == SQLITE_OK && hint.statementType == kStmtAlterTable && equalsNoCase(facts.object, match->name) &&
                toUpperAscii(hint.text).find("LOCK MODE") != std::string::npos)
                rc = run(db, "UPDATE systables SET locklevel = ? WHERE tabid = ?", {std::string(1, facts.lockLevel), k.tabid});
            if (rc == SQLITE_OK)
                rc = run(db, "INSERT OR REPLACE INTO ifxsim_catalog_state (tabid, signature) VALUES (?, ?)",
                         {k.tabid, match->signature});
        }
    }
    for (const auto& o : objects)
        if (!o.matched && rc == SQLITE_OK) rc = addObject(db, user, o, facts, hint.text);
    if (rc == SQLITE_OK) rc = pruneUnnamedTypes(db);
    return rc;
}

namespace {

// The statistics of a table's indexes: distinct first-key values, leaf pages
// of 2 KB for the key bytes, one more level per 100 leaves.
int indexStatistics(sqlite3* db, I tabid, I rows) {
    std::vector<std::pair<std::string, int>> indexes;  // name, first key column number
    run(db, "SELECT idxname, abs(part1) FROM sysindexes WHERE tabid = ?", {tabid},
        [&](sqlite3_stmt* s) { indexes.emplace_back(text(s, 0), sqlite3_column_int(s, 1)); });
    std::string table;
    run(db, "SELECT tabname FROM systables WHERE tabid = ?", {tabid}, [&](sqlite3_stmt* s) { table = text(s, 0); });
    int rc = SQLITE_OK;
    for (const auto& [index, colno] : indexes) {
        std::string column;
        I keyBytes = 4;
        run(db, "SELECT colname, collength FROM syscolumns WHERE tabid = ? AND colno = ?", {tabid, I{colno}},
            [&](sqlite3_stmt* s) { column = text(s, 0); const int len = sqlite3_column_int(s, 1);
                keyBytes = len > 0 && len < 256 ? len : 8; });
        const I distinct = column.empty() ? 0
                           : scalar(db, "SELECT count(DISTINCT " + quoteIdent(column) + ") FROM " + quoteIdent(table));
        const I leaves = std::max<I>(1, (rows * (keyBytes + 9) + 2047) / 2048);
        I levels = 1;
        for (I span = 100; span < leaves; span *= 100) ++levels;
        if (rc == SQLITE_OK)
            rc = run(db, "UPDATE sysindices SET levels = ?1, leaves = ?2, nunique = ?3, clust = ?4, nrows = ?5 "
                         "WHERE idxname = ?6 AND tabid = ?7",
                     {levels, leaves, distinct, std::max<I>(1, (rows + 49) / 50), rows, index, tabid});
        if (rc == SQLITE_OK)
            rc = run(db, "UPDATE sysindexes SET levels = ?1, leaves = ?2, nunique = ?3, clust = ?4 "
                         "WHERE idxname = ?5 AND tabid = ?6",
                     {levels, leaves, distinct, std::max<I>(1, (rows + 49) / 50), index, tabid});
    }
    return rc;
}

}  // namespace

int updateStatistics(sqlite3* db, std::string_view statement) {
    // UPDATE STATISTICS [LOW|MEDIUM|HIGH] [FOR TABLE [t [(c, …)]]] [DROP DISTRIBUTIONS]
    const auto t = StatementTokenizer::tokenize(statement);
    char mode = 0;  // LOW writes no distribution
    std::string table;
    std::vector<std::string> columns;
    bool dropDistributions = false;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i].is("MEDIUM")) mode = 'M';
        else if (t[i].is("HIGH")) mode = 'H';
        else if (t[i].is("DISTRIBUTIONS") && i > 0 && t[i - 1].is("DROP")) dropDistributions = true;
        else if (t[i].is("TABLE") && i + 1 < t.size() && t[i + 1].kind == TokenKind::Word && !t[i + 1].is("DROP")) {
            std::size_t n = i + 1;
            if (n + 2 < t.size() && t[n + 1].isSymbol(".")) n += 2;  // owner.table
            table = foldName(t[n]);
            if (n + 1 < t.size() && t[n + 1].isSymbol("("))
                for (std::size_t k = n + 2; k < t.size() && !t[k].isSymbol(")"); ++k)
                    if (t[k].kind == TokenKind::Word) columns.push_back(foldName(t[k]));
        }
    }
    std::vector<std::pair<I, std::string>> tables;
    run(db, "SELECT tabid, tabname FROM systables WHERE tabid >= 100 AND tabtype = 'T' AND (?1 = '' OR tabname = ?1)",
        {table}, [&](sqlite3_stmt* s) { tables.emplace_back(sqlite3_column_int64(s, 0), text(s, 1)); });
    int rc = SQLITE_OK;
    for (const auto& [tabid, name] : tables) {
        const I rows = scalar(db, "SELECT count(*) FROM " + quoteIdent(name), {}, 0);
        if (rc == SQLITE_OK)
            rc = run(db, "UPDATE systables SET nrows = ?1, npused = max(1, (?1 * max(rowsize, 1) + 2047) / 2048) "
                         "WHERE tabid = ?2",
                     {I{rows}, tabid});
        if (rc == SQLITE_OK) rc = indexStatistics(db, tabid, rows);
        if (!mode && !dropDistributions) continue;
        // Distributions of the named columns, else of every column.
        std::vector<I> colnos;
        run(db, "SELECT colno, colname FROM syscolumns WHERE tabid = ?", {tabid}, [&](sqlite3_stmt* s) {
            if (columns.empty() || std::find(columns.begin(), columns.end(), text(s, 1)) != columns.end())
                colnos.push_back(sqlite3_column_int64(s, 0));
        });
        for (const I colno : colnos) {
            if (rc == SQLITE_OK) rc = run(db, "DELETE FROM sysdistrib WHERE tabid = ? AND colno = ?", {tabid, colno});
            if (rc == SQLITE_OK && mode && !dropDistributions)
                rc = run(db, "INSERT INTO sysdistrib (tabid, colno, seqno, constructed, mode, resolution, confidence, "
                             "type, smplsize, rowssmpld) VALUES (?, ?, 1, ?, ?, ?, ?, 'A', 0, ?)",
                         {tabid, colno, I{todayAsInformixDate()}, std::string(1, mode), mode == 'H' ? 0.5 : 2.5,
                          mode == 'H' ? 0.99 : 0.95, I{rows}});
        }
    }
    return rc;
}

}  // namespace ifxsim::catalog
