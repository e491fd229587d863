// PREPARE reports the statement type of every statement kind by its leading
// words (the type the access layer and the script executor branch on).
#include "ifxsim/stmt_fixture.h"

namespace stmt_test {
namespace {

struct TypeCase {
    const char* sql;
    int type;
};

// Failures name the statement, not the bytes of the case.
inline void PrintTo(const TypeCase& c, std::ostream* os) { *os << c.sql; }

class StatementTypes : public StmtFixture, public ::testing::WithParamInterface<TypeCase> {
protected:
    void SetUp() override {
        StmtFixture::SetUp();
        ASSERT_EQ(Exec("create table t (a integer, b char(10))"), 0) << Errm();
        ASSERT_EQ(Exec("create index t_ix on t (a)"), 0) << Errm();
    }
};

TEST_P(StatementTypes, PrepareReportsTheTypeCode) {
    const TypeCase& c = GetParam();
    Prepared p(c.sql);
    ASSERT_NE(p.stmt(), nullptr) << c.sql << " -> " << SqlCode() << " " << Errm();
    EXPECT_EQ(p.type(), c.type) << c.sql;
}

const TypeCase kTypes[] = {
    {"SELECT * FROM t", SQ_SELECT},
    {"-- a comment\n{ another }\n/* and one more */ select a from t", SQ_SELECT},
    {"select a, (select count(*) from t) from t where a in (select a from t)", SQ_SELECT},
    {"select a from t into temp tt with no log", SQ_SELINTO},
    {"UPDATE t SET a = 1 WHERE b = 'x'", SQ_UPDATE},
    {"update t set a = (select max(a) from t where a > 1)", SQ_UPDALL},
    {"DELETE FROM t WHERE a = 1", SQ_DELETE},
    {"delete from t", SQ_DELALL},
    {"delete t where a = 2", SQ_DELETE},
    {"INSERT INTO t VALUES (1, 'x')", SQ_INSERT},
    {"insert into t (a) select a from t where a = 1", SQ_INSERT},
    {"CREATE TABLE n1 (x INT)", SQ_CRETAB},
    {"create temp table n2 (x int) with no log", SQ_CTEMP},
    {"DROP TABLE t", SQ_DRPTAB},
    {"CREATE UNIQUE INDEX ix1 ON t (a)", SQ_CREIDX},
    {"create distinct index ix2 on t (a desc)", SQ_CREIDX},
    {"create cluster index ix3 on t (b)", SQ_CREIDX},
    {"drop index t_ix", SQ_DRPIDX},
    {"CREATE VIEW v1 AS SELECT a FROM t", SQ_CREVIEW},
    {"create synonym s1 for t", SQ_CREASYN},
    {"RENAME TABLE t TO t2", SQ_RENTAB},
    {"rename column t.a to a2", SQ_RENCOL},
    {"alter table t add (c integer)", SQ_ALTER},
    {"update statistics medium for table t", SQ_STATS},
    {"update statistics for procedure", SQ_PROCSTATS},
    {"TRUNCATE TABLE t", SQ_TRUNCATE},
    {"DATABASE stmtdb", SQ_DATABASE},
    {"CREATE DATABASE other WITH BUFFERED LOG", SQ_CREADB},
    {"DROP DATABASE other", SQ_DROPDB},
    {"CLOSE DATABASE", SQ_CLSDB},
    {"BEGIN WORK", SQ_BEGWORK},
    {"COMMIT WORK", SQ_COMMIT},
    {"ROLLBACK WORK", SQ_ROLLBACK},
    {"GRANT SELECT ON t TO public", SQ_GRANT},
    {"REVOKE ALL ON t FROM public", SQ_REVOKE},
    {"LOCK TABLE t IN EXCLUSIVE MODE", SQ_LOCK},
    {"UNLOCK TABLE t", SQ_UNLOCK},
    {"SET LOCK MODE TO WAIT 10", SQ_WAITFOR},
    {"SET ISOLATION TO DIRTY READ", SQ_ISOLATE},
    {"set explain on", SQ_EXPLAIN},
    {"set optimization low", SQ_OPTIM},
    {"set pdqpriority 20", SQ_PDQPRIORITY},
    {"create role clerk", SQ_CREATEROLE},
    {"drop role clerk", SQ_DROPROLE},
    {"set role clerk", SQ_SETROLE},
    {"savepoint sp1", SQ_CRESAVEPOINT},
    {"select a from t;", SQ_SELECT},
    {"alter table t add (d integer);\n", SQ_ALTER},
    {"DATABASE stmtdb;", SQ_DATABASE},
};

INSTANTIATE_TEST_SUITE_P(Statements, StatementTypes, ::testing::ValuesIn(kTypes));

TEST_F(StmtFixture, UnknownLeadingWordIsASyntaxErrorAtTheWord) {
    const std::string sql = "  fetch everything";
    EXPECT_EQ(sqli_prep(ESQLINTVERSION, nullptr, sql.c_str(), nullptr, nullptr, -1, 0, 0), nullptr);
    EXPECT_EQ(SqlCode(), -201);
    EXPECT_EQ(Ca().sqlerrd[4], 2);
}

TEST_F(StmtFixture, TerminatingSemicolonIsPartOfTheStatementText) {
    ASSERT_EQ(Exec("create table semi (a integer);"), 0) << Errm();
    ASSERT_EQ(Exec("alter table semi add (b integer);"), 0) << Errm();
    ASSERT_EQ(Exec("insert into semi values (1, 2);  -- done\n"), 0) << Errm();
    EXPECT_EQ(Query("select a, b from semi;"), (std::vector<std::vector<std::string>>{{"1", "2"}}));
    // Two statements in one PREPARE are refused, not half run.
    EXPECT_EQ(Exec("insert into semi values (3, 4); delete from semi"), -201);
    EXPECT_EQ(Ca().sqlerrd[4], 30);  // the ";" that ends the first
    EXPECT_EQ(Query("select count(*) from semi"), (std::vector<std::vector<std::string>>{{"1"}}));
}

TEST_F(StmtFixture, CommentOnlyTextIsRejected) {
    EXPECT_EQ(sqli_prep(ESQLINTVERSION, nullptr, "-- nothing\n{ here }", nullptr, nullptr, -1, 0, 0), nullptr);
    EXPECT_EQ(SqlCode(), -201);
}

TEST_F(StmtFixture, WholeTableChangeRaisesTheWarning) {
    ASSERT_EQ(Exec("create table w (a integer)"), 0);
    ifx_cursor_t* all = sqli_prep(ESQLINTVERSION, nullptr, "delete from w", nullptr, nullptr, -1, 0, 0);
    ASSERT_NE(all, nullptr);
    EXPECT_EQ(Ca().sqlwarn.sqlwarn4, 'W');
    EXPECT_EQ(Ca().sqlwarn.sqlwarn0, 'W');
    ifx_cursor_t* some = sqli_prep(ESQLINTVERSION, nullptr, "delete from w where a = 1", nullptr, nullptr, -1, 0, 0);
    ASSERT_NE(some, nullptr);
    EXPECT_EQ(Ca().sqlwarn.sqlwarn4, ' ');
    sqli_curs_free(ESQLINTVERSION, all);
    sqli_curs_free(ESQLINTVERSION, some);
}

}  // namespace
}  // namespace stmt_test

