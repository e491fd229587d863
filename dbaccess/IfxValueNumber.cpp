// SMALLINT, INTEGER, SERIAL, FLOAT, SMALLFLOAT, DECIMAL, MONEY, INT8 and SERIAL8.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <mutex>
#include <vector>

#include "dbaccess/IfxFormatMask.h"
#include "dbaccess/IfxValue.h"
#include "dbaccess/RawBytes.h"
#include "dbaccess/TextUtils.h"

namespace varnok {

namespace {

// The text of a library routine that pads with blanks and need not end with NUL.
std::string Padded(const char* buf, std::size_t len) {
    std::string s(buf, strnlen(buf, len));
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

// The client library's decimal separator: found once by formatting a sample.
char LibraryDecimalSeparator(const TIfxLibrary& lib) {
    static std::once_flag once;
    static char separator = '.';
    std::call_once(once, [&] {
        char out[64] = {};
        char mask[] = "#.#";
        if (lib.rfmtdouble(1.5, mask, out) >= 0) {
            const char* one = std::strchr(out, '1');
            if (one && one[1] && one[1] != '5') separator = one[1];
        }
    });
    return separator;
}

dec_t DecimalOfText(const TIfxLibrary& lib, const std::string& text) {
    std::string copy = text;
    dec_t d{};
    CheckResult(lib, lib.deccvasc(copy.data(), static_cast<mint>(copy.size()), &d));
    return d;
}

std::string TextOfInt8(const TIfxLibrary& lib, ifx_int8_t v) {
    char buf[32] = {};
    CheckResult(lib, lib.ifx_int8toasc(&v, buf, 21));
    return Padded(buf, 21);
}

// A number through a library mask routine; the text keeps the minus of a
// negative value (see KeepNegativeSign).
template <typename TFormat>
std::string MaskText(const TIfxLibrary& lib, const std::string& format, bool negative, TFormat routine) {
    std::string mask = format;
    std::vector<char> out(MaskOutputSize(mask), '\0');
    CheckResult(lib, routine(mask.data(), out.data()));
    return KeepNegativeSign(out.data(), negative, format);
}

bool IsNegative(const dec_t& d) { return d.dec_pos == 0 && d.dec_ndgts > 0; }

std::int64_t ParseWhole(const std::string& text) {
    return std::stoll(text);   // the library wrote it: digits with an optional minus
}

}  // namespace

// ---- SMALLINT, INTEGER, SERIAL ----

std::int64_t TIfxIntegerValue::GetLargeInt() const {
    return Small() ? LoadRaw<int2>(Buffer()) : LoadRaw<int4>(Buffer());
}

std::string TIfxIntegerValue::GetFormatted(const std::string& format) const {
    const std::int64_t v = GetLargeInt();
    return MaskText(lib_, format, v < 0,
                    [&](char* mask, char* out) { return lib_.rfmtlong(static_cast<int4>(v), mask, out); });
}

dec_t TIfxIntegerValue::GetDecimal() const {
    dec_t d{};
    Check(lib_.deccvlong(static_cast<int4>(GetLargeInt()), &d));
    return d;
}

ifx_int8_t TIfxIntegerValue::GetInt8() const {
    ifx_int8_t v{};
    Check(lib_.ifx_int8cvlong(static_cast<int4>(GetLargeInt()), &v));
    return v;
}

void TIfxIntegerValue::PutLargeInt(std::int64_t v) {
    const std::int64_t lo = Small() ? std::numeric_limits<std::int16_t>::min() + 1 : std::numeric_limits<std::int32_t>::min() + 1;
    const std::int64_t hi = Small() ? std::numeric_limits<std::int16_t>::max() : std::numeric_limits<std::int32_t>::max();
    // The lowest value of each width is the library's null marker: it is not a value.
    if (v < lo || v > hi) WriteError(Small() ? "SmallInt" : "Integer");
    if (Small())
        StoreRaw<int2>(Buffer(), static_cast<int2>(v));
    else
        StoreRaw<int4>(Buffer(), static_cast<int4>(v));
    MarkNotNull();
}

void TIfxIntegerValue::PutString(const std::string& text) {
    std::string t = TrimText(text);
    if (t.empty()) return SetNull();
    if (Small()) {
        mint v = 0;
        Check(lib_.rstoi(t.data(), &v));
        PutLargeInt(v);
    } else {
        mlong v = 0;
        Check(lib_.rstol(t.data(), &v));
        PutLargeInt(v);
    }
}

void TIfxIntegerValue::PutFloat(double v) {
    if (!std::isfinite(v)) WriteError(Small() ? "SmallInt" : "Integer");
    PutLargeInt(std::llround(v));
}

void TIfxIntegerValue::PutDecimal(const dec_t& v) {
    dec_t copy = v;
    int4 n = 0;
    Check(lib_.dectolong(&copy, &n));
    PutLargeInt(n);
}

void TIfxIntegerValue::PutInt8(const ifx_int8_t& v) {
    ifx_int8_t copy = v;
    int4 n = 0;
    Check(lib_.ifx_int8tolong(&copy, &n));
    PutLargeInt(n);
}

// ---- FLOAT, SMALLFLOAT ----

double TIfxFloatValue::GetFloat() const { return Small() ? LoadRaw<float>(Buffer()) : LoadRaw<double>(Buffer()); }

std::string TIfxFloatValue::GetString() const {
    double v = GetFloat();
    char buf[64];
    if (Small()) {
        // A SMALLFLOAT shows the digits that make it, 1.1, not the
        // 1.10000002384186 its widening to a double would spell.
        const auto shortest = std::to_chars(buf, buf + sizeof buf, LoadRaw<float>(Buffer()));
        std::from_chars(buf, shortest.ptr, v);
    }
    // General form, up to 15 significant digits, written the same whatever
    // the process locale; the separator is then the library's.
    const auto end = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 15);
    std::string text(buf, end.ptr);
    const char sep = LibraryDecimalSeparator(lib_);
    if (sep != '.')
        for (char& c : text)
            if (c == '.') c = sep;
    return text;
}

std::string TIfxFloatValue::GetFormatted(const std::string& format) const {
    const double v = GetFloat();
    return MaskText(lib_, format, v < 0, [&](char* mask, char* out) { return lib_.rfmtdouble(v, mask, out); });
}

std::int64_t TIfxFloatValue::GetLargeInt() const {
    const double v = GetFloat();
    if (!std::isfinite(v) || std::fabs(v) >= 9.2e18) NoConversion();
    return static_cast<std::int64_t>(v);
}

dec_t TIfxFloatValue::GetDecimal() const {
    dec_t d{};
    Check(lib_.deccvdbl(GetFloat(), &d));
    return d;
}

void TIfxFloatValue::PutFloat(double v) {
    if (Small())
        StoreRaw<float>(Buffer(), static_cast<float>(v));
    else
        StoreRaw<double>(Buffer(), v);
    MarkNotNull();
}

void TIfxFloatValue::PutString(const std::string& text) {
    std::string t = TrimText(text);
    if (t.empty()) return SetNull();
    double v = 0;
    Check(lib_.rstod(t.data(), &v));
    PutFloat(v);
}

void TIfxFloatValue::PutDecimal(const dec_t& v) {
    dec_t copy = v;
    double d = 0;
    Check(lib_.dectodbl(&copy, &d));
    PutFloat(d);
}

// ---- DECIMAL, MONEY ----

dec_t TIfxDecimalValue::GetDecimal() const { return LoadRaw<dec_t>(Buffer()); }

std::string TIfxDecimalValue::GetString() const {
    dec_t d = GetDecimal();
    char buf[160] = {};
    Check(lib_.dectoasc(&d, buf, 127, -1));
    return Padded(buf, 127);
}

std::string TIfxDecimalValue::GetFormatted(const std::string& format) const {
    dec_t d = GetDecimal();
    return TrimText(
        MaskText(lib_, format, IsNegative(d), [&](char* mask, char* out) { return lib_.rfmtdec(&d, mask, out); }));
}

std::int64_t TIfxDecimalValue::GetLargeInt() const {
    const ifx_int8_t v = GetInt8();
    return ParseWhole(TextOfInt8(lib_, v));
}

double TIfxDecimalValue::GetFloat() const {
    dec_t d = GetDecimal();
    double v = 0;
    Check(lib_.dectodbl(&d, &v));
    return v;
}

ifx_int8_t TIfxDecimalValue::GetInt8() const {
    dec_t d = GetDecimal();
    ifx_int8_t v{};
    Check(lib_.ifx_int8cvdec(&d, &v));
    return v;
}

bool TIfxDecimalValue::GetBoolean() const {
    dec_t d = GetDecimal();
    dec_t zero{};
    Check(lib_.deccvint(0, &zero));
    return lib_.deccmp(&d, &zero) != 0;
}

void TIfxDecimalValue::PutDecimal(const dec_t& v) {
    StoreRaw<dec_t>(Buffer(), v);
    MarkNotNull();
}

void TIfxDecimalValue::PutString(const std::string& text) {
    if (TrimText(text).empty()) return SetNull();
    PutDecimal(DecimalOfText(lib_, text));
}

void TIfxDecimalValue::PutLargeInt(std::int64_t v) {
    if (v >= std::numeric_limits<int4>::min() && v <= std::numeric_limits<int4>::max()) {
        dec_t d{};
        Check(lib_.deccvlong(static_cast<int4>(v), &d));
        return PutDecimal(d);
    }
    PutDecimal(DecimalOfText(lib_, std::to_string(v)));
}

void TIfxDecimalValue::PutFloat(double v) {
    dec_t d{};
    Check(lib_.deccvdbl(v, &d));
    PutDecimal(d);
}

void TIfxDecimalValue::PutInt8(const ifx_int8_t& v) {
    ifx_int8_t copy = v;
    dec_t d{};
    Check(lib_.ifx_int8todec(&copy, &d));
    PutDecimal(d);
}

// ---- INT8, SERIAL8 ----

ifx_int8_t TIfxInt8Value::GetInt8() const { return LoadRaw<ifx_int8_t>(Buffer()); }

std::string TIfxInt8Value::GetString() const { return TextOfInt8(lib_, GetInt8()); }

std::string TIfxInt8Value::GetFormatted(const std::string& format) const {
    dec_t d = GetDecimal();
    return TrimText(
        MaskText(lib_, format, IsNegative(d), [&](char* mask, char* out) { return lib_.rfmtdec(&d, mask, out); }));
}

std::int64_t TIfxInt8Value::GetLargeInt() const { return ParseWhole(GetString()); }

double TIfxInt8Value::GetFloat() const {
    ifx_int8_t v = GetInt8();
    double d = 0;
    Check(lib_.ifx_int8todbl(&v, &d));
    return d;
}

dec_t TIfxInt8Value::GetDecimal() const {
    ifx_int8_t v = GetInt8();
    dec_t d{};
    Check(lib_.ifx_int8todec(&v, &d));
    return d;
}

void TIfxInt8Value::PutInt8(const ifx_int8_t& v) {
    StoreRaw<ifx_int8_t>(Buffer(), v);
    MarkNotNull();
}

void TIfxInt8Value::PutString(const std::string& text) {
    std::string t = TrimText(text);
    if (t.empty()) return SetNull();
    ifx_int8_t v{};
    Check(lib_.ifx_int8cvasc(t.data(), static_cast<mint>(t.size()), &v));
    PutInt8(v);
}

void TIfxInt8Value::PutFloat(double v) {
    ifx_int8_t n{};
    Check(lib_.ifx_int8cvdbl(v, &n));
    PutInt8(n);
}

void TIfxInt8Value::PutDecimal(const dec_t& v) {
    dec_t copy = v;
    ifx_int8_t n{};
    Check(lib_.ifx_int8cvdec(&copy, &n));
    PutInt8(n);
}

}  // namespace varnok
