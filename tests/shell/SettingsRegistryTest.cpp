// The ordered readers and writers of the settings file.
#include <gtest/gtest.h>

#include "shell/IniConventions.h"
#include "shell/SettingsRegistry.h"
#include "shell/ShellTestFolder.h"

using namespace varnok;
using varnok::testing::ReadWholeFile;
using varnok::testing::TScratchFolder;
using varnok::testing::WriteWholeFile;

TEST(SettingsRegistry, StepsRunByPositionAndEqualPositionsInAddingOrder) {
    TSettingsRegistry registry;
    std::vector<std::string> ran;
    const auto load = [&](const char* name) {
        return [&ran, name](const TIniFile&) { ran.push_back(name); };
    };
    registry.AddLoadStep(SettingsLoadOrder::Options, "eOptions", load("eOptions"));
    registry.AddLoadStep(SettingsLoadOrder::ServerName, "Connection", load("Connection"));
    registry.AddLoadStep(SettingsLoadOrder::ListLayouts, "TableView", load("TableView"));
    registry.AddLoadStep(SettingsLoadOrder::ListLayouts, "LogView", load("LogView"));
    registry.AddLoadStep(SettingsLoadOrder::Position, "Position", load("Position"));

    const std::vector<std::string> expected{"Connection", "Position", "TableView", "LogView", "eOptions"};
    EXPECT_EQ(registry.LoadStepNames(), expected);
    registry.LoadSettings(TIniFile());
    EXPECT_EQ(ran, expected);
}

TEST(SettingsRegistry, SaveWritesSectionsInSaveOrderAndDropsEverythingElse) {
    TScratchFolder dir;
    const std::string path = dir.File("varnok.ini");
    WriteWholeFile(path, "[ByHand]\nnote=mine\n[Position]\nStale=1\nSplTop=1\n");

    TSettingsRegistry registry;
    registry.AddSaveStep(SettingsSaveOrder::ServerName, "Connection",
                         [](TIniFile& ini) { ini.WriteString("Connection", "ServerName", "demo_on"); });
    registry.AddSaveStep(SettingsSaveOrder::Position, "Position",
                         [](TIniFile& ini) { ini.WriteInteger("Position", "SplTop", 130); });
    registry.AddSaveStep(SettingsSaveOrder::TblProc, "TblProc",
                         [](TIniFile& ini) { ini.WriteInteger("TblProc", "SheetPos", 2); });
    registry.AddSaveStep(SettingsSaveOrder::PositionRest, "PositionRest",
                         [](TIniFile& ini) { ini.WriteInteger("Position", "SplLeft", 185); });
    registry.SaveSettings(path);

    EXPECT_EQ(
        ReadWholeFile(path),
        "[Position]\nSplTop=130\nSplLeft=185\n[TblProc]\nSheetPos=2\n[Connection]\nServerName=demo_on\n");
}

TEST(SettingsRegistry, LoadReadsWhatSaveWrote) {
    TScratchFolder dir;
    const std::string path = dir.File("varnok.ini");
    std::vector<std::string> history{"sys%", "cust%"};

    TSettingsRegistry registry;
    registry.AddSaveStep(SettingsSaveOrder::WildCardHistories, "TableWildCards",
                         [&](TIniFile& ini) { WriteHistoryList(ini, "TableWildCards", history); });
    registry.AddLoadStep(SettingsLoadOrder::WildCardHistories, "TableWildCards",
                         [&](const TIniFile& ini) { history = ReadHistoryList(ini, "TableWildCards"); });
    registry.SaveSettings(path);
    history.clear();
    registry.LoadSettings(path);
    EXPECT_EQ(history, (std::vector<std::string>{"sys%", "cust%"}));
}

TEST(SettingsRegistry, FailedSaveKeepsThePreviousFile) {
    TScratchFolder dir;
    const std::string path = dir.File("varnok.ini");
    const std::string previous = "[Position]\nSplTop=99\n[ByHand]\nx=1\n";
    WriteWholeFile(path, previous);
    std::filesystem::create_directory(TIniFile::TempPathFor(path)); // root cannot write through this

    TSettingsRegistry registry;
    registry.AddSaveStep(SettingsSaveOrder::Position, "Position",
                         [](TIniFile& ini) { ini.WriteInteger("Position", "SplTop", 130); });
    try {
        registry.SaveSettings(path);
        FAIL() << "save should have failed";
    } catch (const EIniWriteError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + path);
    }
    EXPECT_EQ(ReadWholeFile(path), previous);
}

TEST(SettingsRegistry, FailingWriterLeavesTheFileUntouched) {
    TScratchFolder dir;
    const std::string path = dir.File("varnok.ini");
    WriteWholeFile(path, "[Position]\nSplTop=99\n");
    TSettingsRegistry registry;
    registry.AddSaveStep(SettingsSaveOrder::Position, "Position",
                         [](TIniFile& ini) { ini.WriteInteger("Position", "SplTop", 1); });
    registry.AddSaveStep(SettingsSaveOrder::Options, "eOptions",
                         [](TIniFile&) { throw std::runtime_error("option out of range"); });
    EXPECT_THROW(registry.SaveSettings(path), std::runtime_error);
    EXPECT_EQ(ReadWholeFile(path), "[Position]\nSplTop=99\n");
}

TEST(SettingsRegistry, WriteSettingsErasesEverySectionOfAnOpenFile) {
    TIniFile ini;
    ini.LoadFromText("[A]\nx=1\n[b]\ny=2\n[B]\nz=3\n");
    TSettingsRegistry registry;
    registry.AddSaveStep(1, "C", [](TIniFile& f) { f.WriteString("C", "k", "v"); });
    registry.WriteSettings(ini);
    EXPECT_EQ(ini.ReadSections(), std::vector<std::string>{"C"});
}
