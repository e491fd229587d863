#pragma once
// The rules of the main connection's connect and disconnect flow that need
// no window: the parameter lines set before each open, the caption after a
// connect, the server generation character, the database box entries, the
// last-database list and the enabling of the connection-bar controls.
#include <string>
#include <utility>
#include <vector>

namespace varnok {

class TIniFile;

inline constexpr const char* kMainCaption = "Varnok 5.18b";
inline constexpr const char* kLastOpenDBSection = "LastOpenDB";

// Exactly the three lines set before each open, in this order.
std::vector<std::string> ConnectParamLines(const std::string& server, const std::string& user,
                                           const std::string& password);

// The value of the first "name=value" line whose name matches (case-blind); empty when none.
std::string ParamValue(const std::vector<std::string>& lines, const std::string& name);

// "Varnok 5.18b  [user@server]  (server info without outer blanks)".
std::string ConnectedCaption(const std::string& user, const std::string& server,
                             const std::string& serverInfo);

// The 22nd character of the untrimmed server information; a shorter text
// gives '\0', which the catalog queries treat as "not 9".
char ServerGenerationChar(const std::string& serverInfo);

// The database box's entries: each "database@server" cut before its first "@".
std::vector<std::string> DatabaseBoxEntries(const std::vector<std::string>& names);

// Server name -> database last chosen there (section LastOpenDB). Server
// names match without regard to case, as the settings file's keys do.
class TLastDatabases {
public:
    std::string Get(const std::string& server) const; // empty when none
    void Set(const std::string& server, const std::string& database);
    void Load(const TIniFile& ini); // replaces the list with the section's pairs
    void Save(TIniFile& ini) const;
    std::size_t Count() const { return entries_.size(); }

private:
    std::vector<std::pair<std::string, std::string>> entries_; // first-seen order
};

// Enabled states of the connection-bar controls (the command-update rule):
// C = open and not executing, X = executing.
struct TConnectionBarEnabling {
    bool connect = false;        // Connect and quick-connect: not X
    bool connected = false;      // database box, role box, Disconnect: C
    bool begin = false;          // C, no transaction open, database supports transactions
    bool commitRollback = false; // C and a transaction open
    bool operator==(const TConnectionBarEnabling&) const = default;
};

TConnectionBarEnabling ConnectionBarEnabling(bool open, bool executing, bool inTransaction,
                                             bool supportsTransactions);

} // namespace varnok
