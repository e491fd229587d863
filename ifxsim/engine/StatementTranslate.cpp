#include "engine/StatementTranslate.h"

#include <algorithm>

#include "ifxesqlc.h"

namespace ifxsim {

namespace {

using Tokens = std::vector<Token>;

// Builds the SQLite text token by token, remembering where each came from.
class Emitter {
public:
    explicit Emitter(std::string_view source) : source_(source) {}

    void token(const Token& t) {
        if (t.kind == TokenKind::String) raw(sqlQuote(t.text), t.offset);
        else raw(source_.substr(t.offset, t.length), t.offset);
    }
    void name(const Token& t) { raw(t.kind == TokenKind::Word ? foldName(t) : quoteIdent(t.text), t.offset); }
    void raw(std::string_view text, std::size_t origin) {
        if (!out_.sql.empty()) out_.sql += ' ';
        out_.offsets.emplace_back(out_.sql.size(), origin);
        out_.sql += text;
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

private:
    std::string_view source_;
    TranslatedStatement out_;
};

bool word(const Tokens& t, std::size_t i, std::string_view kw) { return i < t.size() && t[i].is(kw); }

std::size_t matchingParen(const Tokens& t, std::size_t open) {
    int depth = 0;
    for (std::size_t i = open; i < t.size(); ++i) {
        if (t[i].isSymbol("(")) ++depth;
        else if (t[i].isSymbol(")") && --depth == 0) return i;
    }
    return t.size();
}

// Skips `[database[@server]:][owner.]` and returns the index of the object name.
std::size_t objectNameIndex(const Tokens& t, std::size_t i) {
    std::size_t k = i;
    if (k + 2 < t.size() && t[k + 1].isSymbol("@")) k += 2;
    if (k + 2 < t.size() && t[k + 1].isSymbol(":")) k += 2;
    if (k + 2 < t.size() && t[k + 1].isSymbol(".")) k += 2;
    return k;
}

// Elements of a parenthesised list: [begin, end) token ranges split at top-level commas.
std::vector<std::pair<std::size_t, std::size_t>> listElements(const Tokens& t, std::size_t open, std::size_t close) {
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

bool isTableConstraintStart(const Token& t) {
    return t.is("PRIMARY") || t.is("UNIQUE") || t.is("DISTINCT") || t.is("FOREIGN") || t.is("CHECK") ||
           t.is("CONSTRAINT");
}

// Constraint words of a column or table element, Informix spelling to SQLite's:
// DISTINCT is UNIQUE; "CONSTRAINT name" (written after the constraint) is dropped.
void emitConstraints(Emitter& e, const Tokens& t, std::size_t from, std::size_t to, bool serial) {
    for (std::size_t i = from; i < to; ++i) {
        if (t[i].is("CONSTRAINT") && i + 1 < to) { ++i; continue; }
        if (t[i].is("DISTINCT")) { e.raw("UNIQUE", t[i].offset); continue; }
        // A serial column takes NULL for "next value"; the serial trigger fills it in.
        if (serial && t[i].is("NOT") && word(t, i + 1, "NULL")) { ++i; continue; }
        if (t[i].is("DEFAULT") && i + 1 < to) {
            e.token(t[i]);
            const Token& v = t[i + 1];
            if (v.is("TODAY")) {
                e.raw("(CAST(julianday('now','localtime') - 2415019.5 AS INTEGER))", v.offset);
                ++i;
                continue;
            }
            if (v.is("CURRENT") || v.is("SYSDATE")) {
                e.raw("(strftime('%Y-%m-%d %H:%M:%f','now','localtime'))", v.offset);
                ++i;
                // CURRENT YEAR TO SECOND: the qualifier only shapes the value, fetch cuts it.
                while (i + 1 < to && (t[i + 1].is("YEAR") || t[i + 1].is("MONTH") || t[i + 1].is("DAY") ||
                                      t[i + 1].is("HOUR") || t[i + 1].is("MINUTE") || t[i + 1].is("SECOND") ||
                                      t[i + 1].is("FRACTION") || t[i + 1].is("TO") || t[i + 1].isSymbol("(") ||
                                      t[i + 1].isSymbol(")") || t[i + 1].kind == TokenKind::Number))
                    ++i;
                continue;
            }
            if (v.is("USER") || v.is("DBSERVERNAME") || v.is("SITENAME")) {
                e.raw("NULL", v.offset);
                ++i;
                continue;
            }
            continue;
        }
        e.token(t[i]);
    }
}

TranslateResult translateCreateTable(std::string_view sql, const Tokens& t, const StatementClass& cls) {
    TranslateResult r;
    if (cls.objectToken < 0) {
        r.error = TranslateError{-201, t.size() > 2 ? t[2].offset : sql.size(), {}};
        return r;
    }
    const auto nameIdx = static_cast<std::size_t>(cls.objectToken);
    const std::size_t open = nameIdx + 1;
    if (open >= t.size() || !t[open].isSymbol("(")) {
        r.error = TranslateError{-201, open < t.size() ? t[open].offset : sql.size(), {}};
        return r;
    }
    const std::size_t close = matchingParen(t, open);
    if (close >= t.size()) {
        r.error = TranslateError{-201, sql.size(), {}};
        return r;
    }
    Emitter e(sql);
    TranslatedStatement& out = e.result();
    out.temporary = cls.type == kStmtCreateTempTable;
    out.table = foldName(t[nameIdx]);
    e.raw(out.temporary ? "CREATE TEMP TABLE" : "CREATE TABLE", t[0].offset);
    for (std::size_t i = 1; i < nameIdx; ++i)  // IF NOT EXISTS survives; owner and table kinds do not
        if (t[i].is("IF") || t[i].is("NOT") || t[i].is("EXISTS")) e.token(t[i]);
    e.name(t[nameIdx]);
    e.raw("(", t[open].offset);
    bool first = true;
    for (const auto& [b, end] : listElements(t, open, close)) {
        if (b >= end) continue;
        if (!first) e.raw(",", t[b].offset);
        first = false;
        if (isTableConstraintStart(t[b])) {
            emitConstraints(e, t, b, end, false);
            continue;
        }
        std::size_t k = b + 1;
        TypeDeclError typeError;
        auto type = parseTypeDecl(t, k, &typeError);
        if (!type || k > end) {
            r.error = TranslateError{-201, type ? t[b].offset : typeError.offset, {}};
            return r;
        }
        e.name(t[b]);
        e.raw(sqlQuote(type->text), t[b + 1].offset);
        // CHAR values compare without their trailing blanks, as Informix compares them.
        if (type->code == SQLCHAR || type->code == SQLNCHAR) e.raw("COLLATE RTRIM", t[b + 1].offset);
        const bool serial = type->serial != SerialKind::None;
        if (serial) out.serials.push_back(SerialColumn{foldName(t[b]), type->serial, type->serialStart});
        if (type->code == SQLDATE || type->code == SQLDTIME || type->code == SQLINTERVAL)
            out.normalized.push_back(NormalizedColumn{foldName(t[b]), type->code, type->length});
        emitConstraints(e, t, k, end, serial);
    }
    e.raw(")", t[close].offset);
    // Storage clauses (IN dbspace, EXTENT SIZE, LOCK MODE, WITH NO LOG, FRAGMENT BY…) have no meaning here.
    r.statement = std::move(out);
    return r;
}

TranslateResult translateCreateIndex(std::string_view sql, const Tokens& t, const StatementClass& cls) {
    TranslateResult r;
    Emitter e(sql);
    std::size_t i = 1;
    bool unique = false;
    while (word(t, i, "UNIQUE") || word(t, i, "DISTINCT") || word(t, i, "CLUSTER")) {
        unique = unique || !t[i].is("CLUSTER");
        ++i;
    }
    std::size_t on = i + 1;
    while (on < t.size() && !t[on].is("ON")) ++on;
    const std::size_t table = on + 1 < t.size() ? objectNameIndex(t, on + 1) : t.size();
    const std::size_t open = table + 1;
    if (cls.objectToken < 0 || table >= t.size() || open >= t.size() || !t[open].isSymbol("(")) {
        r.error = TranslateError{-201, on < t.size() ? t[on].offset : sql.size(), {}};
        return r;
    }
    const std::size_t close = matchingParen(t, open);
    if (close >= t.size()) {
        r.error = TranslateError{-201, sql.size(), {}};
        return r;
    }
    e.raw(unique ? "CREATE UNIQUE INDEX" : "CREATE INDEX", t[0].offset);
    e.name(t[static_cast<std::size_t>(cls.objectToken)]);
    e.raw("ON", t[on].offset);
    e.name(t[table]);
    e.range(t, open, close + 1);  // USING/IN/FILLFACTOR after the column list do not apply
    r.statement = std::move(e.result());
    return r;
}

// Copies the statement, dropping the owner part of the object's name (the
// stand-in keeps one owner per database) and trailing words SQLite lacks.
TranslateResult copyWithObject(std::string_view sql, const Tokens& t, const StatementClass& cls,
                               std::size_t stopAt) {
    TranslateResult r;
    Emitter e(sql);
    const int obj = cls.objectToken;
    for (std::size_t i = 0; i < std::min(stopAt, t.size()); ++i) {
        if (obj >= 0) {
            const auto o = static_cast<std::size_t>(obj);
            // skip "db:" "owner." in front of the object name
            if (i < o && objectNameIndex(t, i) == o && i + 1 < o) { i = o - 1; continue; }
            if (i == o) { e.name(t[i]); continue; }
        }
        e.token(t[i]);
    }
    r.statement = std::move(e.result());
    return r;
}

TranslateResult translateRename(std::string_view sql, const Tokens& t, const StatementClass& cls) {
    TranslateResult r;
    Emitter e(sql);
    const std::size_t to = cls.objectToken >= 0 ? static_cast<std::size_t>(cls.objectToken) + 1 : t.size();
    if (cls.type == kStmtRenameTable && word(t, to, "TO") && to + 1 < t.size()) {
        e.raw("ALTER TABLE", t[0].offset);
        e.name(t[to - 1]);
        e.raw("RENAME TO", t[to].offset);
        e.name(t[to + 1]);
    } else if (cls.type == kStmtRenameColumn && to + 1 < t.size() && cls.objectToken >= 2 &&
               t[to - 2].isSymbol(".") && word(t, to, "TO")) {
        // RENAME COLUMN table.old TO new
        e.raw("ALTER TABLE", t[0].offset);
        e.name(t[to - 3]);
        e.raw("RENAME COLUMN", t[to - 1].offset);
        e.name(t[to - 1]);
        e.raw("TO", t[to].offset);
        e.name(t[to + 1]);
    } else if (cls.type == kStmtRenameIndex) {
        r.error = TranslateError{-201, t[0].offset, {}};
        return r;
    } else {
        r.error = TranslateError{-201, to < t.size() ? t[to].offset : sql.size(), {}};
        return r;
    }
    r.statement = std::move(e.result());
    return r;
}

// ALTER TABLE t ADD (c type …, …) / ADD c type / DROP (c, …) / DROP c: one
// SQLite statement per column, joined by ';' for the caller to run in turn.
TranslateResult translateAlterTable(std::string_view sql, const Tokens& t, const StatementClass& cls) {
    TranslateResult r;
    if (cls.objectToken < 0) {
        r.error = TranslateError{-201, sql.size(), {}};
        return r;
    }
    const auto nameIdx = static_cast<std::size_t>(cls.objectToken);
    std::size_t i = nameIdx + 1;
    Emitter e(sql);
    const std::string table = foldName(t[nameIdx]);
    auto columnsOf = [&](std::size_t at) -> std::vector<std::pair<std::size_t, std::size_t>> {
        if (at < t.size() && t[at].isSymbol("(")) {
            const std::size_t close = matchingParen(t, at);
            if (close >= t.size()) return {};
            i = close + 1;
            return listElements(t, at, close);
        }
        std::size_t end = at;
        int depth = 0;
        while (end < t.size() && !(depth == 0 && t[end].isSymbol(","))) {
            if (t[end].isSymbol("(")) ++depth;
            else if (t[end].isSymbol(")")) --depth;
            ++end;
        }
        i = end;
        return {{at, end}};
    };
    bool firstStatement = true;
    bool storageOnly = false;  // clauses that need no SQLite statement
    while (i < t.size()) {
        const Token& verb = t[i];
        if (verb.isSymbol(",")) { ++i; continue; }
        // Storage settings (LOCK MODE, MODIFY NEXT SIZE / EXTENT SIZE) mean nothing here.
        if (verb.is("LOCK") || (verb.is("MODIFY") && (word(t, i + 1, "NEXT") || word(t, i + 1, "EXTENT")))) {
            columnsOf(i + 1);
            storageOnly = true;
            continue;
        }
        if ((verb.is("ADD") || verb.is("DROP")) && word(t, i + 1, "CONSTRAINT")) {
            // Unique and primary-key constraints live as unique indexes named after them.
            const bool add = verb.is("ADD");
            for (const auto& [b, end] : columnsOf(i + 2)) {
                if (b >= end) continue;
                if (!firstStatement) e.raw(";", t[b].offset);
                firstStatement = false;
                if (!add) {
                    e.raw("DROP INDEX IF EXISTS", verb.offset);
                    e.name(t[b]);
                    continue;
                }
                std::size_t k = b;
                if (word(t, k, "PRIMARY") && word(t, k + 1, "KEY")) k += 2;
                else if (word(t, k, "UNIQUE") || word(t, k, "DISTINCT")) k += 1;
                else {
                    r.error = TranslateError{-201, t[b].offset, {}};
                    return r;
                }
                if (k >= end || !t[k].isSymbol("(")) {
                    r.error = TranslateError{-201, k < t.size() ? t[k].offset : sql.size(), {}};
                    return r;
                }
                const std::size_t close = matchingParen(t, k);
                std::string name = "u_" + table;
                if (close + 2 < end + 1 && word(t, close + 1, "CONSTRAINT") && close + 2 < t.size())
                    name = foldName(t[close + 2]);
                else
                    for (std::size_t c = k + 1; c < close; ++c)
                        if (t[c].kind == TokenKind::Word) name += "_" + foldName(t[c]);
                e.raw("CREATE UNIQUE INDEX " + Emitter::quoteIdent(name) + " ON " + Emitter::quoteIdent(table),
                      t[b].offset);
                e.range(t, k, close + 1);
            }
            continue;
        }
        if (!verb.is("ADD") && !verb.is("DROP")) {
            r.error = TranslateError{-201, verb.offset, {}};
            return r;
        }
        const bool add = verb.is("ADD");
        std::size_t at = i + 1;
        if (word(t, at, "COLUMN")) ++at;
        if (add && at < t.size() && (word(t, at, "CONSTRAINT") || word(t, at, "PRIMARY") || word(t, at, "UNIQUE"))) {
            r.error = TranslateError{-201, t[at].offset, {}};
            return r;
        }
        for (const auto& [b, end] : columnsOf(at)) {
            if (b >= end) continue;
            if (!firstStatement) e.raw(";", t[b].offset);
            firstStatement = false;
            e.raw("ALTER TABLE", t[0].offset);
            e.raw(Emitter::quoteIdent(table), t[nameIdx].offset);
            if (!add) {
                e.raw("DROP COLUMN", verb.offset);
                e.name(t[b]);
                continue;
            }
            std::size_t k = b + 1;
            TypeDeclError typeError;
            auto type = parseTypeDecl(t, k, &typeError);
            if (!type || k > end) {
                r.error = TranslateError{-201, typeError.offset, {}};
                return r;
            }
            if (type->serial != SerialKind::None) {
                r.statement.reset();
                r.error = TranslateError{-201, t[b + 1].offset, {}};
                return r;
            }
            e.raw("ADD COLUMN", verb.offset);
            e.name(t[b]);
            e.raw(sqlQuote(type->text), t[b + 1].offset);
            // "BEFORE column" places the column; SQLite appends, which keeps the data intact.
            std::size_t stop = end;
            for (std::size_t j = k; j < end; ++j)
                if (t[j].is("BEFORE")) { stop = j; break; }
            emitConstraints(e, t, k, stop, false);
        }
    }
    if (firstStatement && !storageOnly) {
        r.error = TranslateError{-201, sql.size(), {}};
        return r;
    }
    r.statement = std::move(e.result());
    r.statement->table = table;
    return r;
}


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

// Informix literals SQLite lacks, at token `i`: TODAY, CURRENT [q], DATETIME(…) q,
// INTERVAL(…) q, MDY(m, d, y). Returns the tokens consumed (0: not one of them).
std::size_t emitLiteral(Emitter& e, std::string_view sql, const Tokens& t, std::size_t i, std::size_t to,
                        std::optional<TranslateError>& error);

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
        e.token(tok);
        ++i;
    }
}

std::size_t emitLiteral(Emitter& e, std::string_view sql, const Tokens& t, std::size_t i, std::size_t to,
                        std::optional<TranslateError>& error) {
    const Token& w = t[i];
    if (w.kind != TokenKind::Word) return 0;
    const bool member = i > 0 && t[i - 1].isSymbol(".");
    const bool call = i + 1 < to && t[i + 1].isSymbol("(");
    if (member) return 0;
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

TranslateResult generic(std::string_view sql, const Tokens& t) {
    TranslateResult r;
    Emitter e(sql);
    std::optional<TranslateError> error;
    emitTokens(e, sql, t, 0, t.size(), error);
    if (error) r.error = error;
    else r.statement = std::move(e.result());
    return r;
}

// SELECT [SKIP n] [FIRST n | LIMIT n] [UNIQUE] … [FOR UPDATE [OF …] | FOR READ ONLY]:
// SKIP/FIRST become LIMIT/OFFSET at the end, UNIQUE is DISTINCT, and the
// locking clauses have nothing to do on SQLite.
TranslateResult translateSelect(std::string_view sql, const Tokens& t) {
    std::size_t select = 0;
    int depth = 0;
    for (; select < t.size(); ++select) {
        if (t[select].isSymbol("(")) ++depth;
        else if (t[select].isSymbol(")")) --depth;
        else if (depth == 0 && t[select].is("SELECT")) break;
    }
    if (select >= t.size()) return generic(sql, t);
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
    std::optional<TranslateError> error;
    emitTokens(e, sql, t, 0, select + 1, error);
    if (unique) e.raw("DISTINCT", t[select].offset);
    emitTokens(e, sql, t, i, end, error);
    if (!first.empty() || !skip.empty())
        e.raw("LIMIT " + (first.empty() ? std::string("-1") : first) + (skip.empty() ? "" : " OFFSET " + skip),
              end < t.size() ? t[end].offset : sql.size());
    if (error) r.error = error;
    else r.statement = std::move(e.result());
    return r;
}


}  // namespace

std::size_t TranslatedStatement::originalOffset(std::size_t translatedOffset) const {
    // The start of the copied token that holds the position: SQLite points at
    // token starts, and a rewritten token has no finer counterpart.
    std::size_t best = 0;
    for (const auto& [out, in] : offsets) {
        if (out > translatedOffset) break;
        best = in;
    }
    return best;
}

std::string foldName(const Token& token) {
    return token.kind == TokenKind::Word ? toLowerAscii(token.text) : token.text;
}

std::string sqlQuote(std::string_view text) {
    std::string q = "'";
    for (char c : text) {
        if (c == '\'') q += '\'';
        q += c;
    }
    return q + "'";
}

TranslateResult translateStatement(std::string_view sql, const std::vector<Token>& t, const StatementClass& cls) {
    switch (cls.type) {
    case kStmtSelect:
        return translateSelect(sql, t);
    case kStmtCreateTable:
    case kStmtCreateTempTable:
        return translateCreateTable(sql, t, cls);
    case kStmtCreateIndex:
        return translateCreateIndex(sql, t, cls);
    case kStmtDropTable: {
        // DROP TABLE t [CASCADE|RESTRICT]
        const std::size_t stop = cls.objectToken >= 0 ? static_cast<std::size_t>(cls.objectToken) + 1 : t.size();
        auto r = copyWithObject(sql, t, cls, stop);
        if (r.statement && cls.objectToken >= 0) r.statement->table = foldName(t[static_cast<std::size_t>(cls.objectToken)]);
        return r;
    }
    case kStmtRenameTable:
    case kStmtRenameColumn:
    case kStmtRenameIndex:
        return translateRename(sql, t, cls);
    case kStmtTruncate: {
        TranslateResult r;
        if (cls.objectToken < 0) {
            r.error = TranslateError{-201, sql.size(), {}};
            return r;
        }
        Emitter e(sql);
        e.raw("DELETE FROM", t[0].offset);
        e.name(t[static_cast<std::size_t>(cls.objectToken)]);
        r.statement = std::move(e.result());
        return r;
    }
    case kStmtCreateSynonym: {
        // CREATE [PUBLIC|PRIVATE] SYNONYM s FOR t: a view standing for the table.
        TranslateResult r;
        const std::size_t forAt = cls.objectToken >= 0 ? static_cast<std::size_t>(cls.objectToken) + 1 : t.size();
        if (!word(t, forAt, "FOR") || forAt + 1 >= t.size()) {
            r.error = TranslateError{-201, forAt < t.size() ? t[forAt].offset : sql.size(), {}};
            return r;
        }
        Emitter e(sql);
        e.raw("CREATE VIEW", t[0].offset);
        e.name(t[forAt - 1]);
        e.raw("AS SELECT * FROM", t[forAt].offset);
        e.name(t[objectNameIndex(t, forAt + 1)]);
        r.statement = std::move(e.result());
        return r;
    }
    case kStmtDropSynonym: {
        TranslateResult r;
        Emitter e(sql);
        e.raw("DROP VIEW", t[0].offset);
        if (cls.objectToken < 0) {
            r.error = TranslateError{-201, sql.size(), {}};
            return r;
        }
        e.name(t[static_cast<std::size_t>(cls.objectToken)]);
        r.statement = std::move(e.result());
        return r;
    }
    case kStmtAlterTable:
        return translateAlterTable(sql, t, cls);
    case kStmtDelete:
    case kStmtDeleteAll:
        if (t.size() > 1 && !t[1].is("FROM")) {
            // Informix lets DELETE go without FROM.
            TranslateResult r;
            Emitter e(sql);
            e.raw("DELETE FROM", t[0].offset);
            std::optional<TranslateError> error;
            emitTokens(e, sql, t, 1, t.size(), error);
            if (error) r.error = error;
            else r.statement = std::move(e.result());
            return r;
        }
        return generic(sql, t);
    case kStmtUpdateStatistics: {
        TranslateResult r;
        Emitter e(sql);
        e.raw("ANALYZE", t[0].offset);
        r.statement = std::move(e.result());
        return r;
    }
    case kStmtCreateView: {
        // WITH CHECK OPTION has no SQLite counterpart; the view itself is the same.
        std::size_t stop = t.size();
        if (stop >= 3 && t[stop - 3].is("WITH") && t[stop - 2].is("CHECK") && t[stop - 1].is("OPTION")) stop -= 3;
        TranslateResult r;
        Emitter e(sql);
        e.range(t, 0, stop);
        r.statement = std::move(e.result());
        return r;
    }
    default:
        return generic(sql, t);
    }
}

}  // namespace ifxsim
