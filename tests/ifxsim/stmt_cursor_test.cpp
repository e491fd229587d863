// Cursors as the access layer drives them: declare on a prepared statement,
// open with parameters, fetch next/previous/absolute/relative, close, free;
// hold cursors across COMMIT; the errors of cursors that are not open.
#include "ifxsim/stmt_fixture.h"

namespace stmt_test {
namespace {

class Cursors : public StmtFixture {
protected:
    void SetUp() override {
        StmtFixture::SetUp();
        ASSERT_EQ(Exec("create table n (i integer, s varchar(10))"), 0);
        for (int i = 1; i <= 5; ++i)
            ASSERT_EQ(Exec("insert into n values (" + std::to_string(i) + ", 'v" + std::to_string(i) + "')"), 0);
    }

    // A declared cursor over `sql` with its output buffers.
    struct Open {
        explicit Open(const std::string& sql, int flags, Params* params = nullptr) : prepared(sql) {
            cursor = sqli_curs_locate(ESQLINTVERSION, ("c_" + std::to_string(++counter)).c_str(),
                                      CURS_LOCATE_NEWNAME);
            EXPECT_NE(cursor, nullptr);
            EXPECT_EQ(sqli_curs_decl_dynm(ESQLINTVERSION, cursor, nullptr, prepared.stmt(), flags, 0), 0) << Errm();
            out = std::make_unique<OutputBuffers>(prepared.described());
            openResult = sqli_curs_open(ESQLINTVERSION, cursor, params ? params->sqlda() : nullptr, nullptr,
                                        nullptr, 0, 0);
        }
        ~Open() {
            sqli_curs_close(ESQLINTVERSION, cursor);
            sqli_curs_free(ESQLINTVERSION, cursor);
        }
        // The first column of the fetched row, or "100"/the error code.
        std::string fetch(int direction, int value = 0) {
            _FetchSpec spec{value, direction, 0};
            const int rc = sqli_curs_fetch(ESQLINTVERSION, cursor, nullptr, prepared.described(), nullptr, &spec);
            if (rc != 0) return std::to_string(rc);
            return out->row()[0];
        }
        static inline int counter = 0;
        Prepared prepared;
        ifx_cursor_t* cursor = nullptr;
        std::unique_ptr<OutputBuffers> out;
        int openResult = 0;
    };
};

TEST_F(Cursors, ScrollCursorMovesEveryWay) {
    Open c("select i from n order by i", CURSOR_FLAG_SCROLL);
    ASSERT_EQ(c.openResult, 0) << Errm();
    struct Move {
        int direction, value;
        const char* expected;
    };
    const Move moves[] = {
        {FETCH_NEXT, 0, "1"},     {FETCH_NEXT, 0, "2"},     {FETCH_PREVIOUS, 0, "1"}, {FETCH_PREVIOUS, 0, "100"},
        {FETCH_NEXT, 0, "1"},     {FETCH_ABSOLUTE, 5, "5"}, {FETCH_RELATIVE, -2, "3"}, {FETCH_CURRENT, 0, "3"},
        {FETCH_ABSOLUTE, 0, "100"}, {FETCH_LAST, 0, "5"},   {FETCH_NEXT, 0, "100"},   {FETCH_FIRST, 0, "1"},
        {FETCH_RELATIVE, 9, "100"}, {FETCH_PREVIOUS, 0, "5"}, {FETCH_RELATIVE, 0, "5"},
    };
    for (const auto& m : moves) EXPECT_EQ(c.fetch(m.direction, m.value), m.expected) << m.direction << "," << m.value;
}

TEST_F(Cursors, SequentialCursorEndsWith100AndStaysThere) {
    Open c("select i from n order by i desc", 0);
    ASSERT_EQ(c.openResult, 0);
    for (const char* v : {"5", "4", "3", "2", "1"}) EXPECT_EQ(c.fetch(FETCH_NEXT), v);
    EXPECT_EQ(c.fetch(FETCH_NEXT), "100");
    EXPECT_EQ(c.fetch(FETCH_NEXT), "100");
    EXPECT_EQ(Ca().sqlcode, 100);
}

TEST_F(Cursors, ReopeningStartsAgainWithNewParameters) {
    Params first;
    first.integer(3);
    Open c("select i from n where i >= ? order by i", 0, &first);
    ASSERT_EQ(c.openResult, 0) << Errm();
    EXPECT_EQ(c.fetch(FETCH_NEXT), "3");
    Params second;
    second.integer(5);
    ASSERT_EQ(sqli_curs_open(ESQLINTVERSION, c.cursor, second.sqlda(), nullptr, nullptr, 0, 0), 0);
    EXPECT_EQ(c.fetch(FETCH_NEXT), "5");
    EXPECT_EQ(c.fetch(FETCH_NEXT), "100");
}

TEST_F(Cursors, ParametersOfSeveralTypesFilterRows) {
    Params p;
    p.integer(2).text("v4");
    Open c("select i from n where i > ? and s <> ? order by i", 0, &p);
    ASSERT_EQ(c.openResult, 0) << Errm();
    EXPECT_EQ(c.fetch(FETCH_NEXT), "3");
    EXPECT_EQ(c.fetch(FETCH_NEXT), "5");
    EXPECT_EQ(c.fetch(FETCH_NEXT), "100");
}

TEST_F(Cursors, WrongParameterCountIsRefused) {
    Params p;
    p.integer(1).integer(2);
    Open c("select i from n where i = ?", 0, &p);
    EXPECT_EQ(c.openResult, -254);
}

TEST_F(Cursors, HoldCursorSurvivesCommitOthersDoNot) {
    ASSERT_EQ(Exec("begin work"), 0) << Errm();
    Open held("select i from n order by i", CURSOR_FLAG_HOLD);
    Open plain("select i from n order by i", 0);
    EXPECT_EQ(held.fetch(FETCH_NEXT), "1");
    EXPECT_EQ(plain.fetch(FETCH_NEXT), "1");
    ASSERT_EQ(sqli_trans_commit(), 0) << Errm();
    EXPECT_EQ(held.fetch(FETCH_NEXT), "2");
    EXPECT_EQ(plain.fetch(FETCH_NEXT), "-400");
}

TEST_F(Cursors, RollbackClosesHoldCursorsToo) {
    ASSERT_EQ(Exec("begin work"), 0);
    Open held("select i from n", CURSOR_FLAG_HOLD | CURSOR_FLAG_SCROLL);
    EXPECT_EQ(held.fetch(FETCH_NEXT), "1");
    ASSERT_EQ(sqli_trans_rollback(), 0);
    EXPECT_EQ(held.fetch(FETCH_NEXT), "-400");
}

TEST_F(Cursors, UnopenedCursorErrors) {
    Prepared p("select i from n");
    ifx_cursor_t* cursor = sqli_curs_locate(ESQLINTVERSION, "never_opened", CURS_LOCATE_NEWNAME);
    ASSERT_NE(cursor, nullptr);
    ASSERT_EQ(sqli_curs_decl_dynm(ESQLINTVERSION, cursor, nullptr, p.stmt(), 0, 0), 0);
    _FetchSpec next{0, FETCH_NEXT, 0};
    EXPECT_EQ(sqli_curs_fetch(ESQLINTVERSION, cursor, nullptr, p.described(), nullptr, &next), -400);
    EXPECT_EQ(sqli_curs_close(ESQLINTVERSION, cursor), -259);
    EXPECT_EQ(SqlCode(), -259);
    EXPECT_EQ(sqli_curs_free(ESQLINTVERSION, cursor), 0);
    // A freed handle is recognised, not followed.
    EXPECT_EQ(sqli_curs_close(ESQLINTVERSION, cursor), -404);
}

TEST_F(Cursors, LocateFindsCursorsByName) {
    ifx_cursor_t* made = sqli_curs_locate(ESQLINTVERSION, "named_one", CURS_LOCATE_NEWNAME);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(sqli_curs_locate(ESQLINTVERSION, "named_one", CURS_LOCATE_USE), made);
    EXPECT_EQ(sqli_curs_locate(ESQLINTVERSION, "nobody", CURS_LOCATE_USE), nullptr);
    EXPECT_EQ(SqlCode(), -404);
    sqli_curs_free(ESQLINTVERSION, made);
    EXPECT_EQ(sqli_curs_locate(ESQLINTVERSION, "named_one", CURS_LOCATE_USE), nullptr);
}

TEST_F(Cursors, TwoCursorsShareOneStatement) {
    Prepared p("select i from n order by i");
    ifx_cursor_t* a = sqli_curs_locate(ESQLINTVERSION, "share_a", CURS_LOCATE_NEWNAME);
    ifx_cursor_t* b = sqli_curs_locate(ESQLINTVERSION, "share_b", CURS_LOCATE_NEWNAME);
    ASSERT_EQ(sqli_curs_decl_dynm(ESQLINTVERSION, a, nullptr, p.stmt(), 0, 0), 0);
    ASSERT_EQ(sqli_curs_decl_dynm(ESQLINTVERSION, b, nullptr, p.stmt(), 0, 0), 0);
    OutputBuffers out(p.described());
    ASSERT_EQ(sqli_curs_open(ESQLINTVERSION, a, nullptr, nullptr, nullptr, 0, 0), 0);
    ASSERT_EQ(sqli_curs_open(ESQLINTVERSION, b, nullptr, nullptr, nullptr, 0, 0), 0);
    _FetchSpec next{0, FETCH_NEXT, 0};
    ASSERT_EQ(sqli_curs_fetch(ESQLINTVERSION, a, nullptr, p.described(), nullptr, &next), 0);
    ASSERT_EQ(sqli_curs_fetch(ESQLINTVERSION, a, nullptr, p.described(), nullptr, &next), 0);
    ASSERT_EQ(sqli_curs_fetch(ESQLINTVERSION, b, nullptr, p.described(), nullptr, &next), 0);
    EXPECT_EQ(out.row()[0], "1");
    sqli_curs_free(ESQLINTVERSION, a);
    sqli_curs_free(ESQLINTVERSION, b);
}

TEST_F(Cursors, SingletonSelectThroughSlct) {
    const char* count[] = {"select count(*) from n where i > ", "2", nullptr};
    int4 value = -1;
    int2 ind = 0;
    ifx_sqlvar_t out{};
    out.sqltype = SQLINT;
    out.sqllen = 4;
    out.sqldata = reinterpret_cast<char*>(&value);
    out.sqlind = &ind;
    EXPECT_EQ(sqli_slct(ESQLINTVERSION, nullptr, count, 0, nullptr, 1, &out, 0, nullptr, nullptr, 0), 0) << Errm();
    EXPECT_EQ(value, 3);
    const char* none[] = {"select i from n where i > 99", nullptr};
    EXPECT_EQ(sqli_slct(ESQLINTVERSION, nullptr, none, 0, nullptr, 1, &out, 0, nullptr, nullptr, 0), SQLNOTFOUND);
    const char* many[] = {"select i from n", nullptr};
    EXPECT_EQ(sqli_slct(ESQLINTVERSION, nullptr, many, 0, nullptr, 1, &out, 0, nullptr, nullptr, 0), -284);
    // With an input value, as the user-name lookup does.
    int4 key = 4;
    ifx_sqlvar_t in{};
    in.sqltype = SQLINT;
    in.sqllen = 4;
    in.sqldata = reinterpret_cast<char*>(&key);
    const char* keyed[] = {"select i * 10 from n where i = ?", nullptr};
    ASSERT_EQ(sqli_slct(ESQLINTVERSION, nullptr, keyed, 1, &in, 1, &out, 0, nullptr, nullptr, 0), 0) << Errm();
    EXPECT_EQ(value, 40);
}

TEST_F(Cursors, StmtRunsTextPiecesAndReportsTheType) {
    const char* pieces[] = {"insert into n values (", "6, 'v6')", nullptr};
    ifx_statement_t info{};
    EXPECT_EQ(sqli_stmt(ESQLINTVERSION, &info, pieces, 0, nullptr, nullptr, nullptr, nullptr, nullptr, -1, 0, 0), 0);
    EXPECT_EQ(info._SQSstmttype, SQ_INSERT);
    EXPECT_EQ(Ca().sqlerrd[2], 1);
    const char* update[] = {"update n set s = 'w' where i > 3", nullptr};
    EXPECT_EQ(sqli_stmt(ESQLINTVERSION, &info, update, 0, nullptr, nullptr, nullptr, nullptr, nullptr, -1, 0, 0), 0);
    EXPECT_EQ(info._SQSstmttype, SQ_UPDATE);
    EXPECT_EQ(Ca().sqlerrd[2], 3);
}

TEST_F(Cursors, ExecuteOfStatementWithoutResultHasNoColumns) {
    Prepared p("delete from n where i = 1");
    ASSERT_NE(p.described(), nullptr);
    EXPECT_EQ(p.described()->sqld, 0);
    EXPECT_EQ(sqli_exec(ESQLINTVERSION, p.stmt(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0), 0);
    EXPECT_EQ(Ca().sqlerrd[2], 1);
    // Run again: nothing left to delete, which is not an error outside ANSI databases.
    EXPECT_EQ(sqli_exec(ESQLINTVERSION, p.stmt(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0), 0);
    EXPECT_EQ(Ca().sqlerrd[2], 0);
}

TEST_F(Cursors, DatabaseChangeRetiresPreparedStatements) {
    Prepared p("select i from n");
    ASSERT_NE(p.stmt(), nullptr);
    ASSERT_EQ(Exec("create database second_db"), 0) << Errm();
    EXPECT_EQ(sqli_exec(ESQLINTVERSION, p.stmt(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0), -404);
}

TEST_F(Cursors, SelectIntoTempKeepsInformixTypes) {
    ASSERT_EQ(Exec("create table money_t (m money(8,2), d date)"), 0);
    ASSERT_EQ(Exec("insert into money_t values (12.5, '03/04/2024')"), 0) << Errm();
    ASSERT_EQ(Exec("select m, d, m * 2 doubled from money_t into temp tmp_m with no log"), 0) << Errm();
    EXPECT_EQ(Ca().sqlerrd[2], 1);
    Prepared p("select * from tmp_m");
    ASSERT_NE(p.described(), nullptr);
    ASSERT_EQ(p.described()->sqld, 3);
    EXPECT_EQ(p.described()->sqlvar[0].sqltype & SQLTYPE, SQLMONEY);
    EXPECT_EQ(p.described()->sqlvar[1].sqltype & SQLTYPE, SQLDATE);
    EXPECT_EQ(p.described()->sqlvar[2].sqltype & SQLTYPE, SQLDECIMAL);
    EXPECT_STREQ(p.described()->sqlvar[2].sqlname, "doubled");
    EXPECT_EQ(Query("select d from tmp_m"), (std::vector<std::vector<std::string>>{{"03/04/2024"}}));
}

}  // namespace
}  // namespace stmt_test

namespace stmt_test {
namespace {

class CursorLifetimes : public StmtFixture {
protected:
    void SetUp() override {
        StmtFixture::SetUp();
        ASSERT_EQ(Exec("create table q (i integer)"), 0);
        for (int i = 1; i <= 3; ++i) ASSERT_EQ(Exec("insert into q values (" + std::to_string(i) + ")"), 0);
    }
    static ifx_cursor_t* OpenOn(const Prepared& p, const char* name, int flags) {
        ifx_cursor_t* c = sqli_curs_locate(ESQLINTVERSION, name, CURS_LOCATE_NEWNAME);
        EXPECT_EQ(sqli_curs_decl_dynm(ESQLINTVERSION, c, nullptr, p.stmt(), flags, 0), 0);
        EXPECT_EQ(sqli_curs_open(ESQLINTVERSION, c, nullptr, nullptr, nullptr, 0, 0), 0) << Errm();
        return c;
    }
};

TEST_F(CursorLifetimes, RollbackWithAStepwiseCursorInFlight) {
    Prepared p("select i from q order by i");
    ASSERT_EQ(Exec("begin work"), 0);
    ASSERT_EQ(Exec("insert into q values (4)"), 0);
    ifx_cursor_t* c = OpenOn(p, "inflight", CURSOR_FLAG_HOLD);
    OutputBuffers out(p.described());
    _FetchSpec next{0, FETCH_NEXT, 0};
    ASSERT_EQ(sqli_curs_fetch(ESQLINTVERSION, c, nullptr, p.described(), nullptr, &next), 0);
    ASSERT_EQ(sqli_trans_rollback(), 0) << Errm();
    EXPECT_EQ(sqli_curs_fetch(ESQLINTVERSION, c, nullptr, p.described(), nullptr, &next), -400);
    // The cursor opens again on the rolled-back data.
    ASSERT_EQ(sqli_curs_open(ESQLINTVERSION, c, nullptr, nullptr, nullptr, 0, 0), 0) << Errm();
    int rows = 0;
    while (sqli_curs_fetch(ESQLINTVERSION, c, nullptr, p.described(), nullptr, &next) == 0) ++rows;
    EXPECT_EQ(rows, 3);
    sqli_curs_free(ESQLINTVERSION, c);
}

TEST_F(CursorLifetimes, DisconnectLeavesHandlesSafeToFree) {
    Prepared p("select i from q");
    ifx_cursor_t* c = OpenOn(p, "orphan", 0);
    sqli_connect_close(2, nullptr, 0, 0);
    _FetchSpec next{0, FETCH_NEXT, 0};
    EXPECT_LT(sqli_curs_fetch(ESQLINTVERSION, c, nullptr, p.described(), nullptr, &next), 0);
    EXPECT_EQ(sqli_curs_free(ESQLINTVERSION, c), 0);
}

TEST_F(CursorLifetimes, FreeingAStatementKeepsItsCursorWorking) {
    auto p = std::make_unique<Prepared>("select i from q order by i");
    ifx_cursor_t* c = OpenOn(*p, "survivor", 0);
    // The descriptor stays the caller's; only the statement handle goes.
    ifx_sqlda_t* da = nullptr;
    ASSERT_EQ(sqli_describe_stmt(ESQLINTVERSION, p->stmt(), &da, nullptr), 0);
    p.reset();
    {
        OutputBuffers out(da);
        _FetchSpec next{0, FETCH_NEXT, 0};
        ASSERT_EQ(sqli_curs_fetch(ESQLINTVERSION, c, nullptr, da, nullptr, &next), 0);
        EXPECT_EQ(out.row()[0], "1");
    }
    sqli_curs_free(ESQLINTVERSION, c);
    SqlFreeMem(da, SQLDA_FREE);
}

}  // namespace
}  // namespace stmt_test
