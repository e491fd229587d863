#include "engine/CheckTypes.h"

#include <sqlite3.h>

#include <cctype>
#include <map>
#include <optional>
#include <vector>

#include "engine/CatalogDb.h"
#include "engine/StatementTokenizer.h"
#include "engine/StatementTranslate.h"
#include "engine/TypeDecl.h"
#include "ifxesqlc.h"

namespace ifxsim {

namespace {

using catalog::run;
using catalog::scalar;
using catalog::text;

struct Replacement {
    std::size_t offset = 0;
    std::size_t length = 0;
    std::string text;
};

// How a value of the column's type is brought to its stored form; empty when it needs nothing.
std::string wrapper(const IfxType& type, const std::string& operand) {
    const std::string q = std::to_string(type.length);
    switch (type.code) {
    case SQLDATE: return "ifx_date(" + operand + ")";
    case SQLDTIME: return "ifx_datetime(" + operand + ", " + q + ")";
    case SQLINTERVAL: return "ifx_interval(" + operand + ", " + q + ")";
    case SQLDECIMAL: case SQLMONEY: return "CAST(" + operand + " AS REAL)";
    default: return {};
    }
}

bool isComparison(const Token& t) {
    return t.isSymbol("=") || t.isSymbol("==") || t.isSymbol("<") || t.isSymbol(">") || t.isSymbol("<=") ||
           t.isSymbol(">=") || t.isSymbol("<>") || t.isSymbol("!=");
}

class CheckRewriter {
public:
    CheckRewriter(const std::vector<Token>& t, const std::map<std::string, IfxType>& columns)
        : t_(t), columns_(columns) {}

    void group(std::size_t open, std::size_t close, std::vector<Replacement>& out) {
        for (std::size_t i = open + 1; i < close; ++i) {
            if (alreadyWrapped(i)) continue;
            if (const IfxType* type = columnAt(i)) {
                out.push_back({t_[i].offset, t_[i].length, wrapper(*type, sourceOf(i))});
            } else if (t_[i].kind == TokenKind::String && t_[i].quote == '\'') {
                if (const IfxType* near = comparedColumn(i, open, close))
                    out.push_back({t_[i].offset, t_[i].length, wrapper(*near, sqlQuote(t_[i].text))});
            }
        }
    }

private:
    std::string sourceOf(std::size_t i) const {
        const Token& k = t_[i];
        return k.kind == TokenKind::String ? "\"" + k.text + "\"" : k.text;
    }

    // A column of one of the converted types, not a function name or a qualified part.
    const IfxType* columnAt(std::size_t i) const {
        const Token& k = t_[i];
        const bool identifier = k.kind == TokenKind::Word || (k.kind == TokenKind::String && k.quote == '"');
        if (!identifier) return nullptr;
        if (i + 1 < t_.size() && t_[i + 1].isSymbol("(")) return nullptr;
        if (i > 0 && t_[i - 1].isSymbol(".")) return nullptr;
        const auto it = columns_.find(toLowerAscii(k.text));
        return it == columns_.end() ? nullptr : &it->second;
    }

    // Inside an ifx_…( ) or CAST( ) a rewrite already put there.
    bool alreadyWrapped(std::size_t i) const {
        if (i < 2 || !t_[i - 1].isSymbol("(")) return false;
        const Token& f = t_[i - 2];
        return f.kind == TokenKind::Word && (toLowerAscii(f.text).rfind("ifx_", 0) == 0 || f.is("CAST"));
    }

    // The typed column a quoted literal is compared with: "col op 'x'",
    // "'x' op col", "col [NOT] BETWEEN 'x' AND 'y'", "col [NOT] IN ('x', …)".
    const IfxType* comparedColumn(std::size_t i, std::size_t open, std::size_t close) const {
        if (i + 2 < close && isComparison(t_[i + 1]))
            if (const IfxType* c = columnAt(i + 2)) return c;
        for (std::size_t k = i, steps = 0; k > open + 1 && steps < 16; ++steps) {
            --k;
            const Token& b = t_[k];
            if (const IfxType* c = columnAt(k)) return c;
            const bool joins = isComparison(b) || b.is("BETWEEN") || b.is("AND") || b.is("NOT") || b.is("IN") ||
                               b.isSymbol("(") || b.isSymbol(",") || b.kind == TokenKind::String;
            if (!joins) return nullptr;
            if (b.is("AND") && !betweenBefore(k, open)) return nullptr;
        }
        return nullptr;
    }

    bool betweenBefore(std::size_t andAt, std::size_t open) const {
        return andAt >= open + 3 && t_[andAt - 2].is("BETWEEN");
    }

