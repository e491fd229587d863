#include "engine/StatementErrors.h"

#include <sqlite3.h>

#include <cstdlib>
#include <memory>

#include "engine/CheckTypes.h"
#include "engine/ConstraintNames.h"
#include "engine/Errors.h"
#include "engine/Interrupt.h"
#include "engine/ValuesFunctions.h"

namespace ifxsim {

namespace {

bool startsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

std::string after(const std::string& s, const char* prefix) { return s.substr(std::string(prefix).size()); }

// "main.t" → "t": SQLite names the schema, Informix does not.
std::string withoutSchema(std::string name) {
    for (const char* schema : {"main.", "temp."})
        if (startsWith(name, schema)) name = after(name, schema);
    return name;
}

// Offset of the first word token spelled `name` (its last dotted part).
int offsetOfName(const std::vector<Token>& tokens, const std::string& name) {
    const auto dot = name.rfind('.');
    const std::string last = dot == std::string::npos ? name : name.substr(dot + 1);
    for (const auto& t : tokens)
        if ((t.kind == TokenKind::Word || t.kind == TokenKind::String) && equalsNoCase(t.text, last))
            return static_cast<int>(t.offset);
    return -1;
}

int sqliteOffset(sqlite3* db, const TranslatedStatement* translated) {
    const int at = sqlite3_error_offset(db);
    if (at < 0 || !translated) return -1;
    return static_cast<int>(translated->originalOffset(static_cast<std::size_t>(at)));
}

struct StmtDeleter {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};

// Unique failures: -239 for a CREATE UNIQUE INDEX (named by the index), -268
// for a UNIQUE or PRIMARY KEY constraint of the table.
int reportUnique(sqlite3* db, const std::string& detail) {
    // detail: "t.a, t.b"
    const auto dot = detail.find('.');
    const std::string table = dot == std::string::npos ? detail : detail.substr(0, dot);
    std::string indexName;
    std::string origin;
    sqlite3_stmt* raw = nullptr;
    const std::string sql =
        "SELECT l.name, l.origin, group_concat(i.name, ',') FROM pragma_index_list(?1) l, "
        "pragma_index_info(l.name) i WHERE l.\"unique\" GROUP BY l.name";
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &raw, nullptr) == SQLITE_OK) {
        std::unique_ptr<sqlite3_stmt, StmtDeleter> s(raw);
        sqlite3_bind_text(raw, 1, table.c_str(), -1, SQLITE_TRANSIENT);
        // The columns SQLite names, in index order, without the table prefix.
        std::string wanted;
        std::size_t pos = 0;
        while (pos < detail.size()) {
            auto comma = detail.find(", ", pos);
            std::string part = detail.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos);
            const auto d = part.find('.');
            if (!wanted.empty()) wanted += ',';
            wanted += d == std::string::npos ? part : part.substr(d + 1);
            if (comma == std::string::npos) break;
            pos = comma + 2;
        }
        while (sqlite3_step(raw) == SQLITE_ROW) {
            const auto* cols = reinterpret_cast<const char*>(sqlite3_column_text(raw, 2));
            if (cols && equalsNoCase(cols, wanted)) {
                indexName = reinterpret_cast<const char*>(sqlite3_column_text(raw, 0));
                origin = reinterpret_cast<const char*>(sqlite3_column_text(raw, 1));
                break;
            }
        }
    }
    if (origin == "c") return SetError(-239, indexName, err::kIsamDuplicate);
    return SetError(-268, detail, err::kIsamDuplicate);
}

int lockError(StatementPhase phase) {
    switch (phase) {
    case StatementPhase::Insert: return SetError(-271, {}, -107);
    case StatementPhase::Update: return SetError(-346, {}, -107);
    case StatementPhase::Delete: return SetError(-240, {}, -107);
    default: return SetError(-244, {}, -107);
    }
}

}  // namespace

