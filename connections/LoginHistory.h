#pragma once
// The user names typed into the login window, most recent first, kept in
// the history section uLogins.
#include <string>
#include <vector>

#include "shell/IniFile.h"

namespace varnok {

inline constexpr const char* kLoginHistorySection = "uLogins";

std::vector<std::string> LoadLoginHistory(const TIniFile& ini);
void SaveLoginHistory(TIniFile& ini, const std::vector<std::string>& history);

// When the login window is confirmed: the typed user goes to the top of the
// history (the history rule, cut to dropDownLines entries), and the entry then
// at the top is the user name the login uses.
std::string RememberLogin(std::vector<std::string>& history, const std::string& typedUser, int dropDownLines);

}  // namespace varnok
