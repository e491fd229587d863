#pragma once
// The demo database "stores" on the demo server of the per-user sqlhosts:
// made on a first start by the script stores_demo.sql run through ifxsql,
// both beside the program.
#include <filesystem>
#include <optional>
#include <string>

namespace varnok {

inline constexpr const char* kDemoDatabaseName = "stores";
inline constexpr const char* kDemoScriptName = "stores_demo.sql";

// The data directory of `server` when the sqlhosts file at sqlhostsPath names
// it as a stand-in (onsqlite) server; a relative directory is taken from the
// folder of the file. Nothing for another nettype, a short line or no file.
std::optional<std::filesystem::path> StandInDataDirectory(const std::filesystem::path& sqlhostsPath,
                                                          const std::string& server);

// A stand-in database is one file in its server's data directory.
bool StandInDatabaseExists(const std::filesystem::path& dataDirectory, const std::string& database);

// Runs the demo script with ifxsql on the demo server; its messages go to
// standard error. On failure the half-made database is dropped, so the next
// start tries again. Returns an error text, empty on success.
std::string RunDemoScript(const std::filesystem::path& ifxsql, const std::filesystem::path& script);

} // namespace varnok
