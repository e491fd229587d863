// Row after row through one sequential cursor: every fetch writes that row's
// own values (a shorter text after a longer one, a NULL after a value and a
// value after a NULL), and numbers stored as integers, reals or texts reach
// DECIMAL, INT8 and character buffers as they read.
#include "ifxsim/stmt_fixture.h"

namespace stmt_test {
namespace {

// What dectoasc shows for `text` (the library's own form of the number).
std::string Shown(const std::string& text) {
    std::string copy = text;
    dec_t dec{};
    EXPECT_EQ(deccvasc(copy.data(), static_cast<mint>(copy.size()), &dec), 0) << text;
    char buf[130] = {};
    EXPECT_EQ(dectoasc(&dec, buf, 127, -1), 0);
    std::string out(buf);
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

TEST_F(StmtFixture, SequentialFetchWritesEachRowsOwnValues) {
    ASSERT_EQ(Exec("create table r (id integer, c char(6), vc varchar(30), d decimal(8,2), "
                   "df decimal(16), i8 int8, b boolean, ts datetime year to second, "
                   "tf datetime hour to fraction(3))"),
              0)
        << Errm();
    const char* inserts[] = {
        "insert into r values (1, 'abcdef', 'a longer text than the next', 12.5, 3, 9000000000, 't', "
        "'2024-01-15 10:20:30', '10:20:30.125')",
        "insert into r values (2, 'x', 'y', -0.25, 0.1, -9223372036854775807, 'f', '1999-12-31 23:59:59', "
        "'00:00:00.001')",
        "insert into r (id) values (3)",
        "insert into r values (4, 'zz', '', 0, 123456789012345678, 0, 't', '0001-01-01 00:00:00', '23:59:59.999')",
    };
    for (const char* sql : inserts) ASSERT_EQ(Exec(sql), 0) << sql << ": " << Errm();

    const auto rows = Query("select c, vc, d, df, i8, b, ts, tf from r order by id");
    ASSERT_EQ(rows.size(), 4u);
    const std::vector<std::vector<std::string>> expected = {
        {"abcdef", "a longer text than the next", Shown("12.50"), "3", "9000000000", "t", "2024-01-15 10:20:30",
         "10:20:30.125"},
        {"x     ", "y", Shown("-0.25"), Shown("0.1"), "-9223372036854775807", "f", "1999-12-31 23:59:59",
         "00:00:00.001"},
        {"<null>", "<null>", "<null>", "<null>", "<null>", "<null>", "<null>", "<null>"},
        {"zz    ", "", "0", "123456789012345678", "0", "t", "0001-01-01 00:00:00", "23:59:59.999"},
    };
    for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i], expected[i]) << "row " << i + 1;
}

// A DECIMAL column reads the same number whether SQLite holds it as an
// integer, a real or a text, and is cut to the column's scale.
TEST_F(StmtFixture, DecimalValuesReadAlikeFromEveryStorage) {
    ASSERT_EQ(Exec("create table n (id integer, d decimal(12,2), f decimal(20))"), 0) << Errm();
    struct Case {
        const char* value;
        const char* asDecimal122;
        const char* asFloating;
    };
    const Case cases[] = {
        {"7", "7", "7"},
        {"-42", "-42", "-42"},
        {"1.25", "1.25", "1.25"},
        {"0.005", "0.01", "0.005"},
        {"1234567.125", "1234567.13", "1234567.125"},
        {"100", "100", "100"},
        {"-0.004", "0", "-0.004"},
        {"0.1", "0.1", "0.1"},
        {"0.1 + 0.2", "0.3", "0.3"},  // a double of 17 digits is read to 15
        {"1.0 / 3", "0.33", "0.333333333333333"},
        {"0.000012", "0", "0.000012"},  // five decimals: by %.15g
        {"-1234567.2345", "-1234567.23", "-1234567.2345"},
        {"125000000000000000000.0", "125000000000000000000", "125000000000000000000"},
    };
    int id = 0;
    for (const Case& c : cases) {
        const std::string v = c.value;
        ASSERT_EQ(Exec("insert into n values (" + std::to_string(++id) + ", " + v + ", " + v + ")"), 0) << Errm();
    }
    const auto rows = Query("select d, f from n order by id");
    ASSERT_EQ(rows.size(), std::size(cases));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i][0], Shown(cases[i].asDecimal122)) << cases[i].value;
        EXPECT_EQ(rows[i][1], Shown(cases[i].asFloating)) << cases[i].value;
    }
}