int reportSqliteError(sqlite3* db, int rc, const RequestGuard& guard, StatementPhase phase,
                      const std::vector<Token>& tokens, const TranslatedStatement* translated) {
    // Constraint kinds are told apart by SQLite's extended code.
    if (db && (sqlite3_extended_errcode(db) & 0xff) == (rc & 0xff)) rc = sqlite3_extended_errcode(db);
    const int primary = rc & 0xff;
    if (primary == SQLITE_INTERRUPT || guard.stopRequested()) return guard.failInterrupted();
    const std::string message = db ? sqlite3_errmsg(db) : "";
    if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED) return lockError(phase);
    if (startsWith(message, kFunctionErrorPrefix)) return SetError(std::atoi(after(message, kFunctionErrorPrefix).c_str()));
    if (primary == SQLITE_NOMEM) return SetError(-208);
    if (primary == SQLITE_CONSTRAINT) {
        if (rc == SQLITE_CONSTRAINT_UNIQUE || rc == SQLITE_CONSTRAINT_PRIMARYKEY)
            return reportUnique(db, after(message, "UNIQUE constraint failed: "));
        if (rc == SQLITE_CONSTRAINT_NOTNULL) return SetError(-391, after(message, "NOT NULL constraint failed: "));
        if (rc == SQLITE_CONSTRAINT_CHECK) {
            const std::string name =
                startsWith(message, "CHECK constraint failed: ") ? after(message, "CHECK constraint failed: ") : "";
            return SetError(-530, checkConstraintName(db, untypedCheckText(name), tokens));
        }
        if (rc == SQLITE_CONSTRAINT_FOREIGNKEY) return SetError(-525, referenceConstraintName(db, tokens));
        return SetError(-271);
    }
    auto named = [&](const char* prefix, int code, int isam) {
        const std::string name = withoutSchema(after(message, prefix));
        int offset = sqliteOffset(db, translated);
        if (offset < 0) offset = offsetOfName(tokens, name);
        return SetError(code, name, isam, offset);
    };
    if (startsWith(message, "no such table: ")) return named("no such table: ", -206, err::kIsamNoRecord);
    if (startsWith(message, "no such view: ")) return named("no such view: ", -206, err::kIsamNoRecord);
    if (startsWith(message, "no such column: ")) return named("no such column: ", -217, 0);
    if (startsWith(message, "ambiguous column name: ")) return named("ambiguous column name: ", -324, 0);
    if (startsWith(message, "no such index: ")) return named("no such index: ", -319, 0);
    if (startsWith(message, "no such function: ")) return named("no such function: ", -674, 0);
    if (startsWith(message, "table ") && message.find(" already exists") != std::string::npos) {
        std::string name = message.substr(6, message.find(" already exists") - 6);
        if (name.size() > 1 && name.front() == '"') name = name.substr(1, name.size() - 2);
        return SetError(-310, withoutSchema(name), 0, offsetOfName(tokens, withoutSchema(name)));
    }
    if (startsWith(message, "index ") && message.find(" already exists") != std::string::npos) {
        const std::string name = message.substr(6, message.find(" already exists") - 6);
        return SetError(-316, name, 0, offsetOfName(tokens, name));
    }
    if (message.find("values for") != std::string::npos || message.find("values were supplied") != std::string::npos)
        return SetError(-236, {}, 0, sqliteOffset(db, translated));
    if (primary == SQLITE_MISMATCH || message.find("datatype mismatch") != std::string::npos) return SetError(-1213);
    // Anything else SQLite refuses to compile is a syntax error at its position.
    if (phase == StatementPhase::Prepare || primary == SQLITE_ERROR) {
        int offset = sqliteOffset(db, translated);
        // A statement that stops short is wrong at its end.
        if (offset < 0 && message.find("incomplete input") != std::string::npos && !tokens.empty())
            offset = static_cast<int>(tokens.back().end());
        if (offset < 0) offset = 0;
        return SetError(-201, {}, 0, offset);
    }
    return SetError(-271);
}

}  // namespace ifxsim
