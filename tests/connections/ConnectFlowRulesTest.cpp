// The widget-free rules of the connect flow.
#include <gtest/gtest.h>

#include "connections/ConnectFlowRules.h"
#include "shell/IniFile.h"

namespace varnok {
namespace {

TEST(ConnectFlowRules, ParameterLinesAreExactlyServerUserPasswordInOrder) {
    EXPECT_EQ(ConnectParamLines("ol_demo", "informix", "s=cret"),
              (std::vector<std::string>{"INFORMIXSERVER=ol_demo", "WIN32USER=informix", "WIN32PASS=s=cret"}));
}

TEST(ConnectFlowRules, ParamValueFindsFirstMatchingNameWithoutRegardToCase) {
    const std::vector<std::string> lines{"WIN32PASS=a=b", "informixserver=one", "INFORMIXSERVER=two",
                                         "NOEQUALS"};
    EXPECT_EQ(ParamValue(lines, "INFORMIXSERVER"), "one");
    EXPECT_EQ(ParamValue(lines, "WIN32PASS"), "a=b"); // only the first "=" separates
    EXPECT_EQ(ParamValue(lines, "WIN32USER"), "");
    EXPECT_EQ(ParamValue(lines, "NOEQUALS"), "");
}

TEST(ConnectFlowRules, CaptionTrimsServerInfoAndUsesTwoBlanks) {
    EXPECT_EQ(ConnectedCaption("alice", "simsrv", "  IBM Informix Dynamic Server Version 9.40  "),
              "Varnok 5.18b  [alice@simsrv]  (IBM Informix Dynamic Server Version 9.40)");
    EXPECT_EQ(ConnectedCaption("", "", ""), "Varnok 5.18b  [@]  ()");
}

TEST(ConnectFlowRules, ServerGenerationIsThe22ndCharacterOfTheUntrimmedText) {
    const struct {
        std::string info;
        char expected;
    } cases[] = {
        {"IBM Informix Dynamic Server Version 9.40.UC1", 'S'}, // position 22 of this text
        {"123456789012345678901X", 'X'},
        {"123456789012345678901", '\0'}, // shorter: not "9"
        {"", '\0'},
        {" 23456789012345678901 9", ' '}, // untrimmed: leading blanks count
    };
    for (const auto& c : cases)
        EXPECT_EQ(ServerGenerationChar(c.info), c.expected) << c.info;
}

TEST(ConnectFlowRules, DatabaseEntriesAreCutBeforeTheFirstAt) {
    EXPECT_EQ(DatabaseBoxEntries({"stores@ol_demo", "b@x@y", "noat", "@srv"}),
              (std::vector<std::string>{"stores", "b", "noat", ""}));
}

TEST(ConnectFlowRules, LastDatabasesMatchServersWithoutCaseAndKeepFileOrder) {
    TIniFile ini;
    ini.LoadFromText("[LastOpenDB]\nzeta=db1\nalpha=db2\n");
    TLastDatabases last;
    last.Load(ini);
    EXPECT_EQ(last.Get("ZETA"), "db1");
    EXPECT_EQ(last.Get("alpha"), "db2");
    EXPECT_EQ(last.Get("other"), "");
    last.Set("Alpha", "db3"); // replaces, no second key
    last.Set("new", "db4");
    EXPECT_EQ(last.Count(), 3u);
    TIniFile out;
    last.Save(out);
    EXPECT_EQ(out.ReadSectionKeys("LastOpenDB"), (std::vector<std::string>{"zeta", "alpha", "new"}));
    EXPECT_EQ(out.ReadString("LastOpenDB", "alpha", "?"), "db3");
}

TEST(ConnectFlowRules, LastDatabasesSkipKeysThatCouldNotBeReadBack) {
    TLastDatabases last;
    last.Set("", "x");
    last.Set("a=b", "y");
    last.Set("ok", "z");
    TIniFile out;
    last.Save(out);
    EXPECT_EQ(out.ReadSectionKeys("LastOpenDB"), (std::vector<std::string>{"ok"}));
}

TEST(ConnectFlowRules, ConnectionBarEnablingFollowsTheUpdateTerms) {
    const struct {
        bool open, executing, inTransaction, supports;
        TConnectionBarEnabling expected; // connect, connected, begin, commitRollback
    } cases[] = {
        {false, false, false, false, {true, false, false, false}},
        {true, false, false, true, {true, true, true, false}},
        {true, false, false, false, {true, true, false, false}}, // unlogged database: no Begin
        {true, false, true, true, {true, true, false, true}},
        {true,
         true,
         true,
         true,
         {false, false, false, false}}, // executing: nothing that needs the connection
        {false, true, false, false, {false, false, false, false}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ConnectionBarEnabling(c.open, c.executing, c.inTransaction, c.supports), c.expected)
            << c.open << c.executing << c.inTransaction << c.supports;
}

} // namespace
} // namespace varnok
