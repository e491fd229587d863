// DATE, DATETIME and INTERVAL arithmetic, EXTEND, UNITS and comparisons
// across qualifiers, as the server computes, types and compares them.
#include "ifxsim/stmt_fixture.h"

namespace stmt_test {
namespace {

using Rows = std::vector<std::vector<std::string>>;

class Temporal : public StmtFixture {
protected:
    void SetUp() override {
        StmtFixture::SetUp();
        ASSERT_EQ(Exec("create table tm (d date, dt datetime year to second, ym datetime year to month, "
                       "hm datetime hour to minute, iv interval day(3) to second, im interval year to month)"),
                  0)
            << Errm();
        ASSERT_EQ(Exec("insert into tm values ('01/31/2024', '2024-01-31 10:20:30', '2024-01', '10:20', "
                       "'1 02:03:04', '1-02')"),
                  0)
            << Errm();
    }
    // The one value of `expr` over the one row of tm.
    static std::string Value(const std::string& expr) {
        const auto rows = Query("select " + expr + " from tm");
        return rows.size() == 1 && rows[0].size() == 1 ? rows[0][0] : "<no single value>";
    }
};

TEST_F(Temporal, ArithmeticGivesInformixValues) {
    const struct { const char* expr; const char* value; } cases[] = {
        {"dt + 1 units day", "2024-02-01 10:20:30"},
        {"dt - interval(1 02:03:04) day to second", "2024-01-30 08:17:26"},
        {"dt - iv", "2024-01-30 08:17:26"},
        {"iv + dt", "2024-02-01 12:23:34"},
        {"dt + im", "2025-03-31 10:20:30"},
        {"ym + 1 units month", "2024-02"},
        {"ym - 13 units month", "2022-12"},
        {"d + 1", "02/01/2024"},
        {"d - mdy(1, 1, 2024)", "30"},
        {"d - 1 units month", "2023-12-31"},
        {"d + 1 units day + 2 units day", "2024-02-03"},
        {"dt - datetime(2024-01-30 09:20:00) year to second", "        1 01:00:30"},
        {"dt - d", "        0 10:20:30"},
        {"extend(d, year to minute)", "2024-01-31 00:00"},
        {"extend(dt, year to day)", "2024-01-31"},
        {"extend(dt, hour to minute) + 90 units minute", "11:50"},
        {"iv + iv", "  2 04:06:08"},
        {"iv * 2", "  2 04:06:08"},
        {"2 * iv", "  2 04:06:08"},
        {"iv / 2", "  0 13:01:32"},
        {"iv - interval(2) day to day", " -0 21:56:56"},
        {"im + interval(10) month to month", "   2-00"},
        {"(dt + 1 units hour) - dt", "        0 01:00:00"},
        {"5 units day", "        5"},
    };
    for (const auto& c : cases) EXPECT_EQ(Value(c.expr), c.value) << c.expr << ": " << SqlCode() << " " << Errm();
}

TEST_F(Temporal, DescribeGivesTheResultTypeAndQualifier) {
    const struct { const char* expr; int type; int length; } cases[] = {
        {"dt + 1 units day", SQLDTIME, TU_DTENCODE(TU_YEAR, TU_SECOND)},
        {"current + 5 units day", SQLDTIME, TU_DTENCODE(TU_YEAR, TU_F3)},
        {"dt - dt", SQLINTERVAL, TU_IENCODE(9, TU_DAY, TU_SECOND)},
        {"d - d", SQLINT, 4},
        {"d + 1", SQLDATE, 4},
        {"today - 1 units month", SQLDTIME, TU_DTENCODE(TU_YEAR, TU_DAY)},
        {"extend(d, year to minute)", SQLDTIME, TU_DTENCODE(TU_YEAR, TU_MINUTE)},
        {"extend(dt)", SQLDTIME, TU_DTENCODE(TU_YEAR, TU_F3)},
        {"iv * 2", SQLINTERVAL, TU_IENCODE(3, TU_DAY, TU_SECOND)},
        {"5 units hour", SQLINTERVAL, TU_IENCODE(9, TU_HOUR, TU_HOUR)},
        {"im + interval(10) month to month", SQLINTERVAL, TU_IENCODE(4, TU_YEAR, TU_MONTH)},
    };
    for (const auto& c : cases) {
        Prepared p(std::string("select ") + c.expr + " from tm");
        ASSERT_NE(p.described(), nullptr) << c.expr << ": " << SqlCode();
        EXPECT_EQ(p.described()->sqlvar[0].sqltype & SQLTYPE, c.type) << c.expr;
        EXPECT_EQ(p.described()->sqlvar[0].sqllen, c.length) << c.expr;
        EXPECT_STREQ(p.described()->sqlvar[0].sqlname, "(expression)") << c.expr;
    }
}

TEST_F(Temporal, ComparisonsAcrossQualifiersAndTypes) {
    const struct { const char* where; int count; } cases[] = {
        {"d = '01/31/2024'", 1},
        {"d = '02/01/2024'", 0},
        {"dt > d", 1},
        {"d < dt", 1},
        {"extend(dt, year to day) = d", 1},
        {"dt > datetime(2024-01-31 10:20) year to minute", 1},
        {"dt = datetime(2024-01-31 10:20) year to minute", 0},
        {"ym < dt", 1},
        {"ym = datetime(2024-01-01) year to day", 1},
        {"dt = '2024-01-31 10:20:30'", 1},
        {"iv > interval(1) day to day", 1},
        {"iv < interval(-1) day to day", 0},
        {"iv - interval(2) day to day < interval(0) day to day", 1},
        {"im > interval(13) month to month", 1},
        {"dt between d and d + 1", 1},
        {"dt not between d and d + 1", 0},
        {"current > dt", 1},
        {"dt > current - 100 units year", 1},
        {"d < today", 1},
        {"(today - dt) > 30 units day", 1},
        {"(d - dt) < 0 units second", 1},
        {"dt - d = interval(0 10:20:30) day to second", 1},
        {"d in ('01/30/2024', '01/31/2024')", 1},
        {"d not in ('01/30/2024', '01/31/2024')", 0},
        {"dt in (datetime(2024-01-31 10:20) year to minute, d)", 0},
        {"extend(dt, year to minute) in (datetime(2024-01-31 10:20) year to minute)", 1},
        {"d > today - 1 units year", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Query(std::string("select count(*) from tm where ") + c.where),
                  (Rows{{std::to_string(c.count)}}))
            << c.where << ": " << Errm();
}

TEST_F(Temporal, UpdatesAndInsertsStoreComputedValues) {
    ASSERT_EQ(Exec("update tm set dt = dt + 1 units hour, iv = iv * 3, d = d + 1 units day"), 0) << Errm();
    EXPECT_EQ(Query("select dt, iv, d from tm"), (Rows{{"2024-01-31 11:20:30", "  3 06:09:12", "02/01/2024"}}));
    ASSERT_EQ(Exec("insert into tm (d, dt) values (mdy(3, 1, 2024) - 1 units day, "
                   "datetime(2024-03-01 00:00:00) year to second - 1 units second)"),
              0)
        << Errm();
    EXPECT_EQ(Query("select d, dt from tm where dt < '2024-03-01 00:00:00' and d = '02/29/2024'"),
              (Rows{{"02/29/2024", "2024-02-29 23:59:59"}}));
}

// What Informix refuses: at PREPARE when the types say so, at run time when
// the value does (January 31 plus one month has no day).
TEST_F(Temporal, RefusedOperationsGiveInformixErrors) {
    const struct { const char* sql; int code; } prepared[] = {
        {"select ym + 1 units day from tm", -1263},
        {"select iv + im from tm", -1266},
        {"select dt + dt from tm", -1260},
        {"select dt * 2 from tm", -1260},
    };
    for (const auto& c : prepared) {
        Prepared p(c.sql);
        EXPECT_EQ(p.stmt(), nullptr) << c.sql;
        EXPECT_EQ(SqlCode(), c.code) << c.sql;
        // The error points at the operator in the statement as written.
        const std::string sql = c.sql;
        EXPECT_EQ(Ca().sqlerrd[4], static_cast<int4>(sql.find_first_of("+*"))) << c.sql;
    }
    const struct { const char* sql; int code; } run[] = {
        {"update tm set d = d + 1 units month", -1267},
        {"update tm set dt = dt + interval(1) month to month", -1267},
        {"update tm set ym = ym + 8000 units year", -1267},
    };
    for (const auto& c : run) EXPECT_EQ(Exec(c.sql), c.code) << c.sql;
    EXPECT_EQ(Query("select d, dt from tm"), (Rows{{"01/31/2024", "2024-01-31 10:20:30"}}));
}

// Errors SQLite finds in a rewritten statement still point into the original text.
TEST_F(Temporal, ErrorOffsetsPointIntoTheOriginalStatement) {
    const std::string sql = "select dt + 1 units day, nosuch - 2 units hour from tm";
    Prepared p(sql);
    EXPECT_EQ(p.stmt(), nullptr);
    EXPECT_EQ(SqlCode(), -217);
    EXPECT_EQ(Ca().sqlerrd[4], static_cast<int4>(sql.find("nosuch")));
}

TEST_F(Temporal, SumOfIntervalsIsAnInterval) {
    ASSERT_EQ(Exec("insert into tm (iv) values ('0 23:59:58')"), 0) << Errm();
    ASSERT_EQ(Exec("insert into tm (iv) values (null)"), 0) << Errm();
    EXPECT_EQ(Query("select sum(iv) from tm"), (Rows{{"  2 02:03:02"}}));
    EXPECT_EQ(Query("select sum(iv) from tm where iv is null"), (Rows{{"<null>"}}));
    Prepared p("select sum(iv) from tm");
    ASSERT_NE(p.described(), nullptr);
    EXPECT_EQ(p.described()->sqlvar[0].sqltype & SQLTYPE, SQLINTERVAL);
    EXPECT_EQ(p.described()->sqlvar[0].sqllen, TU_IENCODE(3, TU_DAY, TU_SECOND));
}

TEST_F(Temporal, NullOperandsGiveNull) {
    ASSERT_EQ(Exec("insert into tm (d) values (null)"), 0);
    EXPECT_EQ(Query("select dt + 1 units day, extend(dt, year to day), iv * 2 from tm where d is null"),
              (Rows{{"<null>", "<null>", "<null>"}}));
}

}  // namespace
}  // namespace stmt_test
