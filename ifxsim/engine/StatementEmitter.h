#pragma once
// The pieces the statement translator is built from: an emitter that writes
// SQLite text token by token and remembers where each piece came from, token
// helpers, and the translation of expressions (Informix literals, qualified
// table names) and of SELECT.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/Env.h"
#include "engine/StatementTranslate.h"

namespace ifxsim::translate {

using Tokens = std::vector<Token>;

// Builds the SQLite text token by token, remembering where each came from.
class Emitter {
public:
    explicit Emitter(std::string_view source) : source_(source), delimitedIdentifiers_(delimitedIdentifiers()) {}

    // In SELECT, INSERT, UPDATE and DELETE the words of isColumnOnlyWord can
    // only be column names (`select default from sysdefaults`).
    void takeColumnWords() { columnWords_ = true; }

    void token(const Token& t) {
        // UNIQUE means DISTINCT right after SELECT and in an aggregate's
        // parenthesis (count(unique x)); elsewhere in a query it is a column.
        if (columnWords_ && t.kind == TokenKind::Word && t.length != 0 && t.is("UNIQUE") && !afterDot_) {
            const bool keyword = lastPiece_ == "(" || toLowerAscii(lastPiece_) == "select";
            raw(keyword ? std::string("DISTINCT") : quoteIdent(foldName(t)), t.offset);
            return;
        }
        // A word right after a "." qualifier is always a column or table name;
        // when SQLite reserves it (sysdefaults' `default`, sysreferences'
        // `primary`) it only reads it quoted.
        if (t.kind == TokenKind::Word && t.length != 0 &&
            ((afterDot_ && isSqliteReservedName(t.text)) || (columnWords_ && isColumnOnlyWord(t.text))))
            raw(quoteIdent(foldName(t)), t.offset);
        // With DELIMIDENT set, "text" is a delimited identifier; without it, a string.
        else if (t.kind == TokenKind::String && t.quote == '"' && delimitedIdentifiers_) raw(quoteIdent(t.text), t.offset);
        else if (t.kind == TokenKind::String) raw(sqlQuote(t.text), t.offset);
        else if (t.length == 0) raw(t.text, t.offset);  // a token a rewrite put in
        else raw(source_.substr(t.offset, t.length), t.offset);
    }
    void name(const Token& t) {
        const bool plain = t.kind == TokenKind::Word && !isSqliteReservedName(t.text);
        raw(plain ? foldName(t) : quoteIdent(t.kind == TokenKind::Word ? foldName(t) : t.text), t.offset);
    }
    void raw(std::string_view text, std::size_t origin) {
        if (!out_.sql.empty()) out_.sql += ' ';
        out_.offsets.emplace_back(out_.sql.size(), origin);
        out_.sql += text;
        afterDot_ = text == ".";
        lastPiece_ = text;
    }
    void range(const Tokens& t, std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to && i < t.size(); ++i) token(t[i]);
    }
    TranslatedStatement& result() { return out_; }

    static std::string quoteIdent(std::string_view text) {
        std::string q = "\"";
        for (char c : text) {
            if (c == '"') q += '"';
            q += c;
        }
        return q + "\"";
    }

    // SQLite keywords it never takes as a bare name, though Informix does.
    static bool isSqliteReservedName(std::string_view word) {
        static constexpr std::string_view reserved[] = {
            "add",     "all",       "alter",     "and",       "as",      "autoincrement", "between", "case",
            "check",   "collate",   "commit",    "constraint", "create", "default",       "deferrable", "delete",
            "distinct", "drop",     "else",      "escape",    "except",  "exists",        "foreign", "from",
            "group",   "having",    "in",        "index",     "insert",  "intersect",     "into",    "is",
            "isnull",  "join",      "limit",     "not",       "notnull", "null",          "on",      "or",
            "order",   "primary",   "references", "returning", "select", "set",           "table",   "then",
            "to",      "transaction", "union",   "unique",    "update",  "using",         "values",  "when",
            "where"};
        const std::string lower = toLowerAscii(word);
        for (std::string_view r : reserved)
            if (lower == r) return true;
        return false;
    }

