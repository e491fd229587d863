// DATETIME and INTERVAL text, extension and arithmetic through the exported routines.
#include "ifxesqlc.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ctime>
#include <string>

namespace {

constexpr int kYearToSecond = TU_DTENCODE(TU_YEAR, TU_SECOND);
constexpr int kYearToF5 = TU_DTENCODE(TU_YEAR, TU_F5);
constexpr int kYearToDay = TU_DTENCODE(TU_YEAR, TU_DAY);
constexpr int kHourToMinute = TU_DTENCODE(TU_HOUR, TU_MINUTE);
constexpr int kDay3ToSecond = TU_IENCODE(3, TU_DAY, TU_SECOND);
constexpr int kYearToMonthIv = TU_IENCODE(4, TU_YEAR, TU_MONTH);

dtime_t dt(int qual, const std::string &text, int expectRc = 0) {
    dtime_t d{};
    d.dt_qual = static_cast<int2>(qual);
    std::string copy = text;
    EXPECT_EQ(dtcvasc(copy.data(), &d), expectRc) << text;
    return d;
}

intrvl_t iv(int qual, const std::string &text, int expectRc = 0) {
    intrvl_t i{};
    i.in_qual = static_cast<int2>(qual);
    std::string copy = text;
    EXPECT_EQ(incvasc(copy.data(), &i), expectRc) << text;
    return i;
}

std::string show(dtime_t d) {
    char buf[64] = {};
    EXPECT_EQ(dttoasc(&d, buf), 0);
    return buf;
}

std::string show(intrvl_t i) {
    char buf[64] = {};
    EXPECT_EQ(intoasc(&i, buf), 0);
    return buf;
}

}  // namespace

