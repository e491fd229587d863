#include "dbaccess/SqlHosts.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace varnok {

namespace fs = std::filesystem;

std::optional<std::string> ProcessEnv(const char* name) {
    const char* value = std::getenv(name);
    if (!value || !*value) return std::nullopt;
    return std::string(value);
}

std::string SqlHostsPath(const TEnvReader& env) {
    if (auto path = env("INFORMIXSQLHOSTS")) return *path;
    if (auto dir = env("INFORMIXDIR")) return (fs::path(*dir) / "etc" / "sqlhosts").string();
    return {};
}

bool ReadSqlHostsServerNames(const std::string& path, std::vector<std::string>& names) {
    if (path.empty()) return false;
    std::error_code ec;
    if (fs::is_directory(path, ec)) return false; // opens, but is no file to read
    std::ifstream in(path);
    if (!in) return false;
    std::vector<std::string> found;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string first;
        if (!(fields >> first) || first[0] == '#') continue;
        if (std::find(found.begin(), found.end(), first) == found.end()) found.push_back(first);
    }
    names = std::move(found);
    return true;
}

namespace {

std::string Folded(const std::string& text) {
    std::string out = text;
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

} // namespace

std::vector<std::string> SortedServerNames(std::vector<std::string> names) {
    std::stable_sort(names.begin(), names.end(),
                     [](const std::string& a, const std::string& b) { return Folded(a) < Folded(b); });
    return names;
}

std::optional<std::size_t> ServerNameToSelect(const std::vector<std::string>& names,
                                              const std::string& saved) {
    if (names.empty()) return std::nullopt;
    const auto at = std::find(names.begin(), names.end(), saved);
    return at == names.end() ? 0 : static_cast<std::size_t>(at - names.begin());
}

std::string DefaultSqlHostsPath(const std::string& localAppData) {
    return localAppData + "Varnok/sqlhosts";
}

std::string DefaultSqlHostsText() {
    return "# Informix servers known to Varnok (dbservername nettype hostname service).\n"
           "# An onsqlite line is a server of the bundled client library; its fourth\n"
           "# field is the server's data directory, relative to this file.\n"
           "demo\tonsqlite\tlocalhost\tdemo\n";
}

namespace {

// Writes the default file; an error text, or empty on success.
std::string CreateDefaultFile(const std::string& path) {
    std::error_code ec;
    fs::create_directories(fs::path(path).parent_path(), ec);
    if (ec) return "Cannot create the folder of " + path + ": " + ec.message();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return "Cannot create " + path + ": " + std::strerror(errno);
    out << DefaultSqlHostsText();
    out.close();
    if (!out) return "Cannot write " + path;
    return {};
}

} // namespace

TSqlHostsSetup PrepareSqlHostsEnvironment(const std::string& localAppData) {
    TSqlHostsSetup setup;
    if (!ProcessEnv("INFORMIXSQLHOSTS") && !ProcessEnv("INFORMIXDIR") && !localAppData.empty()) {
        setup.sqlhostsPath = DefaultSqlHostsPath(localAppData);
        std::error_code ec;
        if (!fs::exists(setup.sqlhostsPath, ec)) {
            setup.error = CreateDefaultFile(setup.sqlhostsPath);
            setup.created = setup.error.empty();
        }
        ::setenv("INFORMIXSQLHOSTS", setup.sqlhostsPath.c_str(), 1);
    }
    if (!ProcessEnv("INFORMIXSERVER")) {
        ::setenv("INFORMIXSERVER", kDemoServerName, 1);
        setup.serverDefaulted = true;
    }
    return setup;
}

} // namespace varnok
