// The DATE entry points. A DATE is a day number, 1899-12-31 being day 0, so
// DATE 1 is 1900-01-01; the NULL date is INT32_MIN. Text follows DBDATE from
// the library's environment (default MDY4/); rstrdate reads any non-digit
// separator, or none, and one- or two-digit years through DBCENTURY.
//
// [UNVERIFIED] blank text gives the NULL date; rdatestr and rfmtdate write an
// empty string for the NULL date; format tokens are matched without regard to
// case.
#include "values/Calendar.h"
#include "values/DecimalCodec.h"
#include "values/ErrorCodes.h"
#include "values/NullValues.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using namespace ifxsim;

namespace {

constexpr int64_t kFirstDay = dayNumber(kMinYear, 1, 1);
constexpr int64_t kLastDay = dayNumber(kMaxYear, 12, 31);

bool inRange(int64_t jdate) { return jdate != kNullInt4 && jdate >= kFirstDay && jdate <= kLastDay; }

std::string twoDigits(int v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d", v % 100);
    return buf;
}

std::string fourDigits(int v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%04d", v);
    return buf;
}

void copyOut(const std::string &text, char *out) {
    std::memcpy(out, text.c_str(), text.size() + 1);
}

std::string trimmed(const char *str) {
    std::string s = str ? str : "";
    size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos)
        return {};
    size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

// Checks and stores a date given by its parts; yearDigits counts the digits
// the year was written with (<= 2 goes through DBCENTURY).
int storeDate(long month, long day, long year, size_t yearDigits, int4 *jdate) {
    if (yearDigits <= 2)
        year = expandYear(static_cast<int>(year), static_cast<int>(month), static_cast<int>(day));
    if (year < kMinYear || year > kMaxYear)
        return err::BadYear;
    if (month < 1 || month > 12)
        return err::BadMonth;
    if (day < 1 || day > daysInMonth(static_cast<int>(year), static_cast<int>(month)))
        return err::BadDay;
    *jdate = static_cast<int4>(dayNumber(static_cast<int>(year), static_cast<int>(month), static_cast<int>(day)));
    return 0;
}

bool allDigits(const std::string &s) {
    for (char c : s)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    return !s.empty();
}

long numberOf(const std::string &s) { return s.size() > 6 ? 999999 : std::stol(s); }

// Month number of a name or abbreviation (at least three letters), else 0.
int monthFromName(const std::string &word) {
    if (word.size() < 3)
        return 0;
    for (int m = 0; m < 12; ++m) {
        std::string full = kMonthNames[m];
        if (word.size() > full.size())
            continue;
        bool match = true;
        for (size_t i = 0; i < word.size() && match; ++i)
            match = std::tolower(static_cast<unsigned char>(word[i])) ==
                    std::tolower(static_cast<unsigned char>(full[i]));
        if (match)
            return m + 1;
    }
    return 0;
}

bool isDayName(const std::string &word) {
    if (word.size() < 3)
        return false;
    for (const char *name : kDayNames) {
        std::string full = name;
        if (word.size() > full.size())
            continue;
        bool match = true;
        for (size_t i = 0; i < word.size() && match; ++i)
            match = std::tolower(static_cast<unsigned char>(word[i])) ==
                    std::tolower(static_cast<unsigned char>(full[i]));
        if (match)
            return true;
    }
    return false;
}

bool startsWithNoCase(const char *s, const char *token) {
    for (; *token; ++s, ++token)
        if (std::tolower(static_cast<unsigned char>(*s)) != *token)
            return false;
    return true;
}

// One element of a date format mask.
struct FmtToken {
    enum Kind { Literal, Day2, DayName, Month2, MonthName, Year2, Year4 } kind;
    char literal = 0;
};

std::vector<FmtToken> tokenizeDateFormat(const char *fmt) {
    std::vector<FmtToken> out;
    for (const char *p = fmt; *p;) {
        if (startsWithNoCase(p, "yyyy")) {
            out.push_back({FmtToken::Year4});
            p += 4;
        } else if (startsWithNoCase(p, "yy")) {
            out.push_back({FmtToken::Year2});
            p += 2;
        } else if (startsWithNoCase(p, "mmm")) {
            out.push_back({FmtToken::MonthName});
            p += 3;
        } else if (startsWithNoCase(p, "mm")) {
            out.push_back({FmtToken::Month2});
            p += 2;
        } else if (startsWithNoCase(p, "ddd")) {
            out.push_back({FmtToken::DayName});
            p += 3;
        } else if (startsWithNoCase(p, "dd")) {
            out.push_back({FmtToken::Day2});
            p += 2;
        } else {
            out.push_back({FmtToken::Literal, *p});
            ++p;
        }
    }
    return out;
}

}  // namespace

