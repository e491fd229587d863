#include "shell/SettingsFolder.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace varnok {

namespace {

std::string WithTrailingSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

std::string NonEmptyEnv(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

std::string ExecutablePath() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.string();
}

} // namespace

std::string GetLocalAppData() {
    // A relative XDG_DATA_HOME is invalid by the base-directory rules and is ignored.
    if (const std::string data = NonEmptyEnv("XDG_DATA_HOME"); !data.empty() && data.front() == '/')
        return WithTrailingSlash(data);
    if (const std::string home = NonEmptyEnv("HOME"); !home.empty())
        return WithTrailingSlash(WithTrailingSlash(home) + ".local/share");
    throw std::runtime_error("Error in GetLocalAppData");
}

std::string SettingsUsageText() {
    return "/i -- Path for saving program settings.\n"
           "/i localset -- save in ~/.local/share/Varnok/..\n"
           "/i /mydir/ -- save in [/mydir/] (directory must exsit).";
}

std::string TSettingsFolderChoice::MessageBoxText() const {
    return error ? *error + "\n" + SettingsUsageText() : std::string();
}

TSettingsFolderChoice ResolveSettingsFolder(const std::vector<std::string>& args,
                                            const std::string& programFolder,
                                            const std::function<std::string()>& getLocalAppData) {
    TSettingsFolderChoice choice{WithTrailingSlash(programFolder), std::nullopt};
    if (args.empty()) return choice;

    const auto fail = [&](std::string message) {
        choice.error = std::move(message);
        return choice;
    };
    if (args[0] != "/i") return fail("Wrong Parameter [" + args[0] + "].");
    if (args.size() < 2) return fail("Parameter Value Required.");

    const std::string& value = args[1];
    std::error_code ec;
    if (value == "localset") {
        std::string folder;
        try {
            folder = WithTrailingSlash(getLocalAppData()) + "Varnok/";
        } catch (const std::exception& e) {
            return fail(e.what());
        }
        // The data folder itself may not exist yet on a fresh account, so the
        // whole chain is created; otherwise the settings could never be saved.
        std::filesystem::create_directories(folder, ec);
        if (!std::filesystem::is_directory(folder, ec))
            return fail("Unable to create folder [" + folder + "]");
        choice.folder = folder;
        return choice;
    }
    if (value.empty() || !std::filesystem::is_directory(value, ec)) return fail("Wrong path [" + value + "]");
    choice.folder = WithTrailingSlash(value);
    return choice;
}

std::string ProgramFolder() {
    const std::filesystem::path exe = ExecutablePath();
    if (exe.empty()) return "./";
    return WithTrailingSlash(exe.parent_path().string());
}

std::string ProgramBaseName() {
    const std::filesystem::path exe = ExecutablePath();
    return exe.empty() ? std::string("varnok") : exe.stem().string();
}

} // namespace varnok
