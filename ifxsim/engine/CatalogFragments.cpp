#include "engine/CatalogFragments.h"

#include <sqlite3.h>

#include "engine/CatalogDb.h"
#include "engine/StatementTokenizer.h"
#include "engine/StatementTranslate.h"

namespace ifxsim::catalog {

namespace {

// Words that end the fragmentation clause.
bool endsClause(const Token& t) {
    return t.is("EXTENT") || t.is("NEXT") || t.is("LOCK") || t.is("WITH") || t.is("PUT") || t.isSymbol(";");
}

// IN before a dbspace, not the IN (…) of a condition.
bool isDbspaceIn(const std::vector<Token>& t, std::size_t i) {
    return t[i].is("IN") && !(i + 1 < t.size() && t[i + 1].isSymbol("("));
}

}  // namespace

std::vector<DeclaredFragment> declaredFragments(std::string_view sql) {
    const auto t = StatementTokenizer::tokenize(sql);
    // After the column list: FRAGMENT BY | PARTITION BY.
    std::size_t i = 0;
    int depth = 0;
    for (; i + 1 < t.size(); ++i) {
        if (t[i].isSymbol("(")) ++depth;
        else if (t[i].isSymbol(")")) --depth;
        else if (depth == 0 && (t[i].is("FRAGMENT") || t[i].is("PARTITION")) && t[i + 1].is("BY")) break;
    }
    std::vector<DeclaredFragment> out;
    if (i + 2 >= t.size()) return out;
    i += 2;
    char strategy = 0;
    if (t[i].is("ROUND") && i + 1 < t.size() && t[i + 1].is("ROBIN")) {
        strategy = 'R';
        i += 2;
    } else if (t[i].is("EXPRESSION")) {
        strategy = 'E';
        i += 1;
    } else {
        return out;  // list, range and hash schemes are not described
    }
    // ROUND ROBIN IN dbs1, dbs2: one IN for the whole list.
    if (strategy == 'R' && i < t.size() && t[i].is("IN")) {
        for (++i; i < t.size() && t[i].kind != TokenKind::Symbol && !endsClause(t[i]); i += 2) {
            out.push_back(DeclaredFragment{'R', {}, foldName(t[i]), foldName(t[i])});
            if (i + 1 >= t.size() || !t[i + 1].isSymbol(",")) break;
        }
        return out;
    }
    // Fragments separated by commas at depth 0: [PARTITION name] [expression | REMAINDER] IN dbspace.
    while (i < t.size() && !endsClause(t[i])) {
        DeclaredFragment f;
        f.strategy = strategy;
        if (t[i].is("PARTITION") && i + 1 < t.size()) {
            f.partition = foldName(t[i + 1]);
            i += 2;
        }
        const std::size_t exprStart = i;
        std::size_t in = i;
        for (depth = 0; in < t.size(); ++in) {
            if (t[in].isSymbol("(")) ++depth;
            else if (t[in].isSymbol(")")) --depth;
            else if (depth == 0 && (isDbspaceIn(t, in) || t[in].isSymbol(",") || endsClause(t[in]))) break;
        }
        if (in + 1 >= t.size() || !t[in].is("IN") || t[in + 1].kind == TokenKind::Symbol) return {};
        if (strategy == 'E') {
            if (in == exprStart) return {};
            f.expression = std::string(sql.substr(t[exprStart].offset, t[in - 1].end() - t[exprStart].offset));
            if (equalsNoCase(f.expression, "remainder")) f.expression = "remainder";
        } else if (in != exprStart) {
            return {};
        }
        f.dbspace = foldName(t[in + 1]);
        if (f.partition.empty()) f.partition = f.dbspace;
        out.push_back(std::move(f));
        i = in + 2;
        if (i < t.size() && t[i].isSymbol(",")) ++i;
    }
    return out;
}

int writeFragments(sqlite3* db, long long tabid, const std::vector<DeclaredFragment>& fragments) {
    int rc = SQLITE_OK;
    std::int64_t evalpos = 0;
    for (const auto& f : fragments) {
        if (rc != SQLITE_OK) break;
        rc = run(db, "INSERT INTO sysfragments (fragtype, tabid, colno, partn, strategy, location, evalpos, exprtext, "
                     "flags, dbspace, levels, npused, nrows, clust, partition) "
                     "VALUES ('T', ?, 0, ?, ?, 'L', ?, ?, 0, ?, 0, 0, 0, 0, ?)",
                 {std::int64_t{tabid}, std::int64_t{tabid * 65536 + evalpos + 1}, std::string(1, f.strategy), evalpos,
                  f.strategy == 'E' ? Bound{f.expression} : Bound{}, f.dbspace, f.partition});
        ++evalpos;
    }
    return rc;
}

}  // namespace ifxsim::catalog
