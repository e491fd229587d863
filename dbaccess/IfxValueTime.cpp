// DATE, DATETIME and INTERVAL. Texts come from rdatestr/rfmtdate, dttoasc/
// dttofmtasc and intoasc/intofmtasc; calendar dates move through rjulmdy and
// rmdyjul, and a written DATETIME is extended to the column's qualifier with
// dtextend.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "dbaccess/IfxFormatMask.h"
#include "dbaccess/IfxValue.h"
#include "dbaccess/RawBytes.h"
#include "dbaccess/TextUtils.h"

namespace varnok {

namespace {

// Texts of dttoasc/intoasc fit in far less; the formatted routines get 127.
constexpr int kTextSize = 128;

int4 DayOfDateTime(const TIfxLibrary& lib, TDateTime v, int& hour, int& minute, int& second, int& msec) {
    int y, mo, d;
    DecodeDateTime(v, y, mo, d, hour, minute, second, msec);
    int2 mdy[3] = {static_cast<int2>(mo), static_cast<int2>(d), static_cast<int2>(y)};
    int4 day = 0;
    CheckResult(lib, lib.rmdyjul(mdy, &day));
    return day;
}

TDateTime DateTimeOfDay(const TIfxLibrary& lib, int4 day) {
    int2 mdy[3] = {};
    CheckResult(lib, lib.rjulmdy(day, mdy));
    return EncodeDateTime(mdy[2], mdy[0], mdy[1]);
}

}  // namespace

// ---- DATE ----

int4 TIfxDateValue::GetDate() const { return LoadRaw<int4>(Buffer()); }

std::string TIfxDateValue::GetString() const {
    char buf[kTextSize] = {};
    Check(lib_.rdatestr(GetDate(), buf));
    return buf;
}

std::string TIfxDateValue::GetFormatted(const std::string& format) const {
    std::string mask = format;
    std::vector<char> buf(MaskOutputSize(mask), '\0');
    Check(lib_.rfmtdate(GetDate(), mask.data(), buf.data()));
    return buf.data();
}

TDateTime TIfxDateValue::GetDateTime() const { return DateTimeOfDay(lib_, GetDate()); }

void TIfxDateValue::PutDate(int4 day) {
    std::memcpy(Buffer(), &day, sizeof day);
    MarkNotNull();
}

void TIfxDateValue::PutString(const std::string& text) {
    std::string t = TrimText(text);
    if (t.empty()) return SetNull();
    int4 day = 0;
    Check(lib_.rstrdate(t.data(), &day));
    PutDate(day);
}

void TIfxDateValue::PutDateTime(TDateTime v) {
    int h, mi, s, ms;
    PutDate(DayOfDateTime(lib_, v, h, mi, s, ms));
}

// ---- DATETIME ----

dtime_t TIfxDTimeValue::GetDTime() const { return LoadRaw<dtime_t>(Buffer()); }

std::string TIfxDTimeValue::GetString() const {
    dtime_t v = GetDTime();
    char buf[kTextSize] = {};
    Check(lib_.dttoasc(&v, buf));
    return buf;
}

std::string TIfxDTimeValue::GetFormatted(const std::string& format) const {
    dtime_t v = GetDTime();
    std::string mask = format;
    char buf[kTextSize] = {};
    Check(lib_.dttofmtasc(&v, buf, kTextSize - 1, mask.data()));
    return buf;
}

TDateTime TIfxDTimeValue::GetDateTime() const {
    // The library's text carries exactly the qualifier's fields, in order.
    const dtime_t v = GetDTime();
    const std::string text = GetString();
    int fields[7] = {1899, 12, 30, 0, 0, 0, 0};
    double fraction = 0;
    const int first = TU_FIELDNO(TU_START(v.dt_qual));
    const int last = std::min(5, TU_FIELDNO(TU_END(v.dt_qual)));
    const char* p = text.c_str();
    for (int f = first; f <= last && *p; ++f) {
        char* end = nullptr;
        fields[f] = static_cast<int>(std::strtol(p, &end, 10));
        p = *end ? end + 1 : end;
    }
    if (TU_END(v.dt_qual) > TU_SECOND) {
        const char* dot = std::strrchr(text.c_str(), '.');
        if (dot) fraction = std::atof(dot);
    }
    const bool hasDate = first <= 2;
    TDateTime result = hasDate ? EncodeDateTime(fields[0], fields[1], fields[2]) : 0.0;
    result += ((fields[3] * 60.0 + fields[4]) * 60.0 + fields[5] + fraction) / 86400.0;
    return result;
}

void TIfxDTimeValue::PutDTime(const dtime_t& v) {
    dtime_t in = v;
    dtime_t out{};
    out.dt_qual = static_cast<int2>(SqlLen());
    Check(lib_.dtextend(&in, &out));
    std::memcpy(Buffer(), &out, sizeof out);
    MarkNotNull();
}

void TIfxDTimeValue::PutString(const std::string& text) {
    std::string t = TrimText(text);
    if (t.empty()) return SetNull();
    dtime_t v{};
    v.dt_qual = static_cast<int2>(SqlLen());
    Check(lib_.dtcvasc(t.data(), &v));
    std::memcpy(Buffer(), &v, sizeof v);
    MarkNotNull();
}

void TIfxDTimeValue::PutDateTime(TDateTime v) {
    int y, mo, d, h, mi, s, ms;
    DecodeDateTime(v, y, mo, d, h, mi, s, ms);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", y, mo, d, h, mi, s, ms);
    dtime_t full{};
    full.dt_qual = static_cast<int2>(TU_DTENCODE(TU_YEAR, TU_F3));
    Check(lib_.dtcvasc(text, &full));
    PutDTime(full);
}

void TIfxDTimeValue::PutDate(int4 day) {
    int2 mdy[3] = {};
    Check(lib_.rjulmdy(day, mdy));
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", mdy[2], mdy[0], mdy[1]);
    dtime_t date{};
    date.dt_qual = static_cast<int2>(TU_DTENCODE(TU_YEAR, TU_DAY));
    Check(lib_.dtcvasc(text, &date));
    PutDTime(date);
}

// ---- INTERVAL ----

intrvl_t TIfxIntervalValue::GetInterval() const { return LoadRaw<intrvl_t>(Buffer()); }

std::string TIfxIntervalValue::GetString() const {
    intrvl_t v = GetInterval();
    char buf[kTextSize] = {};
    Check(lib_.intoasc(&v, buf));
    return buf;
}

std::string TIfxIntervalValue::GetFormatted(const std::string& format) const {
    intrvl_t v = GetInterval();
    std::string mask = format;
    char buf[kTextSize] = {};
    Check(lib_.intofmtasc(&v, buf, kTextSize - 1, mask.data()));
    return buf;
}

void TIfxIntervalValue::PutString(const std::string& text) {
    std::string t = TrimText(text);
    if (t.empty()) return SetNull();
    intrvl_t v{};
    v.in_qual = static_cast<int2>(SqlLen());
    Check(lib_.incvasc(t.data(), &v));
    std::memcpy(Buffer(), &v, sizeof v);
    MarkNotNull();
}

void TIfxIntervalValue::PutInterval(const intrvl_t& v) {
    intrvl_t in = v;
    intrvl_t out{};
    out.in_qual = static_cast<int2>(SqlLen());
    Check(lib_.invextend(&in, &out));
    std::memcpy(Buffer(), &out, sizeof out);
    MarkNotNull();
}

}  // namespace varnok
