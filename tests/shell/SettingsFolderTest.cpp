// The command line that chooses the settings folder, and the per-user data folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <optional>

#include "shell/SettingsFolder.h"
#include "shell/ShellTestFolder.h"

using namespace varnok;
using varnok::testing::TScratchFolder;

namespace {

// Sets an environment variable for one test and puts the old value back.
class TScopedEnv {
public:
    TScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value != nullptr)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~TScopedEnv() {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

const std::string kProgram = "/opt/varnok/bin/";

std::string NoAppData() {
    throw std::logic_error("must not be asked");
}

} // namespace

TEST(SettingsFolder, NoArgumentsKeepTheProgramFolder) {
    const auto choice = ResolveSettingsFolder({}, "/opt/varnok/bin", NoAppData);
    EXPECT_EQ(choice.folder, kProgram);
    EXPECT_FALSE(choice.error.has_value());
}

TEST(SettingsFolder, WrongArgumentsReportTheExactErrorAndKeepTheProgramFolder) {
    TScratchFolder dir;
    struct Row {
        std::vector<std::string> args;
        std::string error;
    };
    for (const Row& r :
         {Row{{"/I", "localset"}, "Wrong Parameter [/I]."}, Row{{"-i", "x"}, "Wrong Parameter [-i]."},
          Row{{""}, "Wrong Parameter []."}, Row{{"/i"}, "Parameter Value Required."},
          Row{{"/i", dir.File("missing")}, "Wrong path [" + dir.File("missing") + "]"},
          Row{{"/i", ""}, "Wrong path []"}}) {
        const auto choice = ResolveSettingsFolder(r.args, kProgram, NoAppData);
        EXPECT_EQ(choice.folder, kProgram) << r.error;
        ASSERT_TRUE(choice.error.has_value()) << r.error;
        EXPECT_EQ(*choice.error, r.error);
        EXPECT_EQ(choice.MessageBoxText(), r.error + "\n" + SettingsUsageText());
    }
}

TEST(SettingsFolder, UsageTextHasThreeLines) {
    const std::string usage = SettingsUsageText();
    EXPECT_EQ(std::count(usage.begin(), usage.end(), '\n'), 2);
    EXPECT_EQ(usage.rfind("/i -- Path for saving program settings.\n", 0), 0u);
}

TEST(SettingsFolder, ExistingFolderGetsATrailingSlash) {
    TScratchFolder dir;
    const std::string folder = dir.Path().string();
    for (const std::string& arg : {folder, folder + "/"}) {
        const auto choice = ResolveSettingsFolder({"/i", arg, "ignored", "too"}, kProgram, NoAppData);
        EXPECT_FALSE(choice.error.has_value());
        EXPECT_EQ(choice.folder, folder + "/");
    }
}

TEST(SettingsFolder, PlainFileIsNotAFolder) {
    TScratchFolder dir;
    varnok::testing::WriteWholeFile(dir.File("file"), "x");
    const auto choice = ResolveSettingsFolder({"/i", dir.File("file")}, kProgram, NoAppData);
    EXPECT_EQ(choice.error.value_or(""), "Wrong path [" + dir.File("file") + "]");
}

TEST(SettingsFolder, LocalsetCreatesTheFolderUnderTheDataFolder) {
    TScratchFolder dir;
    TScopedEnv xdg("XDG_DATA_HOME", dir.Path().c_str());
    const auto choice = ResolveSettingsFolder({"/i", "localset"}, kProgram);
    EXPECT_FALSE(choice.error.has_value());
    EXPECT_EQ(choice.folder, dir.Path().string() + "/Varnok/");
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path() / "Varnok"));
    // A second start finds it there.
    EXPECT_EQ(ResolveSettingsFolder({"/i", "localset"}, kProgram).folder, choice.folder);
}

TEST(SettingsFolder, LocalsetCreatesAMissingDataFolderToo) {
    TScratchFolder dir;
    const std::string data = dir.File("fresh/.local/share");
    const auto choice = ResolveSettingsFolder({"/i", "localset"}, kProgram, [&] { return data; });
    EXPECT_FALSE(choice.error.has_value());
    EXPECT_EQ(choice.folder, data + "/Varnok/");
    EXPECT_TRUE(std::filesystem::is_directory(data + "/Varnok"));
}

TEST(SettingsFolder, LocalsetThatCannotBeCreatedIsReported) {
    TScratchFolder dir;
    varnok::testing::WriteWholeFile(dir.File("blocker"), "x"); // a file where a folder must go
    const auto choice =
        ResolveSettingsFolder({"/i", "localset"}, kProgram, [&] { return dir.File("blocker"); });
    EXPECT_EQ(choice.folder, kProgram);
    EXPECT_EQ(choice.error.value_or(""), "Unable to create folder [" + dir.File("blocker") + "/Varnok/]");
}

TEST(SettingsFolder, FailingDataFolderIsReportedWithItsMessage) {
    const auto choice = ResolveSettingsFolder({"/i", "localset"}, kProgram, []() -> std::string {
        throw std::runtime_error("Error in GetLocalAppData");
    });
    EXPECT_EQ(choice.folder, kProgram);
    EXPECT_EQ(choice.error.value_or(""), "Error in GetLocalAppData");
}

TEST(LocalAppData, XdgDataHomeThenHomeThenError) {
    {
        TScopedEnv xdg("XDG_DATA_HOME", "/data/xdg");
        TScopedEnv home("HOME", "/home/u");
        EXPECT_EQ(GetLocalAppData(), "/data/xdg/");
    }
    {
        TScopedEnv xdg("XDG_DATA_HOME", "");
        TScopedEnv home("HOME", "/home/u/");
        EXPECT_EQ(GetLocalAppData(), "/home/u/.local/share/");
    }
    {
        TScopedEnv xdg("XDG_DATA_HOME", "relative/data");
        TScopedEnv home("HOME", "/home/u");
        EXPECT_EQ(GetLocalAppData(), "/home/u/.local/share/");
    }
    {
        TScopedEnv xdg("XDG_DATA_HOME", nullptr);
        TScopedEnv home("HOME", nullptr);
        try {
            GetLocalAppData();
            FAIL() << "expected an error";
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), "Error in GetLocalAppData");
        }
    }
}

TEST(ProgramFile, FolderAndNameOfTheRunningExecutable) {
    EXPECT_EQ(ProgramBaseName(), program_invocation_short_name);
    const std::string folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_TRUE(std::filesystem::is_regular_file(folder + program_invocation_short_name));
}
