// Exported connection entry points: CONNECT, SET CONNECTION, DISCONNECT,
// the current connection's name, server information and database list,
// and opening/closing databases.
#include <sqlite3.h>

#include <cstring>

#include "engine/ConnectionOpen.h"
#include "engine/ConnectionRegistry.h"
#include "engine/Database.h"
#include "engine/DatabaseStatement.h"
#include "engine/Env.h"
#include "engine/Server.h"
#include "ifxesqlc.h"

using namespace ifxsim;

namespace {

// The server text: its 22nd character is the generation digit the program
// reads ("9": the extended catalog).
constexpr const char* kServerText = "Informix Stand-in, v.9.70.SQ1";

// conn_kw of the connection statements
constexpr mint kByName = 0;
constexpr mint kDefault = 1;
constexpr mint kAll = 2;
constexpr mint kCurrent = 3;

std::string Text(const char* text)
{
    return text ? std::string(text) : std::string();
}

// The connection a SET CONNECTION / DISCONNECT names; null with sqlca set.
std::shared_ptr<Connection> Named(mint connKw, const char* name, int missingCode)
{
    std::shared_ptr<Connection> connection;
    if (connKw == kCurrent)
        connection = CurrentConnectionShared();
    else if (connKw == kDefault)
        connection = FindConnection("@" + EnvGet("INFORMIXSERVER").value_or(""));
    else
        connection = FindConnection(Text(name));
    if (!connection)
        SetError(missingCode, Text(name));
    return connection;
}

}  // namespace

void sqli_connect_open(int4 /*ver*/, mint /*conn_kw*/, const char* dbenv, const char* conn_name, ifx_conn_t* spec,
                       mint /*concur_flag*/)
{
    ResetSqlca();
    OpenServerConnection(Text(dbenv), Text(conn_name), spec);
}

void sqli_connect_set(mint conn_kw, const char* name, mint dormant)
{
    ResetSqlca();
    std::shared_ptr<Connection> connection = Named(conn_kw, name, err::kNoSuchConnection);
    if (!connection)
        return;
    if (connection->killed()) {
        UnregisterConnection(connection);
        SetError(err::kNetworkFailure);
        return;
    }
    if (dormant) {
        if (CurrentConnection() == connection.get())
            ReleaseCurrentConnection();
        else if (HeldByOtherThread(*connection))
            SetError(err::kConnectionNameInUse, connection->name());
        return;
    }
    switch (ClaimConnection(connection)) {
    case ClaimResult::Claimed:
        SetDatabaseWarnings(*connection);
        break;
    case ClaimResult::HeldElsewhere:
        SetError(err::kConnectionNameInUse, connection->name());
        break;
    case ClaimResult::Missing:
        SetError(err::kNoSuchConnection, connection->name());
        break;
    }
}

void sqli_connect_close(mint conn_kw, const char* name, mint /*flag*/, mint /*from_reassoc*/)
{
    ResetSqlca();
    if (conn_kw == kAll) {
        bool any = false;
        int result = 0;
        for (const auto& connection : AllConnections()) {
            if (HeldByOtherThread(*connection))
                continue;
            any = true;
            if (const int rc = CloseServerConnection(connection); rc != 0)
                result = rc;  // it stays; the others still go
        }
        ResetSqlca();
        if (!any)
            SetError(err::kNothingToDisconnect);
        else if (result != 0)
            SetError(result);
        return;
    }
    if (conn_kw == kCurrent && !CurrentConnection()) {
        SetError(err::kNothingToDisconnect);
        return;
    }
    std::shared_ptr<Connection> connection = Named(conn_kw, name, err::kNoSuchConnection);
    if (!connection)
        return;
    if (HeldByOtherThread(*connection)) {
        SetError(err::kConnectionNameInUse, connection->name());
        return;
    }
    CloseServerConnection(connection);
}

char* ifx_getcur_conn_name(void)
{
    Connection* connection = CurrentConnection();
    return connection ? const_cast<char*>(connection->name().c_str()) : nullptr;
}

mint ifx_srvinfo(ifx_srvinfo_t* info)
{
    ResetSqlca();
    if (!info)
        return -1;
    if (!CurrentConnection())
        return SetError(err::kNoSuchConnection);
    std::memset(info, 0, sizeof *info);
    info->SQLIVersion = 9;
    info->TypeList = TYP_MT;  // not SE
    info->CapList = CAP_NLS | CAP_NCHAR;
    std::strncpy(info->ProdVersion, kServerText, sizeof info->ProdVersion - 1);
    return 0;
}

mint ifx_isius(void)
{
    return 1;
}

mint sqgetdbs(mint* ret_fcnt, char** names, mint names_size, char* area, mint area_size)
{
    ResetSqlca();
    if (ret_fcnt)
        *ret_fcnt = 0;
    if (!ret_fcnt || !names || !area || names_size < 0 || area_size < 0)
        return SetError(-1207);
    std::string server;
    std::string dataDir;
    if (const Connection* connection = CurrentConnection()) {
        server = connection->serverName();
        dataDir = connection->dataDirectory();
    } else {
        server = EnvGet("INFORMIXSERVER").value_or("");
        const ServerLookup lookup = FindServer(server);
        if (!lookup.entry)
            return SetError(lookup.error, server);
        dataDir = lookup.entry->dataDir;
    }
    std::size_t used = 0;
    mint count = 0;
    for (const std::string& database : ListDatabases(dataDir)) {
        const std::string entry = database + "@" + server;
        if (count >= names_size || used + entry.size() + 1 > static_cast<std::size_t>(area_size)) {
            *ret_fcnt = count;
            return SetError(-1207);  // the caller's room ran out: the list is cut, and says so
        }
        std::memcpy(area + used, entry.c_str(), entry.size() + 1);
        names[count++] = area + used;
        used += entry.size() + 1;
    }
    *ret_fcnt = count;
    return 0;
}

mint sqli_db_open(const char* name, mint exclusive)
{
    ResetSqlca();
    DatabaseStatement statement;
    statement.kind = DatabaseStatement::Kind::Database;
    statement.name = Text(name);
    statement.exclusive = exclusive != 0;
    return RunDatabaseStatement(statement);
}

mint sqli_db_close(void)
{
    ResetSqlca();
    DatabaseStatement statement;
    statement.kind = DatabaseStatement::Kind::CloseDatabase;
    return RunDatabaseStatement(statement);
}
