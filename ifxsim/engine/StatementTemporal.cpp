#include "engine/StatementTemporal.h"

#include <string>

#include "engine/DescribeExpr.h"
#include "engine/StatementEmitter.h"
#include "engine/TemporalArith.h"
#include "ifxesqlc.h"

namespace ifxsim::translate {

namespace {

thread_local sqlite3* tTypingDb = nullptr;

std::optional<int> unitOf(const Token& t) {
    if (t.is("YEAR")) return TU_YEAR;
    if (t.is("MONTH")) return TU_MONTH;
    if (t.is("DAY")) return TU_DAY;
    if (t.is("HOUR")) return TU_HOUR;
    if (t.is("MINUTE")) return TU_MINUTE;
    if (t.is("SECOND")) return TU_SECOND;
    return std::nullopt;
}

// Words that shape a statement and never start an operand.
bool isStructural(const Token& t) {
    static constexpr std::string_view words[] = {
        "SELECT", "FROM",  "WHERE", "AND",   "OR",      "NOT",   "AS",     "ON",     "BY",     "GROUP",
        "ORDER",  "HAVING", "UNION", "INTO", "VALUES",  "SET",   "WHEN",   "THEN",   "ELSE",   "END",
        "IS",     "IN",    "LIKE",  "MATCHES", "BETWEEN", "EXISTS", "DISTINCT", "UNIQUE", "ALL", "FIRST",
        "SKIP",   "LIMIT", "INSERT", "UPDATE", "DELETE", "JOIN",  "LEFT",   "OUTER",  "INNER", "ASC",
        "DESC",   "ESCAPE", "FOR",  "UNITS",  "TO",      "WITH",  "CROSS",  "RIGHT",  "FULL",  "MATCH"};
    if (t.kind != TokenKind::Word) return false;
    for (std::string_view w : words)
        if (t.is(w)) return true;
    return false;
}

bool isComparison(const Token& t) {
    return t.kind == TokenKind::Symbol &&
           (t.text == "=" || t.text == "==" || t.text == "<>" || t.text == "!=" || t.text == "<" || t.text == "<=" ||
            t.text == ">" || t.text == ">=");
}

bool isArithmetic(const Token& t) {
    return t.kind == TokenKind::Symbol && (t.text == "+" || t.text == "-" || t.text == "*" || t.text == "/");
}

// A piece of the output with the type of the value it computes.
struct Piece {
    Tokens tokens;
    IfxType type;
    bool typed = false;         // `type` known (typing an operand asks the database, so it waits until needed)
    std::size_t begin = 0, end = 0;  // the operand's own tokens while untyped
    bool textConstant = false;  // a quoted text on its own
    bool hostValue = false;     // a '?' parameter on its own
};

// A value that takes the type of what it is compared with: a quoted text, or
// a host value, which Informix converts to the other side's type first.
bool takesOthersType(const Piece& p) { return p.textConstant || p.hostValue; }

class Rewriter {
public:
    Rewriter(const Tokens& t, sqlite3* db, std::optional<TranslateError>& error) : t_(t), db_(db), error_(error) {}

    Tokens run() {
        Tokens out;
        range(0, t_.size(), out);
        return out;
    }
    bool changed() const { return changed_; }

private:
    const Tokens& t_;
    sqlite3* db_;
    std::optional<TranslateError>& error_;
    bool changed_ = false;
    std::size_t scopeBegin_ = 0, scopeEnd_ = 0;  // the (sub)query whose FROM types the operands
    Tokens scope_;

    Token synth(std::size_t at, TokenKind kind, std::string text) const {
        Token s = t_[at];
        s.kind = kind;
        s.length = 0;
        s.text = std::move(text);
        s.quote = 0;
        return s;
    }
    void call(Tokens& out, std::size_t at, const std::string& name) {
        out.push_back(synth(at, TokenKind::Word, name));
        out.push_back(synth(at, TokenKind::Symbol, "("));
        changed_ = true;
    }
    void argument(Tokens& out, std::size_t at, const std::string& text, TokenKind kind = TokenKind::Number) {
        out.push_back(synth(at, TokenKind::Symbol, ","));
        out.push_back(synth(at, kind, text));
    }
    void close(Tokens& out, std::size_t at) { out.push_back(synth(at, TokenKind::Symbol, ")")); }

