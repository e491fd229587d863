#pragma once
// Where the settings live: the program folder, the per-user data folder
// ("/i localset") or a folder named on the command line ("/i <folder>").
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace varnok {

// The per-user local application-data folder with a trailing "/":
// $XDG_DATA_HOME (when absolute), else $HOME/.local/share. Throws std::runtime_error
// "Error in GetLocalAppData" when neither variable gives a folder.
std::string GetLocalAppData();

// The three lines shown under a command-line error, joined with "\n".
std::string SettingsUsageText();

struct TSettingsFolderChoice {
    std::string folder;               // always ends with "/"
    std::optional<std::string> error; // the error message alone, when the command line was wrong

    // The text of the plain message box: the error, a line break, the usage text.
    std::string MessageBoxText() const;
};

// Decides the settings folder. args are the command-line arguments after the
// program name; programFolder is the executable's folder (a missing trailing
// "/" is added); getLocalAppData is normally GetLocalAppData. On any error the
// program folder is chosen and error holds the message:
//   "Wrong Parameter [%s]."  first argument is not exactly "/i"
//   "Parameter Value Required."  "/i" alone
//   "Wrong path [%s]"  the folder after "/i" does not exist
//   the message of a failing getLocalAppData, or "Unable to create folder [%s]"
// "/i localset" chooses getLocalAppData() + "Varnok/" and creates it when missing.
TSettingsFolderChoice
ResolveSettingsFolder(const std::vector<std::string>& args, const std::string& programFolder,
                      const std::function<std::string()>& getLocalAppData = GetLocalAppData);

// The running executable's folder (from /proc/self/exe) with a trailing "/",
// and its file name without extension ("varnok"): the settings file is
// <settings folder> + name + ".ini".
std::string ProgramFolder();
std::string ProgramBaseName();

} // namespace varnok
