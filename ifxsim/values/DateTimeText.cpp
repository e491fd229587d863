// DATETIME and INTERVAL in their ANSI text form: dtcvasc/dttoasc,
// incvasc/intoasc, plus dtextend and dtcurrent.
//
// Text: "YYYY-MM-DD hh:mm:ss.fffff" cut to the qualifier; an INTERVAL is
// "Y-MM" or "D hh:mm:ss.fffff" with a leading '-' when negative.
// [UNVERIFIED] intoasc right-aligns the first field in its precision with
// blanks ("  5 10:11:12" for DAY(3) TO SECOND); dtcvasc takes a year of one or
// two digits through DBCENTURY; more than five fraction digits are -1263;
// empty or blank text gives NULL, and a NULL prints as an empty string.
#include "values/DateTimeText.h"

#include "values/Calendar.h"
#include "values/DateTimeCore.h"
#include "values/DecimalCodec.h"
#include "values/ErrorCodes.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

using namespace ifxsim;

namespace {

// The character that stands before each field in ANSI text.
constexpr char kSeparatorBefore[FieldCount] = {0, '-', '-', ' ', ':', ':', '.'};

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Reads the fields of q from text. Returns 0 or an error; leaves blank text
// as isNull.
int parseAnsi(const char *str, const Qualifier &q, bool interval, TimeFields &out, bool &isNull) {
    out = TimeFields{};
    isNull = false;
    std::string_view s = str ? std::string_view(str) : std::string_view();
    size_t b = 0;
    while (b < s.size() && isBlank(s[b]))
        ++b;
    size_t e = s.size();
    while (e > b && (isBlank(s[e - 1]) || s[e - 1] == '\n' || s[e - 1] == '\r'))
        --e;
    if (b == e) {
        isNull = true;
        return 0;
    }
    s = s.substr(b, e - b);
    size_t pos = 0;
    if (interval && (s[0] == '-' || s[0] == '+')) {
        out.negative = s[0] == '-';
        pos = 1;
    }
    size_t yearDigits = 4;
    for (int f = q.start; f <= q.end; ++f) {
        if (f != q.start) {
            if (pos >= s.size())
                return err::DtFieldRange;  // field missing
            char sep = kSeparatorBefore[f];
            if (sep == ' ') {
                if (!isBlank(s[pos]))
                    return std::isdigit(static_cast<unsigned char>(s[pos])) ? err::DtFieldRange : err::DtNonNumeric;
                while (pos < s.size() && isBlank(s[pos]))
                    ++pos;
            } else if (s[pos] == sep) {
                ++pos;
            } else {
                return std::isdigit(static_cast<unsigned char>(s[pos])) ? err::DtFieldRange : err::DtNonNumeric;
            }
        }
        size_t start = pos;
        while (pos < s.size() && std::isdigit(static_cast<unsigned char>(s[pos])))
            ++pos;
        size_t n = pos - start;
        if (n == 0)
            return pos >= s.size() ? err::DtFieldRange : err::DtNonNumeric;
        // At most nine digits get here: no overflow.
        auto value = [&](size_t width) {
            int64_t v = 0;
            for (size_t k = 0; k < width; ++k)
                v = v * 10 + (k < n ? s[start + k] - '0' : 0);
            return v;
        };
        if (f == FFraction) {
            if (n > 5)
                return err::DtFieldRange;
            out.f[f] = value(5);
            continue;
        }
        size_t maxDigits = f == q.start ? static_cast<size_t>(q.firstDigits) : 2;
        if (n > maxDigits)
            return f == q.start ? err::DtTooManyDigits : err::DtFieldRange;
        out.f[f] = value(n);
        if (f == FYear)
            yearDigits = n;
    }
    if (pos != s.size())
        return err::DtExtraChars;
    if (!interval && q.start == FYear && yearDigits <= 2) {
        int month = q.end >= FMonth ? static_cast<int>(out.f[FMonth]) : 1;
        int day = q.end >= FDay ? static_cast<int>(out.f[FDay]) : 1;
        out.f[FYear] = expandYear(static_cast<int>(out.f[FYear]), month, day);
    }
    return interval ? checkIntervalFields(out, q) : checkDateTimeFields(out, q);
}

// printf's "%0<width>lld" for a value that is not negative.
void appendPadded(std::string &out, int64_t v, size_t width) {
    char digits[24];
    size_t n = 0;
    do {
        digits[n++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v > 0);
    if (n < width)
        out.append(width - n, '0');
    while (n > 0)
        out.push_back(digits[--n]);
}

std::string formatAnsi(const TimeFields &t, const Qualifier &q, bool interval) {
    std::string out;
    char buf[32];
    if (!interval) {
        bool plain = true;
        for (int f = q.start; f <= q.end; ++f)
            plain = plain && t.f[f] >= 0;
        if (plain) {
            out.reserve(32);
            for (int f = q.start; f <= q.end; ++f) {
                if (f != q.start && kSeparatorBefore[f])
                    out.push_back(kSeparatorBefore[f]);
                if (f == FFraction) {
                    std::string frac;
                    appendPadded(frac, t.f[f], 5);
                    out.append(frac, 0, static_cast<size_t>(q.fracDigits));
                } else {
                    appendPadded(out, t.f[f], f == FYear ? 4 : 2);
                }
            }
            return out;
        }
    }
    for (int f = q.start; f <= q.end; ++f) {
        if (f != q.start && kSeparatorBefore[f])
            out.push_back(kSeparatorBefore[f]);
        if (f == FFraction) {
            std::snprintf(buf, sizeof buf, "%05lld", static_cast<long long>(t.f[f]));
            out.append(buf, static_cast<size_t>(q.fracDigits));
        } else if (f == q.start && interval) {
            std::snprintf(buf, sizeof buf, "%s%lld", t.negative ? "-" : "", static_cast<long long>(t.f[f]));
            std::string first = buf;
            size_t width = static_cast<size_t>(q.firstDigits);
            if (first.size() < width)
                first.insert(0, width - first.size(), ' ');
            out += first;
        } else {
            std::snprintf(buf, sizeof buf, f == FYear ? "%04lld" : "%02lld", static_cast<long long>(t.f[f]));
            out += buf;
        }
    }
    return out;
}

// The text dttoasc writes for q ("YYYY-MM-DD hh:mm:ss.fffff" cut to it, every
// field at its full width, no blanks around), read straight into the digits:
// they are the text's digits without the separators. False for any other
// text, left to the general reader, and for values out of range (the general
// reader reports them).
bool readCanonical(const char *str, const Qualifier &q, dec_t &out) {
    if (!str || q.start == FFraction)
        return false;
    char digits[32];
    size_t n = 0;
    TimeFields t;
    const char *p = str;
    for (int f = q.start; f <= q.end; ++f) {
        if (f != q.start) {
            if (*p != kSeparatorBefore[f])
                return false;
            ++p;
        }
        const int width = f == FFraction ? q.fracDigits : (f == FYear ? 4 : 2);
        if (f == FFraction)
            digits[n++] = '.';
        int64_t v = 0;
        for (int k = 0; k < width; ++k, ++p) {
            if (*p < '0' || *p > '9')
                return false;
            v = v * 10 + (*p - '0');
            digits[n++] = *p;
        }
        if (f == FFraction)
            for (int k = width; k < 5; ++k)
                v *= 10;
        t.f[f] = v;
    }
    if (*p != '\0' || checkDateTimeFields(t, q) != 0)
        return false;
    // Every field before the point has two digits (a year four): the digits
    // pair up as they stand. Zero pairs at either end are dropped, as the
    // number's own form has them.
    size_t len = n;
    if (q.end == FFraction) {
        const size_t point = n - 1 - static_cast<size_t>(q.fracDigits);
        std::memmove(digits + point, digits + point + 1, static_cast<size_t>(q.fracDigits));
        len = n - 1;
        if (q.fracDigits & 1)
            digits[len++] = '0';
    }
    const int intPairs = static_cast<int>((n - (q.end == FFraction ? 1 + q.fracDigits : 0)) / 2);
    int first = 0, last = static_cast<int>(len / 2);
    auto pairAt = [&](int k) { return (digits[2 * k] - '0') * 10 + (digits[2 * k + 1] - '0'); };
    while (first < last && pairAt(first) == 0)
        ++first;
    while (last > first && pairAt(last - 1) == 0)
        --last;
    dec_t result;
    std::memset(&result, 0, sizeof result);
    result.dec_pos = 1;
    if (first < last) {
        result.dec_exp = static_cast<int2>(intPairs - first);
        result.dec_ndgts = static_cast<int2>(last - first);
        for (int k = first; k < last; ++k)
            result.dec_dgts[k - first] = static_cast<char>(pairAt(k));
    }
    out = result;
    return true;
}

}  // namespace

namespace ifxsim {

// Shared with the formatting routines: the text of a value or "" for NULL.
int dtimeText(const dtime_t *d, std::string &out) {
    Qualifier q;
    if (!decodeQualifier(d->dt_qual, false, q))
        return err::DtBadQualifier;
    TimeFields t;
    if (!fieldsFromDec(d->dt_dec, q, false, t)) {
        out.clear();
        return 0;
    }
    out = formatAnsi(t, q, false);
    return 0;
}

int intervalText(const intrvl_t *i, std::string &out) {
    Qualifier q;
    if (!decodeQualifier(i->in_qual, true, q))
        return err::DtBadQualifier;
    TimeFields t;
    if (!fieldsFromDec(i->in_dec, q, true, t)) {
        out.clear();
        return 0;
    }
    out = formatAnsi(t, q, true);
    return 0;
}

}  // namespace ifxsim

extern "C" {

mint dtcvasc(char *str, dtime_t *d) {
    Qualifier q;
    if (!decodeQualifier(d->dt_qual, false, q))
        return err::DtBadQualifier;
    if (readCanonical(str, q, d->dt_dec))
        return 0;
    TimeFields t;
    bool isNull = false;
    int rc = parseAnsi(str, q, false, t, isNull);
    if (rc != 0)
        return rc;
    if (isNull) {
        decSetNull(&d->dt_dec);
        return 0;
    }
    return fieldsToDec(t, q, false, d->dt_dec);
}

mint dttoasc(dtime_t *d, char *str) {
    if (!d || !str)
        return err::DtBadConversion;
    std::string text;
    int rc = dtimeText(d, text);
    if (rc != 0)
        return rc;
    std::memcpy(str, text.c_str(), text.size() + 1);
    return 0;
}

mint incvasc(char *str, intrvl_t *i) {
    Qualifier q;
    if (!decodeQualifier(i->in_qual, true, q))
        return err::DtBadQualifier;
    TimeFields t;
    bool isNull = false;
    int rc = parseAnsi(str, q, true, t, isNull);
    if (rc != 0)
        return rc;
    if (isNull) {
        decSetNull(&i->in_dec);
        return 0;
    }
    return fieldsToDec(t, q, true, i->in_dec);
}

mint intoasc(intrvl_t *i, char *str) {
    if (!i || !str)
        return err::DtBadConversion;
    std::string text;
    int rc = intervalText(i, text);
    if (rc != 0)
        return rc;
    std::memcpy(str, text.c_str(), text.size() + 1);
    return 0;
}

mint dtextend(dtime_t *in, dtime_t *out) {
    Qualifier from, to;
    if (!decodeQualifier(in->dt_qual, false, from) || !decodeQualifier(out->dt_qual, false, to))
        return err::DtBadQualifier;
    TimeFields t;
    if (!fieldsFromDec(in->dt_dec, from, false, t)) {
        decSetNull(&out->dt_dec);
        return 0;
    }
    TimeFields extended;
    int rc = extendFields(t, from, to, extended);
    if (rc != 0)
        return rc;
    dec_t result;
    rc = fieldsToDec(extended, to, false, result);
    if (rc == 0)
        out->dt_dec = result;
    return rc;
}

void dtcurrent(dtime_t *d) {
    Qualifier q;
    if (!decodeQualifier(d->dt_qual, false, q)) {
        d->dt_qual = TU_CURRQUAL;
        decodeQualifier(d->dt_qual, false, q);
    }
    TimeFields now = currentFields();
    if (q.end == FFraction) {
        int64_t unit = 1;
        for (int k = q.fracDigits; k < 5; ++k)
            unit *= 10;
        now.f[FFraction] = now.f[FFraction] / unit * unit;
    }
    fieldsToDec(now, q, false, d->dt_dec);
}

}  // extern "C"