    // The qualifier words "q1 TO q2" (with precisions) at i: their end, or i.
    std::size_t qualifierEnd(std::size_t i, std::size_t to, bool interval, IfxType* type = nullptr) const {
        Tokens q{Token{TokenKind::Word, 0, 0, interval ? "INTERVAL" : "DATETIME", 0}};
        q.insert(q.end(), t_.begin() + static_cast<long>(i), t_.begin() + static_cast<long>(to));
        std::size_t k = 0;
        auto parsed = parseTypeDecl(q, k);
        if (!parsed || k <= 1) return i;
        if (type) *type = *parsed;
        return i + k - 1;
    }

    // End (exclusive) of the operand starting at i; i when none starts there.
    std::size_t operandEnd(std::size_t i, std::size_t to) const {
        if (i >= to) return i;
        const Token& k = t_[i];
        std::size_t end = i;
        if (k.isSymbol("(")) {
            end = std::min(matchingParen(t_, i) + 1, to);
        } else if (k.is("CASE")) {
            int depth = 0;
            end = to;
            for (std::size_t j = i; j < to; ++j) {
                if (t_[j].is("CASE")) ++depth;
                else if (t_[j].is("END") && --depth == 0) { end = j + 1; break; }
            }
        } else if (k.kind == TokenKind::Number || k.kind == TokenKind::String || k.kind == TokenKind::Placeholder) {
            end = i + 1;
        } else if (k.kind == TokenKind::Word && !isStructural(k)) {
            const bool callForm = i + 1 < to && t_[i + 1].isSymbol("(");
            if ((k.is("DATETIME") || k.is("INTERVAL")) && callForm) {
                const std::size_t close = std::min(matchingParen(t_, i + 1) + 1, to);
                end = qualifierEnd(close, to, k.is("INTERVAL"));
            } else if (k.is("CURRENT") && !(i + 1 < to && t_[i + 1].is("OF"))) {
                end = qualifierEnd(i + 1, to, false);
            } else {
                std::size_t j = i;
                while (j + 2 < to && t_[j + 1].isSymbol(".") && t_[j + 2].kind == TokenKind::Word) j += 2;
                end = j + 1 < to && t_[j + 1].isSymbol("(") ? std::min(matchingParen(t_, j + 1) + 1, to) : j + 1;
            }
        } else {
            return i;
        }
        if (end + 1 < to && t_[end].is("UNITS") && unitOf(t_[end + 1])) end += 2;
        return end;
    }

    bool isUnits(std::size_t b, std::size_t e) const { return e >= b + 3 && t_[e - 2].is("UNITS"); }
    bool isExtend(std::size_t b, std::size_t e) const {
        return t_[b].is("EXTEND") && b + 1 < e && t_[b + 1].isSymbol("(") && matchingParen(t_, b + 1) == e - 1;
    }

    IfxType typeOf(std::size_t b, std::size_t e) {
        if (!db_) return {};
        if (scope_.empty() || b < scopeBegin_ || e > scopeEnd_) return typeExpression(db_, t_, b, e).type;
        return typeExpression(db_, scope_, b - scopeBegin_, e - scopeBegin_).type;
    }

    // The target qualifier of EXTEND(x [, q1 TO q2]) starting at b.
    int extendQualifier(std::size_t b, std::size_t e, std::size_t& argEnd) const {
        argEnd = e - 1;
        int depth = 0;
        for (std::size_t j = b + 2; j < e - 1; ++j) {
            if (t_[j].isSymbol("(")) ++depth;
            else if (t_[j].isSymbol(")")) --depth;
            else if (depth == 0 && t_[j].isSymbol(",")) {
                argEnd = j;
                IfxType type;
                if (qualifierEnd(j + 1, e - 1, false, &type) == e - 1) return type.length;
                return -1;
            }
        }
        return TU_DTENCODE(TU_YEAR, TU_F3);
    }

