// DATETIME and INTERVAL through %-format strings: dttofmtasc, dtcvfmtasc,
// intofmtasc, incvfmtasc.
//
// Directives: %Y year (4 digits), %y year (2), %m month, %d day, %e day
// (blank-padded), %H hour, %I hour (12), %p AM/PM, %M minute, %S second,
// %F or %F1..%F5 fraction, %b %h month abbreviation, %B month name,
// %a %A weekday, %D = %m/%d/%y, %T = %H:%M:%S, %R = %H:%M, %n %t %%; other
// characters are copied. A NULL or empty format uses DBTIME, else the ANSI
// text. For an INTERVAL the qualifier's first field is written with all its
// digits, the others with two.
// [UNVERIFIED] a DATETIME is first extended to YEAR TO FRACTION(5) so every
// directive has a value; fields the input text lacks are lowest (year: this
// year); the output must fit in buflen bytes with its NUL, else -1207.
#include "values/Calendar.h"
#include "values/DateTimeCore.h"
#include "values/DateTimeText.h"
#include "values/DecimalCodec.h"
#include "values/Env.h"
#include "values/ErrorCodes.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

using namespace ifxsim;

namespace {

const Qualifier &fullQualifier() {
    static const Qualifier q = [] {
        Qualifier full;
        decodeQualifier(TU_DTENCODE(TU_YEAR, TU_F5), false, full);
        return full;
    }();
    return q;
}

std::string effectiveFormat(const char *fmt) {
    if (fmt && *fmt)
        return fmt;
    return ifxsim_getenv("DBTIME");
}

std::string num(int64_t v, int width, char pad = '0') {
    std::string s = std::to_string(v < 0 ? -v : v);
    if (static_cast<int>(s.size()) < width)
        s.insert(0, static_cast<size_t>(width) - s.size(), pad);
    return s;
}

// Expands the composite directives so the scanners see single ones.
std::string expandComposites(const std::string &fmt) {
    std::string out;
    for (size_t i = 0; i < fmt.size(); ++i) {
        if (fmt[i] == '%' && i + 1 < fmt.size()) {
            char c = fmt[i + 1];
            if (c == 'D') { out += "%m/%d/%y"; ++i; continue; }
            if (c == 'T') { out += "%H:%M:%S"; ++i; continue; }
            if (c == 'R') { out += "%H:%M"; ++i; continue; }
        }
        out.push_back(fmt[i]);
    }
    return out;
}

// Digits of %F: "%F3" -> 3; plain "%F" -> the given default.
int fractionWidth(const std::string &fmt, size_t &i, int fallback) {
    if (i + 1 < fmt.size() && fmt[i + 1] >= '1' && fmt[i + 1] <= '5')
        return fmt[++i] - '0';
    return fallback;
}

std::string fractionText(int64_t frac, int width) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%05lld", static_cast<long long>(frac));
    return std::string(buf, static_cast<size_t>(width));
}

int deliver(const std::string &text, char *buf, mint buflen) {
    if (!buf || buflen <= 0 || text.size() + 1 > static_cast<size_t>(buflen))
        return err::DoesNotFit;
    std::memcpy(buf, text.c_str(), text.size() + 1);
    return 0;
}

bool matchWord(const std::string &s, size_t &pos, const char *const *words, int count, int &index) {
    for (int w = 0; w < count; ++w) {
        size_t len = std::strlen(words[w]);
        if (s.size() - pos < len)
            continue;
        bool ok = true;
        for (size_t k = 0; k < len && ok; ++k)
            ok = std::tolower(static_cast<unsigned char>(s[pos + k])) ==
                 std::tolower(static_cast<unsigned char>(words[w][k]));
        if (ok) {
            pos += len;
            index = w;
            return true;
        }
    }
    return false;
}

