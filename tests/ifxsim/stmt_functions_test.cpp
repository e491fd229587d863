// Numbers kept exactly (long DECIMAL literals, SUM over DECIMAL/MONEY, MOD of
// integers) and the character and conversion functions of the dialect.
#include "ifxsim/stmt_fixture.h"

namespace stmt_test {
namespace {

using Rows = std::vector<std::vector<std::string>>;

TEST_F(StmtFixture, LongDecimalLiteralsKeepEveryDigit) {
    ASSERT_EQ(Exec("create table dx (a decimal(18,4), b decimal(32), m money(16,2))"), 0);
    ASSERT_EQ(Exec("insert into dx values (12345678901234.5678, -123456789012345678901234.5, 12345678901234.56)"), 0)
        << Errm();
    EXPECT_EQ(Query("select a, b, m from dx"),
              (Rows{{"12345678901234.5678", "-123456789012345678901234.5", "12345678901234.56"}}));
    // A fixed scale rounds the exact value, not a binary approximation of it.
    ASSERT_EQ(Exec("update dx set a = 1234567890123.45675"), 0) << Errm();
    EXPECT_EQ(Query("select a from dx"), (Rows{{"1234567890123.4568"}}));
    EXPECT_EQ(Query("select 12345678901234567.891 from dx"), (Rows{{"12345678901234567.891"}}));
}

TEST_F(StmtFixture, SumOfDecimalsHasNoBinaryNoise) {
    ASSERT_EQ(Exec("create table sm (a money(8,2), b decimal(10,3), i integer, c decimal(18,2))"), 0);
    ASSERT_EQ(Exec("insert into sm values (0.10, 1234567.891, 1, 12345678901234.56)"), 0);
    for (int k = 0; k < 10; ++k) ASSERT_EQ(Exec("insert into sm select * from sm"), 0) << Errm();  // 1024 rows
    EXPECT_EQ(Query("select sum(a), sum(b), sum(i), count(*), sum(c) from sm"),
              (Rows{{"102.4", "1264197520.384", "1024", "1024", "12641975194864189.44"}}));
    EXPECT_EQ(Query("select sum(a) from sm where i = 2"), (Rows{{"<null>"}}));
    Prepared p("select sum(a), sum(b), sum(i) from sm");
    ASSERT_NE(p.described(), nullptr);
    EXPECT_EQ(p.described()->sqlvar[0].sqltype & SQLTYPE, SQLMONEY);
    EXPECT_EQ(p.described()->sqlvar[0].sqllen, PRECMAKE(32, 2));
    EXPECT_EQ(p.described()->sqlvar[1].sqllen, PRECMAKE(32, 3));
}

TEST_F(StmtFixture, CharacterAndConversionFunctions) {
    ASSERT_EQ(Exec("create table fx (s char(8), v varchar(20), n integer, x decimal(8,3), d date, "
                   "t datetime year to second)"),
              0);
    ASSERT_EQ(Exec("insert into fx values ('ab', 'hello wORLD', 17, -7.389, '03/05/2024', "
                   "'2024-03-05 14:07:09')"),
              0);
    const struct { const char* expr; const char* value; } cases[] = {
        {"mod(n, 5)", "2"},
        {"mod(-n, 5)", "-2"},
        {"mod(n, 2.5)", "2"},
        {"length(s)", "2"},
        {"char_length(v)", "11"},
        {"length('abc  ')", "3"},
        {"lpad(v, 13, '*')", "**hello wORLD"},
        {"rpad('ab', 5, 'xy')", "abxyx"},
        {"lpad(v, 3)", "hel"},
        {"upper(v)", "HELLO WORLD"},
        {"lower(v)", "hello world"},
        {"initcap(v)", "Hello World"},
        {"substr(v, 7, 3)", "wOR"},
        {"substring(v from 7 for 3)", "wOR"},
        {"substring(v from 7)", "wORLD"},
        {"replace(v, 'l', 'L')", "heLLo wORLD"},
        {"round(x, 1)", "-7.4"},
        {"round(2.675, 2)", "2.68"},
        {"round(1250, -2)", "1300"},
        {"round(12345678901234.56785, 4)", "12345678901234.5679"},
        {"trunc(x, 1)", "-7.3"},
        {"trunc(x)", "-7"},
        {"trunc(d, 'MONTH')", "03/01/2024"},
        {"trunc(d, 'YEAR')", "01/01/2024"},
        {"round(d, 'MONTH')", "03/01/2024"},
        {"round(d + 11, 'MONTH')", "04/01/2024"},
        {"round(d, 'YEAR')", "01/01/2024"},
        {"to_char(d, '%Y/%m/%d')", "2024/03/05"},
        {"to_char(t, '%d.%m.%Y %H:%M')", "05.03.2024 14:07"},
        {"to_char(d)", "03/05/2024"},
        {"to_char(x, '-###.##')", "-  7.39"},
        {"to_char(1234567.891, '#,###,###.##')", "1,234,567.89"},
        {"to_date('05.03.2024 14:07', '%d.%m.%Y %H:%M')", "2024-03-05 14:07:00.00000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Query(std::string("select ") + c.expr + " from fx"), (Rows{{c.value}})) << c.expr << ": " << Errm();
    EXPECT_EQ(Query("select count(*) from fx where extend(to_date('2024-03-05', '%Y-%m-%d'), year to day) = d"),
              (Rows{{"1"}}));
    EXPECT_EQ(Query("select count(*) from fx where trunc(d, 'MONTH') = mdy(3, 1, 2024)"), (Rows{{"1"}}));
    EXPECT_EQ(Exec("update fx set n = trunc(d, 'WEEKS')"), -1260);
    Prepared p("select mod(n, 5), mod(x, 2), to_date('2024', '%Y') from fx");
    ASSERT_NE(p.described(), nullptr);
    EXPECT_EQ(p.described()->sqlvar[0].sqltype & SQLTYPE, SQLINT);
    EXPECT_EQ(p.described()->sqlvar[1].sqltype & SQLTYPE, SQLDECIMAL);
    EXPECT_EQ(p.described()->sqlvar[2].sqltype & SQLTYPE, SQLDTIME);
    EXPECT_EQ(Exec("update fx set n = mod(n, 0)"), -1202);
}

}  // namespace
}  // namespace stmt_test
