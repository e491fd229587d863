#include "engine/CollectionLiterals.h"

#include <algorithm>

#include "engine/CollectionTypes.h"
#include "ifxesqlc.h"

namespace ifxsim {

namespace {

Token synthetic(const Token& at, TokenKind kind, const char* text) {
    Token t = at;
    t.kind = kind;
    t.length = 0;  // a token the rewrite put in: emitted as its text
    t.quote = 0;
    t.text = text;
    return t;
}

const char* constructorFunction(const Token& w) {
    if (w.is("SET")) return "ifx_set";
    if (w.is("MULTISET")) return "ifx_multiset";
    if (w.is("LIST")) return "ifx_list";
    return nullptr;
}

}  // namespace

bool rewriteCollectionConstructors(const std::vector<Token>& t, std::vector<Token>& out) {
    bool any = false;
    out = t;
    for (std::size_t i = 0; i + 1 < out.size(); ++i) {
        const Token& w = t[i];
        if (w.kind != TokenKind::Word) continue;
        if (const char* f = constructorFunction(w); f && t[i + 1].isSymbol("{")) {
            out[i] = synthetic(w, TokenKind::Word, f);
            out[i + 1] = synthetic(t[i + 1], TokenKind::Symbol, "(");
            any = true;
        } else if (w.is("ROW") && t[i + 1].isSymbol("(") && !(i > 0 && (t[i - 1].is("AS") || t[i - 1].isSymbol("::")))) {
            out[i] = synthetic(w, TokenKind::Word, "ifx_row");
            any = true;
        }
    }
    // "x [NOT] IN column": is x an element of the collection in that column? Only in
    // queries and changes of rows: elsewhere IN names a dbspace or a lock mode.
    const bool rows = !t.empty() && (t[0].is("SELECT") || t[0].is("INSERT") || t[0].is("UPDATE") ||
                                     t[0].is("DELETE") || (t[0].is("CREATE") && t.size() > 1 && t[1].is("VIEW")));
    for (std::size_t i = 0; rows && i + 1 < out.size(); ++i) {
        if (!t[i].is("IN") || t[i + 1].isSymbol("(")) continue;
        std::size_t last = i + 1;  // the column, perhaps qualified (t.col)
        while (last + 2 < t.size() && t[last + 1].isSymbol(".")) last += 2;
        const Token& column = t[last];
        const bool identifier =
            column.kind == TokenKind::Word || (column.kind == TokenKind::String && column.quote == '"');
        if (!identifier || (last + 1 < t.size() && t[last + 1].isSymbol("("))) continue;
        out[i] = synthetic(t[i], TokenKind::Word, "IN (SELECT value FROM json_each(ifx_elements(");
        std::string qualified;  // the column as written, qualifier included
        for (std::size_t k = i + 1; k <= last; ++k)
            qualified += t[k].kind == TokenKind::String ? "\"" + t[k].text + "\"" : t[k].text;
        std::string name = column.kind == TokenKind::String ? "\"" + column.text + "\"" : column.text;
        out[last] = synthetic(column, TokenKind::Word, "");
        // A NULL collection answers neither IN nor NOT IN: the NULL row makes the result unknown.
        out[last].text = name + ")) UNION ALL SELECT NULL WHERE " + qualified + " IS NULL)";
        any = true;
        i = last;
    }
    // The braces the tokenizer kept close the constructors.
    for (std::size_t i = 0; i < out.size(); ++i)
        if (out[i].isSymbol("}") && out[i].length != 0) {
            out[i] = synthetic(t[i], TokenKind::Symbol, ")");
            any = true;
        }
    return any;
}

namespace {

// The token that closes the bracket opened at `open` ("(" or "{"), or `end`.
std::size_t closing(const std::vector<Token>& t, std::size_t open, std::size_t end) {
    int depth = 0;
    for (std::size_t k = open; k < end; ++k) {
        if (t[k].isSymbol("(") || t[k].isSymbol("{")) ++depth;
        else if ((t[k].isSymbol(")") || t[k].isSymbol("}")) && --depth == 0) return k;
    }
    return end;
}

// The complex type written at tokens[at, end) and nothing after it.
std::optional<IfxType> complexTypeAt(const std::vector<Token>& t, std::size_t at, std::size_t end) {
    std::size_t k = at;
    auto type = parseTypeDecl(t, k);
    if (!type || !type->isComplex() || k != end) return std::nullopt;
    return type;
}

}  // namespace

std::optional<IfxType> complexExpressionType(const std::vector<Token>& t, std::size_t begin, std::size_t end) {
    end = std::min(end, t.size());
    if (begin + 1 >= end) return std::nullopt;
    const Token& w = t[begin];
    if (constructorFunction(w) && t[begin + 1].isSymbol("{") && closing(t, begin + 1, end) == end - 1) {
        IfxType type;
        type.code = w.is("SET") ? SQLSET : w.is("MULTISET") ? SQLMULTISET : SQLLIST;
        type.length = kCollectionLength;
        type.text = toUpperAscii(w.text);
        return type;
    }
    if (w.is("ROW") && t[begin + 1].isSymbol("(") && closing(t, begin + 1, end) == end - 1) {
        IfxType type;
        type.code = SQLROW;
        type.length = kCollectionLength;  // the fields' types are not declared here
        type.text = "ROW";
        return type;
    }
    if (w.is("CAST") && t[begin + 1].isSymbol("(") && closing(t, begin + 1, end) == end - 1) {
        int depth = 0;
        for (std::size_t k = begin + 2; k < end - 1; ++k) {
            if (t[k].isSymbol("(")) ++depth;
            else if (t[k].isSymbol(")")) --depth;
            else if (depth == 0 && t[k].is("AS")) return complexTypeAt(t, k + 1, end - 1);
        }
        return std::nullopt;
    }
    // x::type: the last top-level "::" names the type.
    int depth = 0;
    std::size_t cast = end;
    for (std::size_t k = begin; k < end; ++k) {
        if (t[k].isSymbol("(") || t[k].isSymbol("{")) ++depth;
        else if (t[k].isSymbol(")") || t[k].isSymbol("}")) --depth;
        else if (depth == 0 && t[k].isSymbol("::")) cast = k;
    }
    return cast < end ? complexTypeAt(t, cast + 1, end) : std::nullopt;
}

}  // namespace ifxsim
