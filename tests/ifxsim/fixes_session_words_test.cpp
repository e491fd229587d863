// Session words used as values in conditions and select lists (USER,
// DBSERVERNAME, SITENAME, TODAY, CURRENT), as the connect flow's role query
// "select rolename from sysroleauth where grantee = user" needs them.
#include "ifxsim/stmt_fixture.h"

namespace stmt_test {
namespace {

using Rows = std::vector<std::vector<std::string>>;

class SessionWords : public StmtFixture {
protected:
    // The login of this session, as the session table lists it.
    std::string SessionUser() {
        const auto sid = Query("select dbinfo('sessionid') from words where k = 1");
        if (sid.size() != 1) return {};
        Params key;
        key.integer(std::atoi(sid[0][0].c_str()));
        const auto user = Query("select username from sysmaster:informix.syssessions where sid = ?", &key);
        return user.size() == 1 ? user[0][0] : std::string{};
    }
    void SetUp() override {
        StmtFixture::SetUp();
        ASSERT_EQ(Exec("create table words (k integer, who varchar(64), srv varchar(64), d date)"), 0) << Errm();
        ASSERT_EQ(Exec("insert into words values (1, 'nobody-else', 'othersrv', '01/01/2000')"), 0) << Errm();
    }
};

TEST_F(SessionWords, UserMatchesOnlyTheSessionsOwnRows) {
    const std::string user = SessionUser();
    ASSERT_FALSE(user.empty());
    ASSERT_EQ(Exec("insert into words (k, who) values (2, '" + user + "')"), 0) << Errm();
    EXPECT_EQ(Query("select k from words where who = user"), (Rows{{"2"}})) << Errm();
    EXPECT_EQ(Query("select k from words where user = who order by k"), (Rows{{"2"}})) << Errm();
    EXPECT_EQ(Query("select k from words where who <> user"), (Rows{{"1"}})) << Errm();
    // USER is a CHAR(32) value: blank-padded like any CHAR column.
    const auto shown = Query("select user from words where k = 1");
    ASSERT_EQ(shown.size(), 1u) << Errm();
    EXPECT_EQ(shown[0][0], user + std::string(32 - user.size(), ' '));
}

TEST_F(SessionWords, ServerNamesAndDatesWorkInConditions) {
    ASSERT_EQ(Exec("insert into words (k, srv, d) values (2, 'stmtsrv', today)"), 0) << Errm();
    const struct {
        const char* where;
        const char* k;
    } cases[] = {
        {"srv = dbservername", "2"},
        {"srv = sitename", "2"},
        {"d = today", "2"},
        {"d < today", "1"},
        {"k = 1 and current > datetime(2000-01-01) year to day", "1"},
        {"k = 2 and current year to second > datetime(2000-01-01 00:00:00) year to second", "2"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Query(std::string("select k from words where ") + c.where), (Rows{{c.k}})) << c.where << ": " << Errm();
}

// A column that happens to be called like a session word is still reached through its table.
TEST_F(SessionWords, QualifiedColumnNamedUserStaysAColumn) {
    ASSERT_EQ(Exec("create table acct (\"user\" varchar(20))"), 0) << Errm();
    ASSERT_EQ(Exec("insert into acct values ('col-value')"), 0) << Errm();
    EXPECT_EQ(Query("select acct.user from acct"), (Rows{{"col-value"}})) << Errm();
}

// An error without a message leaves an empty sqlerrm (the copy of the empty text is skipped).
TEST_F(SessionWords, ErrorWithoutMessageLeavesEmptyErrm) {
    EXPECT_EQ(Exec("commit work"), -255);
    EXPECT_STREQ(Ca().sqlerrm, "");
}

}  // namespace
}  // namespace stmt_test
