// Saved connections must survive a close and the next start exactly, and a
// damaged settings file must not cost the user any other connection.
#include "connections/ConnectionsSettings.h"
#include "connections/LoginHistory.h"
#include "connections/PasswordCoder.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <string>
#include <vector>

namespace varnok {
namespace {

TIniFile IniFromText(const std::string& text) {
    TIniFile ini;
    ini.LoadFromText(text);
    return ini;
}

TConnectionsParam Record(std::string name, std::string password, std::string script = "") {
    TConnectionsParam r = NewConnectionRecord();
    r.Name = std::move(name);
    r.Server = "ol_demo";
    r.DataBase = "stores";
    r.User = "informix";
    r.Password = std::move(password);
    r.AskPassword = false;
    r.Script = std::move(script);
    r.Ico = 2;
    return r;
}

TEST(ConnectionsSettings, CrPasswordIsPreferredOverPassword) {
    const std::string coded = EncodePassword(kPasswordCoderKey, kPasswordCoderSeed, "fromCoded");
    // Password listed first: the order of the keys must not matter.
    TIniFile ini = IniFromText("[Connections]\nCount=1\n[Connection0]\nName=a\nPassword=plain\nCrPassword=" + coded +
                               "\n");
    TConnectionRegistry reg;
    EXPECT_TRUE(LoadConnections(ini, reg).empty());
    ASSERT_EQ(reg.ConnectionCount(), 1u);
    EXPECT_EQ(reg.ConnectionAt(0).Password, "fromCoded");
}

TEST(ConnectionsSettings, EmptyCrPasswordStillWinsOverPassword) {
    TIniFile ini = IniFromText("[Connections]\nCount=1\n[Connection0]\nPassword=plain\nCrPassword=\n");
    TConnectionRegistry reg;
    LoadConnections(ini, reg);
    EXPECT_EQ(reg.ConnectionAt(0).Password, "");
}

TEST(ConnectionsSettings, PlainPasswordIsRewrittenCoded) {
    TIniFile ini = IniFromText("[Connections]\nCount=1\n[Connection0]\nName=old\nPassword=plain pw\n");
    TConnectionRegistry reg;
    LoadConnections(ini, reg);
    ASSERT_EQ(reg.ConnectionAt(0).Password, "plain pw");

    TIniFile out;
    SaveConnections(out, reg);
    EXPECT_FALSE(out.ValueExists("Connection0", "Password"));
    const std::string coded = out.ReadString("Connection0", "CrPassword", "");
    EXPECT_EQ(coded.size(), 2 * std::string("plain pw").size() + 16);
    EXPECT_EQ(coded.find("plain"), std::string::npos);
    EXPECT_EQ(DecodePassword(kPasswordCoderKey, coded), "plain pw");
}

TEST(ConnectionsSettings, SameProtectedPasswordStoresSameCode) {
    TConnectionRegistry reg;
    reg.AddConnection(Record("a", "same"));
    reg.AddConnection(Record("b", "same"));
    TIniFile out;
    SaveConnections(out, reg);
    EXPECT_EQ(out.ReadString("Connection0", "CrPassword", "x"), out.ReadString("Connection1", "CrPassword", "y"));
}

TEST(ConnectionsSettings, SectionKeysAreWrittenInOrder) {
    TConnectionRegistry reg;
    reg.AddConnection(Record("a", "pw", "select 1;"));
    TIniFile out;
    SaveConnections(out, reg);
    EXPECT_EQ(out.ReadSections(), (std::vector<std::string>{"Connections", "Connection0"}));
    EXPECT_EQ(out.ReadSectionKeys("Connections"), (std::vector<std::string>{"Count", "ViewStyle"}));
    EXPECT_EQ(out.ReadSectionKeys("Connection0"),
              (std::vector<std::string>{"Name", "Server", "DataBase", "User", "CrPassword", "AskPassword", "Script",
                                        "Ico"}));
}

TEST(ConnectionsSettings, RegistryRoundTripThroughFileKeepsEveryField) {
    TConnectionRegistry reg;
    reg.SetViewStyle(1);
    reg.AddConnection(Record("first", "", "select 'x' from t;\r\nupdate t set a = \"q\" & b;\r\n"));
    reg.AddConnection(Record("second", "p\xC3\xA4ss=[x]"));
    TConnectionsParam asking = NewConnectionRecord();
    reg.AddConnection(asking);

    const auto dir = std::filesystem::temp_directory_path() / ("varnok_conn_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "varnok.ini").string();
    {
        TIniFile out;
        out.SetPath(path);
        SaveConnections(out, reg);
        out.Save();
    }
    TIniFile in(path);
    // The two-line script is one escaped line in the file.
    EXPECT_EQ(in.ReadString("Connection0", "Script", ""), "select &px&p from t;&nupdate t set a = &qq&q &a b;&n");
    TConnectionRegistry back;
    EXPECT_TRUE(LoadConnections(in, back).empty());
    std::filesystem::remove_all(dir);

    EXPECT_EQ(back.ViewStyle(), 1);
    ASSERT_EQ(back.ConnectionCount(), 3u);
    EXPECT_EQ(back.ConnectionAt(0), reg.ConnectionAt(0));
    EXPECT_EQ(back.ConnectionAt(1), reg.ConnectionAt(1));
    EXPECT_EQ(back.ConnectionAt(2), reg.ConnectionAt(2));
}

TEST(ConnectionsSettings, ScriptLinesComeBackWithCrLfAfterEach) {
    TConnectionRegistry reg;
    reg.AddConnection(Record("a", "", "set lock mode to wait\nset isolation to dirty read"));
    TIniFile out;
    SaveConnections(out, reg);
    TConnectionRegistry back;
    LoadConnections(out, back);
    EXPECT_EQ(back.ConnectionAt(0).Script, "set lock mode to wait\r\nset isolation to dirty read\r\n");
}

TEST(ConnectionsSettings, CountBeyondSectionsGivesEmptyRecords) {
    TIniFile ini = IniFromText("[Connections]\nCount=3\n[Connection0]\nName=only\nAskPassword=0\n");
    TConnectionRegistry reg;
    LoadConnections(ini, reg);
    ASSERT_EQ(reg.ConnectionCount(), 3u);
    EXPECT_EQ(reg.ConnectionAt(0).Name, "only");
    EXPECT_FALSE(reg.ConnectionAt(0).AskPassword);
    for (std::size_t i : {1u, 2u}) {
        EXPECT_EQ(reg.ConnectionAt(i).Name, "");
        EXPECT_EQ(reg.ConnectionAt(i).Server, "");
        EXPECT_TRUE(reg.ConnectionAt(i).AskPassword);
        EXPECT_EQ(reg.ConnectionAt(i).Ico, 0);
    }
}

TEST(ConnectionsSettings, MissingOrNegativeCountReadsNothing) {
    for (const char* text : {"[Connection0]\nName=a\n", "[Connections]\nCount=-4\n[Connection0]\nName=a\n",
                             "[Connections]\nCount=many\n[Connection0]\nName=a\n"}) {
        TConnectionRegistry reg;
        LoadConnections(IniFromText(text), reg);
        EXPECT_EQ(reg.ConnectionCount(), 0u) << text;
    }
}

TEST(ConnectionsSettings, AbsurdCountIsCappedAndReported) {
    TIniFile ini = IniFromText("[Connections]\nCount=2000000000\n[Connection0]\nName=a\n[Connection12000]\nName=far\n");
    TConnectionRegistry reg;
    const auto problems = LoadConnections(ini, reg);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("2000000000"), std::string::npos);
    // Every stored section is still read, the last one included.
    ASSERT_EQ(reg.ConnectionCount(), 12001u);
    EXPECT_EQ(reg.ConnectionAt(12000).Name, "far");
}

TEST(ConnectionsSettings, ViewStyleOutsideRangeKeepsCurrent) {
    struct Case {
        const char* value;
        int style;
    };
    for (const Case c : {Case{"0", 0}, Case{"2", 2}, Case{"4", 3}, Case{"-1", 3}, Case{"x", 3}}) {
        TConnectionRegistry reg;
        LoadConnections(IniFromText(std::string("[Connections]\nViewStyle=") + c.value + "\n"), reg);
        EXPECT_EQ(reg.ViewStyle(), c.style) << c.value;
    }
}

TEST(ConnectionsSettings, DamagedCodedPasswordIsReportedAndKept) {
    const std::string good = EncodePassword(kPasswordCoderKey, kPasswordCoderSeed, "ok");
    const std::string damaged = "0011223344556677ZZ";
    TIniFile ini = IniFromText("[Connections]\nCount=2\n[Connection0]\nName=bad\nCrPassword=" + damaged +
                               "\n[Connection1]\nName=good\nCrPassword=" + good + "\n");
    TConnectionRegistry reg;
    const auto problems = LoadConnections(ini, reg);
    ASSERT_EQ(reg.ConnectionCount(), 2u);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("\"bad\""), std::string::npos) << problems[0];
    EXPECT_NE(problems[0].find("not a hexadecimal digit"), std::string::npos) << problems[0];
    EXPECT_EQ(reg.ConnectionAt(0).Password, "");
    EXPECT_EQ(reg.ConnectionAt(1).Password, "ok");