// deccvasc reads plain texts by a short way: the digits it keeps must be the
// ones the full reader keeps for the same number written another way
// (blanks around it, an exponent).
TEST(DecimalPlainText, PlainAndGeneralFormsGiveTheSameDigits) {
    struct Case {
        const char* plain;
        const char* general;
    };
    const Case cases[] = {
        {"0", " 0e5 "},
        {"-0", "0"},
        {"0.000", "0e-3"},
        {"12.5", "125e-1"},
        {"-12.50", " -1250E-2"},
        {"000123.4500", "1.2345e2"},
        {".5", "5e-1"},
        {"5.", "5e0"},
        {"+7", " 7 "},
        {"100", "1e2"},
        {"1000000", "1e6"},
        {"0.01", "1e-2"},
        {"0.001", "1e-3"},
        {"9223372036854775807", " 9223372036854775807"},
        {"12345678901234567890123456789012", " 12345678901234567890123456789012"},
        {"1234567890123456789012345678901.2", "12345678901234567890123456789012e-1"},
        {"0.12345678901234567890123456789012", "12345678901234567890123456789012e-32"},
        // more digits than a dec_t keeps: rounded alike
        {"123456789012345678901234567890123", " 123456789012345678901234567890123"},
        {"0.123456789012345678901234567890125", "123456789012345678901234567890125e-33"},
    };
    for (const Case& c : cases) {
        std::string plain = c.plain, general = c.general;
        dec_t a, b;
        std::memset(&a, 0x5a, sizeof a);
        std::memset(&b, 0x5a, sizeof b);
        ASSERT_EQ(deccvasc(plain.data(), static_cast<mint>(plain.size()), &a), 0) << c.plain;
        ASSERT_EQ(deccvasc(general.data(), static_cast<mint>(general.size()), &b), 0) << c.general;
        EXPECT_EQ(a.dec_exp, b.dec_exp) << c.plain;
        EXPECT_EQ(a.dec_pos, b.dec_pos) << c.plain;
        ASSERT_EQ(a.dec_ndgts, b.dec_ndgts) << c.plain;
        EXPECT_EQ(std::memcmp(a.dec_dgts, b.dec_dgts, static_cast<std::size_t>(a.dec_ndgts)), 0) << c.plain;
    }
    // Out of range and malformed plain texts still fail.
    for (const char* bad : {"1.2.3", "-", ".", "12a"}) {
        std::string text = bad;
        dec_t d{};
        EXPECT_NE(deccvasc(text.data(), static_cast<mint>(text.size()), &d), 0) << bad;
    }
    std::string huge = "1" + std::string(200, '0');
    dec_t d{};
    EXPECT_NE(deccvasc(huge.data(), static_cast<mint>(huge.size()), &d), 0);
}

