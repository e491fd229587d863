// DATE routines: day numbers, DBDATE text forms, formats and bad input.
#include "ifxesqlc.h"
#include "values_env.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>

namespace {

int4 dateOf(int month, int day, int year) {
    int2 mdy[3] = {static_cast<int2>(month), static_cast<int2>(day), static_cast<int2>(year)};
    int4 j = 0;
    EXPECT_EQ(rmdyjul(mdy, &j), 0);
    return j;
}

std::string text(int4 j) {
    char buf[32] = {};
    EXPECT_EQ(rdatestr(j, buf), 0);
    return buf;
}

int currentYear() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_year + 1900;
}

}  // namespace

TEST(DateCalendar, LeapYears) {
    struct Case {
        int year;
        int leap;
    } cases[] = {{1900, 0}, {2000, 1}, {2004, 1}, {2100, 0}, {2023, 0}, {1600, 1}, {1, 0}};
    for (const Case &c : cases)
        EXPECT_EQ(rleapyear(c.year), c.leap) << c.year;
}

TEST(DateCalendar, DayNumbersStartAtTheEndOf1899) {
    struct Case {
        int m, d, y;
        int4 day;
    } cases[] = {{12, 31, 1899, 0}, {1, 1, 1900, 1}, {12, 30, 1899, -1}, {1, 1, 2000, 36525},
                 {3, 1, 1900, 60},  {2, 29, 2000, 36584}};
    for (const Case &c : cases) {
        EXPECT_EQ(dateOf(c.m, c.d, c.y), c.day) << c.y << "-" << c.m << "-" << c.d;
        int2 mdy[3] = {};
        ASSERT_EQ(rjulmdy(c.day, mdy), 0);
        EXPECT_EQ(mdy[0], c.m);
        EXPECT_EQ(mdy[1], c.d);
        EXPECT_EQ(mdy[2], c.y);
    }
    // Every day of four centuries goes out and back unchanged.
    for (int4 j = dateOf(1, 1, 1800); j <= dateOf(12, 31, 2200); j += 1) {
        int2 mdy[3] = {};
        ASSERT_EQ(rjulmdy(j, mdy), 0);
        int4 back = 0;
        ASSERT_EQ(rmdyjul(mdy, &back), 0);
        ASSERT_EQ(back, j);
    }
}

TEST(DateCalendar, WeekdaysAndBadParts) {
    EXPECT_EQ(rdayofweek(0), 0);      // 1899-12-31, a Sunday
    EXPECT_EQ(rdayofweek(1), 1);      // 1900-01-01, a Monday
    EXPECT_EQ(rdayofweek(36525), 6);  // 2000-01-01, a Saturday
    struct Case {
        int m, d, y, rc;
    } cases[] = {{13, 1, 2024, -1205}, {0, 1, 2024, -1205}, {2, 30, 2024, -1206},
                 {2, 29, 1900, -1206}, {4, 31, 2024, -1206}, {1, 1, 0, -1204}, {1, 1, 10000, -1204}};
    for (const Case &c : cases) {
        int2 mdy[3] = {static_cast<int2>(c.m), static_cast<int2>(c.d), static_cast<int2>(c.y)};
        int4 j = 0;
        EXPECT_EQ(rmdyjul(mdy, &j), c.rc) << c.y << "-" << c.m << "-" << c.d;
    }
    int2 mdy[3];
    EXPECT_EQ(rjulmdy(INT32_MIN, mdy), -1210);
    EXPECT_EQ(rjulmdy(9999999, mdy), -1210);
}

TEST(DateText, DbdateVariantsForDayOneAndDayZero) {
    struct Case {
        const char *dbdate;
        int4 day;
        const char *out;
    } cases[] = {
        {"MDY4/", 1, "01/01/1900"}, {"MDY4/", 0, "12/31/1899"}, {"DMY2-", 1, "01-01-00"},
        {"DMY2-", 0, "31-12-99"},   {"Y4MD.", 1, "1900.01.01"}, {"Y4MD.", 0, "1899.12.31"},
        {"Y2DM0", 1, "000101"},     {"Y2DM0", 0, "993112"},     {"dmy4/", 36525, "01/01/2000"},
        {"", 0, "12/31/1899"},      {"XYZ", 1, "01/01/1900"},
    };
    for (const Case &c : cases) {
        ScopedLibEnv env("DBDATE", c.dbdate);
        EXPECT_EQ(text(c.day), c.out) << c.dbdate;
    }
}

TEST(DateText, RstrdateReadsAnySeparatorOrNone) {
    struct Case {
        const char *dbdate;
        const char *in;
        int4 day;
    } cases[] = {
        {"MDY4/", "01/01/1900", 1},   {"MDY4/", "1/1/1900", 1},     {"MDY4/", "01-01-1900", 1},
        {"MDY4/", " 12.31.1899 ", 0}, {"MDY4/", "01011900", 1},     {"DMY4/", "31.12.1899", 0},
        {"Y4MD-", "1900-01-01", 1},   {"Y4MD-", "19000101", 1},     {"DMY2-", "01/01/1900", 1},
        {"Y2DM0", "1899/31/12", 0},   {"MDY4/", "02/29/2000", 36584},
    };
    for (const Case &c : cases) {
        ScopedLibEnv env("DBDATE", c.dbdate);
        int4 j = -99;
        std::string in = c.in;
        EXPECT_EQ(rstrdate(in.data(), &j), 0) << c.dbdate << " " << c.in;
        EXPECT_EQ(j, c.day) << c.dbdate << " " << c.in;
    }
}

