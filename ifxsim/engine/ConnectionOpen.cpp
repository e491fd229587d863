// CONNECT and DISCONNECT against the stand-in servers of the sqlhosts file.
#include <filesystem>

#include "engine/ConnectionOpen.h"
#include "engine/ConnectionRegistry.h"
#include "engine/Database.h"
#include "engine/Env.h"
#include "engine/Server.h"
#include "engine/Session.h"
#include "ifxesqlc.h"

namespace ifxsim {

namespace {

constexpr std::size_t kMaxConnectionName = 128;
constexpr const char* kNettype = "onsqlite";

struct Login {
    std::string user;
    std::string password;
};

std::string EnvOr(const char* name, const std::string& fallback)
{
    const auto value = EnvGet(name);
    return value && !value->empty() ? *value : fallback;
}

Login LoginOf(const ifx_conn_t* spec)
{
    Login login;
    if (spec && spec->conn_type == IFX_CONN_TYPE_USER_AUTH && spec->conn_cred_hdl) {
        const auto* user = static_cast<const ifx_user_t*>(spec->conn_cred_hdl);
        login.user = user->name ? user->name : "";
        login.password = user->passwd ? user->passwd : "";
    }
    if (login.user.empty()) {
        login.user = EnvOr("WIN32USER", EnvOr("USER", EnvOr("LOGNAME", "informix")));
        login.password = EnvOr("WIN32PASS", "");
    }
    return login;
}

// Connects to `server` under `name`; the new connection is current afterwards.
int Connect(const std::string& server, const std::string& name, const Login& login)
{
    const ServerLookup lookup = FindServer(server);
    if (!lookup.entry)
        return SetError(lookup.error, server);
    if (lookup.entry->nettype != kNettype)
        return SetError(err::kCannotConnect, server);
    std::error_code ec;
    std::filesystem::create_directories(lookup.entry->dataDir, ec);
    if (!std::filesystem::is_directory(lookup.entry->dataDir, ec))
        return SetError(err::kCannotConnect, server);
    switch (CheckLogin(lookup.entry->dataDir, login.user, login.password)) {
    case LoginResult::Accepted:
        break;
    case LoginResult::Rejected:
        return SetError(err::kBadPassword, login.user);
    case LoginResult::Unreadable:
        return SetError(err::kCannotConnect, server);
    }
    if (FindConnection(name))
        return SetError(err::kConnectionNameInUse, name);
    const int sid = OpenSession(server, login.user);
    auto connection = std::make_shared<Connection>(name, server, lookup.entry->dataDir, login.user, sid);
    if (!RegisterConnection(connection))
        return SetError(err::kConnectionNameInUse, name);  // another thread took the name meanwhile
    return 0;
}

}  // namespace

int OpenServerConnection(std::string_view dbenv, std::string_view name, const ifx_conn* spec)
{
    const std::string env(dbenv);
    const std::size_t at = env.find('@');
    const std::string database = env.substr(0, at);
    std::string server = at == std::string::npos ? std::string() : env.substr(at + 1);
    if (server.empty())
        server = EnvOr("INFORMIXSERVER", "");
    if (server.empty())
        return SetError(err::kUnknownServer);
    if (name.size() > kMaxConnectionName)
        return SetError(err::kInvalidConnectionName, name);
    // An unnamed connection is known by the text it was made with.
    const std::string connectionName = !name.empty() ? std::string(name) : !env.empty() ? env : "@" + server;
    if (const int rc = Connect(server, connectionName, LoginOf(spec)); rc != 0)
        return rc;
    std::shared_ptr<Connection> connection = CurrentConnectionShared();
    if (!database.empty()) {
        if (const int rc = OpenDatabase(*connection, database, false); rc != 0) {
            UnregisterConnection(connection);  // CONNECT TO 'nodb@srv' leaves no connection
            return rc;
        }
    } else {
        SetDatabaseWarnings(*connection);
    }
    return 0;
}

int ConnectImplicitly(const std::string& server)
{
    const std::string name = server.empty() ? EnvOr("INFORMIXSERVER", "") : server;
    if (name.empty())
        return SetError(err::kUnknownServer);
    return Connect(name, "@" + name, LoginOf(nullptr));
}

int CloseServerConnection(const std::shared_ptr<Connection>& connection)
{
    if (!connection->killed()) {
        if (RequestRunning(*connection))
            return SetError(err::kBusy);
        if (connection->inTransaction())
            return SetError(err::kInvalidTransactionState);
    }
    UnregisterConnection(connection);
    return 0;
}

}  // namespace ifxsim
