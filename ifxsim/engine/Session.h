#pragma once
// The sessions of the stand-in servers in this process, as
// sysmaster:informix.syssessions lists them and DBINFO('sessionid') answers.
#include <cstdint>
#include <string>
#include <vector>

namespace ifxsim {

struct SessionInfo {
    int sid = 0;
    std::string server;       // dbservername the session is connected to
    std::string username;
    int uid = 0;
    int pid = 0;
    std::string hostname;
    std::string tty;
    std::int64_t connected = 0;  // epoch seconds
    std::string feprogram;       // the client program's path
};

// Registers a new session and returns its id (ids grow from 1 and are never reused).
int OpenSession(const std::string& server, const std::string& username);
void CloseSession(int sid);
// Sessions of `server` (all servers when empty), in id order.
std::vector<SessionInfo> ListSessions(const std::string& server = {});

}  // namespace ifxsim