    // One operand, its inner expressions rewritten.
    Piece operand(std::size_t b, std::size_t e) {
        Piece p;
        p.begin = b;
        p.end = e;
        p.typed = true;
        p.textConstant = e == b + 1 && t_[b].kind == TokenKind::String;
        p.hostValue = e == b + 1 && t_[b].kind == TokenKind::Placeholder;
        if (isUnits(b, e)) {
            p.type = unitsType(*unitOf(t_[e - 1]));
            call(p.tokens, b, "ifx_units");
            Piece n = operand(b, e - 2);
            p.tokens.insert(p.tokens.end(), n.tokens.begin(), n.tokens.end());
            argument(p.tokens, e - 1, std::to_string(*unitOf(t_[e - 1])));
            close(p.tokens, e - 1);
            return p;
        }
        if (isExtend(b, e)) {
            std::size_t argEnd = e - 1;
            const int qualifier = extendQualifier(b, e, argEnd);
            if (qualifier < 0) {
                error_ = TranslateError{-201, t_[argEnd].offset, {}};
                return p;
            }
            const IfxType inner = typeOf(b + 2, argEnd);
            call(p.tokens, b, "ifx_extend");
            range(b + 2, argEnd, p.tokens);
            argument(p.tokens, b, std::to_string(typeTag(inner)));
            argument(p.tokens, b, std::to_string(qualifier));
            close(p.tokens, e - 1);
            p.type = datetimeType(qualifier);
            return p;
        }
        p.typed = false;
        const Token& first = t_[b];
        if (first.is("SUM") && b + 1 < e && t_[b + 1].isSymbol("(") && matchingParen(t_, b + 1) == e - 1 &&
            !(e < t_.size() && t_[e].is("OVER"))) {
            // SUM of INTERVAL values adds them as intervals.
            const IfxType inner = typeOf(b + 2, e - 1);
            if (inner.code == SQLINTERVAL) {
                call(p.tokens, b, "ifx_interval_sum");
                range(b + 2, e - 1, p.tokens);
                argument(p.tokens, e - 1, std::to_string(inner.length));
                close(p.tokens, e - 1);
                p.type = inner;
                p.typed = true;
                return p;
            }
        }
        if (first.is("TO_CHAR") && b + 1 < e && t_[b + 1].isSymbol("(") && matchingParen(t_, b + 1) == e - 1) {
            // TO_CHAR formats by the type of its first argument, which it is told.
            std::size_t argEnd = b + 2;
            int depth = 0;
            for (; argEnd < e - 1; ++argEnd) {
                if (t_[argEnd].isSymbol("(")) ++depth;
                else if (t_[argEnd].isSymbol(")")) --depth;
                else if (depth == 0 && t_[argEnd].isSymbol(",")) break;
            }
            const IfxType inner = typeOf(b + 2, argEnd);
            call(p.tokens, b, "ifx_to_char");
            range(b + 2, e - 1, p.tokens);
            argument(p.tokens, e - 1, std::to_string(typeTag(inner)));
            close(p.tokens, e - 1);
            return p;
        }
        if ((first.is("DATETIME") || first.is("INTERVAL") || first.is("CURRENT")) || e == b + 1) {
            p.tokens.insert(p.tokens.end(), t_.begin() + static_cast<long>(b), t_.begin() + static_cast<long>(e));
            return p;
        }
        if (first.isSymbol("(")) {
            p.tokens.push_back(first);
            subquery(b + 1, e - 1, p.tokens);
            p.tokens.push_back(t_[e - 1]);
            return p;
        }
        if (first.is("CASE")) {
            p.tokens.push_back(first);
            range(b + 1, e - 1, p.tokens);
            p.tokens.push_back(t_[e - 1]);
            return p;
        }
        // name(…) or a dotted name: the arguments are expressions of their own.
        std::size_t open = b;
        while (open < e && !t_[open].isSymbol("(")) p.tokens.push_back(t_[open++]);
        if (open < e) {
            p.tokens.push_back(t_[open]);
            range(open + 1, e - 1, p.tokens);
            p.tokens.push_back(t_[e - 1]);
        }
        return p;
    }

