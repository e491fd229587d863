// The catalog's own rows, views and synonyms, and the catalog queries the
// program sends verbatim.
#include "ifxsim/stmt_fixture.h"

#include <sqlite3.h>

namespace stmt_test {
namespace {

TEST_F(StmtFixture, CatalogDescribesItselfBelowTabid100) {
    EXPECT_EQ(Query("select tabid, tabtype from systables where tabname = 'systables'"), (Rows{{"1", "T"}}));
    EXPECT_EQ(Query("select count(*) from systables where tabid >= 100"), (Rows{{"0"}}));
    EXPECT_EQ(Query("select trim(owner) from systables where tabname = 'syscolumns'"), (Rows{{"informix"}}));
    // Catalog tables are declared with Informix types: tabname VARCHAR(128), tabid SERIAL NOT NULL.
    EXPECT_EQ(Query("select c.colname, c.coltype, c.collength from systables t, syscolumns c "
                    "where t.tabname = 'systables' and c.tabid = t.tabid and c.colno in (1, 4) order by c.colno"),
              (Rows{{"tabname", "13", "128"}, {"tabid", "262", "4"}}));
    // Empty but present.
    for (const char* table : {"systriggers", "systrigbody", "sysprocedures", "sysprocbody", "sysprocauth",
                              "sysfragments", "sysdistrib", "sysxtdtypes", "sysroles", "sysroleauth"})
        EXPECT_EQ(Query(std::string("select count(*) from ") + table), (Rows{{"0"}})) << table;
    // The internal serial table and triggers never show.
    ASSERT_EQ(Exec("create table s (id serial, d date)"), 0) << Errm();
    EXPECT_EQ(Query("select tabname from systables where tabid >= 100"), (Rows{{"s"}}));
}

TEST_F(StmtFixture, CatalogAnswersTheProgramsQueries) {
    // The sixteen-part index probe, as sent.
    EXPECT_EQ(Query("select 1 from informix.systables t, informix.syscolumns c where t.tabname = 'sysindexes' "
                    "and c.tabid = t.tabid and c.colname = 'part16'"),
              (Rows{{"1"}}));
    const Rows sid = Query("select dbinfo('sessionid') from informix.systables where tabid = 1");
    ASSERT_EQ(sid.size(), 1u);
    EXPECT_GT(std::stoi(sid[0][0]), 0);
    EXPECT_EQ(Query("select tabname from \"informix\".systables where tabid = 2"), (Rows{{"syscolumns"}}));
}

TEST_F(StmtFixture, ViewRowsCarryTextAndDependencies) {
    ASSERT_EQ(Exec("create table item (id integer, price decimal(6,2))"), 0) << Errm();
    const std::string text = "create view dear (id, price) as select id, price from item where price > 100";
    ASSERT_EQ(Exec(text), 0) << Errm();
    EXPECT_EQ(Query("select tabid, tabtype, ncols from systables where tabname = 'dear'"), (Rows{{"101", "V", "2"}}));
    std::string stored;
    for (const auto& row : Query("select viewtext from sysviews where tabid = 101 order by seqno")) stored += row[0];
    EXPECT_EQ(Trimmed(stored), text);
    EXPECT_EQ(Query("select btabid, btype, dtabid, dtype from sysdepend"), (Rows{{"100", "T", "101", "V"}}));
    ASSERT_EQ(Exec("drop view dear"), 0) << Errm();
    EXPECT_EQ(Query("select count(*) from sysviews"), (Rows{{"0"}}));
    EXPECT_EQ(Query("select count(*) from sysdepend"), (Rows{{"0"}}));
}

TEST_F(StmtFixture, SynonymsPointAtTheirTable) {
    ASSERT_EQ(Exec("create table item (id integer)"), 0) << Errm();
    ASSERT_EQ(Exec("create synonym goods for item"), 0) << Errm();
    ASSERT_EQ(Exec("create private synonym mine for item"), 0) << Errm();
    EXPECT_EQ(Query("select tabname, tabtype from systables where tabid > 100 order by tabid"),
              (Rows{{"goods", "S"}, {"mine", "P"}}));
    EXPECT_EQ(Query("select s.btabid from syssyntable s, systables t where t.tabname = 'goods' and s.tabid = t.tabid"),
              (Rows{{"100"}}));
    EXPECT_EQ(Query("select count(*) from syscolumns where tabid > 100"), (Rows{{"0"}}));
    ASSERT_EQ(Exec("drop synonym goods"), 0) << Errm();
    EXPECT_EQ(Query("select count(*) from syssyntable"), (Rows{{"1"}}));
}

TEST_F(StmtFixture, CheckConstraintKeepsItsTextInPieces) {
    const std::string check = "(price > 0 and price < 1000000 and price <> 13)";
    ASSERT_EQ(Exec("create table item (price decimal(8,2), check " + check + " constraint ck_price)"), 0) << Errm();
    const Rows c = Query("select constrid, constrtype, idxname from sysconstraints where constrname = 'ck_price'");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0][1], "C");
    EXPECT_EQ(c[0][2], "<null>");
    std::string text;
    const Rows pieces = Query("select seqno, checktext from syschecks where constrid = " + c[0][0] + " order by seqno");
    ASSERT_EQ(pieces.size(), 2u);
    for (const auto& row : pieces) text += row[1];
    EXPECT_EQ(Trimmed(text), check);
}

