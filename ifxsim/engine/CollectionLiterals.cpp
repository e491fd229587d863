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
    // The braces the tokenizer kept close the constructors.
    for (std::size_t i = 0; i < out.size(); ++i)
        if (out[i].isSymbol("}") && out[i].length != 0) {
            out[i] = synthetic(t[i], TokenKind::Symbol, ")");
            any = true;
        }
    return any;
}

}  // namespace ifxsim