    // A parenthesised group: a subquery types its operands by its own FROM.
    void subquery(std::size_t b, std::size_t e, Tokens& out) {
        if (b < e && t_[b].is("SELECT")) {
            const std::size_t saveBegin = scopeBegin_, saveEnd = scopeEnd_;
            Tokens saved = std::move(scope_);
            scopeBegin_ = b;
            scopeEnd_ = e;
            scope_.assign(t_.begin() + static_cast<long>(b), t_.begin() + static_cast<long>(e));
            range(b, e, out);
            scope_ = std::move(saved);
            scopeBegin_ = saveBegin;
            scopeEnd_ = saveEnd;
            return;
        }
        range(b, e, out);
    }

    void ensureType(Piece& p) {
        if (p.typed) return;
        p.type = typeOf(p.begin, p.end);
        p.typed = true;
    }

    Piece combine(Piece a, const Token& op, std::size_t opIndex, Piece b) {
        ensureType(a);
        ensureType(b);
        const TemporalResult r = temporalArithmetic(op.text[0], a.type, b.type);
        if (r.error) {
            error_ = TranslateError{r.error, op.offset, {}};
            return a;
        }
        Piece out;
        out.typed = true;
        if (r.how != TemporalOp::Function) {
            out.tokens = std::move(a.tokens);
            out.tokens.push_back(op);
            out.tokens.insert(out.tokens.end(), b.tokens.begin(), b.tokens.end());
            if (r.how == TemporalOp::Native) out.type = r.type;
            else if (isNumeric(a.type) && isNumeric(b.type)) out.type = typeNamed("DECIMAL(32)");
            return out;
        }
        out.type = r.type;
        call(out.tokens, opIndex, "ifx_temporal");
        out.tokens.push_back(synth(opIndex, TokenKind::String, op.text));
        out.tokens.push_back(synth(opIndex, TokenKind::Symbol, ","));
        out.tokens.insert(out.tokens.end(), a.tokens.begin(), a.tokens.end());
        argument(out.tokens, opIndex, std::to_string(typeTag(a.type)));
        out.tokens.push_back(synth(opIndex, TokenKind::Symbol, ","));
        out.tokens.insert(out.tokens.end(), b.tokens.begin(), b.tokens.end());
        argument(out.tokens, opIndex, std::to_string(typeTag(b.type)));
        argument(out.tokens, opIndex, std::to_string(typeTag(r.type)));
        close(out.tokens, opIndex);
        return out;
    }

    // operand (op operand)* from i: the folded piece; `end` past it.
    Piece chain(std::size_t i, std::size_t to, std::size_t& end) {
        std::vector<Piece> pieces;
        std::vector<std::size_t> ops;
        std::size_t e = operandEnd(i, to);
        pieces.push_back(operand(i, e));
        while (!error_ && e < to && isArithmetic(t_[e])) {
            const std::size_t next = operandEnd(e + 1, to);
            if (next == e + 1) break;
            ops.push_back(e);
            pieces.push_back(operand(e + 1, next));
            e = next;
        }
        end = e;
        if (ops.empty() || error_) return std::move(pieces[0]);
        // * and / first, then + and -, each from the left.
        for (int pass = 0; pass < 2 && !error_; ++pass) {
            for (std::size_t k = 0; k < ops.size() && !error_;) {
                const Token& op = t_[ops[k]];
                const bool multiplicative = op.text == "*" || op.text == "/";
                if (multiplicative != (pass == 0)) { ++k; continue; }
                pieces[k] = combine(std::move(pieces[k]), op, ops[k], std::move(pieces[k + 1]));
                pieces.erase(pieces.begin() + static_cast<long>(k) + 1);
                ops.erase(ops.begin() + static_cast<long>(k));
            }
        }
        return std::move(pieces[0]);
    }

