#include "values/Calendar.h"

#include "values/Env.h"

#include <cctype>
#include <ctime>
#include <cstdlib>

namespace ifxsim {

const char *const kMonthAbbrev[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char *const kMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                     "July",    "August",   "September", "October", "November", "December"};
const char *const kDayAbbrev[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char *const kDayNames[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}

bool validYmd(int year, int month, int day) {
    return year >= kMinYear && year <= kMaxYear && month >= 1 && month <= 12 && day >= 1 &&
           day <= daysInMonth(year, month);
}

namespace {

Ymd civilFromDays(int64_t z) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t y = yoe + era * 400;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return Ymd{static_cast<int>(y + (m <= 2)), m, d};
}

}  // namespace

Ymd fromDayNumber(int64_t day) { return civilFromDays(day + daysFromCivil(1899, 12, 31)); }

Ymd todayLocal() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return Ymd{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

int expandYear(int shortYear, int month, int day) {
    Ymd today = todayLocal();
    int century = today.year / 100 * 100;
    std::string setting = ifxsim_getenv("DBCENTURY");
    char mode = setting.empty() ? 'R' : static_cast<char>(std::toupper(static_cast<unsigned char>(setting[0])));
    if (mode != 'P' && mode != 'F' && mode != 'C')
        return century + shortYear;
    // Candidates in the previous, current and next century, compared as dates.
    if (month < 1 || month > 12)
        month = 1;
    if (day < 1)
        day = 1;
    auto when = [&](int year) {
        int dim = daysInMonth(year, month);
        return dayNumber(year, month, day > dim ? dim : day);
    };
    int64_t now = dayNumber(today.year, today.month, today.day);
    int best = century + shortYear;
    if (mode == 'P') {
        for (int c : {century + 100, century, century - 100})
            if (when(c + shortYear) <= now)
                return c + shortYear;
    } else if (mode == 'F') {
        for (int c : {century - 100, century, century + 100})
            if (when(c + shortYear) >= now)
                return c + shortYear;
    } else {
        int64_t bestGap = -1;
        for (int c : {century - 100, century, century + 100}) {
            int64_t gap = std::llabs(when(c + shortYear) - now);
            if (bestGap < 0 || gap < bestGap) {
                bestGap = gap;
                best = c + shortYear;
            }
        }
    }
    return best;
}

DateFormat parseDbDate(const std::string &setting) {
    DateFormat f;
    std::string s;
    for (char c : setting)
        s.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    DateFormat parsed;
    size_t i = 0;
    int part = 0;
    bool seen[3] = {false, false, false};
    while (i < s.size() && part < 3) {
        char c = s[i];
        if (c != 'M' && c != 'D' && c != 'Y')
            return f;
        int idx = c == 'M' ? 0 : (c == 'D' ? 1 : 2);
        if (seen[idx])
            return f;
        seen[idx] = true;
        parsed.order[part++] = c;
        ++i;
        if (c == 'Y') {
            if (i < s.size() && (s[i] == '2' || s[i] == '4'))
                parsed.yearDigits = s[i++] - '0';
            else
                return f;
        }
    }
    if (part != 3)
        return f;
    if (i < s.size()) {
        char sep = s[i++];
        if (i != s.size())
            return f;
        if (sep == '0')
            parsed.separator = '\0';
        else if (sep == '/' || sep == '-' || sep == '.')
            parsed.separator = sep;
        else
            return f;
    }
    return parsed;
}

DateFormat currentDateFormat() { return parseDbDate(ifxsim_getenv("DBDATE")); }

}  // namespace ifxsim
