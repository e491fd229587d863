// Informix outer joins as SQL joins.
#include <cctype>
#include <string>
#include <vector>

#include "engine/StatementEmitter.h"

namespace ifxsim::translate {

namespace {

struct FromItem {
    bool outer = false;
    std::size_t begin = 0, end = 0;  // tokens of the table reference (OUTER excluded)
    std::string alias;               // the name conditions use for it (alias, else table name)
    std::vector<std::pair<std::size_t, std::size_t>> conditions;
};

Token synthetic(std::string text, std::size_t offset) {
    Token t{};
    t.kind = std::isalpha(static_cast<unsigned char>(text[0])) ? TokenKind::Word
             : std::isdigit(static_cast<unsigned char>(text[0])) ? TokenKind::Number
                                                                 : TokenKind::Symbol;
    t.offset = offset;
    t.length = 0;
    t.text = std::move(text);
    return t;
}

// Where token `i` starts; past the last token (an empty condition, as in a
// text that ends at WHERE), the end of the statement.
std::size_t offsetAt(const std::vector<Token>& t, std::size_t i) {
    if (i < t.size()) return t[i].offset;
    return t.empty() ? 0 : t.back().end();
}

bool clauseEnd(const Token& t) {
    return t.is("WHERE") || t.is("GROUP") || t.is("ORDER") || t.is("HAVING") || t.is("UNION") || t.is("INTO") ||
           t.is("FOR") || t.isSymbol(";");
}

// Top-level AND-separated conditions of [from, to); BETWEEN x AND y stays whole.
std::vector<std::pair<std::size_t, std::size_t>> conjuncts(const Tokens& t, std::size_t from, std::size_t to) {
    std::vector<std::pair<std::size_t, std::size_t>> parts;
    int depth = 0;
    bool between = false;
    std::size_t start = from;
    for (std::size_t i = from; i < to; ++i) {
        if (t[i].isSymbol("(")) ++depth;
        else if (t[i].isSymbol(")")) --depth;
        else if (depth == 0 && t[i].is("BETWEEN")) between = true;
        else if (depth == 0 && t[i].is("AND")) {
            if (between) {
                between = false;
                continue;
            }
            parts.emplace_back(start, i);
            start = i + 1;
        }
    }
    parts.emplace_back(start, to);
    return parts;
}

}  // namespace

bool rewriteTopLevel(const Tokens& t, Tokens& out);

bool rewriteOuterJoins(const Tokens& t, Tokens& out) {
    // Subqueries first: "(SELECT … FROM x, OUTER y …)" anywhere in the statement.
    Tokens spliced;
    bool changed = false;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i].isSymbol("(") && i + 1 < t.size() && t[i + 1].is("SELECT")) {
            const std::size_t close = matchingParen(t, i);
            if (close < t.size()) {
                const Tokens inner(t.begin() + static_cast<long>(i + 1), t.begin() + static_cast<long>(close));
                Tokens rewritten;
                const bool innerChanged = rewriteOuterJoins(inner, rewritten);
                changed = changed || innerChanged;
                spliced.push_back(t[i]);
                const Tokens& use = innerChanged ? rewritten : inner;
                spliced.insert(spliced.end(), use.begin(), use.end());
                spliced.push_back(t[close]);
                i = close;
                continue;
            }
        }
        spliced.push_back(t[i]);
    }
    Tokens top;
    if (rewriteTopLevel(spliced, top)) {
        out = std::move(top);
        return true;
    }
    if (changed) out = std::move(spliced);
    return changed;
}

