// Calendar rules shared by DATE and DATETIME: the proleptic Gregorian
// calendar, day numbers counted from 1899-12-31 (day 0), the DBDATE and
// DBCENTURY settings of the library's environment.
#pragma once

#include <cstdint>
#include <string>

namespace ifxsim {

inline constexpr int kMinYear = 1;
inline constexpr int kMaxYear = 9999;

struct Ymd {
    int year = 0;
    int month = 0;
    int day = 0;
};

bool isLeapYear(int year);
int daysInMonth(int year, int month);  // 0 for an invalid month

// Days since 1970-01-01 of a civil date (the well-known era-based algorithm).
// constexpr so that constants built from it need no start-up ordering.
constexpr int64_t daysFromCivil(int64_t y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

// 1899-12-31 is day 0.
constexpr int64_t dayNumber(int year, int month, int day) {
    return daysFromCivil(year, month, day) - daysFromCivil(1899, 12, 31);
}
Ymd fromDayNumber(int64_t day);
bool validYmd(int year, int month, int day);
Ymd todayLocal();

// Turns a one- or two-digit year into a full one following DBCENTURY
// (R current century, P past, F future, C closest to today); month and day
// decide between candidates for P, F and C. [UNVERIFIED] P takes the latest
// candidate not after today, F the earliest not before today.
int expandYear(int shortYear, int month, int day);

// DBDATE: the order of the parts, the year's digit count and the separator
// ('\0' for none). A malformed setting falls back to the default MDY4/.
struct DateFormat {
    char order[3] = {'M', 'D', 'Y'};
    int yearDigits = 4;
    char separator = '/';
};
DateFormat parseDbDate(const std::string &setting);
DateFormat currentDateFormat();

extern const char *const kMonthAbbrev[12];
extern const char *const kMonthNames[12];
extern const char *const kDayAbbrev[7];
extern const char *const kDayNames[7];

}  // namespace ifxsim