// Reads up to maxDigits digits; -1262 or -1263 when none are there.
int readNumber(const std::string &s, size_t &pos, size_t maxDigits, int64_t &out, size_t *count = nullptr) {
    size_t start = pos;
    while (pos < s.size() && pos - start < maxDigits && std::isdigit(static_cast<unsigned char>(s[pos])))
        ++pos;
    if (pos == start)
        return pos >= s.size() ? err::DtFieldRange : err::DtNonNumeric;
    out = std::stoll(s.substr(start, pos - start));
    if (count)
        *count = pos - start;
    return 0;
}

// Reads text by a format into fields; `seen` marks the fields given.
int scanByFormat(const std::string &input, const std::string &fmtIn, bool interval, const Qualifier &q,
                 TimeFields &t, bool seen[FieldCount], size_t &yearDigits) {
    std::string fmt = expandComposites(fmtIn);
    size_t pos = 0;
    int hour12 = -1;
    int pm = -1;
    while (pos < input.size() && std::isspace(static_cast<unsigned char>(input[pos])))
        ++pos;
    if (interval && pos < input.size() && input[pos] == '-') {
        t.negative = true;
        ++pos;
    }
    for (size_t i = 0; i < fmt.size(); ++i) {
        char c = fmt[i];
        if (std::isspace(static_cast<unsigned char>(c))) {
            while (pos < input.size() && std::isspace(static_cast<unsigned char>(input[pos])))
                ++pos;
            continue;
        }
        if (c != '%' || i + 1 >= fmt.size()) {
            if (pos >= input.size())
                return err::DtFieldRange;
            if (input[pos] != c)
                return err::DtNonNumeric;
            ++pos;
            continue;
        }
        char d = fmt[++i];
        int rc = 0;
        int64_t v = 0;
        auto firstWidth = [&](int field, size_t dflt) {
            // An interval's first field reads every digit; the precision check follows.
            return interval && q.start == field ? size_t{18} : dflt;
        };
        switch (d) {
        case 'Y':
            rc = readNumber(input, pos, firstWidth(FYear, 4), v, &yearDigits);
            t.f[FYear] = v, seen[FYear] = true;
            break;
        case 'y':
            rc = readNumber(input, pos, 2, v);
            t.f[FYear] = v, seen[FYear] = true, yearDigits = 2;
            break;
        case 'm':
            rc = readNumber(input, pos, firstWidth(FMonth, 2), v);
            t.f[FMonth] = v, seen[FMonth] = true;
            break;
        case 'd':
        case 'e':
            while (d == 'e' && pos < input.size() && input[pos] == ' ')
                ++pos;
            rc = readNumber(input, pos, firstWidth(FDay, 2), v);
            t.f[FDay] = v, seen[FDay] = true;
            break;
        case 'H':
            rc = readNumber(input, pos, firstWidth(FHour, 2), v);
            t.f[FHour] = v, seen[FHour] = true;
            break;
        case 'I':
            rc = readNumber(input, pos, 2, v);
            hour12 = static_cast<int>(v), seen[FHour] = true;
            break;
        case 'M':
            rc = readNumber(input, pos, firstWidth(FMinute, 2), v);
            t.f[FMinute] = v, seen[FMinute] = true;
            break;
        case 'S':
            rc = readNumber(input, pos, firstWidth(FSecond, 2), v);
            t.f[FSecond] = v, seen[FSecond] = true;
            break;
        case 'F': {
            int width = fractionWidth(fmt, i, 5);
            size_t n = 0;
            rc = readNumber(input, pos, static_cast<size_t>(width), v, &n);
            for (size_t k = n; k < 5; ++k)
                v *= 10;
            t.f[FFraction] = v, seen[FFraction] = true;
            break;
        }
        case 'b':
        case 'h':
        case 'B': {
            int m = 0;
            if (!matchWord(input, pos, kMonthNames, 12, m) && !matchWord(input, pos, kMonthAbbrev, 12, m))
                return err::DtNonNumeric;
            t.f[FMonth] = m + 1, seen[FMonth] = true;
            break;
        }
        case 'a':
        case 'A': {
            int w = 0;
            if (!matchWord(input, pos, kDayNames, 7, w) && !matchWord(input, pos, kDayAbbrev, 7, w))
                return err::DtNonNumeric;
            break;
        }
        case 'p': {
            static const char *const kAmPm[] = {"AM", "PM"};
            int w = 0;
            if (!matchWord(input, pos, kAmPm, 2, w))
                return err::DtNonNumeric;
            pm = w;
            break;
        }
        case 'n':
        case 't':
            while (pos < input.size() && std::isspace(static_cast<unsigned char>(input[pos])))
                ++pos;
            break;
        default:  // "%%" and unknown directives match themselves
            if (pos >= input.size() || input[pos] != d)
                return err::DtNonNumeric;
            ++pos;
            break;
        }
        if (rc != 0)
            return rc;
    }
    while (pos < input.size() && std::isspace(static_cast<unsigned char>(input[pos])))
        ++pos;
    if (pos != input.size())
        return err::DtExtraChars;
    if (hour12 >= 0) {
        if (hour12 < 1 || hour12 > 12)
            return err::DtFieldRange;
        t.f[FHour] = hour12 % 12 + (pm == 1 ? 12 : 0);
    } else if (pm == 1 && t.f[FHour] < 12) {
        t.f[FHour] += 12;
    }
    return 0;
}

}  // namespace