    void wrap(Piece& p, const std::string& function, const std::string& argumentText) {
        Tokens inner = std::move(p.tokens);
        p.tokens.clear();
        call(p.tokens, 0, function);
        for (auto& tok : p.tokens) tok.offset = inner.front().offset;
        p.tokens.insert(p.tokens.end(), inner.begin(), inner.end());
        if (!argumentText.empty()) {
            p.tokens.push_back(inner.front());
            p.tokens.back().kind = TokenKind::Symbol;
            p.tokens.back().length = 0;
            p.tokens.back().text = ",";
            p.tokens.push_back(inner.front());
            p.tokens.back().kind = TokenKind::Number;
            p.tokens.back().length = 0;
            p.tokens.back().text = argumentText;
        }
        p.tokens.push_back(inner.front());
        p.tokens.back().kind = TokenKind::Symbol;
        p.tokens.back().length = 0;
        p.tokens.back().text = ")";
    }

    // Values compared with each other: one DATETIME qualifier (or all DATE)
    // compare as stored, a quoted text or host value converted to it;
    // otherwise through ifx_temporal_key, which puts DATE and DATETIME values
    // on one scale and INTERVALs in one number.
    void harmonize(std::vector<Piece*> pieces) {
        for (Piece* p : pieces) ensureType(*p);
        harmonizeSmallFloat(pieces);
        const IfxType* model = nullptr;
        bool same = true;
        for (Piece* p : pieces) {
            if (takesOthersType(*p) || !isTemporal(p->type)) continue;
            if (!model) model = &p->type;
            else if (p->type.code != model->code || p->type.length != model->length) same = false;
        }
        if (!model) return;
        const IfxType reference = *model;
        if (same && reference.code != SQLINTERVAL) {
            for (Piece* p : pieces) {
                if (!takesOthersType(*p)) continue;
                if (reference.code == SQLDATE) wrap(*p, "ifx_date", "");
                else wrap(*p, "ifx_datetime", std::to_string(reference.length));
            }
            return;
        }
        bool intervals = reference.code == SQLINTERVAL;
        for (Piece* p : pieces)
            if (isTemporal(p->type) && (p->type.code == SQLINTERVAL) != intervals) return;  // left for SQLite
        // A quoted text or host value takes the type of the first temporal value.
        IfxType textType = reference;
        for (Piece* p : pieces) {
            if (takesOthersType(*p)) wrap(*p, "ifx_temporal_key", std::to_string(typeTag(textType)));
            else if (isTemporal(p->type)) wrap(*p, "ifx_temporal_key", std::to_string(typeTag(p->type)));
        }
    }

    // A host value compared with a SMALLFLOAT is first made a SMALLFLOAT, as
    // Informix converts it: the SMALLFLOAT side is taken at the same 4-byte
    // precision, whether its value was stored from a literal (0.1 kept as a
    // double) or from a host variable, so both compare equal.
    void harmonizeSmallFloat(const std::vector<Piece*>& pieces) {
        bool smallFloat = false, host = false;
        for (const Piece* p : pieces) {
            smallFloat = smallFloat || (!takesOthersType(*p) && p->type.code == SQLSMFLOAT);
            host = host || p->hostValue;
        }
        if (!smallFloat || !host) return;
        for (Piece* p : pieces)
            if (p->hostValue || (!p->textConstant && p->type.code == SQLSMFLOAT)) wrap(*p, "ifx_smallfloat", "");
    }

    void append(Tokens& out, const Piece& p) { out.insert(out.end(), p.tokens.begin(), p.tokens.end()); }

