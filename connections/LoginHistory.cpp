#include "connections/LoginHistory.h"

#include "shell/IniConventions.h"

namespace varnok {

std::vector<std::string> LoadLoginHistory(const TIniFile& ini) { return ReadHistoryList(ini, kLoginHistorySection); }

void SaveLoginHistory(TIniFile& ini, const std::vector<std::string>& history) {
    WriteHistoryList(ini, kLoginHistorySection, history);
}

std::string RememberLogin(std::vector<std::string>& history, const std::string& typedUser, int dropDownLines) {
    return LoginUserName(fSortComboItems(history, typedUser, dropDownLines), typedUser, dropDownLines);
}

std::string LoginUserName(const std::string& ruleTop, const std::string& typedUser, int dropDownLines) {
    return dropDownLines > 0 ? ruleTop : typedUser;
}

std::string LoginCaption(const std::string& target) { return "Connect To " + target; }

}  // namespace varnok