bool rewriteTopLevel(const Tokens& t, Tokens& out) {
    // The statement's own FROM list.
    int depth = 0;
    std::size_t from = t.size();
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i].isSymbol("(")) ++depth;
        else if (t[i].isSymbol(")")) --depth;
        else if (depth == 0 && t[i].is("FROM")) {
            from = i;
            break;
        }
    }
    if (from >= t.size()) return false;
    std::size_t fromEnd = from + 1;
    depth = 0;
    for (; fromEnd < t.size(); ++fromEnd) {
        if (t[fromEnd].isSymbol("(")) ++depth;
        else if (t[fromEnd].isSymbol(")")) --depth;
        else if (depth == 0 && clauseEnd(t[fromEnd])) break;
    }
    std::vector<FromItem> items;
    bool anyOuter = false;
    for (const auto& [b, e] : listElements(t, from, fromEnd)) {
        FromItem item;
        item.begin = b;
        item.end = e;
        if (b < e && t[b].is("OUTER")) {
            item.outer = true;
            anyOuter = true;
            ++item.begin;
        }
        if (item.begin >= e || t[item.begin].isSymbol("(")) return false;  // OUTER (a, OUTER b): not taken
        const std::size_t name = objectNameIndex(t, item.begin);
        std::size_t aliasAt = name + 1;
        if (aliasAt < e && t[aliasAt].is("AS")) ++aliasAt;
        item.alias = aliasAt < e ? t[aliasAt].text : t[name].text;
        items.push_back(item);
    }
    if (!anyOuter) return false;
    // The WHERE conditions: those naming an outer table join it.
    std::size_t where = fromEnd;
    std::vector<std::pair<std::size_t, std::size_t>> remaining;
    std::size_t whereEnd = where;
    if (where < t.size() && t[where].is("WHERE")) {
        whereEnd = where + 1;
        depth = 0;
        for (; whereEnd < t.size(); ++whereEnd) {
            if (t[whereEnd].isSymbol("(")) ++depth;
            else if (t[whereEnd].isSymbol(")")) --depth;
            else if (depth == 0 && clauseEnd(t[whereEnd]) && !t[whereEnd].is("WHERE")) break;
        }
        for (const auto& part : conjuncts(t, where + 1, whereEnd)) {
            FromItem* owner = nullptr;
            for (std::size_t k = part.first; k + 1 < part.second; ++k) {
                if (t[k].kind != TokenKind::Word || !t[k + 1].isSymbol(".")) continue;
                for (auto& item : items)
                    if (item.outer && equalsNoCase(item.alias, t[k].text)) {
                        // The later outer table in FROM order takes a condition naming two.
                        if (!owner || &item > owner) owner = &item;
                    }
            }
            if (owner) owner->conditions.push_back(part);
            else remaining.push_back(part);
        }
    }
    out.assign(t.begin(), t.begin() + static_cast<long>(from + 1));
    bool first = true;
    for (const auto& item : items) {  // the dominant tables first, as written
        if (item.outer) continue;
        if (!first) out.push_back(synthetic(",", t[item.begin].offset));
        first = false;
        out.insert(out.end(), t.begin() + static_cast<long>(item.begin), t.begin() + static_cast<long>(item.end));
    }
    for (const auto& item : items) {
        if (!item.outer) continue;
        const std::size_t at = t[item.begin].offset;
        out.push_back(synthetic("LEFT", at));
        out.push_back(synthetic("JOIN", at));
        out.insert(out.end(), t.begin() + static_cast<long>(item.begin), t.begin() + static_cast<long>(item.end));
        out.push_back(synthetic("ON", at));
        if (item.conditions.empty()) out.push_back(synthetic("1", at));
        for (std::size_t c = 0; c < item.conditions.size(); ++c) {
            if (c) out.push_back(synthetic("AND", at));
            out.push_back(synthetic("(", offsetAt(t, item.conditions[c].first)));
            out.insert(out.end(), t.begin() + static_cast<long>(item.conditions[c].first),
                       t.begin() + static_cast<long>(item.conditions[c].second));
            out.push_back(synthetic(")", offsetAt(t, item.conditions[c].first)));
        }
    }
    if (!remaining.empty()) {
        out.push_back(t[where]);
        for (std::size_t c = 0; c < remaining.size(); ++c) {
            if (c) out.push_back(synthetic("AND", offsetAt(t, remaining[c].first)));
            out.push_back(synthetic("(", offsetAt(t, remaining[c].first)));
            out.insert(out.end(), t.begin() + static_cast<long>(remaining[c].first),
                       t.begin() + static_cast<long>(remaining[c].second));
            out.push_back(synthetic(")", offsetAt(t, remaining[c].first)));
        }
    }
    out.insert(out.end(), t.begin() + static_cast<long>(whereEnd), t.end());
    return true;
}

}  // namespace ifxsim::translate