namespace stmt_test {
namespace {

// DATABASE needs no connection before it: it makes one, and PREPARE of it
// leaves a clean communication area.
TEST_F(StmtFixture, DatabaseStatementWithoutAConnection) {
    sqli_connect_close(2, nullptr, 0, 0);
    ASSERT_EQ(ifx_getcur_conn_name(), nullptr);
    ifx_cursor_t* stmt = sqli_prep(ESQLINTVERSION, "dbstmt", "database stmtdb", nullptr, nullptr, -1, 0, 0);
    ASSERT_NE(stmt, nullptr);
    EXPECT_EQ(SqlCode(), 0);
    EXPECT_EQ(stmt->_SQCstmttype, SQ_DATABASE);
    EXPECT_EQ(sqli_exec(ESQLINTVERSION, stmt, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0), 0) << Errm();
    EXPECT_EQ(Exec("create table after_db (a integer)"), 0) << Errm();  // the database is open
    sqli_curs_free(ESQLINTVERSION, stmt);
    // Anything else still needs a connection.
    sqli_connect_close(2, nullptr, 0, 0);
    EXPECT_EQ(sqli_prep(ESQLINTVERSION, nullptr, "select 1 from t", nullptr, nullptr, -1, 0, 0), nullptr);
    EXPECT_EQ(SqlCode(), -1803);
}

}  // namespace
}  // namespace stmt_test
