// Registry of the sessions opened in this process.
#include <chrono>
#include <climits>
#include <map>
#include <mutex>
#include <unistd.h>

#include "engine/Session.h"

namespace ifxsim {

namespace {

struct Registry {
    std::mutex mutex;
    int nextSid = 1;
    std::map<int, SessionInfo> sessions;
};

Registry& Sessions()
{
    static Registry registry;
    return registry;
}

std::string HostName()
{
    char name[HOST_NAME_MAX + 1] = {};
    if (gethostname(name, sizeof name - 1) != 0)
        return "localhost";
    return name;
}

std::string ProgramPath()
{
    char path[4096] = {};
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    return n > 0 ? std::string(path, static_cast<std::size_t>(n)) : std::string();
}

std::string TtyName()
{
    const char* tty = ttyname(STDIN_FILENO);
    return tty ? tty : "";
}

}  // namespace

int OpenSession(const std::string& server, const std::string& username)
{
    SessionInfo info;
    info.server = server;
    info.username = username;
    info.uid = static_cast<int>(getuid());
    info.pid = static_cast<int>(getpid());
    info.hostname = HostName();
    info.tty = TtyName();
    info.connected = std::chrono::duration_cast<std::chrono::seconds>(
                         std::chrono::system_clock::now().time_since_epoch())
                         .count();
    info.feprogram = ProgramPath();
    Registry& registry = Sessions();
    std::lock_guard lock(registry.mutex);
    info.sid = registry.nextSid++;
    registry.sessions.emplace(info.sid, info);
    return info.sid;
}

void CloseSession(int sid)
{
    Registry& registry = Sessions();
    std::lock_guard lock(registry.mutex);
    registry.sessions.erase(sid);
}

std::vector<SessionInfo> ListSessions(const std::string& server)
{
    Registry& registry = Sessions();
    std::lock_guard lock(registry.mutex);
    std::vector<SessionInfo> list;
    for (const auto& [sid, info] : registry.sessions)
        if (server.empty() || info.server == server)
            list.push_back(info);
    return list;
}

}  // namespace ifxsim