TEST(DateText, TwoDigitYearsFollowDbcentury) {
    ScopedLibEnv dbdate("DBDATE", "MDY4/");
    int century = currentYear() / 100 * 100;
    int4 j = 0;
    {
        ScopedLibEnv env("DBCENTURY", "R");
        char in[] = "07/04/05";
        ASSERT_EQ(rstrdate(in, &j), 0);
        EXPECT_EQ(j, dateOf(7, 4, century + 5));
    }
    {
        // One century ahead is never in the past, one century back always is.
        ScopedLibEnv env("DBCENTURY", "P");
        std::string in = "01/01/" + std::to_string((currentYear() + 1) % 100 / 10) +
                         std::to_string((currentYear() + 1) % 10);
        ASSERT_EQ(rstrdate(in.data(), &j), 0);
        EXPECT_EQ(j, dateOf(1, 1, currentYear() + 1 - 100));
    }
    {
        // Closest: a year one ahead of this one is nearer than a century back.
        ScopedLibEnv env("DBCENTURY", "C");
        std::string y = std::to_string((currentYear() + 1) % 100);
        std::string in = "06/15/" + std::string(2 - y.size(), '0') + y;
        ASSERT_EQ(rstrdate(in.data(), &j), 0);
        EXPECT_EQ(j, dateOf(6, 15, currentYear() + 1));
    }
    {
        ScopedLibEnv env("DBCENTURY", "F");
        std::string y = std::to_string((currentYear() - 1) % 100);
        std::string in = "12/31/" + std::string(2 - y.size(), '0') + y;
        ASSERT_EQ(rstrdate(in.data(), &j), 0);
        EXPECT_EQ(j, dateOf(12, 31, currentYear() - 1 + 100));
    }
}

TEST(DateText, BadTextsGetTheirCodes) {
    ScopedLibEnv env("DBDATE", "MDY4/");
    struct Case {
        const char *in;
        int rc;
    } cases[] = {
        {"13/01/2024", -1205}, {"00/10/2024", -1205}, {"02/30/2024", -1206}, {"02/29/1900", -1206},
        {"01/32/2024", -1206}, {"01/01/10000", -1204}, {"01/01/0000", -1204}, {"ab/01/2024", -1218},
        {"01/01", -1218},      {"1/2/3/4", -1218},     {"01//2024", -1218},   {"0101190", -1218},
        {"Jan 1 2024", -1218},
    };
    for (const Case &c : cases) {
        int4 j = 12345;
        std::string in = c.in;
        EXPECT_EQ(rstrdate(in.data(), &j), c.rc) << c.in;
        EXPECT_EQ(j, 12345) << "a failed conversion must leave the target alone: " << c.in;
    }
    int4 j = 0;
    char blank[] = "  ";
    ASSERT_EQ(rstrdate(blank, &j), 0);
    EXPECT_TRUE(risnull(CDATETYPE, reinterpret_cast<char *>(&j)));
    char out[16] = "x";
    ASSERT_EQ(rdatestr(j, out), 0);
    EXPECT_STREQ(out, "");
}

TEST(DateFormat, RfmtdateMasks) {
    struct Case {
        const char *fmt;
        int4 day;
        const char *out;
    } cases[] = {
        {"mm/dd/yyyy", 36525, "01/01/2000"},
        {"ddd, mmm dd yyyy", 36525, "Sat, Jan 01 2000"},
        {"yy-mm-dd", 36525, "00-01-01"},
        {"(dd) mmm", 1, "(01) Jan"},
        {"dd.mm.yyyy", 0, "31.12.1899"},
        {"ddd mmm", 45000, "Thu Mar"},
        {"MMM DD YYYY", 36525, "Jan 01 2000"},
    };
    for (const Case &c : cases) {
        char out[64] = {};
        std::string fmt = c.fmt;
        ASSERT_EQ(rfmtdate(c.day, fmt.data(), out), 0) << c.fmt;
        EXPECT_STREQ(out, c.out) << c.fmt;
    }
    char out[64];
    char fmt[] = "mm/dd/yyyy";
    EXPECT_EQ(rfmtdate(99999999, fmt, out), -1210);
}

TEST(DateFormat, RdefmtdateReadsByMask) {
    struct Case {
        const char *fmt, *in;
        int rc;
        int4 day;
    } cases[] = {
        {"mm/dd/yyyy", "01/01/2000", 0, 36525},
        {"dd.mm.yyyy", "31.12.1899", 0, 0},
        {"ddd, mmm dd yyyy", "Sat, Jan 01 2000", 0, 36525},
        {"mmm dd yyyy", "january 1, 2000", 0, 36525},
        {"yyyymmdd", "20000101", 0, 36525},
        {"yyyy-mm-dd", "1900-1-1", 0, 1},
        {"dd.mm", "01.01", -1212, 0},
        {"mm/dd/yyyy", "13/01/2000", -1205, 0},
        {"mm/dd/yyyy", "02/30/2000", -1206, 0},
        {"mm/dd/yyyy", "01/01", -1218, 0},
        {"mm/dd/yyyy", "xx/01/2000", -1218, 0},
    };
    for (const Case &c : cases) {
        int4 j = -7;
        std::string fmt = c.fmt, in = c.in;
        EXPECT_EQ(rdefmtdate(&j, fmt.data(), in.data()), c.rc) << c.fmt << " " << c.in;
        if (c.rc == 0) {
            EXPECT_EQ(j, c.day) << c.fmt << " " << c.in;
        }
    }
}

TEST(DateCalendar, TodayIsTheLocalDate) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    int4 today = 0;
    rtoday(&today);
    EXPECT_EQ(today, dateOf(local.tm_mon + 1, local.tm_mday, local.tm_year + 1900));
}