    // Words SQLite reserves that an Informix SELECT, INSERT, UPDATE or DELETE
    // can only mean as a column name.
    static bool isColumnOnlyWord(std::string_view word) {
        static constexpr std::string_view words[] = {"default", "primary", "references", "check", "constraint",
                                                      "foreign", "autoincrement", "deferrable", "isnull",
                                                      "notnull", "returning", "transaction", "index",
                                                      "add", "alter", "create", "drop", "commit"};
        const std::string lower = toLowerAscii(word);
        for (std::string_view w : words)
            if (lower == w) return true;
        return false;
    }

    // DELIMIDENT in the library's environment (any value but n/N/0).
    static bool delimitedIdentifiers() {
        const auto value = EnvGet("DELIMIDENT");
        return value && *value != "n" && *value != "N" && *value != "0";
    }

private:
    std::string_view source_;
    TranslatedStatement out_;
    bool afterDot_ = false;  // the last piece written was a "." qualifier
    std::string lastPiece_;
    bool delimitedIdentifiers_ = false;
    bool columnWords_ = false;
};

inline bool word(const Tokens& t, std::size_t i, std::string_view kw) { return i < t.size() && t[i].is(kw); }

inline std::size_t matchingParen(const Tokens& t, std::size_t open) {
    int depth = 0;
    for (std::size_t i = open; i < t.size(); ++i) {
        if (t[i].isSymbol("(")) ++depth;
        else if (t[i].isSymbol(")") && --depth == 0) return i;
    }
    return t.size();
}

// Skips `[database[@server]:][owner.]` and returns the index of the object name.
inline std::size_t objectNameIndex(const Tokens& t, std::size_t i) {
    std::size_t k = i;
    if (k + 2 < t.size() && t[k + 1].isSymbol("@")) k += 2;
    if (k + 2 < t.size() && t[k + 1].isSymbol(":")) k += 2;
    if (k + 2 < t.size() && t[k + 1].isSymbol(".")) k += 2;
    return k;
}

// Elements of a parenthesised list: [begin, end) token ranges split at top-level commas.
inline std::vector<std::pair<std::size_t, std::size_t>> listElements(const Tokens& t, std::size_t open, std::size_t close) {
    std::vector<std::pair<std::size_t, std::size_t>> parts;
    int depth = 0;
    std::size_t start = open + 1;
    for (std::size_t i = open + 1; i < close; ++i) {
        if (t[i].isSymbol("(")) ++depth;
        else if (t[i].isSymbol(")")) --depth;
        else if (depth == 0 && t[i].isSymbol(",")) {
            parts.emplace_back(start, i);
            start = i + 1;
        }
    }
    if (start < close) parts.emplace_back(start, close);
    return parts;
}

// Copies tokens[from, to) as SQLite reads them: Informix literals (TODAY,
// CURRENT, DATETIME(…), INTERVAL(…), MDY()) rewritten, database and owner
// prefixes of table names dropped. Sets `error` on a bad literal.
void emitTokens(Emitter& e, std::string_view sql, const Tokens& t, std::size_t from, std::size_t to,
                std::optional<TranslateError>& error);

// The whole statement through emitTokens.
TranslateResult generic(std::string_view sql, const Tokens& t);

// Informix outer joins of the top-level FROM list ("FROM a, OUTER b WHERE
// a.x = b.y") as SQL joins ("FROM a LEFT JOIN b ON a.x = b.y"): each WHERE
// condition that names an outer table becomes part of its join condition.
// Returns false (and leaves `out` alone) when there is no OUTER or the form is
// one it does not take (nested OUTER lists).
bool rewriteOuterJoins(const Tokens& t, Tokens& out);

// SELECT with FIRST/SKIP/LIMIT, UNIQUE and FOR UPDATE/READ ONLY.
TranslateResult translateSelect(std::string_view sql, const Tokens& t);

}  // namespace ifxsim::translate
