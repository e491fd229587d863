// Column names that are keywords elsewhere (default, primary, type, size,
// level, user) and double-quoted text with and without DELIMIDENT.
#include "ifxsim/stmt_fixture.h"

namespace stmt_test {
namespace {

using Rows = std::vector<std::vector<std::string>>;

TEST_F(StmtFixture, KeywordsAsColumnNames) {
    ASSERT_EQ(Exec("create table kw (default char(4), primary integer, type char(2), size integer, "
                   "level smallint, user char(8))"),
              0)
        << Errm();
    ASSERT_EQ(Exec("insert into kw (default, primary, type, size, level, user) values ('d', 1, 'T', 10, 3, 'bob')"), 0)
        << Errm();
    ASSERT_EQ(Exec("update kw set default = 'e', user = 'ann' where primary = 1 and size > 5"), 0) << Errm();
    EXPECT_EQ(Query("select default, primary, type, size, level, kw.user from kw where default = 'e' order by level"),
              (Rows{{"e   ", "1", "T ", "10", "3", "ann     "}}));
    Prepared p("select default, size from kw");
    ASSERT_NE(p.described(), nullptr) << Errm();
    EXPECT_STREQ(p.described()->sqlvar[0].sqlname, "default");
    EXPECT_EQ(p.described()->sqlvar[1].sqltype & SQLTYPE, SQLINT);
    // Unqualified in an expression USER stays the session's login.
    const auto who = Query("select user from kw");
    ASSERT_EQ(who.size(), 1u);
    EXPECT_NE(who[0][0], "ann     ");
    // INTERVAL as a column name is read qualified, as the server reads it.
    ASSERT_EQ(Exec("create table lapse (interval interval day(3) to day)"), 0) << Errm();
    ASSERT_EQ(Exec("insert into lapse values ('12')"), 0) << Errm();
    EXPECT_EQ(Query("select lapse.interval + 1 units day from lapse"), (Rows{{"       13"}}));
    EXPECT_EQ(Query("select count(*) from 'informix'.systables where tabname = 'lapse'"), (Rows{{"1"}}));
    // The catalog's own column of that name.
    EXPECT_EQ(Exec("create table dflt (c char(3) default 'x')"), 0);
    EXPECT_EQ(Query("select default from sysdefaults where tabid = (select tabid from systables where tabname = 'dflt')"),
              (Rows{{std::string("x") + std::string(255, ' ')}}));
}

// Words SQLite reserves that an Informix query can only mean as columns, unqualified
// in the select list, WHERE, GROUP BY and ORDER BY; UNIQUE after SELECT or "(" is DISTINCT.
TEST_F(StmtFixture, ReservedWordsAsUnqualifiedColumns) {
    ASSERT_EQ(Exec("create table rw (primary integer, unique integer, index char(2), add integer, drop integer)"), 0)
        << Errm();
    for (const char* sql : {"insert into rw values (1, 10, 'a', 5, 0)", "insert into rw values (2, 10, 'b', 6, 0)",
                            "insert into rw (primary, unique, index, add, drop) values (3, 20, 'a', 7, 1)"})
        ASSERT_EQ(Exec(sql), 0) << sql << ": " << Errm();
    EXPECT_EQ(Query("select primary from rw where primary = 1"), (Rows{{"1"}}));
    EXPECT_EQ(Query("select primary, unique, index from rw where unique = 20 and index = 'a'"), (Rows{{"3", "20", "a "}}));
    EXPECT_EQ(Query("select count(*), unique from rw where drop = 0 group by unique order by unique"), (Rows{{"2", "10"}}));
    EXPECT_EQ(Query("select add + primary from rw where primary in (1, 3) order by add desc"), (Rows{{"10"}, {"6"}}));
    EXPECT_EQ(Query("select count(unique unique) from rw"), (Rows{{"2"}}));
    EXPECT_EQ(Query("select primary from rw where unique in (select unique unique from rw where drop = 1)"), (Rows{{"3"}}));
    ASSERT_EQ(Exec("update rw set unique = 30, drop = 2 where primary = 2 and add = 6"), 0) << Errm();
    EXPECT_EQ(Query("select drop, unique from rw where primary = 2"), (Rows{{"2", "30"}}));
    ASSERT_EQ(Exec("delete from rw where unique = 30"), 0) << Errm();
    EXPECT_EQ(Query("select count(*) from rw"), (Rows{{"2"}}));
    // Errors point into the statement as written, before and after a quoted word.
    const struct {
        const char* sql;
        int offset;
    } errors[] = {{"select nosuch, primary from rw", 7}, {"select primary, unique, nosuch from rw", 24},
                  {"select primary from rw where unique = 1 and nosuch = 2", 44}};
    for (const auto& e : errors) {
        EXPECT_EQ(Exec(e.sql), -217) << e.sql;
        EXPECT_EQ(Errm(), "nosuch") << e.sql;
        EXPECT_EQ(Ca().sqlerrd[4], e.offset) << e.sql;
    }
}

class Delimident : public StmtFixture {
protected:
    void TearDown() override {
        ifx_putenv("DELIMIDENT");
        StmtFixture::TearDown();
    }
};

TEST_F(Delimident, DoubleQuotesAreStringsUnlessDelimidentIsSet) {
    ASSERT_EQ(Exec("create table \"Mixed\" (\"Key\" integer, name char(5))"), 0) << Errm();
    ASSERT_EQ(Exec("insert into \"Mixed\" values (1, 'Key')"), 0) << Errm();
    // Without DELIMIDENT: a string in expressions, a name in the owner and table positions.
    EXPECT_EQ(Query("select name from \"Mixed\" where name = \"Key\""), (Rows{{"Key  "}}));
    EXPECT_EQ(Query("select count(*) from \"informix\".systables where tabname = \"systables\""), (Rows{{"1"}}));
    ASSERT_EQ(ifx_putenv("DELIMIDENT=y"), 0);
    EXPECT_EQ(Query("select \"Key\", name from \"Mixed\" where \"Key\" = 1"), (Rows{{"1", "Key  "}}));
    EXPECT_EQ(Query("select count(*) from \"informix\".systables where tabname = 'systables'"), (Rows{{"1"}}));
    ASSERT_EQ(ifx_putenv("DELIMIDENT=n"), 0);
    EXPECT_EQ(Query("select \"Key\" from \"Mixed\""), (Rows{{"Key"}}));
}

}  // namespace
}  // namespace stmt_test
