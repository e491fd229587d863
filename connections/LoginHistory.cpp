#include "connections/LoginHistory.h"

#include "shell/IniConventions.h"

namespace varnok {

std::vector<std::string> LoadLoginHistory(const TIniFile& ini) { return ReadHistoryList(ini, kLoginHistorySection); }

void SaveLoginHistory(TIniFile& ini, const std::vector<std::string>& history) {
    WriteHistoryList(ini, kLoginHistorySection, history);
}

std::string RememberLogin(std::vector<std::string>& history, const std::string& typedUser, int dropDownLines) {
    return fSortComboItems(history, typedUser, dropDownLines);
}

}  // namespace varnok