    // Saved unchanged: the damaged text is not replaced by an empty password.
    TIniFile out;
    SaveConnections(out, reg);
    EXPECT_EQ(out.ReadString("Connection0", "CrPassword", ""), damaged);
    // Once a new password is stored, it is coded as usual.
    reg.ConnectionAt(0).Password = "new";
    reg.ConnectionAt(0).UnreadableCrPassword.clear();
    SaveConnections(out, reg);
    EXPECT_EQ(DecodePassword(kPasswordCoderKey, out.ReadString("Connection0", "CrPassword", "")), "new");
}

TEST(ConnectionsSettings, OverlongPasswordStopsTheSaveNamingTheConnection) {
    TConnectionRegistry reg;
    reg.AddConnection(Record("huge", std::string(kMaxPasswordBytes + 1, 'p')));
    TIniFile out;
    try {
        SaveConnections(out, reg);
        FAIL() << "saved a password the coder cannot take";
    } catch (const EPasswordCodeError& e) {
        EXPECT_NE(std::string(e.what()).find("\"huge\""), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("4088"), std::string::npos) << e.what();
    }
}

TEST(ConnectionsSettings, MovedFirstRecordIsStoredAsConnection1) {
    TConnectionRegistry reg;
    reg.AddConnection(Record("first", "1"));
    reg.AddConnection(Record("second", "2"));
    reg.MoveConnection(0, 1);
    TIniFile out;
    SaveConnections(out, reg);
    EXPECT_EQ(out.ReadString("Connection0", "Name", ""), "second");
    EXPECT_EQ(out.ReadString("Connection1", "Name", ""), "first");
    EXPECT_EQ(DecodePassword(kPasswordCoderKey, out.ReadString("Connection1", "CrPassword", "")), "1");
}

TEST(ConnectionsSettings, HooksRunAtTheirPoints) {
    std::vector<std::string> calls;
    TConnectionRegistry reg;
    TConnectionsViewHooks hooks;
    hooks.ReadListLayout = [&](const TIniFile& ini) {
        calls.push_back("layout:" + ini.ReadString(kQuickConnectionsViewSection, "fnName", ""));
        EXPECT_EQ(reg.ConnectionCount(), 0u);  // the list's look comes before the records
    };
    hooks.RecordAdded = [&](std::size_t index) {
        calls.push_back("added:" + std::to_string(index) + "=" + reg.ConnectionAt(index).Name);
    };
    hooks.WriteListLayout = [&](TIniFile& ini) { ini.WriteString(kQuickConnectionsViewSection, "fnName", "Mono"); };
    LoadConnections(IniFromText("[Connections]\nCount=2\n[QuickConnectionsView]\nfnName=Arial\n"
                                "[Connection0]\nName=a\n[Connection1]\nName=b\n"),
                    reg, hooks);
    EXPECT_EQ(calls, (std::vector<std::string>{"layout:Arial", "added:0=a", "added:1=b"}));

    TIniFile out;
    SaveConnections(out, reg, hooks);
    EXPECT_EQ(out.ReadSections(),
              (std::vector<std::string>{"Connections", "QuickConnectionsView", "Connection0", "Connection1"}));
}

TEST(LoginHistory, RoundTripAndRule) {
    TIniFile ini = IniFromText("[uLogins]\nz=informix\na=scott\n");
    std::vector<std::string> history = LoadLoginHistory(ini);
    EXPECT_EQ(history, (std::vector<std::string>{"informix", "scott"}));
    EXPECT_EQ(RememberLogin(history, "scott", 10), "scott");
    EXPECT_EQ(history, (std::vector<std::string>{"scott", "informix"}));
    EXPECT_EQ(RememberLogin(history, "dba", 2), "dba");
    EXPECT_EQ(history, (std::vector<std::string>{"dba", "scott"}));

    TIniFile out;
    SaveLoginHistory(out, history);
    EXPECT_EQ(out.ReadSectionKeys("uLogins"), (std::vector<std::string>{"0", "1"}));
    EXPECT_EQ(LoadLoginHistory(out), history);
}

}  // namespace
}  // namespace varnok

