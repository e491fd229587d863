// Informix spellings of SELECT that the stand-in takes as written.
#include "ifxsim/stmt_fixture.h"

namespace stmt_test {
namespace {

using Rows = std::vector<std::vector<std::string>>;

class SelectDialect : public StmtFixture {
protected:
    void SetUp() override {
        StmtFixture::SetUp();
        ASSERT_EQ(Exec("create table n (i integer, g char(1))"), 0);
        for (int i = 1; i <= 5; ++i)
            ASSERT_EQ(Exec("insert into n values (" + std::to_string(i) + ", '" + (i % 2 ? "o" : "e") + "')"), 0);
    }
};

TEST_F(SelectDialect, FirstSkipAndLimit) {
    const struct { const char* sql; Rows rows; } cases[] = {
        {"select first 2 i from n order by i", {{"1"}, {"2"}}},
        {"select skip 1 first 2 i from n order by i", {{"2"}, {"3"}}},
        {"select skip 3 i from n order by i", {{"4"}, {"5"}}},
        {"select limit 1 i from n order by i desc", {{"5"}}},
        {"select unique g from n order by g", {{"e"}, {"o"}}},
        {"select i from n where i = 4 for update", {{"4"}}},
        {"select i from n where i = 3 for read only", {{"3"}}},
    };
    for (const auto& c : cases) EXPECT_EQ(Query(c.sql), c.rows) << c.sql;
}

TEST_F(SelectDialect, FirstDoesNotDisturbTheColumns) {
    Prepared p("select first 1 i, g from n");
    ASSERT_NE(p.described(), nullptr);
    ASSERT_EQ(p.described()->sqld, 2);
    EXPECT_STREQ(p.described()->sqlvar[0].sqlname, "i");
    EXPECT_EQ(p.described()->sqlvar[1].sqltype & SQLTYPE, SQLCHAR);
}

TEST_F(SelectDialect, DoubleQuotedTextIsAString) {
    EXPECT_EQ(Query("select i from n where g = \"e\" order by i"), (Rows{{"2"}, {"4"}}));
}

}  // namespace
}  // namespace stmt_test

namespace stmt_test {
namespace {

// CHAR values compare and collide without their trailing blanks.
TEST_F(StmtFixture, CharComparesWithoutTrailingBlanks) {
    ASSERT_EQ(Exec("create table c (k char(6) unique, v varchar(6))"), 0);
    ASSERT_EQ(Exec("insert into c values ('ab   ', 'ab   ')"), 0);
    EXPECT_EQ(Query("select k from c where k = 'ab'"), (std::vector<std::vector<std::string>>{{"ab    "}}));
    // VARCHAR keeps its blanks significant.
    EXPECT_EQ(Query("select v from c where v = 'ab'"), (std::vector<std::vector<std::string>>{}));
    EXPECT_EQ(Exec("insert into c values ('ab', 'x')"), -268);
}

}  // namespace
}  // namespace stmt_test

namespace stmt_test {
namespace {

TEST_F(StmtFixture, AlterTableAddsAndDropsColumnsAndUniqueConstraints) {
    ASSERT_EQ(Exec("create table al (a integer)"), 0);
    ASSERT_EQ(Exec("insert into al values (1)"), 0);
    ASSERT_EQ(Exec("alter table al add (b char(3) default 'x', c date)"), 0) << Errm();
    ASSERT_EQ(Exec("alter table al lock mode (row)"), 0) << Errm();
    ASSERT_EQ(Exec("alter table al modify next size 32"), 0) << Errm();
    ASSERT_EQ(Exec("alter table al add constraint unique (a) constraint al_a"), 0) << Errm();
    EXPECT_EQ(Exec("insert into al (a) values (1)"), -239);  // the constraint's index refuses the duplicate
    ASSERT_EQ(Exec("alter table al drop constraint al_a"), 0) << Errm();
    EXPECT_EQ(Exec("insert into al (a) values (1)"), 0) << Errm();
    ASSERT_EQ(Exec("alter table al drop (c)"), 0) << Errm();
    EXPECT_EQ(Query("select * from al"), (std::vector<std::vector<std::string>>{{"1", "x  "}, {"1", "x  "}}));
    EXPECT_EQ(Exec("alter table al modify (a smallint)"), -201);
}

}  // namespace
}  // namespace stmt_test

