#include "connections/ConnectionsSettings.h"

#include <algorithm>
#include <cctype>

#include "connections/PasswordCoder.h"
#include "shell/IniConventions.h"

namespace varnok {
namespace {

// Highest i of a stored "Connection<i>" section (any letter case), or -1.
long long HighestStoredConnectionIndex(const TIniFile& ini) {
    static const std::string prefix = "connection";
    long long highest = -1;
    for (const std::string& name : ini.ReadSections()) {
        if (name.size() <= prefix.size() || name.size() > prefix.size() + 9) continue;
        bool match = true;
        for (std::size_t i = 0; i < prefix.size() && match; ++i)
            match = std::tolower(static_cast<unsigned char>(name[i])) == prefix[i];
        for (std::size_t i = prefix.size(); i < name.size() && match; ++i)
            match = std::isdigit(static_cast<unsigned char>(name[i])) != 0;
        if (match) highest = std::max(highest, std::stoll(name.substr(prefix.size())));
    }
    return highest;
}

}  // namespace

std::string ConnectionSectionName(std::size_t index) { return "Connection" + std::to_string(index); }

TConnectionsParam ReadConnectionSection(const TIniFile& ini, const std::string& section,
                                        std::vector<std::string>* problems) {
    TConnectionsParam r;
    r.Name = ini.ReadString(section, "Name", "");
    r.Server = ini.ReadString(section, "Server", "");
    r.DataBase = ini.ReadString(section, "DataBase", "");
    r.User = ini.ReadString(section, "User", "");
    if (ini.ValueExists(section, "CrPassword")) {
        const std::string coded = ini.ReadString(section, "CrPassword", "");
        try {
            r.Password = DecodePassword(kPasswordCoderKey, coded);
        } catch (const EPasswordCodeError& e) {
            // Keep the stored text so the next save does not destroy it.
            r.UnreadableCrPassword = coded;
            if (problems)
                problems->push_back("Saved connection \"" + r.Name + "\" [" + section +
                                    "]: the stored password cannot be read and is left empty. " + e.what());
        }
    } else {
        r.Password = ini.ReadString(section, "Password", "");
    }
    r.AskPassword = ini.ReadBool(section, "AskPassword", true);
    r.Script = UnescapeIniText(ini.ReadString(section, "Script", ""));
    r.Ico = ini.ReadInteger(section, "Ico", 0);
    return r;
}

void WriteConnectionSection(TIniFile& ini, const std::string& section, const TConnectionsParam& r) {
    ini.WriteString(section, "Name", r.Name);
    ini.WriteString(section, "Server", r.Server);
    ini.WriteString(section, "DataBase", r.DataBase);
    ini.WriteString(section, "User", r.User);
    std::string coded;
    if (r.Password.empty() && !r.UnreadableCrPassword.empty()) {
        coded = r.UnreadableCrPassword;
    } else {
        try {
            coded = EncodePassword(kPasswordCoderKey, kPasswordCoderSeed, r.Password);
        } catch (const EPasswordCodeError& e) {
            throw EPasswordCodeError("Saved connection \"" + r.Name + "\": " + e.what());
        }
    }
    ini.WriteString(section, "CrPassword", coded);
    ini.WriteBool(section, "AskPassword", r.AskPassword);
    ini.WriteString(section, "Script", EscapeIniText(r.Script));
    ini.WriteInteger(section, "Ico", r.Ico);
}

std::vector<std::string> LoadConnections(const TIniFile& ini, TConnectionRegistry& registry,
                                         const TConnectionsViewHooks& hooks) {
    std::vector<std::string> problems;
    const int stored = ini.ReadInteger(kConnectionsSection, "Count", 0);
    registry.SetViewStyle(ini.ReadInteger(kConnectionsSection, "ViewStyle", kDefaultConnectionsViewStyle));
    if (hooks.ReadListLayout) hooks.ReadListLayout(ini);

    std::size_t count = stored > 0 ? static_cast<std::size_t>(stored) : 0;
    const std::size_t limit = std::max<std::size_t>(kMaxEmptyConnectionRecords,
                                                    static_cast<std::size_t>(HighestStoredConnectionIndex(ini) + 1));
    if (count > limit) {
        problems.push_back("Connections/Count " + std::to_string(stored) + " is far beyond the stored connections; " +
                           std::to_string(limit) + " are read.");
        count = limit;
    }
    for (std::size_t i = 0; i < count; ++i) {
        registry.AddConnection(ReadConnectionSection(ini, ConnectionSectionName(i), &problems));
        if (hooks.RecordAdded) hooks.RecordAdded(registry.ConnectionCount() - 1);
    }
    return problems;
}

void SaveConnections(TIniFile& ini, const TConnectionRegistry& registry, const TConnectionsViewHooks& hooks) {
    ini.WriteInteger(kConnectionsSection, "Count", static_cast<int>(registry.ConnectionCount()));
    ini.WriteInteger(kConnectionsSection, "ViewStyle", registry.ViewStyle());
    if (hooks.WriteListLayout) hooks.WriteListLayout(ini);
    for (std::size_t i = 0; i < registry.ConnectionCount(); ++i)
        WriteConnectionSection(ini, ConnectionSectionName(i), registry.ConnectionAt(i));
}

void AddConnectionsSettingsSteps(TSettingsRegistry& settings, TConnectionRegistry& registry,
                                 TConnectionsViewHooks hooks, std::function<void(const std::string&)> reportProblem) {
    settings.AddLoadStep(SettingsLoadOrder::Connections, "Connections",
                         [&registry, hooks, reportProblem](const TIniFile& ini) {
                             for (const std::string& problem : LoadConnections(ini, registry, hooks))
                                 if (reportProblem) reportProblem(problem);
                         });
    settings.AddSaveStep(SettingsSaveOrder::Connections, "Connections",
                         [&registry, hooks](TIniFile& ini) { SaveConnections(ini, registry, hooks); });
}

}  // namespace varnok
