#include "engine/StatementTranslate.h"

#include "engine/StatementEmitter.h"

#include "engine/CollectionLiterals.h"

#include <algorithm>

#include "ifxesqlc.h"

namespace ifxsim {

namespace {

using namespace translate;

// A table constraint, not a column that happens to be named `primary`, `check`…:
// the constraint words are followed by KEY or by their column list.
bool isTableConstraintStart(const Tokens& t, std::size_t i) {
    const bool next = i + 1 < t.size();
    if (t[i].is("PRIMARY") || t[i].is("FOREIGN")) return next && t[i + 1].is("KEY");
    if (t[i].is("UNIQUE") || t[i].is("DISTINCT") || t[i].is("CHECK")) return next && t[i + 1].isSymbol("(");
    return t[i].is("CONSTRAINT");
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
            if (v.is("USER")) {
                e.raw("(ifx_session_user())", v.offset);
                ++i;
                continue;
            }
            if (v.is("DBSERVERNAME") || v.is("SITENAME")) {
                e.raw("(ifx_server_name())", v.offset);
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
        if (isTableConstraintStart(t, b)) {
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
        if ((type->code == SQLDECIMAL || type->code == SQLMONEY) && PRECDEC(type->length) != DECFLOATSCALE)
            out.normalized.push_back(NormalizedColumn{foldName(t[b]), type->code, PRECDEC(type->length)});
        if (type->code == SQLCHAR || type->code == SQLNCHAR || type->code == SQLLVARCHAR)
            out.normalized.push_back(NormalizedColumn{foldName(t[b]), type->code, type->length});
        if (type->code == SQLVCHAR || type->code == SQLNVCHAR)
            out.normalized.push_back(NormalizedColumn{foldName(t[b]), type->code, type->length & 0xff});
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
    bool unclosed = false;  // a list whose ")" never comes: the statement ends inside it
    auto columnsOf = [&](std::size_t at) -> std::vector<std::pair<std::size_t, std::size_t>> {
        if (at < t.size() && t[at].isSymbol("(")) {
            const std::size_t close = matchingParen(t, at);
            if (close >= t.size()) {
                unclosed = true;
                i = t.size();
                return {};
            }
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
                // FOREIGN KEY and CHECK are written into the table's definition after the
                // statement; dropped constraints are taken out before it (SchemaDropConstraints).
                if (!add || word(t, b, "FOREIGN") || word(t, b, "CHECK")) {
                    storageOnly = true;
                    continue;
                }
                if (!firstStatement) e.raw(";", t[b].offset);
                firstStatement = false;
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
                if (close >= end) {
                    r.error = TranslateError{-201, close < t.size() ? t[close].offset : sql.size(), {}};
                    return r;
                }
                std::string name = "u_" + table;
                if (close + 2 < end + 1 && word(t, close + 1, "CONSTRAINT") && close + 2 < t.size())
                    // CONSTRAINT [owner.]name
                    name = foldName(t[close + 4 < end && t[close + 3].isSymbol(".") ? close + 4 : close + 2]);
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
    if (unclosed || (firstStatement && !storageOnly)) {
        r.error = TranslateError{-201, sql.size(), {}};
        return r;
    }
    r.statement = std::move(e.result());
    r.statement->table = table;
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
    // SET{…}, LIST{…}, ROW(…) in values and conditions; in table definitions ROW(…) is a type.
    if (std::vector<Token> constructed; cls.type != kStmtCreateTable && cls.type != kStmtCreateTempTable &&
                                        cls.type != kStmtAlterTable && rewriteCollectionConstructors(t, constructed))
        return translateStatement(sql, constructed, cls);
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
        // The owner of the view's name goes (one owner per database here); the rest is
        // read as any statement is, so owner prefixes and Informix literals in it work too.
        const std::size_t obj = cls.objectToken >= 0 ? static_cast<std::size_t>(cls.objectToken) : 0;
        if (obj >= 2 && t[obj - 1].isSymbol(".")) e.range(t, 0, obj - 2);
        else e.range(t, 0, obj);
        std::optional<TranslateError> error;
        emitTokens(e, sql, t, obj, stop, error);
        if (error) r.error = error;
        else r.statement = std::move(e.result());
        return r;
    }
    default:
        return generic(sql, t);
    }
}

}  // namespace ifxsim
