#include "engine/StatementSerial.h"

#include <sqlite3.h>

#include <memory>

namespace ifxsim {

namespace {

std::string ident(const std::string& name) {
    std::string q = "\"";
    for (char c : name) {
        if (c == '"') q += '"';
        q += c;
    }
    return q + "\"";
}

struct StmtDeleter {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using StmtPtr = std::unique_ptr<sqlite3_stmt, StmtDeleter>;

thread_local std::int64_t tLastSerial8 = 0;

}  // namespace

std::int64_t lastSerial8() { return tLastSerial8; }
void setLastSerial8(std::int64_t value) { tLastSerial8 = value; }

int installSerials(sqlite3* db, const std::string& table, const std::vector<SerialColumn>& serials, bool temporary) {
    if (serials.empty()) return SQLITE_OK;
    const std::string schema = temporary ? "temp." : "main.";
    std::string sql = "CREATE TABLE IF NOT EXISTS " + schema +
                      "ifxsim_serials (tabname TEXT NOT NULL, colname TEXT NOT NULL, next INTEGER NOT NULL, "
                      "PRIMARY KEY (tabname, colname));";
    for (const auto& s : serials) {
        const std::string where = " WHERE tabname = " + sqlQuote(table) + " AND colname = " + sqlQuote(s.column);
        const std::string trigger = temporary ? "CREATE TEMP TRIGGER " : "CREATE TRIGGER ";
        sql += "INSERT OR REPLACE INTO " + schema + "ifxsim_serials VALUES (" + sqlQuote(table) + ", " +
               sqlQuote(s.column) + ", " + std::to_string(s.start) + ");";
        sql += trigger + ident("ifxsim_serial_" + table + "_" + s.column) + " AFTER INSERT ON " + ident(table) +
               " FOR EACH ROW WHEN NEW." + ident(s.column) + " IS NULL OR NEW." + ident(s.column) + " = 0 BEGIN " +
               "UPDATE " + ident(table) + " SET " + ident(s.column) + " = (SELECT next FROM ifxsim_serials" + where +
               ") WHERE rowid = NEW.rowid; UPDATE ifxsim_serials SET next = next + 1" + where + "; END;";
        sql += trigger + ident("ifxsim_serialx_" + table + "_" + s.column) + " AFTER INSERT ON " + ident(table) +
               " FOR EACH ROW WHEN NEW." + ident(s.column) + " > 0 BEGIN UPDATE ifxsim_serials SET next = NEW." +
               ident(s.column) + " + 1" + where + " AND next <= NEW." + ident(s.column) + "; END;";
    }
    return sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
}

void dropSerials(sqlite3* db, const std::string& table) {
    for (const char* schema : {"main.", "temp."}) {
        const std::string sql = std::string("DELETE FROM ") + schema + "ifxsim_serials WHERE tabname = ?";
        sqlite3_stmt* raw = nullptr;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &raw, nullptr) != SQLITE_OK) {
            sqlite3_finalize(raw);
            continue;  // no serial ever made in that schema
        }
        StmtPtr s(raw);
        sqlite3_bind_text(raw, 1, table.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_step(raw);
    }
}

std::vector<SerialColumnOf> serialColumns(sqlite3* db, const std::string& table) {
    std::vector<SerialColumnOf> columns;
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT name, type FROM pragma_table_info(?)", -1, &raw, nullptr) != SQLITE_OK) {
        sqlite3_finalize(raw);
        return columns;
    }
    StmtPtr s(raw);
    sqlite3_bind_text(raw, 1, table.c_str(), -1, SQLITE_TRANSIENT);
    while (sqlite3_step(raw) == SQLITE_ROW) {
        const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(raw, 0));
        const auto* type = reinterpret_cast<const char*>(sqlite3_column_text(raw, 1));
        if (!name || !type) continue;
        auto parsed = parseTypeDecl(type);
        if (parsed && parsed->serial != SerialKind::None) columns.push_back({name, parsed->serial});
    }
    return columns;
}

InsertedSerials readSerials(sqlite3* db, const std::string& table, const std::vector<SerialColumnOf>& columns,
                            std::int64_t rowid) {
    InsertedSerials out;
    for (const auto& c : columns) {
        const std::string sql = "SELECT " + ident(c.column) + " FROM " + ident(table) + " WHERE rowid = ?";
        sqlite3_stmt* raw = nullptr;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &raw, nullptr) != SQLITE_OK) {
            sqlite3_finalize(raw);
            continue;
        }
        StmtPtr s(raw);
        sqlite3_bind_int64(raw, 1, rowid);
        if (sqlite3_step(raw) != SQLITE_ROW) continue;
        const std::int64_t v = sqlite3_column_int64(raw, 0);
        if (c.kind == SerialKind::Serial) out.serial = static_cast<std::int32_t>(v);
        else out.serial8 = v;
    }
    return out;
}

}  // namespace ifxsim
