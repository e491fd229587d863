#pragma once
// Stand-in servers: lookup in the sqlhosts file and the users of a server.
//
// sqlhosts: $INFORMIXSQLHOSTS, else $INFORMIXDIR/etc/sqlhosts (read from the
// library's environment). A line `name onsqlite host datadir [options]`
// names a stand-in server; its data directory is absolute or relative to the
// folder of the sqlhosts file. The first line of a name wins.
//
// Users: the file "server.users" in the data directory, one `user password`
// pair per line ('#' comments). Without that file, or with no user in it,
// the server trusts the caller.
#include <optional>
#include <string>
#include <vector>

namespace ifxsim {

struct ServerEntry {
    std::string name;
    std::string nettype;
    std::string dataDir;   // resolved, absolute
};

struct ServerLookup {
    std::optional<ServerEntry> entry;
    int error = 0;          // -25596 unknown server or no sqlhosts, -25556 malformed line
};

// The sqlhosts file in force, empty when neither variable is set.
std::string SqlhostsPath();
// Server names of the sqlhosts file in file order (first of duplicates only).
std::vector<std::string> ListServerNames();
ServerLookup FindServer(const std::string& name);

// The users file of a data directory.
std::string UsersFilePath(const std::string& dataDir);

enum class LoginResult { Accepted, Rejected, Unreadable };
// Checks `user`/`password` against the data directory's users file.
LoginResult CheckLogin(const std::string& dataDir, const std::string& user, const std::string& password);

}  // namespace ifxsim
