#pragma once
// Opening and closing connections to stand-in servers (CONNECT, DISCONNECT,
// and the implicit connection of a DATABASE statement).
#include <memory>
#include <string>
#include <string_view>

#include "engine/Connection.h"

struct ifx_conn;

namespace ifxsim {

// CONNECT TO dbenv [AS name] [USER ... USING ...]: dbenv is "db@server",
// "@server", "db" or empty (the server from INFORMIXSERVER). Without a
// user record the login comes from WIN32USER/WIN32PASS, else USER. The new
// connection becomes current in the calling thread; the previous one is
// dormant. Returns 0 or the error stored in sqlca.
int OpenServerConnection(std::string_view dbenv, std::string_view name, const ifx_conn* spec);

// The connection DATABASE opens when the thread has none.
int ConnectImplicitly(const std::string& server);

// DISCONNECT of one connection: -1800 (and the connection stays) while a
// transaction is open, -439 while a request runs on it.
int CloseServerConnection(const std::shared_ptr<Connection>& connection);

}  // namespace ifxsim
