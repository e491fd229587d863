// sqlerrd[5], the row id of the last row fetched, inserted, updated or
// deleted; and the constraint names in the texts of -525 and -530.
#include "ifxsim/stmt_fixture.h"

namespace stmt_test {
namespace {

using Rows = std::vector<std::vector<std::string>>;

class RowIds : public StmtFixture {
protected:
    void SetUp() override {
        StmtFixture::SetUp();
        ASSERT_EQ(Exec("create table r (k integer, v char(3))"), 0);
        for (int k = 1; k <= 3; ++k) {
            ASSERT_EQ(Exec("insert into r values (" + std::to_string(k) + ", 'v" + std::to_string(k) + "')"), 0);
            EXPECT_EQ(Ca().sqlerrd[5], k);
        }
        ASSERT_EQ(Exec("create view rv as select k from r"), 0);
    }

    // sqlerrd[5] after each FETCH of `sql` (until NOT FOUND), through a cursor of `flags`.
    static std::vector<int> FetchedRowIds(const std::string& sql, int flags = 0) {
        std::vector<int> ids;
        Prepared p(sql);
        EXPECT_NE(p.stmt(), nullptr) << sql << ": " << SqlCode();
        if (!p.stmt()) return ids;
        OutputBuffers out(p.described());
        ifx_cursor_t* c = sqli_curs_locate(ESQLINTVERSION, "rowid_cursor", CURS_LOCATE_NEWNAME);
        EXPECT_EQ(sqli_curs_decl_dynm(ESQLINTVERSION, c, nullptr, p.stmt(), flags, 0), 0);
        EXPECT_EQ(sqli_curs_open(ESQLINTVERSION, c, nullptr, nullptr, nullptr, 0, 0), 0) << Errm();
        _FetchSpec next{0, FETCH_NEXT, 0};
        while (sqli_curs_fetch(ESQLINTVERSION, c, nullptr, p.described(), nullptr, &next) == 0)
            ids.push_back(Ca().sqlerrd[5]);
        sqli_curs_close(ESQLINTVERSION, c);
        sqli_curs_free(ESQLINTVERSION, c);
        return ids;
    }
};

TEST_F(RowIds, FetchGivesTheRowIdOfEachRow) {
    EXPECT_EQ(FetchedRowIds("select v from r order by k desc"), (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(FetchedRowIds("select * from r where k >= 2 order by k", 32 /* SCROLL */),
              (std::vector<int>{2, 3}));
    // The row id column stays out of the description and the values.
    Prepared p("select * from r");
    ASSERT_NE(p.described(), nullptr);
    EXPECT_EQ(p.described()->sqld, 2);
    EXPECT_EQ(Query("select * from r where k = 2"), (Rows{{"2", "v2 "}}));
    // Views, joins and aggregates still run (no row id of one table to give).
    EXPECT_EQ(Query("select k from rv where k = 1"), (Rows{{"1"}}));
    EXPECT_EQ(Query("select a.k from r a, r b where a.k = b.k and a.k = 3"), (Rows{{"3"}}));
    EXPECT_EQ(Query("select count(*), max(k) from r"), (Rows{{"3", "3"}}));
    EXPECT_EQ(Query("select distinct v from r where k = 1"), (Rows{{"v1 "}}));
}

TEST_F(RowIds, SingletonExecuteGivesTheRowId) {
    Prepared p("select v from r where k = 2");
    ASSERT_NE(p.stmt(), nullptr);
    OutputBuffers out(p.described());
    ASSERT_EQ(sqli_exec(ESQLINTVERSION, p.stmt(), nullptr, nullptr, nullptr, p.described(), nullptr, nullptr, 0), 0)
        << Errm();
    EXPECT_EQ(out.row(), (std::vector<std::string>{"v2 "}));
    EXPECT_EQ(Ca().sqlerrd[5], 2);
}

TEST_F(RowIds, UpdateAndDeleteGiveTheLastRowTouched) {
    ASSERT_EQ(Exec("update r set v = 'x' where k = 2"), 0);
    EXPECT_EQ(Ca().sqlerrd[5], 2);
    EXPECT_EQ(Ca().sqlerrd[2], 1);
    ASSERT_EQ(Exec("delete from r where k = 3"), 0);
    EXPECT_EQ(Ca().sqlerrd[5], 3);
    ASSERT_EQ(Exec("delete from r where k = 1"), 0);
    EXPECT_EQ(Ca().sqlerrd[5], 1);
    ASSERT_EQ(Exec("update r set v = 'y' where k = 99"), 0);
    EXPECT_EQ(Ca().sqlerrd[5], 0);
}

TEST_F(StmtFixture, ConstraintErrorsNameTheConstraint) {
    ASSERT_EQ(Exec("create table p (id integer primary key)"), 0);
    ASSERT_EQ(Exec("create table c (pid integer, amount integer, "
                   "foreign key (pid) references p (id) constraint c_to_p, "
                   "check (amount >= 0) constraint amount_positive)"),
              0)
        << Errm();
    ASSERT_EQ(Exec("create table d (n integer check (n < 10))"), 0) << Errm();
    ASSERT_EQ(Exec("insert into p values (1)"), 0);
    ASSERT_EQ(Exec("insert into c values (1, 5)"), 0) << Errm();
    const struct { const char* sql; int code; const char* errm; } cases[] = {
        {"insert into c values (2, 5)", -525, "c_to_p"},
        {"update c set pid = 7", -525, "c_to_p"},
        {"delete from p", -525, "c_to_p"},
        {"insert into c values (1, -1)", -530, "amount_positive"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Exec(c.sql), c.code) << c.sql;
        EXPECT_EQ(Errm(), c.errm) << c.sql;
    }
    // A check without a name carries the server's name for it, not its text.
    EXPECT_EQ(Exec("insert into d values (11)"), -530);
    const std::string text = Errm();
    const auto named = Query("select constrname from sysconstraints where constrtype = 'C' and tabid = "
                             "(select tabid from systables where tabname = 'd')");
    ASSERT_EQ(named.size(), 1u);
    EXPECT_EQ(text, named[0][0]);
}

}  // namespace
}  // namespace stmt_test
