#include "engine/Estimate.h"

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <sstream>

namespace ifxsim {

namespace {

struct StmtDeleter {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using StmtPtr = std::unique_ptr<sqlite3_stmt, StmtDeleter>;

StmtPtr prepare(sqlite3* db, const std::string& sql) {
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &s, nullptr) != SQLITE_OK) {
        sqlite3_finalize(s);
        return nullptr;
    }
    return StmtPtr(s);
}

std::string quoteIdent(const std::string& name) {
    std::string q = "\"";
    for (char c : name) {
        if (c == '"') q += '"';
        q += c;
    }
    return q + "\"";
}

bool isTable(sqlite3* db, const std::string& name) {
    auto s = prepare(db, "SELECT 1 FROM sqlite_master WHERE name = ?1 COLLATE NOCASE "
                         "UNION ALL SELECT 1 FROM sqlite_temp_master WHERE name = ?1 COLLATE NOCASE");
    if (!s) return false;
    sqlite3_bind_text(s.get(), 1, name.c_str(), -1, SQLITE_TRANSIENT);
    return sqlite3_step(s.get()) == SQLITE_ROW;
}

// The table an alias of the statement stands for ("FROM customer c" → customer).
std::string resolveAlias(sqlite3* db, const std::vector<Token>& tokens, const std::string& name) {
    if (isTable(db, name)) return name;
    for (std::size_t i = 1; i < tokens.size(); ++i) {
        if (tokens[i].kind != TokenKind::Word || !equalsNoCase(tokens[i].text, name)) continue;
        std::size_t prev = i - 1;
        if (tokens[prev].is("AS") && prev > 0) --prev;
        if (tokens[prev].kind == TokenKind::Word && !tokens[prev].is("FROM") && !tokens[prev].is("JOIN") &&
            !tokens[prev].is("OUTER"))
            return tokens[prev].text;
    }
    return name;
}

bool uniqueIndex(sqlite3* db, const std::string& table, const std::string& index) {
    auto s = prepare(db, "SELECT \"unique\" FROM pragma_index_list(" + quoteIdent(table) + ") WHERE name = ?");
    if (!s) return false;
    sqlite3_bind_text(s.get(), 1, index.c_str(), -1, SQLITE_TRANSIENT);
    return sqlite3_step(s.get()) == SQLITE_ROW && sqlite3_column_int(s.get(), 0) != 0;
}

double log2rows(double n) { return std::log2(std::max(2.0, n)); }

std::int32_t clamp32(double v) {
    if (!(v >= 0)) return 0;
    return static_cast<std::int32_t>(std::min(v, static_cast<double>(std::numeric_limits<std::int32_t>::max())));
}

}  // namespace

std::int64_t estimatedTableRows(sqlite3* db, const std::string& table) {
    if (auto s = prepare(db, "SELECT stat FROM sqlite_stat1 WHERE tbl = ? LIMIT 1")) {
        // Every row of a table's statistics begins with its row count.
        sqlite3_bind_text(s.get(), 1, table.c_str(), -1, SQLITE_TRANSIENT);
        if (sqlite3_step(s.get()) == SQLITE_ROW) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(s.get(), 0));
            if (text) return std::max<std::int64_t>(0, std::atoll(text));
        }
    }
    // The highest row id approximates the row count without reading the table.
    if (auto s = prepare(db, "SELECT max(rowid) FROM " + quoteIdent(table))) {
        if (sqlite3_step(s.get()) == SQLITE_ROW) return sqlite3_column_int64(s.get(), 0);
    }
    return 0;
}

Estimate estimateStatement(sqlite3* db, const std::string& sql, const std::vector<Token>& tokens,
                           const std::string& wholeTable) {
    Estimate e;
    auto plan = prepare(db, "EXPLAIN QUERY PLAN " + sql);
    double loopRows = 1;  // rows produced by the loops entered so far (nested-loop joins)
    double cost = 0;
    bool anyLoop = false;
    while (plan && sqlite3_step(plan.get()) == SQLITE_ROW) {
        const auto* raw = reinterpret_cast<const char*>(sqlite3_column_text(plan.get(), 3));
        const std::string detail = raw ? raw : "";
        std::istringstream words(detail);
        std::string verb, name;
        words >> verb >> name;
        if (verb == "SCAN" && name == "CONSTANT") { anyLoop = true; cost += 1; continue; }
        if (verb == "USE" && detail.find("TEMP B-TREE") != std::string::npos) {
            cost += loopRows * log2rows(loopRows);  // sorting for ORDER BY / GROUP BY / DISTINCT
            continue;
        }
        if (verb != "SCAN" && verb != "SEARCH") continue;
        anyLoop = true;
        const std::string table = resolveAlias(db, tokens, name);
        const double n = static_cast<double>(std::max<std::int64_t>(1, estimatedTableRows(db, table)));
        double rows = n;
        double step = n;  // pages touched per entry of this loop
        if (verb == "SEARCH") {
            const auto open = detail.find('(');
            const std::string cond = open == std::string::npos ? "" : detail.substr(open);
            const bool equality = cond.find('>') == std::string::npos && cond.find('<') == std::string::npos;
            bool unique = detail.find("INTEGER PRIMARY KEY") != std::string::npos;
            const auto idx = detail.find("INDEX ");
            if (!unique && idx != std::string::npos) {
                std::istringstream rest(detail.substr(idx + 6));
                std::string index;
                rest >> index;
                unique = equality && uniqueIndex(db, table, index);
            }
            rows = unique && equality ? 1 : std::max(1.0, equality ? n / 10 : n / 4);
            step = log2rows(n) + rows;
        }
        cost += loopRows * step;
        loopRows *= rows;
    }
    if (!anyLoop) {
        // INSERT … VALUES has no loop; DELETE without WHERE empties the table at once.
        loopRows = wholeTable.empty() ? 1 : static_cast<double>(estimatedTableRows(db, wholeTable));
        cost = std::max(1.0, loopRows);
    }
    e.rows = clamp32(loopRows);
    e.cost = clamp32(std::ceil(cost));
    return e;
}

}  // namespace ifxsim
