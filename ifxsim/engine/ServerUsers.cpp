// The users of a stand-in server: "server.users" in its data directory.
//
//   # comment
//   informix  secret
//   alice     pa55word
//
// One user and password per line, separated by white space (the password is
// the rest of the line, trimmed). A user listed without a password logs in
// with an empty one. No file, or a file without users: the server trusts
// whoever connects, as a fresh stand-in server should.
#include <filesystem>
#include <fstream>
#include <map>

#include "engine/Server.h"

namespace ifxsim {

namespace {

std::string Trim(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

}  // namespace

std::string UsersFilePath(const std::string& dataDir)
{
    return (std::filesystem::path(dataDir) / "server.users").string();
}

LoginResult CheckLogin(const std::string& dataDir, const std::string& user, const std::string& password)
{
    const std::string path = UsersFilePath(dataDir);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        return LoginResult::Accepted;
    std::ifstream in(path);
    if (!in)
        return LoginResult::Unreadable;
    std::map<std::string, std::string> users;
    std::string line;
    while (std::getline(in, line)) {
        line = Trim(line);
        if (line.empty() || line[0] == '#')
            continue;
        const auto gap = line.find_first_of(" \t");
        const std::string name = line.substr(0, gap);
        const std::string secret = gap == std::string::npos ? std::string() : Trim(line.substr(gap));
        users.emplace(name, secret);  // the first line of a user wins
    }
    if (users.empty())
        return LoginResult::Accepted;
    const auto it = users.find(user);
    return it != users.end() && it->second == password ? LoginResult::Accepted : LoginResult::Rejected;
}

}  // namespace ifxsim
