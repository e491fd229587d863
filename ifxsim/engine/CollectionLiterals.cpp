#include "engine/CollectionLiterals.h"

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

}  // namespace ifxsim
