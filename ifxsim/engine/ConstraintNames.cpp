#include "engine/ConstraintNames.h"

#include <sqlite3.h>

#include <cctype>
#include <memory>

namespace ifxsim {

namespace {

struct Finalize {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Stmt = std::unique_ptr<sqlite3_stmt, Finalize>;

Stmt prepare(sqlite3* db, const char* sql) {
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &raw, nullptr) != SQLITE_OK) {
        sqlite3_finalize(raw);
        return nullptr;
    }
    return Stmt(raw);
}

std::string column(sqlite3_stmt* s, int i) {
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(s, i));
    return p ? p : "";
}

// Text compared without blanks and case: the catalog keeps the check as
// written, SQLite as the translator spaced it.
std::string squeezed(const std::string& text) {
    std::string out;
    for (char c : text)
        if (!std::isspace(static_cast<unsigned char>(c))) out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool namesTable(const std::vector<Token>& tokens, const std::string& table) {
    for (const auto& t : tokens)
        if ((t.kind == TokenKind::Word || t.kind == TokenKind::String) && equalsNoCase(t.text, table)) return true;
    return false;
}

// The table an INSERT INTO / UPDATE / DELETE FROM acts on (its last dotted part).
std::string statementTable(const std::vector<Token>& tokens) {
    for (std::size_t i = 0; i + 1 < tokens.size(); ++i) {
        if (!(tokens[i].is("INTO") || tokens[i].is("UPDATE") || tokens[i].is("FROM"))) continue;
        std::size_t k = i + 1;
        while (k + 2 < tokens.size() && (tokens[k + 1].isSymbol(".") || tokens[k + 1].isSymbol(":") ||
                                         tokens[k + 1].isSymbol("@")))
            k += 2;
        return toLowerAscii(tokens[k].text);
    }
    return {};
}

}  // namespace

std::string checkConstraintName(sqlite3* db, const std::string& detail, const std::vector<Token>& tokens) {
    if (!db) return detail;
    Stmt s = prepare(db,
                     "SELECT c.constrname, t.tabname, k.checktext FROM sysconstraints c "
                     "JOIN systables t ON t.tabid = c.tabid JOIN syschecks k ON k.constrid = c.constrid "
                     "WHERE c.constrtype = 'C' AND k.type = 'T' ORDER BY c.constrid, k.seqno");
    if (!s) return detail;
    const std::string wanted = squeezed(detail);
    std::string name, table, text, found;
    auto consider = [&] {
        if (name.empty()) return;
        // The catalog keeps "(amount >= 0)" where SQLite quotes "amount >= 0".
        std::string body = squeezed(text);
        if (body.size() >= 2 && body.front() == '(' && body.back() == ')') body = body.substr(1, body.size() - 2);
        if ((body == wanted || squeezed(text) == wanted || name == detail) && (found.empty() || namesTable(tokens, table)))
            found = name;
    };
    while (sqlite3_step(s.get()) == SQLITE_ROW) {
        const std::string rowName = column(s.get(), 0);
        if (rowName != name) {
            consider();
            name = rowName;
            table = column(s.get(), 1);
            text.clear();
        }
        text += column(s.get(), 2);
    }
    consider();
    return found.empty() ? detail : found;
}

std::string referenceConstraintName(sqlite3* db, const std::vector<Token>& tokens) {
    const std::string table = statementTable(tokens);
    if (!db || table.empty()) return {};
    const bool deleting = !tokens.empty() && tokens[0].is("DELETE");
    const char* own =
        "SELECT c.constrname FROM sysconstraints c JOIN systables t ON t.tabid = c.tabid "
        "WHERE c.constrtype = 'R' AND t.tabname = ?1 ORDER BY c.constrid";
    const char* pointing =
        "SELECT c.constrname FROM sysreferences r JOIN sysconstraints c ON c.constrid = r.constrid "
        "JOIN systables p ON p.tabid = r.ptabid WHERE p.tabname = ?1 ORDER BY c.constrid";
    const char* const order[] = {deleting ? pointing : own, deleting ? nullptr : pointing};
    for (const char* sql : order) {
        if (!sql) continue;
        Stmt s = prepare(db, sql);
        if (!s) continue;
        sqlite3_bind_text(s.get(), 1, table.c_str(), -1, SQLITE_TRANSIENT);
        if (sqlite3_step(s.get()) == SQLITE_ROW) return column(s.get(), 0);
    }
    return {};
}

}  // namespace ifxsim
