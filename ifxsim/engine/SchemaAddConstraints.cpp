#include "engine/SchemaAddConstraints.h"

#include <sqlite3.h>

#include <string>
#include <vector>

#include "engine/CatalogDb.h"
#include "engine/CheckTypes.h"
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

using ifxsim::translate::matchingParen;  // the ')' closing the '(' at `open`, or t.size()

std::string quotedList(const std::vector<Token>& t, std::size_t open, std::size_t close) {
    std::string list;
    for (std::size_t i = open + 1; i < close; ++i)
        if (t[i].kind == TokenKind::Word || t[i].kind == TokenKind::String)
            list += (list.empty() ? "" : ", ") + quoteIdent(foldName(t[i]));
    return "(" + list + ")";
}

// The primary-key columns of `table` as the catalog knows them ("P,a,b").
std::string primaryKeyOf(sqlite3* db, const std::string& table) {
    std::string key;
    run(db, "SELECT k.keytext FROM systables t JOIN sysconstraints c ON c.tabid = t.tabid "
            "JOIN ifxsim_catalog_keys k ON k.constrid = c.constrid WHERE t.tabname = ? AND c.constrtype = 'P'",
        {table}, [&](sqlite3_stmt* s) { key = text(s, 0); });
    if (key.size() < 3) return {};
    std::string list;
    for (std::size_t at = 2; at <= key.size();) {
        const std::size_t comma = std::min(key.find(',', at), key.size());
        list += (list.empty() ? "" : ", ") + quoteIdent(key.substr(at, comma - at));
        at = comma + 1;
    }
    return "(" + list + ")";
}

// One element "FOREIGN KEY (…) REFERENCES t [(…)] [ON DELETE CASCADE] [CONSTRAINT n]"
// or "CHECK (…) [CONSTRAINT n]" as SQLite writes it; empty for other elements.
std::string clauseOf(sqlite3* db, std::string_view sql, const std::vector<Token>& t, std::size_t b, std::size_t e) {
    if (t[b].is("CHECK") && b + 1 < e && t[b + 1].isSymbol("(")) {
        const std::size_t close = matchingParen(t, b + 1);
        if (close >= e) return {};
        return "CHECK " + std::string(sql.substr(t[b + 1].offset, t[close].end() - t[b + 1].offset));
    }
    if (!t[b].is("FOREIGN") || b + 2 >= e || !t[b + 2].isSymbol("(")) return {};
    const std::size_t close = matchingParen(t, b + 2);
    std::size_t r = close + 1;
    if (r + 1 >= e || !t[r].is("REFERENCES")) return {};
    std::size_t name = r + 1;
    if (name + 2 < e && t[name + 1].isSymbol(".")) name += 2;  // owner.table
    const std::string parent = foldName(t[name]);
    std::string clause = "FOREIGN KEY " + quotedList(t, b + 2, close) + " REFERENCES " + quoteIdent(parent);
    std::size_t k = name + 1;
    if (k < e && t[k].isSymbol("(")) {
        const std::size_t pclose = matchingParen(t, k);
        clause += " " + quotedList(t, k, pclose);
        k = pclose + 1;
    } else if (const std::string key = primaryKeyOf(db, parent); !key.empty()) {
        clause += " " + key;  // the parent's key may be an added one SQLite does not see as primary
    }
    for (; k + 2 < e; ++k)
        if (t[k].is("ON") && t[k + 1].is("DELETE") && t[k + 2].is("CASCADE")) clause += " ON DELETE CASCADE";
    return clause;
}

// Replaces the stored CREATE TABLE text of `table` and reloads the schema.
int storeDefinition(sqlite3* db, const std::string& table, const std::string& definition) {
    const std::int64_t version = scalar(db, "PRAGMA schema_version");
    int rc = run(db, "PRAGMA writable_schema = ON");
    if (rc == SQLITE_OK)
        rc = run(db, "UPDATE sqlite_schema SET sql = ? WHERE type = 'table' AND name = ? COLLATE NOCASE",
                 {definition, table});
    if (rc == SQLITE_OK) rc = run(db, "PRAGMA schema_version = " + std::to_string(version + 1));
    const int reset = run(db, "PRAGMA writable_schema = RESET");
    return rc == SQLITE_OK ? reset : rc;
}

}  // namespace

int addReferencesAndChecks(sqlite3* db, std::string_view sql) {
    const auto t = StatementTokenizer::tokenize(sql);
    const StatementClass cls = classifyStatement(t);
    if (cls.type != kStmtAlterTable || cls.objectToken < 0) return SQLITE_OK;
    const std::string table = foldName(t[static_cast<std::size_t>(cls.objectToken)]);
    std::vector<std::string> clauses;
    for (std::size_t i = 0; i + 2 < t.size(); ++i) {
        if (!t[i].is("ADD") || !t[i + 1].is("CONSTRAINT")) continue;
        const bool list = t[i + 2].isSymbol("(");
        const std::size_t end = list ? matchingParen(t, i + 2) : t.size();
        std::size_t from = list ? i + 3 : i + 2;
        int depth = 0;
        std::size_t k = from;
        for (; k <= end && k <= t.size(); ++k) {
            const bool last = k == end || k == t.size();
            if (!last && t[k].isSymbol("(")) ++depth;
            else if (!last && t[k].isSymbol(")")) --depth;
            if (last || (depth == 0 && t[k].isSymbol(","))) {
                if (from < k) {
                    if (std::string c = clauseOf(db, sql, t, from, k); !c.empty()) clauses.push_back(std::move(c));
                }
                from = k + 1;
                if (last || !list) break;
            }
        }
        i = k;
    }
    if (clauses.empty()) return SQLITE_OK;
    std::string definition;
    run(db, "SELECT sql FROM sqlite_schema WHERE type = 'table' AND name = ? COLLATE NOCASE", {table},
        [&](sqlite3_stmt* s) { definition = text(s, 0); });
    const std::size_t close = definition.find_last_of(')');
    if (close == std::string::npos) return SQLITE_ERROR;
    std::string added;
    for (const auto& c : clauses) added += ", " + c;
    const std::string before = definition;
    definition.insert(close, added);
    int rc = storeDefinition(db, table, definition);
    // Rows already there must satisfy the new reference; otherwise the table stays as it was.
    if (rc == SQLITE_OK && scalar(db, "SELECT count(*) FROM pragma_foreign_key_check(?)", {table}, 0) > 0) {
        storeDefinition(db, table, before);
        rc = SQLITE_CONSTRAINT_FOREIGNKEY;
    }
    // A new CHECK over DATE, DATETIME or DECIMAL columns compares their stored values.
    if (rc == SQLITE_OK) rc = typeCheckConstraints(db, table);
    return rc;
}

}  // namespace ifxsim
