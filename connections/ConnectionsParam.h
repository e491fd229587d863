#pragma once
// One saved connection. Field names are the settings keys that store them.
#include <cstdint>
#include <string>

namespace varnok {

struct TConnectionsParam {
    std::string Name = "New";  // shown in the manager and the quick-connect menu
    std::string Server;        // Informix server (INFORMIXSERVER)
    std::string DataBase;      // opened after connecting; may be empty
    std::string User;
    std::string Password;      // plain text in memory; stored coded as CrPassword
    bool AskPassword = true;   // show the login window before each connect
    std::string Script;        // "After Connect Script", multi-line
    std::int32_t Ico = 0;      // picture index in the manager's picture list

    // A stored CrPassword that could not be decoded (damaged by hand, say).
    // Password is then empty, and the stored text is written back unchanged
    // as long as Password stays empty, so a save never destroys it. Whoever
    // stores a new password (the edit window) clears this field.
    std::string UnreadableCrPassword;

    bool operator==(const TConnectionsParam&) const = default;
};

// A new record with the defaults of the "New" connection.
inline TConnectionsParam NewConnectionRecord() { return TConnectionsParam{}; }

}  // namespace varnok