namespace varnok {
namespace {

TEST(ConnectionsSettingsSteps, SaveDropsRemovedRecordsAndLoadReportsProblems) {
    TSettingsRegistry settings;
    TConnectionRegistry reg;
    std::vector<std::string> problems;
    AddConnectionsSettingsSteps(settings, reg, {}, [&](const std::string& p) { problems.push_back(p); });

    settings.LoadSettings(IniFromText("[Connections]\nCount=3\n[Connection0]\nName=a\nCrPassword=00112233445566G7\n"
                                      "[Connection1]\nName=b\n[Connection2]\nName=c\n"));
    ASSERT_EQ(reg.ConnectionCount(), 3u);
    ASSERT_EQ(problems.size(), 1u);

    reg.DeleteConnection(1);
    TIniFile ini = IniFromText("[Connection2]\nName=c\n[Hand]\nx=1\n");
    settings.WriteSettings(ini);
    EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"Connections", "Connection0", "Connection1"}));
    EXPECT_EQ(ini.ReadInteger("Connections", "Count", 0), 2);
    EXPECT_EQ(ini.ReadString("Connection1", "Name", ""), "c");
    EXPECT_EQ(ini.ReadString("Connection0", "CrPassword", ""), "00112233445566G7");
}

}  // namespace
}  // namespace varnok
