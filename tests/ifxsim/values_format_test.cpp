// rfmtdec/rfmtdouble/rfmtlong masks with DBMONEY, and the %-formats of
// DATETIME and INTERVAL.
#include "ifxesqlc.h"
#include "values_env.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string fmtDec(const char *number, const char *mask) {
    dec_t d;
    std::string n = number, m = mask;
    EXPECT_EQ(deccvasc(n.data(), static_cast<int>(n.size()), &d), 0) << number;
    char out[128] = {};
    EXPECT_EQ(rfmtdec(&d, m.data(), out), 0) << mask;
    return out;
}

}  // namespace

TEST(NumericMasks, DefaultMoneySymbols) {
    ScopedLibEnv money("DBMONEY", "");
    struct Case {
        const char *number, *mask, *out;
    } cases[] = {
        {"1234.5", "$<<<<<<.## @", "$1234.50 "},
        {"0", "$<<<<<<.## @", "$.00 "},
        {"1234.5", "###,###.##", "  1,234.50"},
        {"12", "###,###.##", "     12.00"},
        {"1234567", "###,###.##", "**********"},
        {"12", "&&&&", "0012"},
        {"12345", "&&&&", "****"},
        {"12", "&&,&&&", "00,012"},
        {"-12.5", "(###.##)", "( 12.50)"},
        {"12.5", "(###.##)", "  12.50 "},
        {"1.685", "#.##", "1.69"},
        {"0.5", "###.##", "   .50"},
        {"12", "***,***", "*****12"},
        {"1234", "***,***", "**1,234"},
        {"12345", "<<<,<<<", "12,345"},
        {"12", "<<<,<<<", "12"},
        {"-1234", "---,---", " -1,234"},
        {"1234", "+++,+++", " +1,234"},
        {"-5", "-###", "-  5"},
        {"5", "-###", "   5"},
        {"1234.5", "$$$,$$$.##", " $1,234.50"},
        {"12", "$$,$$$.##", "   $12.00"},
        {"123456", "$$$,$$$", "*******"},
        {"-12.345", "###.##-", " 12.35-"},
        {"7", "Total: ##", "Total:  7"},
        // The money field's display mask: left-justified, no back symbol by default.
        {"1234.5", "$<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<.## @", "$1234.50 "},
        {"-1234.5", "-<<<<<<<<.##", "-1234.50"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(fmtDec(c.number, c.mask), c.out) << c.number << " with " << c.mask;
}

TEST(NumericMasks, DbmoneyChangesSymbolsAndSeparators) {
    struct Case {
        const char *dbmoney, *number, *mask, *out;
    } cases[] = {
        {"DM,", "1234.5", "$###,###.##", "DM  1.234,50"},
        {",EUR", "1234.5", "###,###.## @", "  1.234,50 EUR"},
        {"$.", "1234.5", "$<<<<<<.##", "$1234.50"},
        {"USD.", "-1234.5", "-$$$,$$$.##", "- USD1,234.50"},
    };
    for (const Case &c : cases) {
        ScopedLibEnv money("DBMONEY", c.dbmoney);
        EXPECT_EQ(fmtDec(c.number, c.mask), c.out) << c.dbmoney << " " << c.number << " " << c.mask;
    }
}

TEST(NumericMasks, LongAndDoubleEntryPoints) {
    ScopedLibEnv money("DBMONEY", "");
    char out[64];
    char mask[] = "###,###";
    ASSERT_EQ(rfmtlong(-123456, mask, out), 0);
    EXPECT_STREQ(out, "123,456");  // no sign mark: the sign is not shown
    char signedMask[] = "-###,###";
    ASSERT_EQ(rfmtlong(-123456, signedMask, out), 0);
    EXPECT_STREQ(out, "-123,456");
    char moneyMask[] = "$$$$$$.##";
    ASSERT_EQ(rfmtdouble(99.999, moneyMask, out), 0);
    EXPECT_STREQ(out, "  $100.00");
    // The decimal separator the access layer learns from a sample value.
    ScopedLibEnv comma("DBMONEY", ",");
    char sample[] = "#.#";
    ASSERT_EQ(rfmtdouble(1.5, sample, out), 0);
    EXPECT_STREQ(out, "1,5");
    EXPECT_NE(rfmtdouble(1.5, nullptr, out), 0);
}

TEST(NumericMasks, NullFormatsEmpty) {
    dec_t d;
    rsetnull(CDECIMALTYPE, reinterpret_cast<char *>(&d));
    char out[32] = "x";
    char mask[] = "###.##";
    ASSERT_EQ(rfmtdec(&d, mask, out), 0);
    EXPECT_STREQ(out, "");
}

TEST(DateTimeFormats, DttofmtascDirectives) {
    dtime_t d{};
    d.dt_qual = TU_DTENCODE(TU_YEAR, TU_F3);
    char in[] = "2024-03-05 14:07:08.123";
    ASSERT_EQ(dtcvasc(in, &d), 0);
    struct Case {
        const char *fmt, *out;
    } cases[] = {
        {"%Y-%m-%d %H:%M:%S", "2024-03-05 14:07:08"},
        {"%d/%m/%y", "05/03/24"},
        {"%a %b %e %I:%M %p", "Tue Mar  5 02:07 PM"},
        {"%A, %B %d", "Tuesday, March 05"},
        {"%T.%F", "14:07:08.123"},
        {"%S.%F2 %%", "08.12 %"},
        {"%D", "03/05/24"},
    };
    for (const Case &c : cases) {
        char out[64] = {};
        std::string fmt = c.fmt;
        ASSERT_EQ(dttofmtasc(&d, out, sizeof out, fmt.data()), 0) << c.fmt;
        EXPECT_STREQ(out, c.out) << c.fmt;
    }
    char small[8];
    char fmt[] = "%Y-%m-%d";
    EXPECT_EQ(dttofmtasc(&d, small, sizeof small, fmt), -1207);
    char ansi[64];
    ASSERT_EQ(dttofmtasc(&d, ansi, sizeof ansi, nullptr), 0);
    EXPECT_STREQ(ansi, "2024-03-05 14:07:08.123");
}

TEST(DateTimeFormats, DbtimeIsTheDefaultFormat) {
    dtime_t d{};
    d.dt_qual = TU_DTENCODE(TU_YEAR, TU_SECOND);
    char in[] = "2024-03-05 14:07:08";
    ASSERT_EQ(dtcvasc(in, &d), 0);
    ScopedLibEnv dbtime("DBTIME", "%d.%m.%Y %H-%M");
    char out[64] = {};
    ASSERT_EQ(dttofmtasc(&d, out, sizeof out, nullptr), 0);
    EXPECT_STREQ(out, "05.03.2024 14-07");
    dtime_t back{};
    back.dt_qual = TU_DTENCODE(TU_YEAR, TU_MINUTE);
    char empty[] = "";
    ASSERT_EQ(dtcvfmtasc(out, empty, &back), 0);
    char ansi[64] = {};
    ASSERT_EQ(dttoasc(&back, ansi), 0);
    EXPECT_STREQ(ansi, "2024-03-05 14:07");
}

TEST(DateTimeFormats, DtcvfmtascReadsByFormat) {
    struct Case {
        const char *in, *fmt;
        int qual;
        int rc;
        const char *out;
    } cases[] = {
        {"05/03/2024 14:07", "%d/%m/%Y %H:%M", TU_DTENCODE(TU_YEAR, TU_MINUTE), 0, "2024-03-05 14:07"},
        {"March 5, 2024", "%B %d, %Y", TU_DTENCODE(TU_YEAR, TU_DAY), 0, "2024-03-05"},
        {"2:07 pm", "%I:%M %p", TU_DTENCODE(TU_HOUR, TU_MINUTE), 0, "14:07"},
        {"2024-02-30", "%Y-%m-%d", TU_DTENCODE(TU_YEAR, TU_DAY), -1263, nullptr},
        {"2024-02-01 junk", "%Y-%m-%d", TU_DTENCODE(TU_YEAR, TU_DAY), -1264, nullptr},
        {"2024/02/01", "%Y-%m-%d", TU_DTENCODE(TU_YEAR, TU_DAY), -1262, nullptr},
    };
    for (const Case &c : cases) {
        dtime_t d{};
        d.dt_qual = static_cast<int2>(c.qual);
        std::string in = c.in, fmt = c.fmt;
        EXPECT_EQ(dtcvfmtasc(in.data(), fmt.data(), &d), c.rc) << c.in;
        if (c.out) {
            char out[64] = {};
            ASSERT_EQ(dttoasc(&d, out), 0);
            EXPECT_STREQ(out, c.out) << c.in;
        }
    }
}

TEST(IntervalFormats, WriteAndReadByFormat) {
    intrvl_t i{};
    i.in_qual = TU_IENCODE(3, TU_DAY, TU_SECOND);
    char text[] = "-12 03:04:05";
    ASSERT_EQ(incvasc(text, &i), 0);
    char out[64] = {};
    char fmt[] = "%d days %H:%M:%S";
    ASSERT_EQ(intofmtasc(&i, out, sizeof out, fmt), 0);
    EXPECT_STREQ(out, "-12 days 03:04:05");

    intrvl_t back{};
    back.in_qual = i.in_qual;
    ASSERT_EQ(incvfmtasc(out, fmt, &back), 0);
    char ansi[64] = {};
    ASSERT_EQ(intoasc(&back, ansi), 0);
    EXPECT_STREQ(ansi, "-12 03:04:05");

    char wrongFields[] = "%Y years";
    char years[] = "3 years";
    EXPECT_EQ(incvfmtasc(years, wrongFields, &back), -1266);
    char tooLong[] = "1234 days 00:00:00";
    EXPECT_EQ(incvfmtasc(tooLong, fmt, &back), -1261);
}

TEST(OpaqueValues, HolderLifecycle) {
    void *var = nullptr;
    ASSERT_EQ(ifx_var_flag(&var, 0), 0);
    ASSERT_NE(var, nullptr);
    EXPECT_EQ(ifx_var_isnull(&var), 1);
    char data[] = "hello";
    ASSERT_EQ(ifx_var_setdata(&var, data, 5), 0);
    EXPECT_EQ(ifx_var_isnull(&var), 0);
    EXPECT_EQ(ifx_var_getlen(&var), 5);
    EXPECT_STREQ(static_cast<char *>(ifx_var_getdata(&var)), "hello");
    ASSERT_EQ(ifx_var_setlen(&var, 3), 0);
    EXPECT_EQ(ifx_var_getlen(&var), 3);
    ASSERT_EQ(ifx_var_setnull(&var, 1), 0);
    EXPECT_EQ(ifx_var_isnull(&var), 1);
    ASSERT_EQ(ifx_var_alloc(&var, 100), 0);
    EXPECT_NE(ifx_var_getdata(&var), nullptr);
    ASSERT_EQ(ifx_var_dealloc(&var), 0);
    EXPECT_EQ(ifx_var_getdata(&var), nullptr);
    ASSERT_EQ(ifx_var_freevar(&var), 0);
    EXPECT_EQ(var, nullptr);
    // Calls on a missing holder fail instead of touching memory.
    EXPECT_EQ(ifx_var_getlen(&var), -1);
    EXPECT_EQ(ifx_var_setnull(&var, 1), -1);
    EXPECT_EQ(ifx_var_freevar(nullptr), -1);
    EXPECT_EQ(ifx_var_setdata(&var, nullptr, 4), -1);
    void *init = nullptr;
    ASSERT_EQ(ifx_var_init(&init), 0);
    EXPECT_EQ(ifx_var_getlen(&init), 0);
    ASSERT_EQ(ifx_var_freevar(&init), 0);
}

// A refused call on a variable without a holder leaves it without one: nothing
// is created that the caller would not know to free.
TEST(OpaqueValues, RefusedCallsCreateNoHolder) {
    void *var = nullptr;
    EXPECT_EQ(ifx_var_setdata(&var, nullptr, 4), -1);
    EXPECT_EQ(var, nullptr);
    char data[] = "abc";
    EXPECT_EQ(ifx_var_setdata(&var, data, -1), -1);
    EXPECT_EQ(var, nullptr);
    EXPECT_EQ(ifx_var_alloc(&var, -5), -1);
    EXPECT_EQ(var, nullptr);
    // An existing holder keeps its value through a refused call.
    ASSERT_EQ(ifx_var_setdata(&var, data, 3), 0);
    EXPECT_EQ(ifx_var_setdata(&var, nullptr, 2), -1);
    EXPECT_EQ(ifx_var_getlen(&var), 3);
    EXPECT_STREQ(static_cast<char *>(ifx_var_getdata(&var)), "abc");
    ASSERT_EQ(ifx_var_freevar(&var), 0);
}