TEST_F(StmtFixture, RolledBackDdlLeavesNoCatalogRows) {
    ASSERT_EQ(Exec("begin work"), 0) << Errm();
    ASSERT_EQ(Exec("create table gone (id integer not null)"), 0) << Errm();
    EXPECT_EQ(Query("select count(*) from systables where tabname = 'gone'"), (Rows{{"1"}}));
    ASSERT_EQ(Exec("rollback work"), 0) << Errm();
    EXPECT_EQ(Query("select count(*) from systables where tabid >= 100"), (Rows{{"0"}}));
    EXPECT_EQ(Query("select count(*) from sysconstraints"), (Rows{{"0"}}));
}

TEST_F(StmtFixture, ConstraintNamesInEveryPlaceTheyAreWritten) {
    struct Case {
        const char* create;
        Rows named;  // constrname, constrtype of the named constraints
    };
    const Case cases[] = {
        {"create table t1 (a integer not null constraint nn_a, b integer unique constraint uq_b)",
         {{"nn_a", "N"}, {"uq_b", "U"}}},
        {"create table t2 (a integer, b integer, constraint uq_ab unique (a, b))", {{"uq_ab", "U"}}},
        {"create table t3 (a integer, b integer, distinct (b, a) constraint uq_ba, primary key (a) constraint pk_a)",
         {{"pk_a", "P"}, {"uq_ba", "U"}}},
        {"create table t4 (a integer primary key constraint pk4, c char(2) check (c in ('x', 'y')) constraint ck4)",
         {{"ck4", "C"}, {"pk4", "P"}}},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(Exec(c.create), 0) << c.create << " " << Errm();
        EXPECT_EQ(Query("select x.constrname, x.constrtype from sysconstraints x, systables t where t.tabid = x.tabid "
                        "and t.tabid = (select max(tabid) from systables) and x.constrname not matches '[nurc][0-9]*' "
                        "order by 1"),
                  c.named)
            << c.create;
    }
}

// A database file written before the catalog existed gets one when opened.
TEST_F(StmtFixture, OlderDatabaseGetsItsCatalogOnOpen) {
    const fs::path file = root_ / "data" / "older.db";
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &raw), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(raw, "CREATE TABLE old ('a' INTEGER, b 'CHAR(3)' NOT NULL)", nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(raw);
    ASSERT_EQ(Exec("database older"), 0) << Errm();
    EXPECT_EQ(Query("select t.tabid, c.colname, c.coltype, c.collength from systables t, syscolumns c "
                    "where t.tabname = 'old' and c.tabid = t.tabid order by c.colno"),
              (Rows{{"100", "a", "2", "4"}, {"100", "b", "256", "3"}}));
}

}  // namespace
}  // namespace stmt_test
