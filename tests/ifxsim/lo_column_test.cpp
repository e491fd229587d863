// BLOB and CLOB columns: rows refer to stored objects, fetch hands out handles
// the ifx_lo_* entry points open.
#include <cstring>
#include <vector>

#include "lo_fixture.h"

namespace {

using namespace lo_test;
using stmt_test::Errm;
using stmt_test::SqlCode;

struct Fetched {
    int rc = 0;
    int2 indicator = 0;
    ifx_lo_t lo{};
};

class LoColumnTest : public stmt_test::StmtFixture {
protected:
    void SetUp() override
    {
        StmtFixture::SetUp();
        ASSERT_EQ(Exec("create table docs (id integer, body blob, note clob)"), 0) << Errm();
    }

    // The first column of the first row of a one-column query, fetched into an ifx_lo_t.
    static Fetched FetchHandle(const std::string& sql)
    {
        Fetched out;
        stmt_test::Prepared p(sql);
        if (!p.described() || p.described()->sqld != 1) {
            out.rc = -1;
            return out;
        }
        ifx_sqlvar_t& var = p.described()->sqlvar[0];
        EXPECT_EQ(var.sqltype & SQLTYPE, SQLUDTFIXED);
        var.sqldata = out.lo.lo_data;
        var.sqlind = &out.indicator;
        ifx_cursor_t* cursor = sqli_curs_locate(ESQLINTVERSION, "lo_test_cursor", CURS_LOCATE_NEWNAME);
        sqli_curs_decl_dynm(ESQLINTVERSION, cursor, nullptr, p.stmt(), 0, 0);
        sqli_curs_open(ESQLINTVERSION, cursor, nullptr, nullptr, nullptr, 0, 0);
        _FetchSpec next{0, FETCH_NEXT, 0};
        out.rc = sqli_curs_fetch(ESQLINTVERSION, cursor, nullptr, p.described(), nullptr, &next);
        sqli_curs_close(ESQLINTVERSION, cursor);
        sqli_curs_free(ESQLINTVERSION, cursor);
        return out;
    }

    // INSERT/UPDATE with one BLOB/CLOB parameter given as a handle.
    static int ExecWithHandle(const std::string& sql, ifx_lo_t& lo)
    {
        ifx_sqlvar_t var{};
        var.sqltype = SQLUDTFIXED;
        var.sqllen = sizeof(ifx_lo_t);
        var.sqldata = lo.lo_data;
        ifx_sqlda_t da{};
        da.sqld = 1;
        da.sqlvar = &var;
        ifx_cursor_t* stmt = sqli_prep(ESQLINTVERSION, nullptr, sql.c_str(), nullptr, nullptr, -1, 0, 0);
        if (!stmt)
            return SqlCode();
        const int rc = sqli_exec(ESQLINTVERSION, stmt, &da, nullptr, nullptr, nullptr, nullptr, nullptr, 0);
        sqli_curs_free(ESQLINTVERSION, stmt);
        return rc;
    }

    // A new object holding `content`.
    static ifx_lo_t NewObject(const std::string& content)
    {
        ifx_lo_t lo{};
        mint error = 0;
        const mint fd = ifx_lo_create(nullptr, LO_WRONLY, &lo, &error);
        EXPECT_GT(fd, 0) << error;
        EXPECT_EQ(Write(fd, content, &error), static_cast<mint>(content.size()));
        EXPECT_EQ(ifx_lo_close(fd), 0);
        return lo;
    }
};

TEST_F(LoColumnTest, InsertedHandleIsFetchedBackAndOpensOnTheSameContent)
{
    const std::string binary("\x00\x01\xffbinary\x00", 10);
    ifx_lo_t lo = NewObject(binary);
    ASSERT_EQ(ExecWithHandle("insert into docs (id, body) values (1, ?)", lo), 0) << Errm();

    Fetched f = FetchHandle("select body from docs where id = 1");
    ASSERT_EQ(f.rc, 0) << Errm();
    EXPECT_EQ(f.indicator, 0);
    mint error = 0;
    const mint fd = ifx_lo_open(&f.lo, LO_RDONLY, &error);
    ASSERT_GT(fd, 0) << error;
    EXPECT_EQ(StatSize(fd), 10);
    EXPECT_EQ(Read(fd, 64), binary);
    ifx_lo_close(fd);
}

TEST_F(LoColumnTest, WritesThroughAFetchedHandleReachTheRow)
{
    ifx_lo_t lo = NewObject("original");
    ASSERT_EQ(ExecWithHandle("insert into docs (id, body) values (1, ?)", lo), 0) << Errm();
    Fetched first = FetchHandle("select body from docs where id = 1");
    ASSERT_EQ(first.rc, 0);
    mint error = 0;
    const mint fd = ifx_lo_open(&first.lo, LO_RDWR, &error);
    ASSERT_GT(fd, 0);
    EXPECT_EQ(Write(fd, "O", &error), 1);
    ifx_lo_close(fd);

    Fetched again = FetchHandle("select body from docs where id = 1");
    ASSERT_EQ(again.rc, 0);
    EXPECT_EQ(Content(again.lo), "Original");
    EXPECT_EQ(stmt_test::StmtFixture::Query("select note from docs where id = 1").size(), 1u);
}

TEST_F(LoColumnTest, LiteralContentIsServedThroughAHandleToo)
{
    ASSERT_EQ(Exec("insert into docs values (2, null, 'some text')"), 0) << Errm();
    Fetched note = FetchHandle("select note from docs where id = 2");
    ASSERT_EQ(note.rc, 0) << Errm();
    EXPECT_EQ(Content(note.lo), "some text");

    Fetched body = FetchHandle("select body from docs where id = 2");
    ASSERT_EQ(body.rc, 0);
    EXPECT_EQ(body.indicator, -1);  // NULL stays NULL
}

TEST_F(LoColumnTest, HandleThatNamesNoObjectIsRefusedAndNoRowIsAdded)
{
    ifx_lo_t garbage{};
    std::memset(garbage.lo_data, 'x', sizeof garbage.lo_data);
    EXPECT_EQ(ExecWithHandle("insert into docs (id, body) values (3, ?)", garbage), -9810);

    ifx_lo_t lo = NewObject("kept");
    ASSERT_EQ(Exec("create database otherdb with log"), 0);
    ASSERT_EQ(Exec("create table docs (id integer, body blob)"), 0) << Errm();
    // A handle of stmtdb means nothing in otherdb.
    EXPECT_EQ(ExecWithHandle("insert into docs (id, body) values (4, ?)", lo), -9810);
    EXPECT_EQ(stmt_test::StmtFixture::Query("select id from docs").size(), 0u);
}

TEST_F(LoColumnTest, UpdatingTheColumnWithAnotherHandleSwitchesTheObject)
{
    ifx_lo_t first = NewObject("first");
    ifx_lo_t second = NewObject("second");
    ASSERT_EQ(ExecWithHandle("insert into docs (id, body) values (5, ?)", first), 0) << Errm();
    ASSERT_EQ(ExecWithHandle("update docs set body = ? where id = 5", second), 0) << Errm();
    Fetched f = FetchHandle("select body from docs where id = 5");
    ASSERT_EQ(f.rc, 0);
    EXPECT_EQ(Content(f.lo), "second");
    EXPECT_EQ(Content(first), "first");  // the old object is still there for its other users
}

}  // namespace