extern "C" {

mint dttofmtasc(dtime_t *d, char *buf, mint buflen, char *fmt) {
    std::string format = effectiveFormat(fmt);
    if (format.empty()) {
        std::string text;
        int rc = dtimeText(d, text);
        return rc != 0 ? rc : deliver(text, buf, buflen);
    }
    Qualifier q;
    if (!decodeQualifier(d->dt_qual, false, q))
        return err::DtBadQualifier;
    TimeFields t;
    if (!fieldsFromDec(d->dt_dec, q, false, t))
        return deliver("", buf, buflen);
    TimeFields full;
    int rc = extendFields(t, q, fullQualifier(), full);
    if (rc != 0)
        return rc;
    const int64_t *f = full.f;
    std::string fmtx = expandComposites(format), out;
    for (size_t i = 0; i < fmtx.size(); ++i) {
        if (fmtx[i] != '%' || i + 1 >= fmtx.size()) {
            out.push_back(fmtx[i]);
            continue;
        }
        char c = fmtx[++i];
        int64_t weekday = (dayNumber(static_cast<int>(f[FYear]), static_cast<int>(f[FMonth]), static_cast<int>(f[FDay])) % 7 + 7) % 7;
        switch (c) {
        case 'Y': out += num(f[FYear], 4); break;
        case 'y': out += num(f[FYear] % 100, 2); break;
        case 'm': out += num(f[FMonth], 2); break;
        case 'd': out += num(f[FDay], 2); break;
        case 'e': out += num(f[FDay], 2, ' '); break;
        case 'H': out += num(f[FHour], 2); break;
        case 'I': out += num(f[FHour] % 12 == 0 ? 12 : f[FHour] % 12, 2); break;
        case 'p': out += f[FHour] < 12 ? "AM" : "PM"; break;
        case 'M': out += num(f[FMinute], 2); break;
        case 'S': out += num(f[FSecond], 2); break;
        case 'F': out += fractionText(f[FFraction], fractionWidth(fmtx, i, q.fracDigits > 0 ? q.fracDigits : 3)); break;
        case 'b':
        case 'h': out += kMonthAbbrev[f[FMonth] - 1]; break;
        case 'B': out += kMonthNames[f[FMonth] - 1]; break;
        case 'a': out += kDayAbbrev[weekday]; break;
        case 'A': out += kDayNames[weekday]; break;
        case 'n': out.push_back('\n'); break;
        case 't': out.push_back('\t'); break;
        default: out.push_back(c); break;  // "%%" and unknown directives
        }
    }
    return deliver(out, buf, buflen);
}

mint dtcvfmtasc(char *input, char *fmt, dtime_t *d) {
    std::string format = effectiveFormat(fmt);
    if (format.empty())
        return dtcvasc(input, d);
    Qualifier q;
    if (!decodeQualifier(d->dt_qual, false, q))
        return err::DtBadQualifier;
    std::string text = input ? input : "";
    if (text.find_first_not_of(" \t") == std::string::npos) {
        decSetNull(&d->dt_dec);
        return 0;
    }
    TimeFields t;
    bool seen[FieldCount] = {};
    size_t yearDigits = 4;
    int rc = scanByFormat(text, format, false, q, t, seen, yearDigits);
    if (rc != 0)
        return rc;
    if (!seen[FYear])
        t.f[FYear] = todayLocal().year;
    else if (yearDigits <= 2)
        t.f[FYear] = expandYear(static_cast<int>(t.f[FYear]), static_cast<int>(t.f[FMonth]), static_cast<int>(t.f[FDay]));
    if (!seen[FMonth])
        t.f[FMonth] = 1;
    if (!seen[FDay])
        t.f[FDay] = 1;
    rc = checkDateTimeFields(t, fullQualifier());
    if (rc != 0)
        return rc;
    TimeFields cut;
    rc = extendFields(t, fullQualifier(), q, cut);
    if (rc != 0)
        return rc;
    return fieldsToDec(cut, q, false, d->dt_dec);
}

mint intofmtasc(intrvl_t *i, char *buf, mint buflen, char *fmt) {
    std::string format = effectiveFormat(fmt);
    if (format.empty()) {
        std::string text;
        int rc = intervalText(i, text);
        return rc != 0 ? rc : deliver(text, buf, buflen);
    }
    Qualifier q;
    if (!decodeQualifier(i->in_qual, true, q))
        return err::DtBadQualifier;
    TimeFields t;
    if (!fieldsFromDec(i->in_dec, q, true, t))
        return deliver("", buf, buflen);
    std::string fmtx = expandComposites(format), out;
    bool signWritten = !t.negative;
    auto field = [&](int f) {
        std::string s = f == q.start ? std::to_string(t.f[f]) : num(t.f[f], 2);
        if (!signWritten) {
            s.insert(0, "-");
            signWritten = true;
        }
        return s;
    };
    for (size_t k = 0; k < fmtx.size(); ++k) {
        if (fmtx[k] != '%' || k + 1 >= fmtx.size()) {
            out.push_back(fmtx[k]);
            continue;
        }
        char c = fmtx[++k];
        switch (c) {
        case 'Y': out += field(FYear); break;
        case 'm': out += field(FMonth); break;
        case 'd': out += field(FDay); break;
        case 'H': out += field(FHour); break;
        case 'M': out += field(FMinute); break;
        case 'S': out += field(FSecond); break;
        case 'F': out += fractionText(t.f[FFraction], fractionWidth(fmtx, k, q.fracDigits > 0 ? q.fracDigits : 3)); break;
        case 'n': out.push_back('\n'); break;
        case 't': out.push_back('\t'); break;
        default: out.push_back(c); break;
        }
    }
    return deliver(out, buf, buflen);
}

mint incvfmtasc(char *input, char *fmt, intrvl_t *i) {
    std::string format = effectiveFormat(fmt);
    if (format.empty())
        return incvasc(input, i);
    Qualifier q;
    if (!decodeQualifier(i->in_qual, true, q))
        return err::DtBadQualifier;
    std::string text = input ? input : "";
    if (text.find_first_not_of(" \t") == std::string::npos) {
        decSetNull(&i->in_dec);
        return 0;
    }
    TimeFields t;
    bool seen[FieldCount] = {};
    size_t yearDigits = 0;
    int rc = scanByFormat(text, format, true, q, t, seen, yearDigits);
    if (rc != 0)
        return rc;
    for (int f = 0; f < FieldCount; ++f)
        if (seen[f] && (f < q.start || f > q.end))
            return err::DtIncompatible;  // a field the qualifier does not have
    rc = checkIntervalFields(t, q);
    if (rc != 0)
        return rc;
    return fieldsToDec(t, q, true, i->in_dec);
}

}  // extern "C"
