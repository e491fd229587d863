// The hidden table of smart large objects and the handle layout.
#include "engine/LargeObjectStore.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstring>

#include "engine/Errors.h"

namespace ifxsim::lo {

namespace {

constexpr char kMagic[8] = {'I', 'F', 'X', 'S', 'I', 'M', 'L', 'O'};

// Finalizes the statement at the end of scope.
struct Stmt {
    sqlite3_stmt* s = nullptr;
    ~Stmt() { sqlite3_finalize(s); }
};

// A null pointer would bind NULL; an empty object is a zero-length blob.
const char* BlobData(std::string_view bytes) { return bytes.empty() ? "" : bytes.data(); }

int StoreFailure(sqlite3* db) { return SetError(kLoError, db ? sqlite3_errmsg(db) : "no database"); }

int EnsureTable(sqlite3* db)
{
    // The "ifxsim_" prefix keeps the table out of the system catalog views.
    const char* sql = "CREATE TABLE IF NOT EXISTS ifxsim_lo (id INTEGER PRIMARY KEY, data BLOB NOT NULL)";
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK ? 0 : StoreFailure(db);
}

}  // namespace

std::uint64_t DatabaseKey(std::string_view databaseFile)
{
    std::uint64_t h = 1469598103934665603ull;  // FNV-1a
    for (unsigned char c : databaseFile) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h == 0 ? 1 : h;  // 0 stays free to mean "no handle"
}

void EncodeHandle(const Handle& handle, std::string_view databaseName, ifx_lo_t& out)
{
    std::memset(out.lo_data, 0, sizeof out.lo_data);
    std::memcpy(out.lo_data, kMagic, sizeof kMagic);
    std::memcpy(out.lo_data + 8, &handle.size, 8);
    std::memcpy(out.lo_data + 16, &handle.id, 8);
    std::memcpy(out.lo_data + 24, &handle.database, 8);
    const std::size_t n = std::min<std::size_t>(databaseName.size(), sizeof out.lo_data - 32 - 1);
    std::memcpy(out.lo_data + 32, databaseName.data(), n);
}

bool DecodeHandle(const ifx_lo_t& in, Handle& out)
{
    if (std::memcmp(in.lo_data, kMagic, sizeof kMagic) != 0)
        return false;
    std::memcpy(&out.size, in.lo_data + 8, 8);
    std::memcpy(&out.id, in.lo_data + 16, 8);
    std::memcpy(&out.database, in.lo_data + 24, 8);
    return out.id > 0 && out.database != 0;
}

int CreateObject(sqlite3* db, std::string_view bytes, std::int64_t& id)
{
    if (int rc = EnsureTable(db))
        return rc;
    Stmt st;
    if (sqlite3_prepare_v2(db, "INSERT INTO ifxsim_lo (data) VALUES (?1)", -1, &st.s, nullptr) != SQLITE_OK)
        return StoreFailure(db);
    sqlite3_bind_blob64(st.s, 1, BlobData(bytes), bytes.size(), SQLITE_TRANSIENT);
    if (sqlite3_step(st.s) != SQLITE_DONE)
        return StoreFailure(db);
    id = sqlite3_last_insert_rowid(db);
    return 0;
}

int LoadObject(sqlite3* db, std::int64_t id, std::string& bytes)
{
    if (int rc = EnsureTable(db))
        return rc;
    Stmt st;
    if (sqlite3_prepare_v2(db, "SELECT data FROM ifxsim_lo WHERE id = ?1", -1, &st.s, nullptr) != SQLITE_OK)
        return StoreFailure(db);
    sqlite3_bind_int64(st.s, 1, id);
    const int rc = sqlite3_step(st.s);
    if (rc == SQLITE_DONE)
        return SetError(kLoError, {}, kIsamNoRecord);
    if (rc != SQLITE_ROW)
        return StoreFailure(db);
    const auto* data = static_cast<const char*>(sqlite3_column_blob(st.s, 0));
    bytes.assign(data ? data : "", static_cast<std::size_t>(sqlite3_column_bytes(st.s, 0)));
    return 0;
}

int SaveObject(sqlite3* db, std::int64_t id, std::string_view bytes)
{
    if (int rc = EnsureTable(db))
        return rc;
    Stmt st;
    if (sqlite3_prepare_v2(db, "UPDATE ifxsim_lo SET data = ?2 WHERE id = ?1", -1, &st.s, nullptr) != SQLITE_OK)
        return StoreFailure(db);
    sqlite3_bind_int64(st.s, 1, id);
    sqlite3_bind_blob64(st.s, 2, BlobData(bytes), bytes.size(), SQLITE_TRANSIENT);
    if (sqlite3_step(st.s) != SQLITE_DONE)
        return StoreFailure(db);
    return sqlite3_changes(db) == 1 ? 0 : SetError(kLoError, {}, kIsamNoRecord);
}

bool ObjectExists(sqlite3* db, std::int64_t id)
{
    Stmt st;
    if (sqlite3_prepare_v2(db, "SELECT 1 FROM ifxsim_lo WHERE id = ?1", -1, &st.s, nullptr) != SQLITE_OK)
        return false;
    sqlite3_bind_int64(st.s, 1, id);
    return sqlite3_step(st.s) == SQLITE_ROW;
}

}  // namespace ifxsim::lo