    const std::vector<Token>& t_;
    const std::map<std::string, IfxType>& columns_;
};

std::map<std::string, IfxType> convertedColumns(sqlite3* db, const std::string& table) {
    std::map<std::string, IfxType> columns;
    run(db, "SELECT name, type FROM pragma_table_info(?)", {table}, [&](sqlite3_stmt* s) {
        if (auto type = parseTypeDecl(text(s, 1)); type && !wrapper(*type, "x").empty())
            columns.emplace(toLowerAscii(text(s, 0)), *type);
    });
    return columns;
}

}  // namespace

std::string typedCheckDefinition(sqlite3* db, const std::string& table, const std::string& definition) {
    const auto columns = convertedColumns(db, table);
    if (columns.empty()) return definition;
    const auto t = StatementTokenizer::tokenize(definition);
    std::vector<Replacement> replacements;
    CheckRewriter rewriter(t, columns);
    for (std::size_t i = 0; i + 1 < t.size(); ++i) {
        if (!t[i].is("CHECK") || !t[i + 1].isSymbol("(")) continue;
        int depth = 0;
        std::size_t close = i + 1;
        for (; close < t.size(); ++close) {
            if (t[close].isSymbol("(")) ++depth;
            else if (t[close].isSymbol(")") && --depth == 0) break;
        }
        if (close >= t.size()) break;
        rewriter.group(i + 1, close, replacements);
        i = close;
    }
    std::string out = definition;
    for (auto r = replacements.rbegin(); r != replacements.rend(); ++r) out.replace(r->offset, r->length, r->text);
    return out;
}

std::string untypedCheckText(std::string_view text) {
    static const char* const openings[] = {"ifx_date(", "ifx_datetime(", "ifx_interval(", "CAST("};
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const char* hit = nullptr;
        for (const char* o : openings)
            if (text.compare(i, std::char_traits<char>::length(o), o) == 0 &&
                (i == 0 || !(std::isalnum(static_cast<unsigned char>(text[i - 1])) || text[i - 1] == '_')))
                hit = o;
        if (!hit) {
            out += text[i++];
            continue;
        }
        // The operand runs to the matching parenthesis; a qualifier after a top-level comma
        // (ifx_datetime, ifx_interval) or " AS REAL" (CAST) goes.
        const std::size_t from = i + std::char_traits<char>::length(hit);
        std::size_t k = from, comma = std::string_view::npos;
        int depth = 1;
        char quote = 0;
        for (; k < text.size(); ++k) {
            const char c = text[k];
            if (quote) {
                if (c == quote) quote = 0;
                continue;
            }
            if (c == '\'' || c == '"') quote = c;
            else if (c == '(') ++depth;
            else if (c == ')' && --depth == 0) break;
            else if (c == ',' && depth == 1) comma = k;
        }
        if (k >= text.size()) {
            out += text.substr(i);
            break;
        }
        std::string_view operand = text.substr(from, k - from);
        const std::string_view hitText(hit);
        if ((hitText == "ifx_datetime(" || hitText == "ifx_interval(") && comma != std::string_view::npos)
            operand = text.substr(from, comma - from);
        else if (hitText == "CAST(") {
            constexpr std::string_view asReal = " AS REAL";
            if (operand.size() < asReal.size() || operand.substr(operand.size() - asReal.size()) != asReal) {
                out += text[i++];  // somebody else's CAST: kept
                continue;
            }
            operand.remove_suffix(asReal.size());
        } else if (hitText != "ifx_date(") {
            out += text[i++];
            continue;
        }
        out += operand;
        i = k + 1;
    }
    return out;
}

int typeCheckConstraints(sqlite3* db, const std::string& table) {
    std::string definition;
    const char* master = "sqlite_schema";
    run(db, "SELECT sql FROM sqlite_schema WHERE type = 'table' AND name = ? COLLATE NOCASE", {table},
        [&](sqlite3_stmt* s) { definition = text(s, 0); });
    if (definition.empty()) {  // a temporary table
        master = "sqlite_temp_schema";
        run(db, "SELECT sql FROM sqlite_temp_schema WHERE type = 'table' AND name = ? COLLATE NOCASE", {table},
            [&](sqlite3_stmt* s) { definition = text(s, 0); });
    }
    if (definition.empty()) return SQLITE_OK;
    const std::string typed = typedCheckDefinition(db, table, definition);
    if (typed == definition) return SQLITE_OK;
    // The rows are untouched: SQLite's documented way is to edit the stored text and bump the version.
    const bool temp = std::string(master) == "sqlite_temp_schema";
    const std::string prefix = temp ? "temp." : "";
    const std::int64_t version = scalar(db, "PRAGMA " + prefix + "schema_version");
    int rc = run(db, "PRAGMA writable_schema = ON");
    if (rc == SQLITE_OK)
        rc = run(db, std::string("UPDATE ") + master + " SET sql = ? WHERE type = 'table' AND name = ? COLLATE NOCASE",
                 {typed, table});
    if (rc == SQLITE_OK) rc = run(db, "PRAGMA " + prefix + "schema_version = " + std::to_string(version + 1));
    const int reset = run(db, "PRAGMA writable_schema = RESET");
    return rc == SQLITE_OK ? reset : rc;
}

}  // namespace ifxsim
