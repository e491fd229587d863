#include "values/DateTimeCore.h"

#include "values/BigDec.h"
#include "values/Calendar.h"
#include "values/DecimalCodec.h"
#include "values/ErrorCodes.h"

#include <charconv>
#include <chrono>
#include <cstring>
#include <ctime>
#include <string>

namespace ifxsim {

namespace {

constexpr int64_t kSecond = kFracUnits;
constexpr int64_t kMinute = 60 * kSecond;
constexpr int64_t kHour = 60 * kMinute;
constexpr int64_t kDay = 24 * kHour;
// Units of each day-time field; the year/month ones do not apply.
constexpr int64_t kUnitOf[FieldCount] = {0, 0, kDay, kHour, kMinute, kSecond, 1};

int64_t pow10(int n) {
    int64_t v = 1;
    while (n-- > 0)
        v *= 10;
    return v;
}

int digitCount(__int128 v) {
    if (v < 0)
        v = -v;
    int n = 1;
    while (v >= 10) {
        v /= 10;
        ++n;
    }
    return n;
}

}  // namespace

int fieldOfUnit(int unit) {
    if (unit > TU_SECOND)
        return FFraction;
    return unit / 2;
}

bool decodeQualifier(int qual, bool interval, Qualifier &q) {
    int s = TU_START(qual), e = TU_END(qual), len = TU_LEN(qual);
    auto validUnit = [](int u) { return (u <= TU_SECOND && u % 2 == 0) || (u >= TU_F1 && u <= TU_F5); };
    if (!validUnit(s) || !validUnit(e) || s > e)
        return false;
    // A fraction may start a qualifier only as FRACTION(n) TO FRACTION(m).
    if (s > TU_SECOND && s != TU_FRAC && s != TU_F1)
        return false;
    q.startUnit = s;
    q.endUnit = e;
    q.start = fieldOfUnit(s);
    q.end = fieldOfUnit(e);
    q.fracDigits = e > TU_SECOND ? e - TU_SECOND : 0;
    if (interval) {
        q.firstDigits = TU_FLEN(qual);
        if (q.start == FFraction)
            q.firstDigits = q.fracDigits;
        if (q.firstDigits < 1 || q.firstDigits > 9)
            return false;
        // YEAR/MONTH intervals and DAY..FRACTION intervals do not mix.
        if (q.start <= FMonth && q.end > FMonth)
            return false;
    } else {
        q.firstDigits = q.start == FYear ? 4 : 2;
        if (len != e - s + (s == TU_YEAR ? 4 : 2))
            return false;
    }
    return true;
}

bool fieldsFromDec(const dec_t &dec, const Qualifier &q, bool interval, TimeFields &out) {
    // Read straight from the base-100 digits: the point sits after
    // 2 * dec_exp decimal digits; digits beyond either end are zeros.
    if (dec.dec_pos == DECPOSNULL || dec.dec_ndgts < 0 || dec.dec_ndgts > DECSIZE)
        return false;
    bool nonZero = false;
    for (int i = 0; i < dec.dec_ndgts; ++i) {
        const int pair = static_cast<unsigned char>(dec.dec_dgts[i]);
        if (pair > 99)
            return false;
        nonZero = nonZero || pair != 0;
    }
    const int count = 2 * dec.dec_ndgts;
    const int point = 2 * dec.dec_exp;
    auto digitAt = [&](int index) -> int64_t {
        if (index < 0 || index >= count)
            return 0;
        const int pair = static_cast<unsigned char>(dec.dec_dgts[index / 2]);
        return index % 2 == 0 ? pair / 10 : pair % 10;
    };
    // The digit worth 10^place (place < 0: right of the point).
    auto digitOfPlace = [&](int place) { return digitAt(point - 1 - place); };
    out = TimeFields{};
    out.negative = interval && dec.dec_pos == 0 && nonZero;
    if (q.end == FFraction) {
        int64_t frac = 0;
        for (int place = -1; place >= -5; --place)  // five places, cut
            frac = frac * 10 + digitOfPlace(place);
        out.f[FFraction] = frac;
    }
    int lastWhole = q.end == FFraction ? FSecond : q.end;
    // Split the whole part from the right: two digits per field, the first
    // field takes the rest (its last 18 digits).
    for (int i = lastWhole; i >= q.start && i <= FSecond; --i) {
        const int low = 2 * (lastWhole - i);
        if (i == q.start) {
            int64_t v = 0;
            for (int place = low + 17; place >= low; --place)
                v = v * 10 + digitOfPlace(place);
            out.f[i] = v;
        } else {
            out.f[i] = digitOfPlace(low + 1) * 10 + digitOfPlace(low);
        }
    }
    return true;
}

namespace {

// The digits fieldsToDec writes, in a fixed buffer: false when a field is
// negative or too wide for it (the formatted way handles those).
bool fieldDigits(const TimeFields &t, const Qualifier &q, bool interval, char *buf, size_t size, size_t &len) {
    len = 0;
    if (interval && t.negative)
        buf[len++] = '-';
    auto put = [&](int64_t v, int width) {
        if (v < 0)
            return false;
        char digits[24];
        auto [end, ec] = std::to_chars(digits, digits + sizeof digits, v);
        const size_t n = static_cast<size_t>(end - digits);
        const size_t pad = n < static_cast<size_t>(width) ? static_cast<size_t>(width) - n : 0;
        if (len + pad + n + 1 > size)
            return false;
        for (size_t k = 0; k < pad; ++k)
            buf[len++] = '0';
        std::memcpy(buf + len, digits, n);
        len += n;
        return true;
    };
    bool any = false;
    for (int i = q.start; i <= q.end && i <= FSecond; ++i) {
        if (!put(t.f[i], i == q.start ? 1 : 2))
            return false;
        any = true;
    }
    if (!any)
        buf[len++] = '0';
    if (q.end == FFraction) {
        int64_t kept = t.f[FFraction] / pow10(5 - q.fracDigits) * pow10(5 - q.fracDigits);
        buf[len++] = '.';
        if (!put(kept, 5))
            return false;
    }
    return true;
}

}  // namespace

int fieldsToDec(const TimeFields &t, const Qualifier &q, bool interval, dec_t &out) {
    char fast[96];
    size_t fastLen = 0;
    if (fieldDigits(t, q, interval, fast, sizeof fast, fastLen) && plainTextToDec(std::string_view(fast, fastLen), &out))
        return 0;
    std::string whole;
    char buf[40];
    for (int i = q.start; i <= q.end && i <= FSecond; ++i) {
        if (i == q.start)
            std::snprintf(buf, sizeof buf, "%lld", static_cast<long long>(t.f[i]));
        else
            std::snprintf(buf, sizeof buf, "%02lld", static_cast<long long>(t.f[i]));
        whole += buf;
    }
    if (whole.empty())
        whole.push_back('0');
    std::string text = (interval && t.negative ? "-" : "") + whole;
    if (q.end == FFraction) {
        int64_t kept = t.f[FFraction] / pow10(5 - q.fracDigits) * pow10(5 - q.fracDigits);
        std::snprintf(buf, sizeof buf, ".%05lld", static_cast<long long>(kept));
        text += buf;
    }
    std::optional<BigDec> value;
    int rc = parseNumber(text, value);
    if (rc != 0 || !value)
        return err::DtOverflow;
    return bigToDec(*value, &out) == 0 ? 0 : err::DtOverflow;
}

TimeFields currentFields() {
    auto now = std::chrono::system_clock::now();
    std::time_t secs = std::chrono::system_clock::to_time_t(now);
    auto micros = std::chrono::duration_cast<std::chrono::microseconds>(now.time_since_epoch()).count() % 1000000;
    std::tm local{};
    localtime_r(&secs, &local);
    TimeFields t;
    t.f[FYear] = local.tm_year + 1900;
    t.f[FMonth] = local.tm_mon + 1;
    t.f[FDay] = local.tm_mday;
    t.f[FHour] = local.tm_hour;
    t.f[FMinute] = local.tm_min;
    t.f[FSecond] = local.tm_sec;
    t.f[FFraction] = micros / 10;
    return t;
}

int checkDateTimeFields(const TimeFields &t, const Qualifier &q) {
    auto in = [&](int f) { return f >= q.start && f <= q.end; };
    if (in(FYear) && (t.f[FYear] < kMinYear || t.f[FYear] > kMaxYear))
        return err::DtFieldRange;
    if (in(FMonth) && (t.f[FMonth] < 1 || t.f[FMonth] > 12))
        return err::DtFieldRange;
    if (in(FDay)) {
        // Without a year, February may have 29 days; without a month, any 31.
        int year = in(FYear) ? static_cast<int>(t.f[FYear]) : 2000;
        int days = in(FMonth) ? daysInMonth(year, static_cast<int>(t.f[FMonth])) : 31;
        if (t.f[FDay] < 1 || t.f[FDay] > days)
            return err::DtFieldRange;
    }
    if (in(FHour) && (t.f[FHour] < 0 || t.f[FHour] > 23))
        return err::DtFieldRange;
    if (in(FMinute) && (t.f[FMinute] < 0 || t.f[FMinute] > 59))
        return err::DtFieldRange;
    if (in(FSecond) && (t.f[FSecond] < 0 || t.f[FSecond] > 59))
        return err::DtFieldRange;
    if (in(FFraction) && (t.f[FFraction] < 0 || t.f[FFraction] >= kFracUnits))
        return err::DtFieldRange;
    return 0;
}

int checkIntervalFields(const TimeFields &t, const Qualifier &q) {
    static const int64_t kLimit[FieldCount] = {0, 12, 0, 24, 60, 60, kFracUnits};
    for (int i = q.start; i <= q.end; ++i) {
        if (t.f[i] < 0)
            return err::DtFieldRange;
        if (i == q.start) {
            if (i != FFraction && digitCount(t.f[i]) > q.firstDigits)
                return err::DtTooManyDigits;
        } else if (t.f[i] >= kLimit[i]) {
            return err::DtFieldRange;
        }
    }
    return 0;
}

int extendFields(const TimeFields &in, const Qualifier &from, const Qualifier &to, TimeFields &out) {
    TimeFields now;
    bool haveNow = false;
    out = TimeFields{};
    for (int i = to.start; i <= to.end; ++i) {
        if (i >= from.start && i <= from.end) {
            out.f[i] = in.f[i];
        } else if (i < from.start) {
            if (!haveNow) {
                now = currentFields();
                haveNow = true;
            }
            out.f[i] = now.f[i];
        } else {
            out.f[i] = (i == FMonth || i == FDay) ? 1 : 0;
        }
    }
    if (to.end == FFraction) {
        int64_t unit = pow10(5 - to.fracDigits);
        out.f[FFraction] = out.f[FFraction] / unit * unit;
    }
    return checkDateTimeFields(out, to);
}

bool isYearMonthClass(const Qualifier &q) { return q.start <= FMonth; }

__int128 intervalTotal(const TimeFields &t, const Qualifier &q) {
    __int128 total = 0;
    if (isYearMonthClass(q)) {
        total = static_cast<__int128>(t.f[FYear]) * 12 + t.f[FMonth];
    } else {
        for (int i = FDay; i <= FFraction; ++i)
            total += static_cast<__int128>(t.f[i]) * kUnitOf[i];
    }
    return t.negative ? -total : total;
}

int intervalFromTotal(__int128 total, const Qualifier &q, TimeFields &out) {
    out = TimeFields{};
    out.negative = total < 0;
    __int128 mag = total < 0 ? -total : total;
    if (isYearMonthClass(q)) {
        if (q.start == FYear) {
            out.f[FYear] = static_cast<int64_t>(mag / 12);
            if (q.end == FMonth)
                out.f[FMonth] = static_cast<int64_t>(mag % 12);
        } else {
            out.f[FMonth] = static_cast<int64_t>(mag);
        }
    } else {
        int64_t unit = kUnitOf[q.start];
        __int128 first = mag / unit;
        if (digitCount(first) > 18)
            return err::DtOverflow;
        out.f[q.start] = static_cast<int64_t>(first);
        __int128 rest = mag % unit;
        for (int i = q.start + 1; i <= q.end; ++i) {
            out.f[i] = static_cast<int64_t>(rest / kUnitOf[i]);
            rest %= kUnitOf[i];
        }
        if (q.end == FFraction) {
            int64_t cut = pow10(5 - q.fracDigits);
            out.f[FFraction] = out.f[FFraction] / cut * cut;
        }
    }
    if (q.start != FFraction && digitCount(out.f[q.start]) > q.firstDigits)
        return err::DtOverflow;
    if (out.negative) {
        bool allZero = true;
        for (int64_t v : out.f)
            allZero = allZero && v == 0;
        if (allZero)
            out.negative = false;
    }
    return 0;
}

__int128 absoluteTime(const TimeFields &t) {
    __int128 days = dayNumber(static_cast<int>(t.f[FYear]), static_cast<int>(t.f[FMonth]), static_cast<int>(t.f[FDay])) -
                    dayNumber(1, 1, 1);
    return days * kDay + t.f[FHour] * kHour + t.f[FMinute] * kMinute + t.f[FSecond] * kSecond + t.f[FFraction];
}

bool fromAbsoluteTime(__int128 units, TimeFields &out) {
    if (units < 0)
        return false;
    int64_t days = static_cast<int64_t>(units / kDay);
    int64_t rest = static_cast<int64_t>(units % kDay);
    Ymd d = fromDayNumber(days + dayNumber(1, 1, 1));
    if (d.year < kMinYear || d.year > kMaxYear)
        return false;
    out = TimeFields{};
    out.f[FYear] = d.year;
    out.f[FMonth] = d.month;
    out.f[FDay] = d.day;
    out.f[FHour] = rest / kHour;
    out.f[FMinute] = rest % kHour / kMinute;
    out.f[FSecond] = rest % kMinute / kSecond;
    out.f[FFraction] = rest % kSecond;
    return true;
}

}  // namespace ifxsim
