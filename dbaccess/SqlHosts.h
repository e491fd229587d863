#pragma once
// The server names known to the client installation: the sqlhosts file.
//
// The file is $INFORMIXSQLHOSTS, else $INFORMIXDIR/etc/sqlhosts. Each line
// that is neither blank nor a comment ("#" first) names one server in its
// first field; when a name stands on several lines the first one counts, as
// the client library does when it looks a server up.
//
// When neither variable is set, Varnok gives its own process a per-user file
// with the demo server of the bundled client library, so a first start has a
// server to connect to.
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace varnok {

// Reads an environment variable; empty or unset gives nothing.
using TEnvReader = std::function<std::optional<std::string>(const char* name)>;
std::optional<std::string> ProcessEnv(const char* name);

// The sqlhosts path from the environment; empty when neither variable is set.
std::string SqlHostsPath(const TEnvReader& env = ProcessEnv);

// Replaces names with the server names of the file at path, in file order
// (first duplicate wins) and returns true; a file that cannot be opened (or
// an empty path) leaves names unchanged and returns false.
bool ReadSqlHostsServerNames(const std::string& path, std::vector<std::string>& names);

// The server box's order: sorted without regard to letter case (names that
// differ only in case keep their file order).
std::vector<std::string> SortedServerNames(std::vector<std::string> names);
// The entry to select: the saved name when the list has it, else the first
// entry; nothing for an empty list.
std::optional<std::size_t> ServerNameToSelect(const std::vector<std::string>& names,
                                              const std::string& saved);

// ---- the per-user default ----

inline constexpr const char* kDemoServerName = "demo";

// localAppData ends with "/": localAppData + "Varnok/sqlhosts".
std::string DefaultSqlHostsPath(const std::string& localAppData);
// The text of a new default file: the demo server, its data directory
// "demo" beside the file.
std::string DefaultSqlHostsText();

// What PrepareSqlHostsEnvironment did.
struct TSqlHostsSetup {
    std::string sqlhostsPath;     // set for the process; empty when the installation's was kept
    bool created = false;         // the default file was written now
    bool serverDefaulted = false; // INFORMIXSERVER was unset and is now "demo"
    std::string error;            // why the default file could not be made (the path stays set)
};

// Before the client library is loaded: when neither INFORMIXSQLHOSTS nor
// INFORMIXDIR is set, sets INFORMIXSQLHOSTS for this process to
// DefaultSqlHostsPath(localAppData), creating the folder and the file when
// the file does not exist (an existing file is never touched). Sets
// INFORMIXSERVER to "demo" only when it is unset. localAppData empty (the
// platform could not give it) skips the default file.
TSqlHostsSetup PrepareSqlHostsEnvironment(const std::string& localAppData);

} // namespace varnok
