// BLOB/CLOB cells <-> ifx_lo_t handles.
#include "engine/LargeObjectValues.h"

#include <sqlite3.h>

#include <cstring>

#include "engine/Connection.h"
#include "engine/Database.h"
#include "engine/LargeObjectStore.h"

namespace ifxsim::lo {

namespace {

constexpr char kReferenceMagic[8] = {'I', 'F', 'X', 'S', 'I', 'M', 'L', 'O'};
constexpr std::size_t kReferenceSize = 16;

// The open database of the calling thread's connection, or null.
Database* OpenDatabaseOfThread()
{
    Connection* connection = CurrentConnection();
    return connection ? connection->database() : nullptr;
}

}  // namespace

bool IsObjectReference(const CellValue& cell, std::int64_t& id)
{
    if (cell.storage != SQLITE_BLOB || cell.bytes.size() != kReferenceSize ||
        std::memcmp(cell.bytes.data(), kReferenceMagic, sizeof kReferenceMagic) != 0)
        return false;
    std::memcpy(&id, cell.bytes.data() + 8, sizeof id);
    return id > 0;
}

int WriteHandle(const CellValue& cell, ifx_sqlvar_t& var)
{
    if (var.sqllen > 0 && static_cast<std::size_t>(var.sqllen) < sizeof(ifx_lo_t))
        return -1260;  // the caller's buffer cannot hold a handle
    Database* database = OpenDatabaseOfThread();
    if (!database)
        return err::kNoDatabase;
    Handle handle;
    handle.database = DatabaseKey(database->file());
    std::string content;
    if (IsObjectReference(cell, handle.id)) {
        if (LoadObject(database->handle(), handle.id, content) != 0)
            return kLoError;
    } else {
        content = cell.storage == SQLITE_INTEGER ? std::to_string(cell.integer)
                  : cell.storage == SQLITE_FLOAT ? std::to_string(cell.real)
                                                 : cell.bytes;
        if (CreateObject(database->handle(), content, handle.id) != 0)
            return kLoError;
    }
    handle.size = static_cast<std::int64_t>(content.size());
    EncodeHandle(handle, database->name(), *reinterpret_cast<ifx_lo_t*>(var.sqldata));
    return 0;
}

int BindHandle(sqlite3_stmt* stmt, int index, const ifx_sqlvar_t& var)
{
    Database* database = OpenDatabaseOfThread();
    if (!database)
        return err::kNoDatabase;
    Handle handle;
    if (!DecodeHandle(*reinterpret_cast<const ifx_lo_t*>(var.sqldata), handle) ||
        handle.database != DatabaseKey(database->file()) || !ObjectExists(database->handle(), handle.id))
        return kLoError;  // a handle of another database or no handle at all
    char reference[kReferenceSize];
    std::memcpy(reference, kReferenceMagic, sizeof kReferenceMagic);
    std::memcpy(reference + 8, &handle.id, sizeof handle.id);
    return sqlite3_bind_blob(stmt, index, reference, sizeof reference, SQLITE_TRANSIENT) == SQLITE_OK ? 0 : -208;
}

std::string ContentText(const CellValue& cell)
{
    std::int64_t id = 0;
    Database* database = OpenDatabaseOfThread();
    std::string content;
    // Showing a value must not change the outcome of the statement showing it.
    const sqlca_s saved = ThreadSqlca();
    const bool loaded = IsObjectReference(cell, id) && database && LoadObject(database->handle(), id, content) == 0;
    ThreadSqlca() = saved;
    return loaded ? content : cell.bytes;
}

}  // namespace ifxsim::lo
