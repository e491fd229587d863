#include "connections/ConnectionForm.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "connections/LoginHistory.h"
#include "connections/PasswordCoder.h"

namespace varnok {
namespace {

TConnectionsParam SampleRecord() {
    TConnectionsParam record;
    record.Name = "prod";
    record.Server = "ol_demo";
    record.DataBase = "stores";
    record.User = "informix";
    record.Password = "in4mix";
    record.AskPassword = false;
    record.Script = "set lock mode to wait 10;\r\n";
    record.Ico = 3;
    return record;
}

TEST(ConnectionForm, RecordFillsEveryControl) {
    const TConnectionFormValues values = FormValuesFromRecord(SampleRecord(), 8);
    EXPECT_EQ(values.name, "prod");
    EXPECT_EQ(values.server, "ol_demo");
    EXPECT_EQ(values.database, "stores");
    EXPECT_EQ(values.user, "informix");
    EXPECT_EQ(values.password, "in4mix");
    EXPECT_FALSE(values.askPassword);
    EXPECT_EQ(values.script, "set lock mode to wait 10;\r\n");
    EXPECT_EQ(values.pictureIndex, 3);
}

TEST(ConnectionForm, PictureNumberWithoutPictureSelectsNothing) {
    struct Case {
        int ico;
        int pictureCount;
        int expected;
    };
    for (const Case& c : {Case{0, 8, 0}, Case{7, 8, 7}, Case{8, 8, -1}, Case{100, 8, -1}, Case{-1, 8, -1},
                          Case{0, 0, -1}}) {
        TConnectionsParam record;
        record.Ico = c.ico;
        EXPECT_EQ(FormValuesFromRecord(record, c.pictureCount).pictureIndex, c.expected) << c.ico;
    }
}

TEST(ConnectionForm, OkWritesEveryFieldBackIncludingNoPicture) {
    TConnectionsParam record = SampleRecord();
    record.Ico = 100;
    TConnectionFormValues values = FormValuesFromRecord(record, 8);
    values.name = "test";
    values.database.clear();
    values.askPassword = true;
    ApplyFormValues(values, record);
    EXPECT_EQ(record.Name, "test");
    EXPECT_EQ(record.DataBase, "");
    EXPECT_TRUE(record.AskPassword);
    EXPECT_EQ(record.Server, "ol_demo");
    EXPECT_EQ(record.Ico, -1);
}

TEST(ConnectionForm, UnreadableStoredPasswordSurvivesUntilANewOneIsTyped) {
    TConnectionsParam record;
    record.UnreadableCrPassword = "ZZ00";
    TConnectionFormValues values = FormValuesFromRecord(record, 8);
    values.name = "renamed";
    ApplyFormValues(values, record);
    EXPECT_EQ(record.UnreadableCrPassword, "ZZ00");

    values.password = "fresh";
    ApplyFormValues(values, record);
    EXPECT_EQ(record.Password, "fresh");
    EXPECT_EQ(record.UnreadableCrPassword, "");
}

TEST(ConnectionForm, PasswordTheFileCannotStoreIsRefused) {
    TConnectionFormValues values;
    values.password.assign(kMaxPasswordBytes, 'x');
    EXPECT_EQ(CheckFormValues(values), std::nullopt);
    values.password.push_back('x');
    const auto problem = CheckFormValues(values);
    ASSERT_TRUE(problem.has_value());
    EXPECT_NE(problem->find("4088"), std::string::npos) << *problem;
    EXPECT_NE(problem->find("4089"), std::string::npos) << *problem;
}

TEST(ConnectionForm, TestSendsExactlyFourLinesEvenWithEmptyDatabase) {
    TConnectionFormValues values;
    values.server = "ol_demo";
    values.user = "scott";
    values.password = "a=b";
    EXPECT_EQ(TestConnectionParamLines(values),
              (std::vector<std::string>{"INFORMIXSERVER=ol_demo", "DATABASE=", "WIN32USER=scott", "WIN32PASS=a=b"}));
    values.database = "stores";
    EXPECT_EQ(TestConnectionParamLines(values)[1], "DATABASE=stores");
}

TEST(LoginRules, CaptionAndUserNameWithEmptyHistoryLimit) {
    EXPECT_EQ(LoginCaption("ol_demo@stores"), "Connect To ol_demo@stores");
    std::vector<std::string> history{"informix"};
    // A limit of 0 keeps no history, but the login still uses the typed name.
    EXPECT_EQ(RememberLogin(history, "scott", 0), "scott");
    EXPECT_TRUE(history.empty());
    EXPECT_EQ(LoginUserName("", "scott", 0), "scott");
    EXPECT_EQ(LoginUserName("scott", "scott", 5), "scott");
}

}  // namespace
}  // namespace varnok
