#include "connections/ConnectFlowRules.h"

#include <algorithm>
#include <cctype>

#include "shell/IniFile.h"

namespace varnok {

namespace {

bool SameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string Trimmed(const std::string& text) {
    const auto blank = [](unsigned char c) { return c <= ' '; };
    auto first = std::find_if_not(text.begin(), text.end(), blank);
    auto last = std::find_if_not(text.rbegin(), text.rend(), blank).base();
    return first < last ? std::string(first, last) : std::string();
}

} // namespace

std::vector<std::string> ConnectParamLines(const std::string& server, const std::string& user,
                                           const std::string& password) {
    return {"INFORMIXSERVER=" + server, "WIN32USER=" + user, "WIN32PASS=" + password};
}

std::string ParamValue(const std::vector<std::string>& lines, const std::string& name) {
    for (const std::string& line : lines) {
        const auto eq = line.find('=');
        if (eq != std::string::npos && SameText(line.substr(0, eq), name)) return line.substr(eq + 1);
    }
    return {};
}

std::string ConnectedCaption(const std::string& user, const std::string& server,
                             const std::string& serverInfo) {
    return std::string(kMainCaption) + "  [" + user + "@" + server + "]  (" + Trimmed(serverInfo) + ")";
}

char ServerGenerationChar(const std::string& serverInfo) {
    return serverInfo.size() >= 22 ? serverInfo[21] : '\0';
}

std::vector<std::string> DatabaseBoxEntries(const std::vector<std::string>& names) {
    std::vector<std::string> entries;
    entries.reserve(names.size());
    for (const std::string& name : names)
        entries.push_back(name.substr(0, name.find('@')));
    return entries;
}

std::string TLastDatabases::Get(const std::string& server) const {
    for (const auto& [key, value] : entries_)
        if (SameText(key, server)) return value;
    return {};
}

void TLastDatabases::Set(const std::string& server, const std::string& database) {
    for (auto& [key, value] : entries_)
        if (SameText(key, server)) {
            value = database;
            return;
        }
    entries_.emplace_back(server, database);
}

void TLastDatabases::Load(const TIniFile& ini) {
    entries_.clear();
    for (const std::string& key : ini.ReadSectionKeys(kLastOpenDBSection))
        Set(key, ini.ReadString(kLastOpenDBSection, key, ""));
}

void TLastDatabases::Save(TIniFile& ini) const {
    ini.EraseSection(kLastOpenDBSection);
    for (const auto& [key, value] : entries_)
        // A server name with "=" or an empty one could not be read back as a key.
        if (!key.empty() && key.find('=') == std::string::npos)
            ini.WriteString(kLastOpenDBSection, key, value);
}

TConnectionBarEnabling ConnectionBarEnabling(bool open, bool executing, bool inTransaction,
                                             bool supportsTransactions) {
    TConnectionBarEnabling e;
    const bool c = open && !executing;
    e.connect = !executing;
    e.connected = c;
    e.begin = c && !inTransaction && supportsTransactions;
    e.commitRollback = c && inTransaction;
    return e;
}

} // namespace varnok