extern "C" {

mint rleapyear(mint year) { return isLeapYear(year) ? 1 : 0; }

mint rmdyjul(int2 mdy[3], int4 *jdate) {
    if (mdy[2] < kMinYear || mdy[2] > kMaxYear)
        return err::BadYear;
    return storeDate(mdy[0], mdy[1], mdy[2], 4, jdate);
}

mint rjulmdy(int4 jdate, int2 mdy[3]) {
    if (!inRange(jdate))
        return err::BadDateValue;
    Ymd d = fromDayNumber(jdate);
    mdy[0] = static_cast<int2>(d.month);
    mdy[1] = static_cast<int2>(d.day);
    mdy[2] = static_cast<int2>(d.year);
    return 0;
}

mint rdayofweek(int4 jdate) {
    if (!inRange(jdate))
        return err::BadDateValue;
    // Day 0, 1899-12-31, was a Sunday.
    return static_cast<mint>(((jdate % 7) + 7) % 7);
}

void rtoday(int4 *today) {
    Ymd d = todayLocal();
    *today = static_cast<int4>(dayNumber(d.year, d.month, d.day));
}

mint rdatestr(int4 jdate, char *str) {
    if (!str)
        return err::BadDateValue;
    if (jdate == kNullInt4) {
        str[0] = '\0';
        return 0;
    }
    if (!inRange(jdate))
        return err::BadDateValue;
    Ymd d = fromDayNumber(jdate);
    DateFormat f = currentDateFormat();
    std::string out;
    for (int i = 0; i < 3; ++i) {
        if (i > 0 && f.separator)
            out.push_back(f.separator);
        switch (f.order[i]) {
        case 'M': out += twoDigits(d.month); break;
        case 'D': out += twoDigits(d.day); break;
        default: out += f.yearDigits == 2 ? twoDigits(d.year) : fourDigits(d.year); break;
        }
    }
    copyOut(out, str);
    return 0;
}

mint rstrdate(char *str, int4 *jdate) {
    std::string s = trimmed(str);
    if (s.empty()) {
        *jdate = kNullInt4;
        return 0;
    }
    DateFormat f = currentDateFormat();
    std::string fields[3];
    if (allDigits(s)) {
        // No separators: fixed widths in DBDATE order, year of 2 or 4 digits.
        size_t yearLen = s.size() == 8 ? 4 : (s.size() == 6 ? 2 : 0);
        if (yearLen == 0)
            return err::BadDateText;
        size_t pos = 0;
        for (int i = 0; i < 3; ++i) {
            size_t w = f.order[i] == 'Y' ? yearLen : 2;
            fields[i] = s.substr(pos, w);
            pos += w;
        }
    } else {
        int n = 0;
        std::string cur;
        for (size_t i = 0; i <= s.size(); ++i) {
            if (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
                cur.push_back(s[i]);
                continue;
            }
            if (i < s.size() && std::isalpha(static_cast<unsigned char>(s[i])))
                return err::BadDateText;
            if (cur.empty() || n == 3)
                return err::BadDateText;  // separators must stand between three numbers
            fields[n++] = cur;
            cur.clear();
        }
        if (n != 3)
            return err::BadDateText;
    }
    long month = 0, day = 0, year = 0;
    size_t yearDigits = 4;
    for (int i = 0; i < 3; ++i) {
        if (f.order[i] == 'M')
            month = numberOf(fields[i]);
        else if (f.order[i] == 'D')
            day = numberOf(fields[i]);
        else {
            year = numberOf(fields[i]);
            yearDigits = fields[i].size();
        }
    }
    return storeDate(month, day, year, yearDigits, jdate);
}

mint rfmtdate(int4 jdate, char *fmt, char *str) {
    if (!fmt || !str)
        return err::BadDateFormat;
    if (jdate == kNullInt4) {
        str[0] = '\0';
        return 0;
    }
    if (!inRange(jdate))
        return err::BadDateValue;
    Ymd d = fromDayNumber(jdate);
    std::string out;
    for (const FmtToken &t : tokenizeDateFormat(fmt)) {
        switch (t.kind) {
        case FmtToken::Literal: out.push_back(t.literal); break;
        case FmtToken::Day2: out += twoDigits(d.day); break;
        case FmtToken::DayName: out += kDayAbbrev[rdayofweek(jdate)]; break;
        case FmtToken::Month2: out += twoDigits(d.month); break;
        case FmtToken::MonthName: out += kMonthAbbrev[d.month - 1]; break;
        case FmtToken::Year2: out += twoDigits(d.year); break;
        case FmtToken::Year4: out += fourDigits(d.year); break;
        }
    }
    copyOut(out, str);
    return 0;
}

mint rdefmtdate(int4 *jdate, char *fmt, char *str) {
    if (!fmt || !jdate)
        return err::BadDateFormat;
    // The order of month, day and year comes from the format.
    std::vector<char> order;
    std::vector<size_t> widths;
    for (const FmtToken &t : tokenizeDateFormat(fmt)) {
        switch (t.kind) {
        case FmtToken::Day2: order.push_back('D'); widths.push_back(2); break;
        case FmtToken::Month2:
        case FmtToken::MonthName: order.push_back('M'); widths.push_back(2); break;
        case FmtToken::Year2: order.push_back('Y'); widths.push_back(2); break;
        case FmtToken::Year4: order.push_back('Y'); widths.push_back(4); break;
        default: break;
        }
    }
    std::string sorted(order.begin(), order.end());
    if (order.size() != 3 || sorted.find('M') == std::string::npos || sorted.find('D') == std::string::npos ||
        sorted.find('Y') == std::string::npos)
        return err::BadDateFormat;

    std::string s = trimmed(str);
    if (s.empty()) {
        *jdate = kNullInt4;
        return 0;
    }
    long month = -1, day = 0, year = 0;
    size_t yearDigits = 4;
    std::vector<std::string> numbers;
    if (allDigits(s)) {
        size_t total = widths[0] + widths[1] + widths[2];
        if (s.size() != total)
            return err::BadDateText;
        size_t pos = 0;
        for (size_t w : widths) {
            numbers.push_back(s.substr(pos, w));
            pos += w;
        }
    } else {
        for (size_t i = 0; i < s.size();) {
            unsigned char c = static_cast<unsigned char>(s[i]);
            if (std::isdigit(c)) {
                size_t j = i;
                while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j])))
                    ++j;
                numbers.push_back(s.substr(i, j - i));
                i = j;
            } else if (std::isalpha(c)) {
                size_t j = i;
                while (j < s.size() && std::isalpha(static_cast<unsigned char>(s[j])))
                    ++j;
                std::string word = s.substr(i, j - i);
                if (int m = monthFromName(word); m != 0 && month < 0)
                    month = m;
                else if (!isDayName(word))
                    return err::BadDateText;
                i = j;
            } else {
                ++i;
            }
        }
    }
    // Numbers fill the parts in format order, skipping a month given by name.
    size_t next = 0;
    for (char part : order) {
        if (part == 'M' && month >= 0)
            continue;
        if (next >= numbers.size())
            return err::BadDateText;
        const std::string &n = numbers[next++];
        if (part == 'M')
            month = numberOf(n);
        else if (part == 'D')
            day = numberOf(n);
        else {
            year = numberOf(n);
            yearDigits = n.size();
        }
    }
    if (next != numbers.size())
        return err::BadDateText;
    return storeDate(month, day, year, yearDigits, jdate);
}

}  // extern "C"