// DATETIME and INTERVAL texts round-trip through dtcvasc/dttoasc and
// incvasc/intoasc, and the digits kept are the fields written as one number.
TEST(DateTimeTextForms, TextsRoundTripAndKeepTheirDigits) {
    struct Case {
        int qualifier;
        const char* text;
        const char* digits;  // the dt_dec value
    };
    const Case cases[] = {
        {TU_DTENCODE(TU_YEAR, TU_SECOND), "2024-01-15 10:20:30", "20240115102030"},
        {TU_DTENCODE(TU_YEAR, TU_F5), "2024-01-02 10:11:12.50001", "20240102101112.50001"},
        {TU_DTENCODE(TU_YEAR, TU_F1), "2024-01-02 10:11:12.5", "20240102101112.5"},
        {TU_DTENCODE(TU_YEAR, TU_DAY), "0001-01-01", "10101"},
        {TU_DTENCODE(TU_HOUR, TU_F3), "00:00:00.001", "0.001"},
        {TU_DTENCODE(TU_HOUR, TU_MINUTE), "23:59", "2359"},
        {TU_DTENCODE(TU_MONTH, TU_DAY), "02-29", "229"},
        {TU_DTENCODE(TU_DAY, TU_HOUR), "31 23", "3123"},
    };
    for (const Case& c : cases) {
        dtime_t dt{};
        dt.dt_qual = static_cast<int2>(c.qualifier);
        std::string text = c.text;
        ASSERT_EQ(dtcvasc(text.data(), &dt), 0) << c.text;
        char out[64] = {};
        ASSERT_EQ(dttoasc(&dt, out), 0) << c.text;
        EXPECT_STREQ(out, c.text);
        std::string digits = c.digits;
        dec_t expected{};
        ASSERT_EQ(deccvasc(digits.data(), static_cast<mint>(digits.size()), &expected), 0);
        EXPECT_EQ(deccmp(&dt.dt_dec, &expected), 0) << c.text;
    }
    // Texts in the full form read like their looser spellings; impossible
    // dates in the full form fail as the looser ones do.
    const int ys = TU_DTENCODE(TU_YEAR, TU_SECOND);
    const std::pair<const char*, const char*> sameValue[] = {
        {"2024-01-05 01:02:03", " 2024-1-5 1:2:3 "},
        {"2024-01-05 01:02:03", "2024-01-05   01:02:03"},
    };
    for (const auto& [full, loose] : sameValue) {
        dtime_t a{}, b{};
        a.dt_qual = b.dt_qual = static_cast<int2>(ys);
        std::string fullText = full, looseText = loose;
        ASSERT_EQ(dtcvasc(fullText.data(), &a), 0) << full;
        ASSERT_EQ(dtcvasc(looseText.data(), &b), 0) << loose;
        EXPECT_EQ(deccmp(&a.dt_dec, &b.dt_dec), 0) << loose;
    }
    const std::pair<const char*, const char*> sameError[] = {
        {"2024-02-30 10:20:30", "2024-2-30 10:20:30"},
        {"2024-13-01 00:00:00", "2024-13-1 00:00:00"},
        {"2024-01-01 24:00:00", "2024-1-1 24:00:00"},
        {"0000-01-01 00:00:00", "0000-1-1 00:00:00"},
    };
    for (const auto& [full, loose] : sameError) {
        dtime_t a{}, b{};
        a.dt_qual = b.dt_qual = static_cast<int2>(ys);
        std::string fullText = full, looseText = loose;
        const int fullRc = dtcvasc(fullText.data(), &a);
        EXPECT_NE(fullRc, 0) << full;
        EXPECT_EQ(fullRc, dtcvasc(looseText.data(), &b)) << full;
    }
    struct IntervalCase {
        int qualifier;
        const char* text;
    };
    const IntervalCase intervals[] = {
        {TU_IENCODE(3, TU_DAY, TU_SECOND), "  5 10:11:12"},
        {TU_IENCODE(3, TU_DAY, TU_SECOND), " -5 10:11:12"},
        {TU_IENCODE(4, TU_YEAR, TU_MONTH), "   2-11"},
        {TU_IENCODE(2, TU_HOUR, TU_F5), "12:00:00.00001"},
    };
    for (const IntervalCase& c : intervals) {
        intrvl_t iv{};
        iv.in_qual = static_cast<int2>(c.qualifier);
        std::string text = c.text;
        ASSERT_EQ(incvasc(text.data(), &iv), 0) << c.text;
        char out[64] = {};
        ASSERT_EQ(intoasc(&iv, out), 0) << c.text;
        EXPECT_STREQ(out, c.text);
    }
}

}  // namespace
}  // namespace stmt_test

namespace stmt_test {
namespace {

// A cursor freed right after fetches (the thread's last lookup) is gone for
// the next fetch, and a cursor made afterwards starts at its first row.
TEST_F(StmtFixture, FreedCursorIsGoneForTheNextFetch) {
    ASSERT_EQ(Exec("create table f (i integer)"), 0) << Errm();
    ASSERT_EQ(Exec("insert into f values (1)"), 0) << Errm();
    ASSERT_EQ(Exec("insert into f values (2)"), 0) << Errm();
    Prepared prepared("select i from f order by i");
    OutputBuffers out(prepared.described());
    auto open = [&](const char* name) {
        ifx_cursor_t* c = sqli_curs_locate(ESQLINTVERSION, name, CURS_LOCATE_NEWNAME);
        EXPECT_NE(c, nullptr) << Errm();
        EXPECT_EQ(sqli_curs_decl_dynm(ESQLINTVERSION, c, nullptr, prepared.stmt(), 0, 0), 0) << Errm();
        EXPECT_EQ(sqli_curs_open(ESQLINTVERSION, c, nullptr, nullptr, nullptr, 0, 0), 0) << Errm();
        return c;
    };
    auto fetch = [&](ifx_cursor_t* c) {
        _FetchSpec spec{0, FETCH_NEXT, 0};
        const int rc = sqli_curs_fetch(ESQLINTVERSION, c, nullptr, prepared.described(), nullptr, &spec);
        return rc == 0 ? out.row()[0] : std::to_string(rc);
    };
    ifx_cursor_t* first = open("c_freed");
    EXPECT_EQ(fetch(first), "1");
    EXPECT_EQ(fetch(first), "2");
    ASSERT_EQ(sqli_curs_free(ESQLINTVERSION, first), 0);
    EXPECT_EQ(fetch(first), "-404");
    // (The new handle may take the freed one's memory, so `first` is not asked again.)
    ifx_cursor_t* second = open("c_after");
    EXPECT_EQ(fetch(second), "1");
    EXPECT_EQ(fetch(second), "2");
    EXPECT_EQ(fetch(second), "100");
    sqli_curs_close(ESQLINTVERSION, second);
    sqli_curs_free(ESQLINTVERSION, second);
}

}  // namespace
}  // namespace stmt_test
