// Session facts inside SQL: the session functions and the sessions table
// the catalog side shows as sysmaster:informix.syssessions.
#include "server_fixture.h"

namespace server_test {
namespace {

class SessionTest : public ServerFixture {
protected:
    void Open(const char* name, const char* dbenv, const char* user = nullptr, const char* password = nullptr)
    {
        ASSERT_EQ(Connect(name, dbenv, user, password), 0);
        if (Exec("database facts") == -329) {
            ASSERT_EQ(Exec("create database facts"), 0);
        }
        Exec("create table s (sid integer, u varchar(40), srv varchar(40), db varchar(40))");
    }

    // Rows the statement processed.
    int Rows(const std::string& sql)
    {
        EXPECT_EQ(Exec(sql), 0) << sql;
        return fnsqlca()->sqlerrd[2];
    }
};

TEST_F(SessionTest, FunctionsAnswerForTheCurrentSession)
{
    Open("c1", "@simsrv", "carol", "any");
    const int sid = ifxsim_current_session();
    ASSERT_EQ(Rows("insert into s select ifx_session_id(), ifx_session_user(), ifx_server_name(), "
                   "ifx_database_name() from ifx_syssessions where sid = ifx_session_id()"),
              1);
    EXPECT_EQ(Rows("delete from s where sid = " + std::to_string(sid)
                   + " and u = 'carol' and srv = 'simsrv' and db = 'facts'"),
              1);
}

TEST_F(SessionTest, TableListsTheSessionsOfTheServer)
{
    Open("other", "@locked", "alice", "secret");  // another server: not listed below
    Open("c1", "@simsrv");
    const int first = ifxsim_current_session();
    Open("c2", "@simsrv", "dave", "x");
    const int second = ifxsim_current_session();
    EXPECT_EQ(Rows("insert into s (sid, u) select sid, username from ifx_syssessions"), 2);
    EXPECT_EQ(Rows("delete from s where sid = " + std::to_string(second) + " and u = 'dave'"), 1);
    EXPECT_EQ(Rows("delete from s where sid = " + std::to_string(first)), 1);
    // An ended session is gone from the list at once.
    ASSERT_EQ(ifxsim_kill_session(first), 0);
    EXPECT_EQ(Rows("insert into s (sid) select sid from ifx_syssessions"), 1);
    EXPECT_EQ(Rows("delete from s where sid = " + std::to_string(second)), 1);
}

}  // namespace
}  // namespace server_test
