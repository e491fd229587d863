#include "engine/SchemaDropConstraints.h"

#include <sqlite3.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/CatalogDb.h"
#include "engine/CatalogSchema.h"
#include "engine/Classify.h"
#include "engine/StatementEmitter.h"
#include "engine/StatementTokenizer.h"
#include "engine/StatementTranslate.h"

namespace ifxsim {

namespace {

using catalog::quoteIdent;
using catalog::run;
using catalog::scalar;
using catalog::text;
using I = std::int64_t;
using Tokens = std::vector<Token>;

// One constraint to take out of a table's definition.
struct Removal {
    char type = 0;                     // P, U, R, C, N
    std::vector<std::string> columns;  // key, referencing or NOT NULL columns
    int checkOrdinal = -1;             // C: its place among the table's checks (constraint-id order)
    std::size_t source = 0;            // the name (in the statement) it is dropped for
    bool found = false;
};

struct NamedDrop {
    std::string name;
    std::size_t offset = 0;
};

using ifxsim::translate::matchingParen;  // the ')' closing the '(' at `open`, or t.size()

// The names after DROP CONSTRAINT: one name or a parenthesised list; an owner prefix is skipped.
std::vector<NamedDrop> droppedNames(const Tokens& t) {
    std::vector<NamedDrop> names;
    auto take = [&](std::size_t k, std::size_t stop) {
        if (k + 2 < stop && t[k + 1].isSymbol(".")) k += 2;
        if (k < stop && (t[k].kind == TokenKind::Word || t[k].kind == TokenKind::String))
            names.push_back({foldName(t[k]), t[k].offset});
        return k + 1;
    };
    for (std::size_t i = 0; i + 2 < t.size(); ++i) {
        if (!t[i].is("DROP") || !t[i + 1].is("CONSTRAINT")) continue;
        if (t[i + 2].isSymbol("(")) {
            const std::size_t close = matchingParen(t, i + 2);
            for (std::size_t k = i + 3; k < close;) k = t[k].isSymbol(",") ? k + 1 : take(k, close);
            i = close;
        } else {
            i = take(i + 2, t.size()) - 1;
        }
    }
    return names;
}

// "P,a,b" → {a, b}
std::vector<std::string> keyColumns(const std::string& key) {
    std::vector<std::string> columns;
    for (std::size_t at = 2; at <= key.size() && key.size() > 2;) {
        const std::size_t comma = std::min(key.find(',', at), key.size());
        columns.push_back(key.substr(at, comma - at));
        at = comma + 1;
    }
    return columns;
}

std::vector<std::string> namesIn(const Tokens& t, std::size_t open, std::size_t close) {
    std::vector<std::string> names;
    for (std::size_t i = open + 1; i < close; ++i)
        if (t[i].kind == TokenKind::Word || t[i].kind == TokenKind::String) names.push_back(toLowerAscii(foldName(t[i])));
    return names;
}

// Words that begin a column constraint in SQLite's grammar.
bool startsColumnConstraint(const Tokens& t, std::size_t i) {
    for (const char* w : {"CONSTRAINT", "PRIMARY", "UNIQUE", "NOT", "NULL", "CHECK", "DEFAULT", "COLLATE",
                          "REFERENCES", "GENERATED", "AS"})
        if (t[i].is(w)) return true;
    return false;
}

// End (exclusive token index) of the column constraint starting at `k`.
std::size_t constraintEnd(const Tokens& t, std::size_t k, std::size_t end) {
    std::size_t j = k + 1;
    if (t[k].is("NOT")) ++j;  // NOT NULL
    int depth = 0;
    for (; j < end; ++j) {
        if (t[j].isSymbol("(")) ++depth;
        else if (t[j].isSymbol(")")) --depth;
        else if (depth == 0 && startsColumnConstraint(t, j)) {
            // NOT NULL stops the clause, but not the NULL of "ON DELETE SET NULL".
            if (t[j].is("NULL") && j > 0 && t[j - 1].is("SET")) continue;
            if (t[j].is("NOT") && j + 1 < end && t[j + 1].is("DEFERRABLE")) continue;
            break;
        }
    }
    return j;
}

// The definition without the clauses of `removals` (each marked found when
// its clause was there). `rebuild` is set when a key clause goes.
std::string withoutClauses(const std::string& definition, std::vector<Removal>& removals, bool& rebuild) {
    const Tokens t = StatementTokenizer::tokenize(definition);
    std::size_t open = 0;
    while (open < t.size() && !t[open].isSymbol("(")) ++open;
    const std::size_t close = matchingParen(t, open);
    if (close >= t.size()) return definition;
    std::vector<std::pair<std::size_t, std::size_t>> cuts;  // byte ranges
    int checks = 0;
    auto claim = [&](char type, const std::vector<std::string>& columns, int check) -> bool {
        for (auto& r : removals) {
            if (r.found || r.type != type) continue;
            if (type == 'C' ? r.checkOrdinal == check : r.columns == columns) {
                r.found = true;
                if (type == 'P' || type == 'U') rebuild = true;
                return true;
            }
        }
        return false;
    };
    for (std::size_t b = open + 1, e = b; b < close; b = e + 1) {
        int depth = 0;
        for (e = b; e < close; ++e) {
            if (t[e].isSymbol("(")) ++depth;
            else if (t[e].isSymbol(")")) --depth;
            else if (depth == 0 && t[e].isSymbol(",")) break;
        }
        if (b >= e) continue;
        const bool tableKey = (t[b].is("PRIMARY") || t[b].is("FOREIGN")) && b + 1 < e && t[b + 1].is("KEY");
        const bool tableList = (t[b].is("UNIQUE") || t[b].is("CHECK")) && b + 1 < e && t[b + 1].isSymbol("(");
        if (tableKey || tableList) {
            const std::size_t listOpen = tableKey ? b + 2 : b + 1;
            const std::size_t listClose = matchingParen(t, listOpen);
            bool gone = false;
            if (t[b].is("CHECK")) gone = claim('C', {}, checks++);
            else if (listClose < e)
                gone = claim(t[b].is("PRIMARY") ? 'P' : t[b].is("UNIQUE") ? 'U' : 'R', namesIn(t, listOpen, listClose), -1);
            // The element goes with the comma before it (a column always stands before it).
            if (gone && t[b - 1].isSymbol(",")) cuts.emplace_back(t[b - 1].offset, t[e - 1].end());
            else if (gone) cuts.emplace_back(t[b].offset, t[e].end());
        } else {
            const std::vector<std::string> column{toLowerAscii(foldName(t[b]))};
            for (std::size_t k = b + 1; k < e;) {
                if (!startsColumnConstraint(t, k)) { ++k; continue; }
                const std::size_t stop = constraintEnd(t, k, e);
                bool gone = false;
                if (t[k].is("PRIMARY")) gone = claim('P', column, -1);
                else if (t[k].is("UNIQUE")) gone = claim('U', column, -1);
                else if (t[k].is("REFERENCES")) gone = claim('R', column, -1);
                else if (t[k].is("CHECK")) gone = claim('C', {}, checks++);
                else if (t[k].is("NOT")) gone = claim('N', column, -1);
                if (gone) cuts.emplace_back(t[k].offset, t[stop - 1].end());
                k = stop;
            }
        }
    }
    std::string out = definition;
    std::sort(cuts.rbegin(), cuts.rend());
    for (const auto& [from, to] : cuts) out.erase(from, to - from);
    return out;
}

std::string definitionOf(sqlite3* db, const std::string& table) {
    std::string definition;
    run(db, "SELECT sql FROM sqlite_schema WHERE type = 'table' AND name = ? COLLATE NOCASE", {table},
        [&](sqlite3_stmt* s) { definition = text(s, 0); });
    return definition;
}

// Replaces the stored CREATE TABLE text (SQLite's documented way for changes
// that touch no stored row) and reloads the schema.
int storeDefinition(sqlite3* db, const std::string& table, const std::string& definition) {
    const I version = scalar(db, "PRAGMA schema_version");
    int rc = run(db, "PRAGMA writable_schema = ON");
    if (rc == SQLITE_OK)
        rc = run(db, "UPDATE sqlite_schema SET sql = ? WHERE type = 'table' AND name = ? COLLATE NOCASE",
                 {definition, table});
    if (rc == SQLITE_OK) rc = run(db, "PRAGMA schema_version = " + std::to_string(version + 1));
    const int reset = run(db, "PRAGMA writable_schema = RESET");
    return rc == SQLITE_OK ? reset : rc;
}

// Makes the table again from `definition` with its rows (and row ids), its
// indexes and its triggers. The old table is renamed aside first; the other
// tables' references are set back to name this one before the old rows
// leave, so no ON DELETE action fires. The catalog row is pointed at the new
// storage so the table keeps its tabid.
int rebuildTable(sqlite3* db, const std::string& table, const std::string& definition) {
    std::vector<std::string> dependents;
    run(db, "SELECT sql FROM sqlite_schema WHERE tbl_name = ? COLLATE NOCASE AND type IN ('index', 'trigger') "
            "AND sql IS NOT NULL ORDER BY type, rowid",
        {table}, [&](sqlite3_stmt* s) { dependents.push_back(text(s, 0)); });
    std::string columns;
    run(db, "SELECT name FROM pragma_table_info(?) ORDER BY cid", {table},
        [&](sqlite3_stmt* s) { columns += ", " + quoteIdent(text(s, 0)); });
    const I tabid = scalar(db, "SELECT tabid FROM systables WHERE tabid >= 100 AND partnum = "
                               "(SELECT rootpage FROM sqlite_schema WHERE type = 'table' AND name = ? COLLATE NOCASE)",
                           {table}, 0);
    // Tables that refer to this one: the rename rewrites their references, which must keep naming it.
    std::vector<std::pair<std::string, std::string>> referring;
    run(db, "SELECT name, sql FROM sqlite_schema WHERE type = 'table' AND name <> ? COLLATE NOCASE AND EXISTS "
            "(SELECT 1 FROM pragma_foreign_key_list(name) WHERE \"table\" = ? COLLATE NOCASE)",
        {table, table}, [&](sqlite3_stmt* s) { referring.emplace_back(text(s, 0), text(s, 1)); });
    const I legacy = scalar(db, "PRAGMA legacy_alter_table");
    const I deferred = scalar(db, "PRAGMA defer_foreign_keys");
    const std::string aside = "ifxsim_rebuild_" + table;
    int rc = run(db, "PRAGMA legacy_alter_table = ON");
    if (rc == SQLITE_OK) rc = run(db, "PRAGMA defer_foreign_keys = ON");  // a row may refer to a later one
    if (rc == SQLITE_OK) rc = run(db, "ALTER TABLE " + quoteIdent(table) + " RENAME TO " + quoteIdent(aside));
    // Before the old rows go: a reference left on the old table would cascade their deletion.
    for (const auto& [name, sql] : referring)
        if (rc == SQLITE_OK) rc = storeDefinition(db, name, sql);
    if (rc == SQLITE_OK) rc = run(db, definition);
    if (rc == SQLITE_OK)
        rc = run(db, "INSERT INTO " + quoteIdent(table) + " (rowid" + columns + ") SELECT rowid" + columns + " FROM " +
                         quoteIdent(aside));
    if (rc == SQLITE_OK) rc = run(db, "DROP TABLE " + quoteIdent(aside));
    for (const std::string& sql : dependents)
        if (rc == SQLITE_OK) rc = run(db, sql);
    run(db, "PRAGMA defer_foreign_keys = " + std::to_string(deferred));
    run(db, "PRAGMA legacy_alter_table = " + std::to_string(legacy));
    if (rc == SQLITE_OK && tabid)
        rc = run(db, "UPDATE systables SET partnum = (SELECT rootpage FROM sqlite_schema WHERE type = 'table' AND "
                     "name = ? COLLATE NOCASE) WHERE tabid = ?",
                 {table, tabid});
    return rc;
}

// The foreign keys (by their columns) of every user table that refer to
// `columns` of `parent`, which are a key of it (`primary` when its primary key).
std::map<std::string, std::vector<std::vector<std::string>>> referencesTo(sqlite3* db, const std::string& parent,
                                                                         const std::vector<std::string>& columns,
                                                                         bool primary) {
    std::map<std::string, std::vector<std::vector<std::string>>> found;
    std::vector<std::string> tables;
    run(db, "SELECT name FROM sqlite_schema WHERE type = 'table'", {}, [&](sqlite3_stmt* s) {
        if (!catalog::isHiddenOrCatalogName(text(s, 0))) tables.push_back(text(s, 0));
    });
    for (const std::string& table : tables) {
        std::map<int, std::pair<std::vector<std::string>, std::vector<std::string>>> refs;  // id → from, to
        run(db, "SELECT id, \"from\", \"to\" FROM pragma_foreign_key_list(?) WHERE \"table\" = ? COLLATE NOCASE "
                "ORDER BY id, seq",
            {table, parent}, [&](sqlite3_stmt* s) {
                auto& r = refs[sqlite3_column_int(s, 0)];
                r.first.push_back(toLowerAscii(text(s, 1)));
                if (sqlite3_column_type(s, 2) != SQLITE_NULL) r.second.push_back(toLowerAscii(text(s, 2)));
            });
        for (const auto& [id, r] : refs)
            if (r.second == columns || (r.second.empty() && primary)) found[toLowerAscii(table)].push_back(r.first);
    }
    return found;
}

// The unique index that stands for a key added by ALTER TABLE on these columns, if any.
std::string addedKeyIndex(sqlite3* db, const std::string& table, char type, const std::vector<std::string>& columns) {
    std::vector<std::string> candidates;
    run(db, "SELECT l.name FROM pragma_index_list(?) l JOIN ifxsim_catalog_addedkeys k ON k.idxname = l.name "
            "WHERE k.type = ?",
        {table, std::string(1, type)}, [&](sqlite3_stmt* s) { candidates.push_back(text(s, 0)); });
    for (const std::string& index : candidates) {
        std::vector<std::string> indexed;
        run(db, "SELECT name FROM pragma_index_info(?) ORDER BY seqno", {index},
            [&](sqlite3_stmt* s) { indexed.push_back(toLowerAscii(text(s, 0))); });
        if (indexed == columns) return index;
    }
    return {};
}

int ensureAddedKeys(sqlite3* db) {
    return run(db, "CREATE TABLE IF NOT EXISTS ifxsim_catalog_addedkeys (idxname TEXT PRIMARY KEY, type TEXT)");
}

DdlOutcome apply(sqlite3* db, const std::string& table, I tabid, const std::vector<NamedDrop>& names) {
    std::map<std::string, std::vector<Removal>> removals;  // by table
    std::vector<I> droppedChecks;
    for (std::size_t source = 0; source < names.size(); ++source) {
        const NamedDrop& n = names[source];
        I constrid = 0;
        std::string type, key;
        run(db, "SELECT c.constrid, c.constrtype, k.keytext FROM sysconstraints c LEFT JOIN ifxsim_catalog_keys k "
                "USING (constrid) WHERE c.tabid = ? AND c.constrname = ?",
            {tabid, n.name}, [&](sqlite3_stmt* s) {
                constrid = sqlite3_column_int64(s, 0);
                type = text(s, 1);
                key = text(s, 2);
            });
        if (!constrid || type.empty()) return DdlOutcome::fail(ddlerr::kConstraintMissing, n.name, static_cast<int>(n.offset));
        Removal r;
        r.type = type[0];
        r.source = source;
        if (r.type == 'C') {
            r.checkOrdinal = static_cast<int>(scalar(
                db, "SELECT count(*) FROM sysconstraints WHERE tabid = ? AND constrtype = 'C' AND constrid < ?",
                {tabid, constrid}));
            droppedChecks.push_back(constrid);
        } else {
            r.columns = keyColumns(key);
        }
        // A key takes with it the references other tables (or this one) make to it.
        if (r.type == 'P' || r.type == 'U')
            for (auto& [child, keys] : referencesTo(db, table, r.columns, r.type == 'P'))
                for (auto& columns : keys) removals[child].push_back(Removal{'R', columns, -1, source, false});
        removals[table].push_back(std::move(r));
    }
    int rc = ensureAddedKeys(db);
    // The referring tables first, so no reference is left to a key that is gone.
    std::vector<std::string> order;
    for (const auto& [t, list] : removals)
        if (t != table) order.push_back(t);
    order.push_back(table);
    for (const std::string& t : order) {
        auto& list = removals[t];
        if (list.empty() || rc != SQLITE_OK) continue;
        const std::string definition = definitionOf(db, t);
        bool rebuild = false;
        const std::string edited = withoutClauses(definition, list, rebuild);
        for (Removal& r : list) {
            if (r.found || (r.type != 'P' && r.type != 'U')) continue;
            // A key added by ALTER TABLE is a unique index of its own.
            if (const std::string index = addedKeyIndex(db, t, r.type, r.columns); !index.empty()) {
                rc = run(db, "DROP INDEX " + quoteIdent(index));
                if (rc == SQLITE_OK) rc = run(db, "DELETE FROM ifxsim_catalog_addedkeys WHERE idxname = ?", {index});
                r.found = rc == SQLITE_OK;
            }
        }
        // The catalog names a constraint the table's definition does not hold: refuse rather than pretend.
        for (const Removal& r : list)
            if (!r.found && rc == SQLITE_OK) {
                const NamedDrop& n = names[r.source];
                return DdlOutcome::fail(ddlerr::kConstraintMissing, n.name, static_cast<int>(n.offset));
            }
        if (rc == SQLITE_OK && edited != definition)
            rc = rebuild ? rebuildTable(db, t, edited) : storeDefinition(db, t, edited);
    }
    // SQLite keeps no names or texts of checks: the catalog is where the table's
    // checks are read back from, so a dropped one leaves it now.
    for (const I constrid : droppedChecks) {
        for (const char* sql : {"DELETE FROM syschecks WHERE constrid = ?", "DELETE FROM ifxsim_catalog_keys WHERE constrid = ?",
                                "DELETE FROM sysobjstate WHERE objtype = 'C' AND tabid = ?2 AND name = "
                                "(SELECT constrname FROM sysconstraints WHERE constrid = ?1)",
                                "DELETE FROM sysconstraints WHERE constrid = ?"})
            if (rc == SQLITE_OK) rc = run(db, sql, {constrid, tabid});
    }
    return rc == SQLITE_OK ? DdlOutcome{} : DdlOutcome::sqliteFailure(rc);
}

}  // namespace

DdlOutcome dropNamedConstraints(sqlite3* db, std::string_view sql) {
    const Tokens t = StatementTokenizer::tokenize(sql);
    const std::vector<NamedDrop> names = droppedNames(t);
    if (names.empty()) return {};
    const StatementClass cls = classifyStatement(t);
    if (cls.type != kStmtAlterTable || cls.objectToken < 0) return {};
    const Token& nameToken = t[static_cast<std::size_t>(cls.objectToken)];
    const std::string table = foldName(nameToken);
    const I tabid = scalar(db, "SELECT tabid FROM systables WHERE tabname = ? AND tabid >= 100 AND tabtype = 'T'",
                           {table}, 0);
    if (!tabid) {
        // A temporary table's constraints are not in the catalog, so none can be named.
        if (scalar(db, "SELECT count(*) FROM sqlite_temp_schema WHERE type = 'table' AND name = ? COLLATE NOCASE",
                   {table}, 0) > 0)
            return DdlOutcome::fail(ddlerr::kConstraintMissing, names.front().name, static_cast<int>(names.front().offset));
        return DdlOutcome::fail(ddlerr::kNoTable, table, static_cast<int>(nameToken.offset));
    }
    // All or nothing: a failure takes back what was dropped before it.
    if (int rc = run(db, "SAVEPOINT ifxsim_drop_constraint"); rc != SQLITE_OK) return DdlOutcome::sqliteFailure(rc);
    const DdlOutcome outcome = apply(db, table, tabid, names);
    if (!outcome.ok()) run(db, "ROLLBACK TO ifxsim_drop_constraint");
    run(db, "RELEASE ifxsim_drop_constraint");
    return outcome;
}

}  // namespace ifxsim
