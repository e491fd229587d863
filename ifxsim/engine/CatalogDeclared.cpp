#include "engine/CatalogDeclared.h"

#include "engine/StatementEmitter.h"
#include "engine/StatementTokenizer.h"
#include "engine/StatementTranslate.h"

namespace ifxsim::catalog {

namespace {

using ifxsim::translate::matchingParen;  // the ')' closing the '(' at `open`, or t.size()

std::vector<std::string> namesIn(const std::vector<Token>& t, std::size_t open, std::size_t close) {
    std::vector<std::string> names;
    for (std::size_t i = open + 1; i < close; ++i)
        if (t[i].kind == TokenKind::Word) names.push_back(foldName(t[i]));
    return names;
}

// One element of the column list: a column definition or a table constraint.
void readElement(std::string_view sql, const std::vector<Token>& t, std::size_t b, std::size_t e,
                 std::vector<DeclaredConstraint>& out) {
    const bool tableLevel = t[b].is("PRIMARY") || t[b].is("UNIQUE") || t[b].is("DISTINCT") ||
                            t[b].is("FOREIGN") || t[b].is("CHECK") || t[b].is("CONSTRAINT");
    const std::vector<std::string> column = tableLevel ? std::vector<std::string>{} : std::vector{foldName(t[b])};
    const std::size_t firstOfElement = out.size();
    std::string pending;  // "CONSTRAINT name" written before its constraint
    auto add = [&](char type, std::vector<std::string> columns, std::string check = {}) {
        out.push_back(DeclaredConstraint{type, std::move(columns), std::move(pending), std::move(check)});
        pending.clear();
    };
    for (std::size_t i = tableLevel ? b : b + 1; i < e; ++i) {
        const Token& w = t[i];
        if (w.is("CONSTRAINT") && i + 1 < e) {
            if (i + 3 < e && t[i + 2].isSymbol(".")) i += 2;  // owner.name: the owner is the table's
            const std::string name = foldName(t[++i]);
            // Informix style: the name follows the constraint it names.
            if (out.size() > firstOfElement && out.back().name.empty() && (i + 1 >= e || !t[i + 1].is("PRIMARY")))
                out.back().name = name;
            else
                pending = name;
            continue;
        }
        const bool hasList = i + 1 < e && t[i + 1].isSymbol("(");
        if (w.is("NOT") && i + 1 < e && t[i + 1].is("NULL")) {
            ++i;
            if (!tableLevel) add('N', column);
        } else if (w.is("PRIMARY") && i + 1 < e && t[i + 1].is("KEY")) {
            ++i;
            if (tableLevel && i + 1 < e && t[i + 1].isSymbol("(")) {
                const std::size_t close = matchingParen(t, i + 1);
                add('P', namesIn(t, i + 1, close));
                i = close;
            } else {
                add('P', column);
            }
        } else if (w.is("UNIQUE") || w.is("DISTINCT")) {
            if (tableLevel && hasList) {
                const std::size_t close = matchingParen(t, i + 1);
                add('U', namesIn(t, i + 1, close));
                i = close;
            } else {
                add('U', column);
            }
        } else if (w.is("FOREIGN") && i + 2 < e && t[i + 2].isSymbol("(")) {
            const std::size_t close = matchingParen(t, i + 2);
            add('R', namesIn(t, i + 2, close));
            i = close;
        } else if (w.is("REFERENCES")) {
            if (!tableLevel) add('R', column);
            if (i + 2 < e && t[i + 2].isSymbol("(")) i = matchingParen(t, i + 2);
        } else if (w.is("CHECK") && hasList) {
            const std::size_t close = matchingParen(t, i + 1);
            if (close >= e) break;
            const std::size_t from = t[i + 1].offset;
            add('C', {}, std::string(sql.substr(from, t[close].end() - from)));
            i = close;
        }
    }
}

}  // namespace

std::vector<DeclaredConstraint> declaredConstraints(std::string_view createTable) {
    std::vector<DeclaredConstraint> out;
    const auto t = StatementTokenizer::tokenize(createTable);
    std::size_t open = 0;
    while (open < t.size() && !t[open].isSymbol("(")) ++open;
    const std::size_t close = matchingParen(t, open);
    if (close >= t.size()) return out;
    std::size_t b = open + 1;
    int depth = 0;
    for (std::size_t i = open + 1; i <= close; ++i) {
        if (t[i].isSymbol("(")) ++depth;
        else if (t[i].isSymbol(")") && i != close) --depth;
        if (i == close || (depth == 0 && t[i].isSymbol(","))) {
            if (b < i) readElement(createTable, t, b, i, out);
            b = i + 1;
        }
    }
    return out;
}

std::vector<DeclaredConstraint> addedConstraints(std::string_view alterTable) {
    std::vector<DeclaredConstraint> out;
    const auto t = StatementTokenizer::tokenize(alterTable);
    for (std::size_t i = 0; i + 2 < t.size(); ++i) {
        if (!t[i].is("ADD") || !t[i + 1].is("CONSTRAINT")) continue;
        // ADD CONSTRAINT (element, element) or ADD CONSTRAINT element [, next clause]
        const bool list = t[i + 2].isSymbol("(");
        const std::size_t b = list ? i + 3 : i + 2;
        const std::size_t end = list ? matchingParen(t, i + 2) : t.size();
        std::size_t from = b;
        int depth = 0;
        std::size_t k = b;
        for (; k < end; ++k) {
            if (t[k].isSymbol("(")) ++depth;
            else if (t[k].isSymbol(")")) --depth;
            else if (depth == 0 && t[k].isSymbol(",")) {
                if (from < k) readElement(alterTable, t, from, k, out);
                from = k + 1;
                if (!list) break;  // the comma ends this clause
            }
        }
        if (k >= end && from < end) readElement(alterTable, t, from, end, out);
        i = k;
    }
    return out;
}

}  // namespace ifxsim::catalog