TEST(DateTimeText, RoundTripsCutToTheQualifier) {
    struct Case {
        int qual;
        const char *in, *out;
    } cases[] = {
        {kYearToSecond, "2024-01-02 10:11:12", "2024-01-02 10:11:12"},
        {kYearToSecond, "  2024-1-2 3:04:05  ", "2024-01-02 03:04:05"},
        {kHourToMinute, "23:59", "23:59"},
        {kYearToF5, "1999-12-31 23:59:59.12345", "1999-12-31 23:59:59.12345"},
        {kYearToF5, "2000-02-29 00:00:00.5", "2000-02-29 00:00:00.50000"},
        {TU_DTENCODE(TU_YEAR, TU_F3), "2024-06-30 12:00:00.1239", "2024-06-30 12:00:00.123"},
        {kYearToDay, "0001-01-01", "0001-01-01"},
        {TU_DTENCODE(TU_MONTH, TU_DAY), "02-29", "02-29"},
        {TU_DTENCODE(TU_SECOND, TU_F2), "07.5", "07.50"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(show(dt(c.qual, c.in)), c.out) << c.in;
}

TEST(DateTimeText, BadTextsGetTheirCodes) {
    struct Case {
        int qual;
        const char *in;
        int rc;
    } cases[] = {
        {kYearToSecond, "2024/01/02 10:11:12", -1262},
        {kYearToSecond, "2024-01-02 10:1x:12", -1262},
        {kYearToSecond, "abc", -1262},
        {kYearToSecond, "2024-13-02 10:11:12", -1263},
        {kYearToSecond, "2023-02-29 10:11:12", -1263},
        {kYearToSecond, "2024-01-02 24:00:00", -1263},
        {kYearToSecond, "2024-01-02 10:60:00", -1263},
        {kYearToSecond, "2024-01-02 10:11", -1263},
        {kYearToSecond, "2024-01-02", -1263},
        {kYearToSecond, "2024-01-02 10:11:12 x", -1264},
        {kYearToSecond, "2024-01-02 10:11:12:13", -1264},
        {kHourToMinute, "10:11:12", -1264},
        {kYearToSecond, "12024-01-02 10:11:12", -1261},
        {0x7fff, "2024", -1268},
    };
    for (const Case &c : cases) {
        dtime_t d = dt(kYearToDay, "2000-01-01");
        d.dt_qual = static_cast<int2>(c.qual);
        dtime_t before = d;
        std::string copy = c.in;
        EXPECT_EQ(dtcvasc(copy.data(), &d), c.rc) << c.in;
        EXPECT_EQ(0, std::memcmp(&before, &d, sizeof d)) << "a failed conversion must leave the value: " << c.in;
    }
}

TEST(DateTimeText, EmptyTextIsNullAndPrintsEmpty) {
    dtime_t d = dt(kYearToSecond, "   ");
    EXPECT_TRUE(risnull(CDTIMETYPE, reinterpret_cast<char *>(&d)));
    EXPECT_EQ(show(d), "");
}

TEST(DateTimeExtend, FillsLowerFieldsAndCurrentUpperOnes) {
    dtime_t in = dt(kYearToDay, "2024-03-05");
    dtime_t out{};
    out.dt_qual = kYearToF5;
    ASSERT_EQ(dtextend(&in, &out), 0);
    EXPECT_EQ(show(out), "2024-03-05 00:00:00.00000");

    dtime_t full = dt(kYearToF5, "2024-03-05 06:07:08.12345");
    dtime_t cut{};
    cut.dt_qual = kHourToMinute;
    ASSERT_EQ(dtextend(&full, &cut), 0);
    EXPECT_EQ(show(cut), "06:07");

    // A time of day extended to YEAR TO MINUTE takes today's date.
    dtime_t time = dt(kHourToMinute, "10:30");
    dtime_t dated{};
    dated.dt_qual = TU_DTENCODE(TU_YEAR, TU_MINUTE);
    ASSERT_EQ(dtextend(&time, &dated), 0);
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char expected[32];
    std::strftime(expected, sizeof expected, "%Y-%m-%d 10:30", &local);
    EXPECT_EQ(show(dated), expected);

    dtime_t bad{};
    bad.dt_qual = 0x7fff;
    EXPECT_EQ(dtextend(&in, &bad), -1268);
}

TEST(DateTimeCurrent, FollowsTheQualifierAndTheClock) {
    dtime_t d{};
    d.dt_qual = kYearToDay;
    dtcurrent(&d);
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char expected[16];
    std::strftime(expected, sizeof expected, "%Y-%m-%d", &local);
    EXPECT_EQ(show(d), expected);
    dtime_t unset{};
    dtcurrent(&unset);
    EXPECT_EQ(unset.dt_qual, TU_CURRQUAL);
    EXPECT_EQ(show(unset).size(), std::string("2024-01-02 10:11:12.123").size());
}

TEST(IntervalText, DayToSecondAndYearToMonth) {
    struct Case {
        int qual;
        const char *in, *out;
    } cases[] = {
        {kDay3ToSecond, "5 10:11:12", "  5 10:11:12"},
        {kDay3ToSecond, "-123 00:00:01", "-123 00:00:01"},
        {kDay3ToSecond, "999 23:59:59", "999 23:59:59"},
        {kYearToMonthIv, "3-05", "   3-05"},
        {kYearToMonthIv, "-12-11", " -12-11"},
        {TU_IENCODE(5, TU_MINUTE, TU_MINUTE), "720", "  720"},
        {TU_IENCODE(2, TU_HOUR, TU_F3), "1:02:03.4", " 1:02:03.400"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(show(iv(c.qual, c.in)), c.out) << c.in;
}

TEST(IntervalText, BadTextsGetTheirCodes) {
    struct Case {
        int qual;
        const char *in;
        int rc;
    } cases[] = {
        {kDay3ToSecond, "1000 00:00:00", -1261}, {kDay3ToSecond, "5 24:00:00", -1263},
        {kDay3ToSecond, "5 10:60:00", -1263},    {kDay3ToSecond, "5 10:11", -1263},
        {kDay3ToSecond, "5 10:11:12x", -1264},   {kDay3ToSecond, "5 1a:11:12", -1262},
        {kYearToMonthIv, "3-12", -1263},         {kYearToMonthIv, "3/05", -1262},
        {TU_IENCODE(4, TU_YEAR, TU_DAY), "1-1-1", -1268},
    };
    for (const Case &c : cases)
        iv(c.qual, c.in, c.rc);
}

TEST(DateTimeArithmetic, SubtractAddAndExtendIntervals) {
    dtime_t a = dt(kYearToSecond, "2024-03-01 00:00:00"), b = dt(kYearToSecond, "2024-02-28 12:30:15");
    intrvl_t diff{};
    diff.in_qual = kDay3ToSecond;
    ASSERT_EQ(dtsub(&a, &b, &diff), 0);
    EXPECT_EQ(show(diff), "  1 11:29:45");  // 2024 is a leap year
    ASSERT_EQ(dtsub(&b, &a, &diff), 0);
    EXPECT_EQ(show(diff), " -1 11:29:45");

    dtime_t sum{};
    intrvl_t plus = iv(kDay3ToSecond, "1 11:29:45");
    ASSERT_EQ(dtaddinv(&b, &plus, &sum), 0);
    EXPECT_EQ(show(sum), "2024-03-01 00:00:00");
    ASSERT_EQ(dtsubinv(&a, &plus, &sum), 0);
    EXPECT_EQ(show(sum), "2024-02-28 12:30:15");

    intrvl_t month = iv(kYearToMonthIv, "0-01");
    dtime_t jan31 = dt(kYearToDay, "2024-01-31"), jan15 = dt(kYearToDay, "2024-01-15");
    EXPECT_EQ(dtaddinv(&jan31, &month, &sum), -1267);
    ASSERT_EQ(dtaddinv(&jan15, &month, &sum), 0);
    EXPECT_EQ(show(sum), "2024-02-15");

    intrvl_t hours{};
    hours.in_qual = TU_IENCODE(5, TU_HOUR, TU_MINUTE);
    ASSERT_EQ(invextend(&plus, &hours), 0);
    EXPECT_EQ(show(hours), "   35:29");
    intrvl_t tooNarrow{};
    tooNarrow.in_qual = TU_IENCODE(1, TU_HOUR, TU_MINUTE);
    EXPECT_EQ(invextend(&plus, &tooNarrow), -1265);
    EXPECT_EQ(invextend(&month, &hours), -1266);
}

TEST(IntervalArithmetic, ScaleAndDivide) {
    intrvl_t day = iv(kDay3ToSecond, "1 00:00:00"), out{};
    out.in_qual = kDay3ToSecond;
    ASSERT_EQ(invmuldbl(&day, 2.5, &out), 0);
    EXPECT_EQ(show(out), "  2 12:00:00");
    ASSERT_EQ(invdivdbl(&day, 3.0, &out), 0);
    EXPECT_EQ(show(out), "  0 08:00:00");
    EXPECT_EQ(invdivdbl(&day, 0.0, &out), -1202);
    ASSERT_EQ(invmuldbl(&day, -1.0, &out), 0);
    EXPECT_EQ(show(out), " -1 00:00:00");
    EXPECT_EQ(invmuldbl(&day, 1000.0, &out), -1265);

    intrvl_t hour = iv(TU_IENCODE(2, TU_HOUR, TU_SECOND), "6:00:00");
    double ratio = 0;
    ASSERT_EQ(invdivinv(&day, &hour, &ratio), 0);
    EXPECT_DOUBLE_EQ(ratio, 4.0);
    intrvl_t zero = iv(kDay3ToSecond, "0 00:00:00"), year = iv(kYearToMonthIv, "1-00");
    EXPECT_EQ(invdivinv(&day, &zero, &ratio), -1202);
    EXPECT_EQ(invdivinv(&day, &year, &ratio), -1266);
}
