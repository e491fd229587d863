// Host values compared with a column are converted to the column's type first,
// as Informix does: a CHAR parameter finds an INTERVAL, DATETIME or DATE, and
// a FLOAT parameter finds the same value in a SMALLFLOAT column.
#include <functional>

#include "ifxsim/stmt_fixture.h"

namespace stmt_test {
namespace {

using Rows = std::vector<std::vector<std::string>>;

struct TypingCase {
    const char* label;
    const char* where;                      // the condition, with its '?' markers
    std::function<void(Params&)> params;    // the host values in marker order
    std::vector<std::string> ids;           // the rows it finds
};

inline void PrintTo(const TypingCase& c, std::ostream* os) { *os << c.label; }

Rows IdRows(const std::vector<std::string>& ids) {
    Rows rows;
    for (const auto& id : ids) rows.push_back({id});
    return rows;
}

class HostValueTyping : public StmtFixture, public ::testing::WithParamInterface<TypingCase> {
protected:
    void SetUp() override {
        StmtFixture::SetUp();
        ASSERT_EQ(Exec("create table typed (id int, f smallfloat, iv interval day(4) to second, "
                       "ym interval year(3) to month, dt datetime year to second, d date)"),
                  0)
            << Errm();
        // SMALLFLOAT values from literals (kept as doubles) and from host variables of both widths.
        ASSERT_EQ(Exec("insert into typed values (1, 1.5, '1234 23:59:59', '12-11', '2024-02-29 23:59:58', "
                       "'02/29/2024')"),
                  0)
            << Errm();
        ASSERT_EQ(Exec("insert into typed values (2, 0.1, '1 00:00:00', '0-01', '2024-01-01 00:00:00', "
                       "'01/01/2024')"),
                  0)
            << Errm();
        Params small;
        small.smallFloat(0.1f);
        ASSERT_EQ(ExecWith("insert into typed (id, f) values (3, ?)", small), 0) << Errm();
        Params wide;
        wide.floating(0.1);
        ASSERT_EQ(ExecWith("insert into typed (id, f) values (4, ?)", wide), 0) << Errm();
    }
};

TEST_P(HostValueTyping, FindsTheRowsTheValueNames) {
    const TypingCase& c = GetParam();
    Params params;
    c.params(params);
    EXPECT_EQ(Query(std::string("select id from typed where ") + c.where + " order by id", &params), IdRows(c.ids));
}

constexpr int kYearMonth = TU_IENCODE(3, TU_YEAR, TU_MONTH);
constexpr int kYearFraction3 = TU_DTENCODE(TU_YEAR, TU_F3);

const TypingCase kTypingCases[] = {
    {"FloatEqualsSmallFloatOfLiteral", "f = ?", [](Params& p) { p.floating(1.5); }, {"1"}},
    {"FloatPointOneEqualsEveryStoredForm", "f = ?", [](Params& p) { p.floating(0.1); }, {"2", "3", "4"}},
    {"SmallFloatEqualsEveryStoredForm", "f = ?", [](Params& p) { p.smallFloat(0.1f); }, {"2", "3", "4"}},
    {"CharNumberEqualsSmallFloat", "f = ?", [](Params& p) { p.text("0.1"); }, {"2", "3", "4"}},
    {"DecimalEqualsSmallFloat", "f = ?", [](Params& p) { p.decimal("0.1"); }, {"2", "3", "4"}},
    {"ParameterFirst", "? = f", [](Params& p) { p.floating(0.1); }, {"2", "3", "4"}},
    {"OtherValueFindsNothing", "f = ?", [](Params& p) { p.floating(0.2); }, {}},
    {"GreaterThanSameValueIsFalse", "f > ?", [](Params& p) { p.floating(0.1); }, {"1"}},
    {"InList", "f in (?, ?)", [](Params& p) { p.floating(1.5).floating(0.1); }, {"1", "2", "3", "4"}},
    {"Between", "f between ? and ?", [](Params& p) { p.floating(0.1).floating(0.1); }, {"2", "3", "4"}},
    {"NullFindsNothing", "f = ?", [](Params& p) { p.null(SQLFLOAT); }, {}},
    {"CharEqualsIntervalYearMonth", "ym = ?", [](Params& p) { p.text("12-11"); }, {"1"}},
    {"IntervalEqualsIntervalYearMonth", "ym = ?", [](Params& p) { p.interval("12-11", kYearMonth); }, {"1"}},
    {"CharEqualsIntervalDaySecond", "iv = ?", [](Params& p) { p.text("1234 23:59:59"); }, {"1"}},
    {"CharBelowInterval", "iv > ?", [](Params& p) { p.text("1 00:00:00"); }, {"1"}},
    {"CharIntervalsInList", "ym in (?, ?)", [](Params& p) { p.text("0-01").text("12-11"); }, {"1", "2"}},
    {"CharEqualsDatetime", "dt = ?", [](Params& p) { p.text("2024-02-29 23:59:58"); }, {"1"}},
    {"WiderDatetimeEqualsDatetime", "dt = ?",
     [](Params& p) { p.datetime("2024-01-01 00:00:00.000", kYearFraction3); }, {"2"}},
    {"CharEqualsDate", "d = ?", [](Params& p) { p.text("02/29/2024"); }, {"1"}},
    {"DateEqualsDate", "d = ?", [](Params& p) { p.date("01/01/2024"); }, {"2"}},
};

INSTANTIATE_TEST_SUITE_P(ColumnTypes, HostValueTyping, ::testing::ValuesIn(kTypingCases),
                         [](const auto& info) { return std::string(info.param.label); });

// A text that is no number cannot be made a SMALLFLOAT: Informix's -1213.
TEST_F(StmtFixture, TextThatIsNoNumberAgainstSmallFloatFails) {
    ASSERT_EQ(Exec("create table sf (f smallfloat)"), 0) << Errm();
    ASSERT_EQ(Exec("insert into sf values (1.5)"), 0) << Errm();
    Prepared p("select f from sf where f = ?");
    ASSERT_NE(p.stmt(), nullptr) << Errm();
    ifx_cursor_t* cursor = sqli_curs_locate(ESQLINTVERSION, "typing_cursor", CURS_LOCATE_NEWNAME);
    ASSERT_NE(cursor, nullptr);
    ASSERT_EQ(sqli_curs_decl_dynm(ESQLINTVERSION, cursor, nullptr, p.stmt(), 0, 0), 0) << Errm();
    Params params;
    params.text("abc");
    OutputBuffers out(p.described());
    int rc = sqli_curs_open(ESQLINTVERSION, cursor, params.sqlda(), nullptr, nullptr, 0, 0);
    _FetchSpec next{0, FETCH_NEXT, 0};
    if (rc == 0) rc = sqli_curs_fetch(ESQLINTVERSION, cursor, nullptr, p.described(), nullptr, &next);
    EXPECT_EQ(rc, -1213);
    sqli_curs_close(ESQLINTVERSION, cursor);
    sqli_curs_free(ESQLINTVERSION, cursor);
}

// An UPDATE's WHERE converts its host values too; its SET stores them as the column does.
TEST_F(StmtFixture, UpdateFindsRowsByConvertedHostValues) {
    ASSERT_EQ(Exec("create table upd (f smallfloat, iv interval hour to second, n int)"), 0) << Errm();
    ASSERT_EQ(Exec("insert into upd values (0.1, '10:20:30', 0)"), 0) << Errm();
    Params params;
    params.integer(7).floating(0.1).text("10:20:30");
    ASSERT_EQ(ExecWith("update upd set n = ? where f = ? and iv = ?", params), 0) << Errm();
    EXPECT_EQ(Ca().sqlerrd[2], 1);
    EXPECT_EQ(Query("select n from upd"), (Rows{{"7"}}));
}

// A 19-digit whole number that fits 64 bits is stored as an integer: it sorts
// among the others and an INT8 host value finds it. A longer one keeps every digit.
TEST_F(StmtFixture, NineteenDigitWholeNumbersAreIntegersThatHostValuesFind) {
    ASSERT_EQ(Exec("create table w (b bigint, i int8, d decimal(20,0))"), 0) << Errm();
    ASSERT_EQ(Exec("insert into w values (9223372036854775807, -9223372036854775807, 12345678901234567890)"), 0)
        << Errm();
    ASSERT_EQ(Exec("insert into w values (1, 1, 1)"), 0) << Errm();
    ASSERT_EQ(Exec("insert into w values (-9223372036854775807, 9223372036854775807, -12345678901234567890)"), 0)
        << Errm();
    EXPECT_EQ(Query("select b from w order by b"), (Rows{{"-9223372036854775807"}, {"1"}, {"9223372036854775807"}}));
    Params max;
    max.int8("9223372036854775807");
    EXPECT_EQ(Query("select i from w where b = ?", &max), (Rows{{"-9223372036854775807"}}));
    Params min;
    min.int8("-9223372036854775807");
    EXPECT_EQ(Query("select b from w where i = ?", &min), (Rows{{"9223372036854775807"}}));
    EXPECT_EQ(Query("select d from w order by b"),
              (Rows{{"-12345678901234567890"}, {"1"}, {"12345678901234567890"}}));
}

}  // namespace
}  // namespace stmt_test
