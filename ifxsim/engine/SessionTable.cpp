// SQL functions and the eponymous virtual table that show session facts.
#include <sqlite3.h>

#include <vector>

#include "engine/Connection.h"
#include "engine/Session.h"
#include "engine/SessionTable.h"

namespace ifxsim {

namespace {

Connection& Of(sqlite3_context* context)
{
    return *static_cast<Connection*>(sqlite3_user_data(context));
}

void SessionId(sqlite3_context* context, int, sqlite3_value**)
{
    sqlite3_result_int(context, Of(context).sessionId());
}

void Text(sqlite3_context* context, const std::string& text)
{
    sqlite3_result_text(context, text.c_str(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

void SessionUser(sqlite3_context* context, int, sqlite3_value**) { Text(context, Of(context).user()); }
void ServerName(sqlite3_context* context, int, sqlite3_value**) { Text(context, Of(context).serverName()); }
void DatabaseName(sqlite3_context* context, int, sqlite3_value**) { Text(context, Of(context).databaseName()); }

// ---- ifx_syssessions: a snapshot of the registry taken when a scan starts ----

enum Column { kSid, kUsername, kUid, kPid, kHostname, kTty, kConnected, kFeprogram, kPooladdr, kState };

struct Table {
    sqlite3_vtab base{};
    Connection* connection = nullptr;
};

struct Cursor {
    sqlite3_vtab_cursor base{};
    std::vector<SessionInfo> rows;
    std::size_t at = 0;
};

int Connect(sqlite3* db, void* aux, int, const char* const*, sqlite3_vtab** out, char**)
{
    const int rc = sqlite3_declare_vtab(db,
                                        "CREATE TABLE x(sid INTEGER, username TEXT, uid INTEGER, pid INTEGER, "
                                        "hostname TEXT, tty TEXT, connected INTEGER, feprogram TEXT, "
                                        "pooladdr INTEGER, state TEXT)");
    if (rc != SQLITE_OK)
        return rc;
    auto* table = new Table;  // owned by SQLite until Disconnect
    table->connection = static_cast<Connection*>(aux);
    *out = &table->base;
    return SQLITE_OK;
}

int Disconnect(sqlite3_vtab* vtab)
{
    delete reinterpret_cast<Table*>(vtab);
    return SQLITE_OK;
}

int BestIndex(sqlite3_vtab*, sqlite3_index_info* info)
{
    info->estimatedCost = 10;
    info->estimatedRows = 10;
    return SQLITE_OK;
}

int Open(sqlite3_vtab* vtab, sqlite3_vtab_cursor** out)
{
    auto* cursor = new Cursor;  // owned by SQLite until Close
    cursor->rows = ListSessions(reinterpret_cast<Table*>(vtab)->connection->serverName());
    *out = &cursor->base;
    return SQLITE_OK;
}

int Close(sqlite3_vtab_cursor* base)
{
    delete reinterpret_cast<Cursor*>(base);
    return SQLITE_OK;
}

int Filter(sqlite3_vtab_cursor* base, int, const char*, int, sqlite3_value**)
{
    reinterpret_cast<Cursor*>(base)->at = 0;
    return SQLITE_OK;
}

int Next(sqlite3_vtab_cursor* base)
{
    ++reinterpret_cast<Cursor*>(base)->at;
    return SQLITE_OK;
}

int Eof(sqlite3_vtab_cursor* base)
{
    const auto* cursor = reinterpret_cast<Cursor*>(base);
    return cursor->at >= cursor->rows.size();
}

int ColumnValue(sqlite3_vtab_cursor* base, sqlite3_context* context, int column)
{
    const auto* cursor = reinterpret_cast<Cursor*>(base);
    const SessionInfo& row = cursor->rows[cursor->at];
    switch (column) {
    case kSid: sqlite3_result_int(context, row.sid); break;
    case kUsername: Text(context, row.username); break;
    case kUid: sqlite3_result_int(context, row.uid); break;
    case kPid: sqlite3_result_int(context, row.pid); break;
    case kHostname: Text(context, row.hostname); break;
    case kTty: Text(context, row.tty); break;
    case kConnected: sqlite3_result_int64(context, row.connected); break;
    case kFeprogram: Text(context, row.feprogram); break;
    case kPooladdr: sqlite3_result_int(context, 0); break;
    case kState: Text(context, "active"); break;
    default: sqlite3_result_null(context); break;
    }
    return SQLITE_OK;
}

int RowId(sqlite3_vtab_cursor* base, sqlite3_int64* rowid)
{
    *rowid = reinterpret_cast<Cursor*>(base)->rows[reinterpret_cast<Cursor*>(base)->at].sid;
    return SQLITE_OK;
}

sqlite3_module MakeModule()
{
    sqlite3_module module{};
    module.iVersion = 0;
    module.xCreate = nullptr;  // eponymous only: no CREATE VIRTUAL TABLE
    module.xConnect = &Connect;
    module.xBestIndex = &BestIndex;
    module.xDisconnect = &Disconnect;
    module.xOpen = &Open;
    module.xClose = &Close;
    module.xFilter = &Filter;
    module.xNext = &Next;
    module.xEof = &Eof;
    module.xColumn = &ColumnValue;
    module.xRowid = &RowId;
    return module;
}

const sqlite3_module kSessionModule = MakeModule();

}  // namespace

int RegisterSessionFunctions(sqlite3* db, Connection& connection)
{
    struct Function {
        const char* name;
        void (*call)(sqlite3_context*, int, sqlite3_value**);
    };
    // Not deterministic across statements (the database can change), constant within one.
    for (const Function& f : {Function{"ifx_session_id", &SessionId}, Function{"ifx_session_user", &SessionUser},
                              Function{"ifx_server_name", &ServerName},
                              Function{"ifx_database_name", &DatabaseName}}) {
        const int rc = sqlite3_create_function_v2(db, f.name, 0, SQLITE_UTF8, &connection, f.call, nullptr,
                                                  nullptr, nullptr);
        if (rc != SQLITE_OK)
            return rc;
    }
    return sqlite3_create_module_v2(db, "ifx_syssessions", &kSessionModule, &connection, nullptr);
}

}  // namespace ifxsim