namespace stmt_test {
namespace {

// The session queries the access layer sends after connecting.
TEST_F(StmtFixture, SessionFactsAnswerTheLayersQueries) {
    ASSERT_EQ(Exec("create table one (tabid integer)"), 0);
    ASSERT_EQ(Exec("insert into one values (1)"), 0);
    const auto sid = Query("select dbinfo('sessionid') from one where tabid = 1");
    ASSERT_EQ(sid.size(), 1u);
    Params key;
    key.integer(std::atoi(sid[0][0].c_str()));
    const auto user = Query("select username from sysmaster:informix.syssessions where sid = ?", &key);
    ASSERT_EQ(user.size(), 1u);
    EXPECT_FALSE(user[0][0].empty());
    EXPECT_EQ(Query("select dbinfo('dbname') from one"), (std::vector<std::vector<std::string>>{{"stmtdb"}}));
    Prepared p("select dbinfo('sessionid') from one");
    ASSERT_NE(p.described(), nullptr);
    EXPECT_EQ(p.described()->sqlvar[0].sqltype & SQLTYPE, SQLINT);
}

TEST_F(StmtFixture, ServerNameDefault) {
    ASSERT_EQ(Exec("create table who (k integer, srv char(20) default dbservername)"), 0) << Errm();
    ASSERT_EQ(Exec("insert into who (k) values (1)"), 0) << Errm();
    EXPECT_EQ(Query("select srv from who"), (std::vector<std::vector<std::string>>{{"stmtsrv             "}}));
}

}  // namespace
}  // namespace stmt_test

namespace stmt_test {
namespace {

TEST_F(StmtFixture, LikeIsCaseSensitive) {
    ASSERT_EQ(Exec("create table lk (s varchar(10))"), 0);
    ASSERT_EQ(Exec("insert into lk values ('Abc')"), 0);
    EXPECT_EQ(Query("select s from lk where s like 'abc'"), (std::vector<std::vector<std::string>>{}));
    EXPECT_EQ(Query("select s from lk where s like 'A%'"), (std::vector<std::vector<std::string>>{{"Abc"}}));
}

}  // namespace
}  // namespace stmt_test

namespace stmt_test {
namespace {

TEST_F(StmtFixture, DivisionIsExactAndRefusesZero) {
    ASSERT_EQ(Exec("create table dv (a integer, b integer)"), 0);
    ASSERT_EQ(Exec("insert into dv values (7, 2)"), 0);
    EXPECT_EQ(Query("select a / b, (a + 1) / -b, a / (b * 2) from dv"),
              (std::vector<std::vector<std::string>>{{"3.5", "-4", "1.75"}}));
    EXPECT_EQ(Query("select a from dv where a / 2 > 3"), (std::vector<std::vector<std::string>>{{"7"}}));
    Prepared p("select a / (b - 2) from dv");
    ASSERT_NE(p.stmt(), nullptr);
    ifx_cursor_t* c = sqli_curs_locate(ESQLINTVERSION, "div_cursor", CURS_LOCATE_NEWNAME);
    ASSERT_EQ(sqli_curs_decl_dynm(ESQLINTVERSION, c, nullptr, p.stmt(), 0, 0), 0);
    EXPECT_EQ(sqli_curs_open(ESQLINTVERSION, c, nullptr, nullptr, nullptr, 0, 0), -1202);
    sqli_curs_free(ESQLINTVERSION, c);
    EXPECT_EQ(Exec("update dv set a = a / 0"), -1202);
    EXPECT_EQ(Query("select a from dv"), (std::vector<std::vector<std::string>>{{"7"}}));
}

}  // namespace
}  // namespace stmt_test