    void range(std::size_t from, std::size_t to, Tokens& out) {
        std::size_t i = from;
        bool assignments = false;  // inside UPDATE … SET, where "column = value" assigns
        while (i < to && !error_) {
            if (t_[i].is("SET")) assignments = true;
            else if (t_[i].is("WHERE") || t_[i].is("FROM")) assignments = false;
            if (operandEnd(i, to) == i) {
                out.push_back(t_[i++]);
                continue;
            }
            std::size_t end = i;
            Piece left = chain(i, to, end);
            if (error_) return;
            std::size_t j = end;
            if (j < to && isComparison(t_[j]) && operandEnd(j + 1, to) > j + 1) {
                std::size_t rightEnd = j + 1;
                Piece right = chain(j + 1, to, rightEnd);
                if (error_) return;
                if (!assignments) harmonize({&left, &right});
                append(out, left);
                out.push_back(t_[j]);
                append(out, right);
                i = rightEnd;
                continue;
            }
            const std::size_t in = j < to && t_[j].is("NOT") ? j + 1 : j;
            if (in + 1 < to && t_[in].is("IN") && t_[in + 1].isSymbol("(") && !word(t_, in + 2, "SELECT")) {
                // x [NOT] IN (v1, v2, …): each value compared as in x = v.
                const std::size_t close = std::min(matchingParen(t_, in + 1), to);
                std::vector<Piece> values;
                std::vector<std::size_t> separators;
                std::size_t k = in + 2;
                while (k < close && !error_) {
                    std::size_t valueEnd = k;
                    values.push_back(operandEnd(k, close) > k ? chain(k, close, valueEnd) : Piece{});
                    if (valueEnd >= close || !t_[valueEnd].isSymbol(",")) { k = valueEnd; break; }
                    separators.push_back(valueEnd);
                    k = valueEnd + 1;
                }
                if (error_) return;
                if (k == close && values.size() == separators.size() + 1 && !values.back().tokens.empty()) {
                    std::vector<Piece*> compared{&left};
                    for (auto& v : values) compared.push_back(&v);
                    harmonize(compared);
                    append(out, left);
                    for (std::size_t m = j; m <= in + 1; ++m) out.push_back(t_[m]);
                    for (std::size_t m = 0; m < values.size(); ++m) {
                        if (m) out.push_back(t_[separators[m - 1]]);
                        append(out, values[m]);
                    }
                    if (close < to) out.push_back(t_[close]);
                    i = close + 1;
                    continue;
                }
            }
            const std::size_t between = j < to && t_[j].is("NOT") ? j + 1 : j;
            if (between < to && t_[between].is("BETWEEN") && operandEnd(between + 1, to) > between + 1) {
                std::size_t lowEnd = between + 1;
                Piece low = chain(between + 1, to, lowEnd);
                if (error_) return;
                if (lowEnd < to && t_[lowEnd].is("AND") && operandEnd(lowEnd + 1, to) > lowEnd + 1) {
                    std::size_t highEnd = lowEnd + 1;
                    Piece high = chain(lowEnd + 1, to, highEnd);
                    if (error_) return;
                    harmonize({&left, &low, &high});
                    append(out, left);
                    for (std::size_t k = j; k <= between; ++k) out.push_back(t_[k]);
                    append(out, low);
                    out.push_back(t_[lowEnd]);
                    append(out, high);
                    i = highEnd;
                    continue;
                }
                append(out, left);
                for (std::size_t k = j; k <= between; ++k) out.push_back(t_[k]);
                append(out, low);
                i = lowEnd;
                continue;
            }
            append(out, left);
            i = end;
        }
    }
};

}  // namespace

TypingDatabase::TypingDatabase(sqlite3* db) : previous_(tTypingDb) { tTypingDb = db; }
TypingDatabase::~TypingDatabase() { tTypingDb = previous_; }
sqlite3* TypingDatabase::current() { return tTypingDb; }

bool rewriteTemporal(const Tokens& t, Tokens& out, std::optional<TranslateError>& error) {
    Rewriter rewriter(t, tTypingDb, error);
    Tokens result = rewriter.run();
    if (error || !rewriter.changed()) return false;
    out = std::move(result);
    return true;
}

}  // namespace ifxsim::translate
