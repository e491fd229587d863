// Statements in an ANSI database (implicit transactions, NOT FOUND for
// searched changes that touch nothing), owner-qualified table names, and a
// long query interrupted from another thread.
#include <chrono>
#include <thread>

#include "ifxsim/stmt_fixture.h"

namespace stmt_test {
namespace {

TEST_F(StmtFixture, AnsiDatabaseReportsNotFoundAndOpensTransactionsItself) {
    ASSERT_EQ(Exec("create database ansidb with log mode ansi"), 0) << Errm();
    ASSERT_EQ(Exec("create table a (k integer)"), 0) << Errm();
    ASSERT_EQ(Exec("insert into a values (1)"), 0) << Errm();
    ASSERT_EQ(sqli_trans_commit(), 0) << Errm();
    EXPECT_EQ(Exec("delete from a where k = 99"), SQLNOTFOUND);
    EXPECT_EQ(Ca().sqlerrd[2], 0);
    EXPECT_EQ(Exec("update a set k = 2 where k = 1"), 0);
    EXPECT_EQ(Ca().sqlerrd[2], 1);
    // The change sits in the implicit transaction: a rollback takes it back.
    ASSERT_EQ(sqli_trans_rollback(), 0) << Errm();
    EXPECT_EQ(Query("select k from a"), (std::vector<std::vector<std::string>>{{"1"}}));
}

TEST_F(StmtFixture, AnsiDatabaseGivesPublicNoRightToRunARoutine) {
    ASSERT_EQ(Exec("create database ansiproc with log mode ansi"), 0) << Errm();
    ASSERT_EQ(Exec("create procedure p(a integer) return; end procedure"), 0) << Errm();
    // Only the owner may run it, and that right has no row.
    EXPECT_EQ(Query("select count(*) from sysprocauth"), (std::vector<std::vector<std::string>>{{"0"}}));
    EXPECT_EQ(Query("select count(*) from sysprocedures"), (std::vector<std::vector<std::string>>{{"1"}}));
}

TEST_F(StmtFixture, LoggedDatabaseGivesZeroForUntouchedRows) {
    ASSERT_EQ(Exec("create table l (k integer)"), 0);
    EXPECT_EQ(Exec("delete from l where k = 99"), 0);
    EXPECT_EQ(Ca().sqlerrd[2], 0);
}

TEST_F(StmtFixture, OwnerAndDatabaseQualifiedTableNames) {
    ASSERT_EQ(Exec("create table informix.owned (k integer)"), 0) << Errm();
    ASSERT_EQ(Exec("insert into \"informix\".owned values (3)"), 0) << Errm();
    ASSERT_EQ(Exec("update stmtdb:informix.owned set k = 4"), 0) << Errm();
    EXPECT_EQ(Query("select o.k from informix.owned o, owned p where o.k = p.k"),
              (std::vector<std::vector<std::string>>{{"4"}}));
}

TEST_F(StmtFixture, LongQueryIsInterruptedFromAnotherThread) {
    Prepared p("with recursive c(x) as (select 1 union all select x + 1 from c where x < 2000000000) "
               "select max(x) from c");
    ASSERT_NE(p.stmt(), nullptr) << Errm();
    ifx_cursor_t* cursor = sqli_curs_locate(ESQLINTVERSION, "long_one", CURS_LOCATE_NEWNAME);
    ASSERT_EQ(sqli_curs_decl_dynm(ESQLINTVERSION, cursor, nullptr, p.stmt(), 0, 0), 0);
    std::thread breaker([] {
        // Wait until the request runs, then break it.
        for (int i = 0; i < 200 && sqldone() != -439; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
        sqlbreak();
    });
    const auto start = std::chrono::steady_clock::now();
    const int rc = sqli_curs_open(ESQLINTVERSION, cursor, nullptr, nullptr, nullptr, 0, 0);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    breaker.join();
    EXPECT_EQ(rc, -213);
    EXPECT_LT(elapsed, std::chrono::seconds(5));
    _FetchSpec next{0, FETCH_NEXT, 0};
    EXPECT_EQ(sqli_curs_fetch(ESQLINTVERSION, cursor, nullptr, p.described(), nullptr, &next), -400);
    sqli_curs_free(ESQLINTVERSION, cursor);
}

}  // namespace
}  // namespace stmt_test

namespace stmt_test {
namespace {

// Dates, datetimes and intervals written as text are stored in their own
// form, so they compare and sort as values, whatever form they came in.
TEST_F(StmtFixture, TemporalTextIsStoredAsValues) {
    ASSERT_EQ(Exec("create table dd (k integer, d date, t datetime year to minute, i interval hour to minute)"), 0);
    ASSERT_EQ(Exec("insert into dd values (1, '12/31/1999', '2024-01-02 10:11:12', '5:30')"), 0) << Errm();
    ASSERT_EQ(Exec("insert into dd values (2, '2000-01-01', '2024-01-02 09:05', '10:00')"), 0) << Errm();
    ASSERT_EQ(Exec("insert into dd values (3, mdy(6, 1, 1999), null, null)"), 0) << Errm();
    EXPECT_EQ(Query("select k, d from dd where d > mdy(1, 1, 1999) order by d"),
              (std::vector<std::vector<std::string>>{{"3", "06/01/1999"}, {"1", "12/31/1999"}, {"2", "01/01/2000"}}));
    EXPECT_EQ(Query("select t, i from dd where k = 1"),
              (std::vector<std::vector<std::string>>{{"2024-01-02 10:11", " 5:30"}}));
    EXPECT_EQ(Query("select k from dd where t is not null order by t"),
              (std::vector<std::vector<std::string>>{{"2"}, {"1"}}));
    ASSERT_EQ(Exec("update dd set d = '02/03/2004' where k = 3"), 0) << Errm();
    EXPECT_EQ(Query("select k from dd where d = mdy(2, 3, 2004)"), (std::vector<std::vector<std::string>>{{"3"}}));
}

TEST_F(StmtFixture, BadTemporalTextIsRefusedAndNothingIsStored) {
    ASSERT_EQ(Exec("create table bad_d (d date)"), 0);
    EXPECT_LT(Exec("insert into bad_d values ('13/45/2020')"), 0);
    EXPECT_EQ(Query("select d from bad_d"), (std::vector<std::vector<std::string>>{}));
}

}  // namespace
}  // namespace stmt_test
