// Expressions and SELECT in the Informix dialect, rewritten for SQLite.
#include <sqlite3.h>

#include <algorithm>

#include "engine/ExactNumbers.h"
#include "engine/StatementEmitter.h"
#include "engine/StatementTemporal.h"
#include "ifxesqlc.h"

namespace ifxsim::translate {

namespace {

// strftime() format of CURRENT with a qualifier: the fields from first to last.
std::string currentFormat(int qualifier) {
    static const char* const field[] = {"%Y", "%m", "%d", "%H", "%M", "%S"};
    static const char* const separator[] = {"", "-", "-", " ", ":", ":"};
    const int first = std::min(TU_START(qualifier), TU_SECOND) / 2;
    const int last = std::min(TU_END(qualifier), TU_SECOND) / 2;
    std::string format;
    for (int f = first; f <= last; ++f) {
        if (f != first) format += separator[f];
        format += field[f];
    }
    // Fractions of a second: SQLite's %f is seconds with three decimals.
    if (TU_END(qualifier) > TU_SECOND && last == 5) format.replace(format.size() - 2, 2, "%f");
    return format;
}

// Where a word can only name a column: the column list of INSERT INTO t (…)
// and the target of an UPDATE … SET assignment.
bool isColumnPosition(const Tokens& t, std::size_t i) {
    if (t.empty()) return false;
    const bool listed = i > 0 && i + 1 < t.size() && (t[i - 1].isSymbol("(") || t[i - 1].isSymbol(",")) &&
                        (t[i + 1].isSymbol(",") || t[i + 1].isSymbol(")"));
    if (t[0].is("INSERT") && listed) {
        int depth = 0;
        for (std::size_t k = i; k-- > 0;) {
            if (t[k].isSymbol(")")) ++depth;
            else if (t[k].isSymbol("(") && depth-- == 0) {
                std::size_t name = k;  // INTO [db:][owner.]table (
                while (name >= 2 && (t[name - 2].isSymbol(".") || t[name - 2].isSymbol(":"))) name -= 2;
                return name >= 2 && t[name - 2].is("INTO");
            }
        }
        return false;
    }
    if (t[0].is("UPDATE") && i + 1 < t.size() && t[i + 1].isSymbol("=") && i > 0 &&
        (t[i - 1].is("SET") || t[i - 1].isSymbol(","))) {
        for (std::size_t k = i; k-- > 0;) {
            if (t[k].is("WHERE")) return false;
            if (t[k].is("SET")) return true;
        }
    }
    return false;
}

// Informix literals SQLite lacks, at token `i`: TODAY, CURRENT [q], DATETIME(…) q,
// INTERVAL(…) q, MDY(m, d, y). Returns the tokens consumed (0: not one of them).
std::size_t emitLiteral(Emitter& e, std::string_view sql, const Tokens& t, std::size_t i, std::size_t to,
                        std::optional<TranslateError>& error);

std::size_t emitLiteral(Emitter& e, std::string_view sql, const Tokens& t, std::size_t i, std::size_t to,
                        std::optional<TranslateError>& error) {
    const Token& w = t[i];
    if (w.kind != TokenKind::Word) return 0;
    const bool member = i > 0 && t[i - 1].isSymbol(".");
    const bool call = i + 1 < to && t[i + 1].isSymbol("(");
    if (member) return 0;
    // Session facts, answered by functions registered on every database handle.
    if (w.is("DBINFO") && call && i + 3 < to && t[i + 2].kind == TokenKind::String && t[i + 3].isSymbol(")")) {
        const std::string what = toLowerAscii(t[i + 2].text);
        const char* function = what == "sessionid" ? "ifx_session_id()"
                               : what == "dbname"  ? "ifx_database_name()"
                               : what == "dbhostname" ? "'localhost'"
                                                      : nullptr;
        if (function) {
            e.raw(std::string("(") + function + ")", w.offset);
            return 4;
        }
    }
    if (w.is("DATE") && call) {  // DATE(expr): the DATE of a text, a DATETIME or a day number
        e.raw("ifx_date", w.offset);
        return 1;
    }
    if (w.is("DECODE") && call) {
        // DECODE(expr, when1, then1, …[, default]): a CASE comparing NULLs as equal.
        const std::size_t close = matchingParen(t, i + 1);
        if (close >= to) return 0;
        const auto args = listElements(t, i + 1, close);
        if (args.size() < 3) {
            error = TranslateError{-201, w.offset, {}};
            return 1;
        }
        auto arg = [&](std::size_t k) {
            e.raw("(", t[args[k].first].offset);
            emitTokens(e, sql, t, args[k].first, args[k].second, error);
            e.raw(")", t[args[k].first].offset);
        };
        e.raw("(CASE", w.offset);
        std::size_t k = 1;
        for (; k + 1 < args.size(); k += 2) {
            e.raw("WHEN", t[args[k].first].offset);
            arg(0);
            e.raw("IS", t[args[k].first].offset);
            arg(k);
            e.raw("THEN", t[args[k + 1].first].offset);
            arg(k + 1);
        }
        if (k < args.size()) {
            e.raw("ELSE", t[args[k].first].offset);
            arg(k);
        }
        e.raw("END)", t[close].offset);
        return close + 1 - i;
    }
    if (w.is("CAST") && call) {
        // CAST(expr AS informix-type): converted the way a column of that type stores it.
        const std::size_t close = matchingParen(t, i + 1);
        if (close >= to) return 0;
        std::size_t as = i + 2;
        int depth = 0;
        for (; as < close; ++as) {
            if (t[as].isSymbol("(")) ++depth;
            else if (t[as].isSymbol(")")) --depth;
            else if (depth == 0 && t[as].is("AS")) break;
        }
        std::size_t k = as + 1;
        TypeDeclError typeError;
        const auto type = as < close ? parseTypeDecl(t, k, &typeError) : std::nullopt;
        if (!type || k != close) {
            error = TranslateError{-201, as < close ? typeError.offset : w.offset, {}};
            return 1;
        }
        const std::string q = std::to_string(type->length);
        std::string open, shut = ")";
        switch (type->code) {
        case SQLDATE: open = "ifx_date("; break;
        case SQLDTIME: open = "ifx_datetime("; shut = ", " + q + ")"; break;
        case SQLINTERVAL: open = "ifx_interval("; shut = ", " + q + ")"; break;
        case SQLSMINT: case SQLINT: case SQLINT8: case SQLINFXBIGINT: case SQLSERIAL: case SQLSERIAL8:
        case SQLBIGSERIAL: open = "CAST("; shut = " AS INTEGER)"; break;
        case SQLFLOAT: case SQLSMFLOAT: open = "CAST("; shut = " AS REAL)"; break;
        case SQLDECIMAL: case SQLMONEY:
            if (PRECDEC(type->length) == DECFLOATSCALE) {
                open = "CAST(";
                shut = " AS NUMERIC)";
            } else {
                open = "round(CAST(";
                shut = " AS NUMERIC), " + std::to_string(PRECDEC(type->length)) + ")";
            }
            break;
        case SQLCHAR: case SQLNCHAR: case SQLVCHAR: case SQLNVCHAR: case SQLLVARCHAR: {
            const int length = type->code == SQLVCHAR || type->code == SQLNVCHAR ? (type->length & 0xff) : type->length;
            open = "substr(CAST(";
            shut = " AS TEXT), 1, " + std::to_string(length) + ")";
            break;
        }
        default: open = "("; break;
        }
        e.raw(open, w.offset);
        emitTokens(e, sql, t, i + 2, as, error);
        e.raw(shut, t[close].offset);
        return close + 1 - i;
    }
    if (w.is("SUM") && call) {  // SUM adds DECIMAL values exactly (a window SUM … OVER stays SQLite's)
        const std::size_t close = matchingParen(t, i + 1);
        if (!(close + 1 < to && t[close + 1].is("OVER"))) {
            e.raw("ifx_sum", w.offset);
            return 1;
        }
    }
    if (w.is("TO_DATE") && call) {
        e.raw("ifx_to_date", w.offset);
        return 1;
    }
    if (w.is("SUBSTRING") && call) {
        // SUBSTRING(x FROM start [FOR length]) is substr(x, start[, length]).
        const std::size_t close = matchingParen(t, i + 1);
        if (close >= to) return 0;
        std::size_t from = close, forAt = close;
        int depth = 0;
        for (std::size_t k = i + 2; k < close; ++k) {
            if (t[k].isSymbol("(")) ++depth;
            else if (t[k].isSymbol(")")) --depth;
            else if (depth == 0 && t[k].is("FROM") && from == close) from = k;
            else if (depth == 0 && t[k].is("FOR") && from < close) forAt = k;
        }
        e.raw("substr(", w.offset);
        emitTokens(e, sql, t, i + 2, from, error);
        if (from < close) {
            e.raw(",", t[from].offset);
            emitTokens(e, sql, t, from + 1, forAt, error);
        }
        if (forAt < close) {
            e.raw(",", t[forAt].offset);
            emitTokens(e, sql, t, forAt + 1, close, error);
        }
        e.raw(")", t[close].offset);
        return close + 1 - i;
    }
    if (w.is("NVL") && call) {  // NVL(a, b): the first value that is not NULL
        e.raw("coalesce", w.offset);
        return 1;
    }
    if (w.is("MATCHES")) {  // SQLite hands "x MATCH p" to the match() function, which is Informix's MATCHES
        e.raw("MATCH", w.offset);
        return 1;
    }
    if (w.is("USER") && !call && !isColumnPosition(t, i)) {  // the login of the session, as in "where grantee = user"
        e.raw("(ifx_session_user())", w.offset);
        return 1;
    }
    if ((w.is("DBSERVERNAME") || w.is("SITENAME")) && !call) {
        e.raw("(ifx_server_name())", w.offset);
        return 1;
    }
    if (w.is("TODAY") && !call) {
        e.raw("(CAST(julianday('now','localtime') - 2415019.5 AS INTEGER))", w.offset);
        return 1;
    }
    if (w.is("CURRENT") && !(i + 1 < to && t[i + 1].is("OF"))) {
        int qualifier = TU_DTENCODE(TU_YEAR, TU_F3);
        std::size_t used = 1;
        Tokens q{Token{TokenKind::Word, w.offset, 0, "DATETIME", 0}};
        q.insert(q.end(), t.begin() + static_cast<long>(i + 1), t.begin() + static_cast<long>(to));
        std::size_t k = 0;
        if (auto type = parseTypeDecl(q, k); type && k > 1) {
            qualifier = type->length;
            used = k;
        }
        e.raw("(strftime('" + currentFormat(qualifier) + "','now','localtime'))", w.offset);
        return used;
    }
    if ((w.is("DATETIME") || w.is("INTERVAL")) && call) {
        const std::size_t close = matchingParen(t, i + 1);
        if (close >= to) return 0;
        std::string text(sql.substr(t[i + 1].end(), t[close].offset - t[i + 1].end()));
        Tokens q{w};
        q.insert(q.end(), t.begin() + static_cast<long>(close + 1), t.begin() + static_cast<long>(to));
        std::size_t k = 0;
        auto type = parseTypeDecl(q, k);
        if (!type) {
            error = TranslateError{-201, close + 1 < t.size() ? t[close + 1].offset : sql.size(), {}};
            return 1;
        }
        char out[64] = {};
        int rc;
        if (w.is("DATETIME")) {
            dtime_t dt{};
            dt.dt_qual = static_cast<int2>(type->length);
            rc = dtcvasc(text.data(), &dt);
            if (rc == 0) rc = dttoasc(&dt, out);
        } else {
            intrvl_t iv{};
            iv.in_qual = static_cast<int2>(type->length);
            rc = incvasc(text.data(), &iv);
            if (rc == 0) rc = intoasc(&iv, out);
        }
        if (rc != 0) {
            error = TranslateError{rc, t[i + 1].offset, {}};
            return 1;
        }
        e.raw(sqlQuote(out), w.offset);
        return (close + 1 - i) + (k - 1);
    }
    if (w.is("MDY") && call) {
        // MDY(m, d, y): the day number of that date.
        const std::size_t close = matchingParen(t, i + 1);
        if (close >= to) return 0;
        const auto args = listElements(t, i + 1, close);
        if (args.size() != 3) {
            error = TranslateError{-201, w.offset, {}};
            return 1;
        }
        e.raw("(CAST(julianday(printf('%04d-%02d-%02d', (", w.offset);
        emitTokens(e, sql, t, args[2].first, args[2].second, error);
        e.raw("), (", t[args[0].first].offset);
        emitTokens(e, sql, t, args[0].first, args[0].second, error);
        e.raw("), (", t[args[1].first].offset);
        emitTokens(e, sql, t, args[1].first, args[1].second, error);
        e.raw("))) - 2415019.5 AS INTEGER))", t[close].offset);
        return close + 1 - i;
    }
    return 0;
}

// A '-' at `i` is a sign (not a subtraction) when nothing it could subtract from precedes it.
bool isSignPosition(const Tokens& t, std::size_t i) {
    if (i == 0) return true;
    const Token& p = t[i - 1];
    if (p.kind == TokenKind::Symbol) return !p.isSymbol(")");
    if (p.kind != TokenKind::Word) return false;
    for (const char* w : {"SELECT", "THEN", "ELSE", "WHEN", "AND", "OR", "NOT", "BETWEEN", "IS", "VALUES", "RETURN"})
        if (p.is(w)) return true;
    return false;
}

// End (exclusive) of the operand that starts at `i`: signs, then a
// parenthesised group, a CASE … END, a function call, a (dotted) name or a
// single literal.
std::size_t operandEnd(const Tokens& t, std::size_t i, std::size_t to) {
    while (i < to && (t[i].isSymbol("-") || t[i].isSymbol("+"))) ++i;
    if (i >= to) return to;
    if (t[i].isSymbol("(")) return std::min(matchingParen(t, i) + 1, to);
    if (t[i].is("CASE")) {
        int depth = 0;
        for (std::size_t k = i; k < to; ++k) {
            if (t[k].is("CASE")) ++depth;
            else if (t[k].is("END") && --depth == 0) return k + 1;
        }
        return to;
    }
    if (t[i].kind == TokenKind::Word) {
        std::size_t k = i;
        while (k + 2 < to && t[k + 1].isSymbol(".") && t[k + 2].kind == TokenKind::Word) k += 2;
        if (k + 1 < to && t[k + 1].isSymbol("(")) return std::min(matchingParen(t, k + 1) + 1, to);
        // DATETIME(…) q / INTERVAL(…) q literals: the qualifier words belong to the operand.
        return k + 1;
    }
    return i + 1;
}

}  // namespace

void emitTokens(Emitter& e, std::string_view sql, const Tokens& t, std::size_t from, std::size_t to,
                std::optional<TranslateError>& error) {
    // Table names may carry "database:" and "owner." (stores:informix.customer);
    // the stand-in has one owner space per database, so only the table remains.
    bool fromList = false;
    for (std::size_t i = from; i < to && i < t.size() && !error;) {
        const Token& tok = t[i];
        if (tok.is("FROM")) fromList = true;
        else if (tok.is("WHERE") || tok.is("GROUP") || tok.is("ORDER") || tok.is("HAVING") || tok.is("UNION") ||
                 tok.is("SET") || tok.is("VALUES") || tok.is("SELECT") || tok.is("ON") || tok.isSymbol("(") ||
                 tok.isSymbol(")"))
            fromList = false;
        const bool tablePosition =
            i > 0 && (t[i - 1].is("FROM") || t[i - 1].is("JOIN") || t[i - 1].is("INTO") || t[i - 1].is("UPDATE") ||
                      t[i - 1].is("OUTER") || t[i - 1].is("TABLE") || (fromList && t[i - 1].isSymbol(",")));
        if (tablePosition && (tok.kind == TokenKind::Word || tok.kind == TokenKind::String)) {
            const std::size_t name = objectNameIndex(t, i);
            // The server's sessions (sysmaster:informix.syssessions) are a table of the engine's own.
            if (name < to && equalsNoCase(t[name].text, "syssessions")) {
                e.raw("ifx_syssessions", t[i].offset);
                i = name + 1;
                continue;
            }
            if (name > i && name < to) {
                e.name(t[name]);
                i = name + 1;
                continue;
            }
        }
        if (const std::size_t used = emitLiteral(e, sql, t, i, to, error)) {
            i += used;
            continue;
        }
        if (tok.isSymbol("/") && i + 1 < to) {
            // Informix divides exactly and refuses a zero divisor (-1202); SQLite
            // cuts integer quotients and answers NULL. ifx_divisor() gives the
            // divisor as a real number and raises the error for zero.
            const std::size_t end = operandEnd(t, i + 1, to);
            e.token(tok);
            e.raw("ifx_divisor(", t[i + 1].offset);
            emitTokens(e, sql, t, i + 1, end, error);
            e.raw(")", end < t.size() ? t[end].offset : sql.size());
            i = end;
            continue;
        }
        // A DECIMAL literal with more digits than a REAL keeps goes in exactly.
        if (tok.kind == TokenKind::Number && needsExactStorage(tok.text)) {
            e.raw(exactLiteral(tok.text), tok.offset);
            ++i;
            continue;
        }
        if (tok.isSymbol("-") && i + 1 < to && t[i + 1].kind == TokenKind::Number && needsExactStorage(t[i + 1].text) &&
            isSignPosition(t, i)) {
            e.raw(exactLiteral("-" + t[i + 1].text), tok.offset);
            i += 2;
            continue;
        }
        e.token(tok);
        ++i;
    }
}

// "expr::type" as "CAST(expr AS type)", so the CAST rule above serves both.
bool rewriteDoubleColonCasts(const Tokens& t, Tokens& out) {
    bool any = false;
    for (const auto& tok : t) any = any || tok.isSymbol("::");
    if (!any) return false;
    out = t;
    for (std::size_t k = 0; k < out.size(); ++k) {
        if (!out[k].isSymbol("::") || k == 0) continue;
        // The operand ends right before "::": a group or call, a (dotted) name, or a literal.
        std::size_t start = k - 1;
        if (out[start].isSymbol(")")) {
            int depth = 0;
            for (std::size_t j = start + 1; j-- > 0;) {
                if (out[j].isSymbol(")")) ++depth;
                else if (out[j].isSymbol("(") && --depth == 0) { start = j; break; }
            }
            if (start > 0 && out[start - 1].kind == TokenKind::Word) --start;
        } else {
            while (start >= 2 && out[start - 1].isSymbol(".") && out[start - 2].kind == TokenKind::Word) start -= 2;
        }
        // The type runs over the words and parentheses that parseTypeDecl takes.
        std::size_t typeEnd = k + 1;
        if (!parseTypeDecl(out, typeEnd)) continue;  // not a type: left for SQLite to refuse
        Token castWord = out[start];
        castWord.kind = TokenKind::Word;
        castWord.length = 0;
        castWord.text = "CAST";
        Token open = out[start];
        open.kind = TokenKind::Symbol;
        open.length = 0;
        open.text = "(";
        Token as = out[k];
        as.kind = TokenKind::Word;
        as.length = 0;
        as.text = "AS";
        Token close = out[typeEnd - 1];
        close.kind = TokenKind::Symbol;
        close.length = 0;
        close.text = ")";
        out[k] = as;
        out.insert(out.begin() + static_cast<long>(typeEnd), close);
        out.insert(out.begin() + static_cast<long>(start), {castWord, open});
        k = typeEnd + 2;
    }
    return true;
}

TranslateResult generic(std::string_view sql, const Tokens& original) {
    Tokens casted;
    const Tokens& source = rewriteDoubleColonCasts(original, casted) ? casted : original;
    TranslateResult r;
    std::optional<TranslateError> error;
    Tokens temporal;
    const Tokens& t = rewriteTemporal(source, temporal, error) ? temporal : source;
    if (error) {
        r.error = error;
        return r;
    }
    Emitter e(sql);
    if (!t.empty() && (t[0].is("SELECT") || t[0].is("INSERT") || t[0].is("UPDATE") || t[0].is("DELETE")))
        e.takeColumnWords();
    emitTokens(e, sql, t, 0, t.size(), error);
    if (error) r.error = error;
    else r.statement = std::move(e.result());
    return r;
}

// A plain query of one table (no join, grouping, aggregate, DISTINCT or set
// operation) can deliver each row's row id for sqlerrd[5]: the position of
// its FROM, where ", _rowid_" goes, or t.size() when it cannot.
static std::size_t rowidPosition(const Tokens& t, std::size_t list, std::size_t end) {
    sqlite3* db = TypingDatabase::current();
    if (!db || (list < end && t[list].is("DISTINCT"))) return t.size();
    int depth = 0;
    std::size_t from = t.size();
    for (std::size_t k = list; k < end; ++k) {
        if (t[k].isSymbol("(")) ++depth;
        else if (t[k].isSymbol(")")) --depth;
        else if ((t[k].is("COUNT") || t[k].is("SUM") || t[k].is("AVG") || t[k].is("MIN") || t[k].is("MAX")) &&
                 k + 1 < end && t[k + 1].isSymbol("("))
            return t.size();
        else if (depth == 0 && from == t.size() && t[k].is("FROM")) from = k;
        else if (depth == 0 && from < t.size() &&
                 (t[k].isSymbol(",") || t[k].is("JOIN") || t[k].is("GROUP") || t[k].is("HAVING") ||
                  t[k].is("UNION") || t[k].is("INTERSECT") || t[k].is("EXCEPT") || t[k].is("INTO")))
            return t.size();
    }
    if (from + 1 >= end || (t[from + 1].kind != TokenKind::Word && t[from + 1].kind != TokenKind::String))
        return t.size();
    // Views and synonyms have no row ids; only a table of the database gives them.
    const std::string name = foldName(t[objectNameIndex(t, from + 1)]);
    sqlite3_stmt* probe = nullptr;
    bool table = false;
    if (sqlite3_prepare_v2(db,
                           "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?1 COLLATE NOCASE "
                           "UNION ALL SELECT 1 FROM sqlite_temp_master WHERE type = 'table' AND name = ?1 COLLATE NOCASE",
                           -1, &probe, nullptr) == SQLITE_OK) {
        sqlite3_bind_text(probe, 1, name.c_str(), -1, SQLITE_TRANSIENT);
        table = sqlite3_step(probe) == SQLITE_ROW;
    }
    sqlite3_finalize(probe);
    return table && name.rfind("sqlite_", 0) != 0 ? from : t.size();
}

// SELECT [SKIP n] [FIRST n | LIMIT n] [UNIQUE] … [FOR UPDATE [OF …] | FOR READ ONLY]:
// SKIP/FIRST become LIMIT/OFFSET at the end, UNIQUE is DISTINCT, and the
// locking clauses have nothing to do on SQLite.
TranslateResult translateSelect(std::string_view sql, const Tokens& original) {
    Tokens casted;
    const Tokens& source = rewriteDoubleColonCasts(original, casted) ? casted : original;
    Tokens joined;
    const Tokens& plain = rewriteOuterJoins(source, joined) ? joined : source;
    std::optional<TranslateError> temporalError;
    Tokens temporal;
    const Tokens& t = rewriteTemporal(plain, temporal, temporalError) ? temporal : plain;
    if (temporalError) return TranslateResult{std::nullopt, temporalError};
    std::size_t select = 0;
    int depth = 0;
    for (; select < t.size(); ++select) {
        if (t[select].isSymbol("(")) ++depth;
        else if (t[select].isSymbol(")")) --depth;
        else if (depth == 0 && t[select].is("SELECT")) break;
    }
    if (select >= t.size()) return generic(sql, plain);
    std::string first, skip;
    std::size_t i = select + 1;
    bool unique = false;
    for (;;) {
        const bool number = i + 1 < t.size() && t[i + 1].kind == TokenKind::Number;
        if (number && t[i].is("SKIP")) { skip = t[i + 1].text; i += 2; continue; }
        if (number && (t[i].is("FIRST") || t[i].is("LIMIT"))) { first = t[i + 1].text; i += 2; continue; }
        if (i < t.size() && t[i].is("UNIQUE")) { unique = true; ++i; continue; }
        break;
    }
    std::size_t end = t.size();
    depth = 0;
    for (std::size_t k = select; k < t.size(); ++k) {
        if (t[k].isSymbol("(")) ++depth;
        else if (t[k].isSymbol(")")) --depth;
        else if (depth == 0 && t[k].is("FOR") && k + 1 < t.size() && (t[k + 1].is("UPDATE") || t[k + 1].is("READ"))) {
            end = k;
            break;
        }
    }
    TranslateResult r;
    Emitter e(sql);
    e.takeColumnWords();
    std::optional<TranslateError> error;
    emitTokens(e, sql, t, 0, select + 1, error);
    if (unique) e.raw("DISTINCT", t[select].offset);
    const std::size_t rowidAt = select == 0 && !unique ? rowidPosition(t, i, end) : t.size();
    if (rowidAt < end) {
        emitTokens(e, sql, t, i, rowidAt, error);
        e.raw(", _rowid_", t[rowidAt].offset);
        emitTokens(e, sql, t, rowidAt, end, error);
    } else {
        emitTokens(e, sql, t, i, end, error);
    }
    if (!first.empty() || !skip.empty())
        e.raw("LIMIT " + (first.empty() ? std::string("-1") : first) + (skip.empty() ? "" : " OFFSET " + skip),
              end < t.size() ? t[end].offset : sql.size());
    if (error) r.error = error;
    else r.statement = std::move(e.result());
    if (r.statement && rowidAt < end) r.statement->rowidColumn = true;
    return r;
}


}  // namespace ifxsim::translate
