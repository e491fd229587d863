// Server lookup in the sqlhosts file.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <algorithm>

#include "engine/Env.h"
#include "engine/Errors.h"
#include "engine/Server.h"

namespace ifxsim {

namespace fs = std::filesystem;

namespace {

struct HostsLine {
    std::vector<std::string> fields;
};

// Non-comment, non-blank lines split at white space, in file order.
std::vector<HostsLine> ReadHosts(const std::string& path)
{
    std::vector<HostsLine> lines;
    std::ifstream in(path);
    std::string text;
    while (std::getline(in, text)) {
        std::istringstream words(text);
        HostsLine line;
        for (std::string word; words >> word;) {
            if (line.fields.empty() && word[0] == '#')
                break;
            line.fields.push_back(word);
        }
        if (!line.fields.empty())
            lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace

std::string SqlhostsPath()
{
    if (auto path = EnvGet("INFORMIXSQLHOSTS"); path && !path->empty())
        return *path;
    if (auto dir = EnvGet("INFORMIXDIR"); dir && !dir->empty())
        return (fs::path(*dir) / "etc" / "sqlhosts").string();
    return {};
}

std::vector<std::string> ListServerNames()
{
    std::vector<std::string> names;
    const std::string path = SqlhostsPath();
    if (path.empty())
        return names;
    for (const HostsLine& line : ReadHosts(path)) {
        const std::string& name = line.fields[0];
        if (std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    }
    return names;
}

ServerLookup FindServer(const std::string& name)
{
    ServerLookup result;
    const std::string path = SqlhostsPath();
    if (path.empty() || name.empty()) {
        result.error = err::kUnknownServer;
        return result;
    }
    for (const HostsLine& line : ReadHosts(path)) {
        if (line.fields[0] != name)
            continue;  // the first line of a name wins: stop at it below
        if (line.fields.size() < 4) {
            result.error = err::kBadSqlhosts;
            return result;
        }
        ServerEntry entry;
        entry.name = name;
        entry.nettype = line.fields[1];
        fs::path dir(line.fields[3]);
        if (dir.is_relative())
            dir = fs::absolute(fs::path(path)).parent_path() / dir;
        entry.dataDir = dir.lexically_normal().string();
        result.entry = std::move(entry);
        return result;
    }
    result.error = err::kUnknownServer;
    return result;
}

}  // namespace ifxsim
