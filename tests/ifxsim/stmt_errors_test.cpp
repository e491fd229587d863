// Failures carry the Informix code, the name for the message's %s, the ISAM
// code and the offset of the offending word in the statement text.
#include "ifxsim/stmt_fixture.h"

namespace stmt_test {
namespace {

struct ErrorCase {
    const char* sql;
    int code;
    const char* errm;   // null: not checked
    int isam;
    int offset;         // -1: not checked
};

inline void PrintTo(const ErrorCase& c, std::ostream* os) { *os << c.sql; }

class StatementErrors : public StmtFixture, public ::testing::WithParamInterface<ErrorCase> {
protected:
    void SetUp() override {
        StmtFixture::SetUp();
        ASSERT_EQ(Exec("create table t (a integer not null, b char(10), c integer unique)"), 0) << Errm();
        ASSERT_EQ(Exec("create unique index t_b on t (b)"), 0) << Errm();
        ASSERT_EQ(Exec("insert into t values (1, 'one', 1)"), 0) << Errm();
    }
};

TEST_P(StatementErrors, CodeNameIsamAndOffset) {
    const ErrorCase& c = GetParam();
    EXPECT_EQ(Exec(c.sql), c.code) << c.sql;
    EXPECT_EQ(SqlCode(), c.code) << c.sql;
    if (c.errm) {
        EXPECT_EQ(Errm(), c.errm) << c.sql;
    }
    EXPECT_EQ(Ca().sqlerrd[1], c.isam) << c.sql;
    if (c.offset >= 0) {
        EXPECT_EQ(Ca().sqlerrd[4], c.offset) << c.sql;
    }
}

const ErrorCase kErrors[] = {
    {"select * from nosuch", -206, "nosuch", -111, 14},
    {"  -- leading comment\nselect * from t, nosuch", -206, "nosuch", -111, 38},
    {"select nocol from t", -217, "nocol", 0, 7},
    {"select a from t where zz = 1", -217, "zz", 0, 22},
    {"selec * from t", -201, nullptr, 0, 0},
    {"select * frm t", -201, nullptr, 0, -1},
    {"select 'abc from t", -282, nullptr, 0, 7},
    {"insert into t values (2)", -236, nullptr, 0, -1},
    {"insert into t values (2, 'one', 2)", -239, "t_b", -100, -1},
    {"insert into t values (2, 'two', 1)", -268, nullptr, -100, -1},
    {"insert into t (b) values ('three')", -391, "t.a", 0, -1},
    {"update t set a = null", -391, "t.a", 0, -1},
    {"create table t (x integer)", -310, "t", 0, 13},
    {"create index t_b on t (c)", -316, "t_b", 0, -1},
    {"drop table nosuch", -206, "nosuch", -111, 11},
    {"drop index nosuch", -319, "nosuch", 0, -1},
    {"create procedure p() end function", -201, nullptr, 0, 25},
    {"execute procedure no_such_proc(1, 2)", -674, "no_such_proc", 0, 18},
};

INSTANTIATE_TEST_SUITE_P(Failures, StatementErrors, ::testing::ValuesIn(kErrors));

TEST_F(StmtFixture, PrepareFailuresReturnNoHandleAndKeepTheOffset) {
    EXPECT_EQ(sqli_prep(ESQLINTVERSION, nullptr, "select x from nosuch", nullptr, nullptr, -1, 0, 0), nullptr);
    EXPECT_EQ(SqlCode(), -206);
    EXPECT_EQ(Ca().sqlerrd[4], 14);
}

TEST_F(StmtFixture, NoDatabaseSelected) {
    ASSERT_EQ(Exec("close database"), 0) << Errm();
    EXPECT_EQ(sqli_prep(ESQLINTVERSION, nullptr, "select 1 from t", nullptr, nullptr, -1, 0, 0), nullptr);
    EXPECT_EQ(SqlCode(), -349);
}

TEST_F(StmtFixture, FailedStatementLeavesTheDataAlone) {
    ASSERT_EQ(Exec("create table keep (k integer primary key, v char(5))"), 0);
    ASSERT_EQ(Exec("insert into keep values (1, 'a')"), 0);
    ASSERT_EQ(Exec("insert into keep values (2, 'b')"), 0);
    EXPECT_EQ(Exec("update keep set k = 1 where k = 2"), -268);
    EXPECT_EQ(Query("select k, v from keep order by k"),
              (std::vector<std::vector<std::string>>{{"1", "a    "}, {"2", "b    "}}));
}

TEST_F(StmtFixture, BadLiteralsGiveConversionErrors) {
    ASSERT_EQ(Exec("create table lit (d datetime year to day)"), 0);
    EXPECT_EQ(Exec("insert into lit values (datetime(2024-13-01) year to day)"), -1263);
    EXPECT_EQ(Exec("insert into lit values (datetime(2024-02-29) year to day)"), 0) << Errm();
    EXPECT_EQ(Query("select d from lit"), (std::vector<std::vector<std::string>>{{"2024-02-29"}}));
}

TEST_F(StmtFixture, InformixLiteralsAreUnderstood) {
    ASSERT_EQ(Exec("create table when_t (d date, dt datetime year to second, iv interval day to hour)"), 0);
    ASSERT_EQ(Exec("insert into when_t values (mdy(2, 29, 2024), current year to second, "
                   "interval(3 04) day to hour)"), 0) << Errm();
    ASSERT_EQ(Exec("insert into when_t values (today, datetime(1999-12-31 23:59:59) year to second, null)"), 0)
        << Errm();
    const auto rows = Query("select d, dt, iv from when_t where dt < datetime(2000-01-01) year to day");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][1], "1999-12-31 23:59:59");
    const auto first = Query("select d, iv from when_t where iv is not null");
    EXPECT_EQ(first, (std::vector<std::vector<std::string>>{{"02/29/2024", " 3 04"}}));
}

}  // namespace
}  // namespace stmt_test

namespace stmt_test {
namespace {

// Every code the statement side raises has a message text for rgetlmsg.
TEST(StatementErrorTexts, EveryRaisedCodeHasAText) {
    const int codes[] = {-201, -206, -208, -213, -217, -236, -239, -240, -244, -254, -259, -268, -271, -282, -284,
                         -310, -316, -319, -324, -346, -349, -391, -400, -404, -481, -525, -530, -538, -674,
                         -1213, -1215, -1218, -1260, -1262, -1263, -1264, -100, -107, -111};
    for (int code : codes) {
        char buf[512] = {};
        mint length = 0;
        EXPECT_EQ(rgetlmsg(code, buf, sizeof buf, &length), 0) << code;
        EXPECT_GT(length, 0) << code;
    }
}

TEST_F(StmtFixture, ReferenceErrorsKeepBothTables) {
    ASSERT_EQ(Exec("create table p (id integer primary key)"), 0);
    ASSERT_EQ(Exec("create table c (pid integer references p (id))"), 0);
    ASSERT_EQ(Exec("insert into p values (1)"), 0);
    ASSERT_EQ(Exec("insert into c values (1)"), 0);
    EXPECT_EQ(Exec("insert into c values (2)"), -525);
    EXPECT_EQ(Exec("delete from p"), -525);
    EXPECT_EQ(Query("select count(*) from p"), (std::vector<std::vector<std::string>>{{"1"}}));
    EXPECT_EQ(Query("select count(*) from c"), (std::vector<std::vector<std::string>>{{"1"}}));
}

}  // namespace
}  // namespace stmt_test
