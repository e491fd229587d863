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
// at the top is the user name the login uses. With a limit of 0 or less the
// history keeps nothing; the typed name is still the one the login uses (an
// empty top entry would log in as nobody).
std::string RememberLogin(std::vector<std::string>& history, const std::string& typedUser, int dropDownLines);

// The same choice for a box that applied the history rule itself.
std::string LoginUserName(const std::string& ruleTop, const std::string& typedUser, int dropDownLines);

// Caption of the login window: "Connect To " + target.
std::string LoginCaption(const std::string& target);
inline constexpr const char* kLoginDefaultCaption = "Connect To DB";
// Visible lines of the user box's list.
inline constexpr int kLoginUserBoxLines = 10;
// The DropDownLines option's default, until the options say otherwise.
inline constexpr int kDefaultDropDownLines = 5;

}  // namespace varnok