namespace stmt_test {
namespace {

TEST_F(StmtFixture, MatchesPatterns) {
    ASSERT_EQ(Exec("create table mt (s varchar(20))"), 0);
    for (const char* v : {"apple", "Apple", "banana", "a*b", "cat", "cut"})
        ASSERT_EQ(Exec(std::string("insert into mt values ('") + v + "')"), 0);
    const struct { const char* where; std::vector<std::vector<std::string>> rows; } cases[] = {
        {"s matches 'a*'", {{"a*b"}, {"apple"}}},
        {"s matches '[Aa]pple'", {{"Apple"}, {"apple"}}},
        {"s matches 'c?t'", {{"cat"}, {"cut"}}},
        {"s matches 'c[^a]t'", {{"cut"}}},
        {"s matches '[b-c]*'", {{"banana"}, {"cat"}, {"cut"}}},
        {"s matches 'a\\*b'", {{"a*b"}}},
        {"s matches 'a!*b' escape '!'", {{"a*b"}}},
        {"s not matches '*a*'", {{"Apple"}, {"cut"}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Query(std::string("select s from mt where ") + c.where + " order by s"), c.rows) << c.where;
}

}  // namespace
}  // namespace stmt_test

namespace stmt_test {
namespace {

// A pattern full of stars against a long value answers at once.
TEST_F(StmtFixture, MatchesStaysFastOnStarryPatterns) {
    ASSERT_EQ(Exec("create table mt2 (s lvarchar(5000))"), 0);
    ASSERT_EQ(Exec("insert into mt2 values ('" + std::string(3000, 'a') + "')"), 0);
    EXPECT_EQ(Query("select count(*) from mt2 where s matches '*a*a*a*a*a*a*a*a*a*a*a*a*b'"),
              (std::vector<std::vector<std::string>>{{"0"}}));
    EXPECT_EQ(Query("select count(*) from mt2 where s matches '*a*a*a*a*a*a*a*a*a*a*a*a'"),
              (std::vector<std::vector<std::string>>{{"1"}}));
}

}  // namespace
}  // namespace stmt_test

namespace stmt_test {
namespace {

class OuterJoins : public StmtFixture {
protected:
    void SetUp() override {
        StmtFixture::SetUp();
        ASSERT_EQ(Exec("create table cust (id integer, name char(8), city char(8))"), 0);
        ASSERT_EQ(Exec("create table ord (cid integer, amount integer)"), 0);
        ASSERT_EQ(Exec("create table note (cid integer, txt char(8))"), 0);
        for (const char* sql : {"insert into cust values (1, 'ann', 'rome')", "insert into cust values (2, 'bob', 'oslo')",
                                "insert into cust values (3, 'cid', 'rome')", "insert into ord values (1, 10)",
                                "insert into ord values (1, 20)", "insert into ord values (3, 5)",
                                "insert into note values (3, 'vip')"})
            ASSERT_EQ(Exec(sql), 0) << sql;
    }
};

TEST_F(OuterJoins, SubordinateRowsAreNullWhenNothingMatches) {
    const struct { const char* sql; std::vector<std::vector<std::string>> rows; } cases[] = {
        {"select c.id, o.amount from cust c, outer ord o where c.id = o.cid order by c.id, o.amount",
         {{"1", "10"}, {"1", "20"}, {"2", "<null>"}, {"3", "5"}}},
        // A filter on the dominant table filters the result.
        {"select c.id, o.amount from cust c, outer ord o where c.id = o.cid and c.city = 'rome' "
         "order by c.id, o.amount",
         {{"1", "10"}, {"1", "20"}, {"3", "5"}}},
        // A filter on the subordinate table only narrows what joins.
        {"select c.id, o.amount from cust c, outer ord o where c.id = o.cid and o.amount > 15 order by c.id",
         {{"1", "20"}, {"2", "<null>"}, {"3", "<null>"}}},
        {"select c.id, n.txt, o.amount from cust c, outer note n, outer ord o "
         "where n.cid = c.id and o.cid = c.id and o.amount < 15 order by c.id",
         {{"1", "<null>", "10"}, {"2", "<null>", "<null>"}, {"3", "vip     ", "5"}}},
        {"select count(*) from stmtdb:informix.cust c, outer informix.ord o where c.id = o.cid",
         {{"4"}}},
        // An outer join inside a subquery, as the catalog queries write them.
        {"select c.name from cust c where c.id = (select nvl(o.cid, 0) from note n, outer ord o "
         "where n.txt = 'vip' and o.cid = n.cid and o.amount = 5)",
         {{"cid     "}}},
    };
    for (const auto& c : cases) EXPECT_EQ(Query(c.sql), c.rows) << c.sql;
}

}  // namespace
}  // namespace stmt_test

namespace stmt_test {
namespace {

TEST_F(StmtFixture, DateFunctionsAndDecode) {
    ASSERT_EQ(Exec("create table df (d date, code integer)"), 0);
    ASSERT_EQ(Exec("insert into df values ('02/29/2024', 2)"), 0);
    ASSERT_EQ(Exec("insert into df values (null, null)"), 0);
    EXPECT_EQ(Query("select day(d), month(d), year(d), weekday(d) from df where d is not null"),
              (std::vector<std::vector<std::string>>{{"29", "2", "2024", "4"}}));
    EXPECT_EQ(Query("select count(*) from df where d = date('02/29/2024')"),
              (std::vector<std::vector<std::string>>{{"1"}}));
    EXPECT_EQ(Query("select decode(code, 1, 'one', 2, 'two', 'other'), decode(code, null, 'none', 'some') "
                    "from df order by code"),
              (std::vector<std::vector<std::string>>{{"other", "none"}, {"two", "some"}}));
}

}  // namespace
}  // namespace stmt_test

namespace stmt_test {
namespace {

TEST_F(StmtFixture, CastsToInformixTypes) {
    ASSERT_EQ(Exec("create table cs (t varchar(20), n integer)"), 0);
    ASSERT_EQ(Exec("insert into cs values ('03/15/2024', 7)"), 0);
    EXPECT_EQ(Query("select cast(t as date), n::decimal(5,2), cast(n as char(1)) || 'x' from cs"),
              (std::vector<std::vector<std::string>>{{"03/15/2024", "7", "7x"}}));
    EXPECT_EQ(Query("select n from cs where t::date = mdy(3, 15, 2024)"), (std::vector<std::vector<std::string>>{{"7"}}));
    Prepared p("select t::date, cast(n as decimal(5,2)) from cs");
    ASSERT_NE(p.described(), nullptr);
    EXPECT_EQ(p.described()->sqlvar[0].sqltype & SQLTYPE, SQLDATE);
    EXPECT_EQ(p.described()->sqlvar[1].sqltype & SQLTYPE, SQLDECIMAL);
    EXPECT_EQ(p.described()->sqlvar[1].sqllen, 5 * 256 + 2);
    EXPECT_EQ(Exec("insert into cs (n) values ('abc'::date)"), -1218);
}

}  // namespace
}  // namespace stmt_test

namespace stmt_test {
namespace {

TEST_F(StmtFixture, DateArithmetic) {
    ASSERT_EQ(Exec("create table da (d date, e date)"), 0);
    ASSERT_EQ(Exec("insert into da values ('03/01/2024', '02/01/2024')"), 0);
    EXPECT_EQ(Query("select d - 1, d + 30, d - e, e + 1 - 1 from da"),
              (std::vector<std::vector<std::string>>{{"02/29/2024", "03/31/2024", "29", "02/01/2024"}}));
}

}  // namespace
}  // namespace stmt_test
