// The common part of every value object: null handling, the conversion
// error, and the public accessors that read a null as empty, zero or false.
#include "dbaccess/IfxValue.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "dbaccess/FormatText.h"

namespace varnok {

namespace {

// Thrown by the per-type defaults; the public accessor turns it into the
// conversion error naming what the caller asked for.
struct TNoConversion {};

}  // namespace

template <typename TFn>
auto TIfxValue::Reading(const char* target, TFn fn) const -> decltype(fn()) {
    try {
        return fn();
    } catch (const TNoConversion&) {
        ReadError(target);
    }
}

template <typename TFn>
void TIfxValue::Writing(const char* target, TFn fn) {
    try {
        fn();
    } catch (const TNoConversion&) {
        WriteError(target);
    }
}

const std::string* TIfxLobCache::Find(const ifx_lo_t& handle) const {
    auto it = contents_.find(std::string(handle.lo_data, sizeof handle.lo_data));
    return it == contents_.end() ? nullptr : &it->second;
}

void TIfxLobCache::Store(const ifx_lo_t& handle, std::string content) {
    contents_[std::string(handle.lo_data, sizeof handle.lo_data)] = std::move(content);
}

TIfxValue::TIfxValue(const TIfxLibrary& lib, int sqlType, int sqlLen, std::string columnName)
    : lib_(lib), sqlType_(sqlType), sqlLen_(sqlLen), columnName_(std::move(columnName)) {}

void TIfxValue::ReadError(const char* target) const {
    throw EIfxAccessError(Format("Invalid data conversion '%s'", {target}));
}

void TIfxValue::NoConversion() { throw TNoConversion{}; }

void TIfxValue::WriteError(const char* target) const {
    throw EIfxAccessError(Format("Invalid data conversion '%s'", {target}));
}

char* TIfxValue::Buffer() const {
    if (!data_) throw EIfxAccessError(Format("Cannot handle blob/clob in '%s'. Buffer handler is not initialized", {columnName_}));
    return data_;
}

bool TIfxValue::GetIsNull() const { return lib_.risnull(CType(), Buffer()) != 0; }

bool TIfxValue::IsNull() const {
    if (!data_) return true;
    // A bound indicator decides (an empty VARCHAR is a value, not a null).
    if (indicator_) return *indicator_ < 0 || (BufferMarksNull() && GetIsNull());
    return GetIsNull();
}

void TIfxValue::SetNull() {
    if (indicator_) *indicator_ = -1;
    if (data_ && BufferSize() > 0) lib_.rsetnull(CType(), data_);
}

void TIfxValue::MarkNotNull() {
    if (indicator_) *indicator_ = 0;
}

// ---- reading: a null reads as empty, zero or false ----

std::string TIfxValue::AsString() const {
    return Reading("String", [&] { return IsNull() ? std::string() : GetString(); });
}

std::string TIfxValue::FormattedText(const std::string& format) const {
    return Reading("Format", [&] { return IsNull() ? std::string() : GetFormatted(format); });
}

std::int16_t TIfxValue::AsSmallInt() const {
    const std::int64_t v = Reading("SmallInt", [&] { return IsNull() ? std::int64_t{0} : GetLargeInt(); });
    if (v < std::numeric_limits<std::int16_t>::min() || v > std::numeric_limits<std::int16_t>::max())
        ReadError("SmallInt");
    return static_cast<std::int16_t>(v);
}

std::int32_t TIfxValue::AsInteger() const {
    const std::int64_t v = Reading("Integer", [&] { return IsNull() ? std::int64_t{0} : GetLargeInt(); });
    if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
        ReadError("Integer");
    return static_cast<std::int32_t>(v);
}

std::int64_t TIfxValue::AsLargeInt() const {
    return Reading("Largeint", [&] { return IsNull() ? std::int64_t{0} : GetLargeInt(); });
}

double TIfxValue::AsFloat() const {
    return Reading("Float", [&] { return IsNull() ? 0.0 : GetFloat(); });
}

float TIfxValue::AsSmallFloat() const {
    const double v = Reading("SmallFloat", [&] { return IsNull() ? 0.0 : GetFloat(); });
    if (std::isfinite(v) && std::fabs(v) > std::numeric_limits<float>::max()) ReadError("SmallFloat");
    return static_cast<float>(v);
}

double TIfxValue::AsCurrency() const {
    // "Currencty" is the layer's reading name for currency.
    return Reading("Currencty", [&] { return IsNull() ? 0.0 : GetFloat(); });
}

dec_t TIfxValue::AsDecimal() const {
    return Reading("Decimal", [&] {
        if (!IsNull()) return GetDecimal();
        dec_t d{};
        d.dec_pos = DECPOSNULL;
        return d;
    });
}

ifx_int8_t TIfxValue::AsInt8() const {
    return Reading("Int8", [&] { return IsNull() ? ifx_int8_t{} : GetInt8(); });   // sign 0: null
}

bool TIfxValue::AsBoolean() const {
    return Reading("Boolean", [&] { return !IsNull() && GetBoolean(); });
}

int4 TIfxValue::AsDate() const {
    return Reading("Date", [&] { return IsNull() ? int4{0} : GetDate(); });
}

TDateTime TIfxValue::AsDateTime() const {
    return Reading("DateTime", [&] { return IsNull() ? 0.0 : GetDateTime(); });
}

dtime_t TIfxValue::AsDTime() const {
    return Reading("DTime", [&] {
        if (!IsNull()) return GetDTime();
        dtime_t v{};
        v.dt_dec.dec_pos = DECPOSNULL;
        return v;
    });
}

intrvl_t TIfxValue::AsInterval() const {
    return Reading("Interval", [&] {
        if (!IsNull()) return GetInterval();
        intrvl_t v{};
        v.in_dec.dec_pos = DECPOSNULL;
        return v;
    });
}

std::string TIfxValue::AsBytes() const {
    return Reading("Byte", [&] { return IsNull() ? std::string() : GetBytes(); });
}

// ---- writing ----

void TIfxValue::SetAsString(const std::string& text) { Writing("String", [&] { PutString(text); }); }
void TIfxValue::SetAsSmallInt(std::int16_t v) { Writing("SmallInt", [&] { PutLargeInt(v); }); }
void TIfxValue::SetAsInteger(std::int32_t v) { Writing("Integer", [&] { PutLargeInt(v); }); }
void TIfxValue::SetAsLargeInt(std::int64_t v) { Writing("Largeint", [&] { PutLargeInt(v); }); }
void TIfxValue::SetAsFloat(double v) { Writing("Float", [&] { PutFloat(v); }); }
void TIfxValue::SetAsSmallFloat(float v) { Writing("SmallFloat", [&] { PutFloat(v); }); }
void TIfxValue::SetAsCurrency(double v) { Writing("Currency", [&] { PutFloat(v); }); }

void TIfxValue::SetAsDecimal(const dec_t& v) {
    if (v.dec_pos == DECPOSNULL) return SetNull();
    Writing("Decimal", [&] { PutDecimal(v); });
}

void TIfxValue::SetAsInt8(const ifx_int8_t& v) {
    if (v.sign == 0) return SetNull();
    Writing("Int8", [&] { PutInt8(v); });
}

void TIfxValue::SetAsBoolean(bool v) { Writing("Boolean", [&] { PutBoolean(v); }); }
void TIfxValue::SetAsDate(int4 day) { Writing("Date", [&] { PutDate(day); }); }
void TIfxValue::SetAsDateTime(TDateTime v) { Writing("DateTime", [&] { PutDateTime(v); }); }
void TIfxValue::SetAsDTime(const dtime_t& v) { Writing("DTime", [&] { PutDTime(v); }); }
void TIfxValue::SetAsInterval(const intrvl_t& v) { Writing("Interval", [&] { PutInterval(v); }); }
void TIfxValue::SetAsBytes(const std::string& bytes) { Writing("Byte", [&] { PutBytes(bytes); }); }

// ---- the defaults: the type does not offer the conversion ----

std::string TIfxValue::GetString() const { throw TNoConversion{}; }
std::string TIfxValue::GetFormatted(const std::string&) const { throw TNoConversion{}; }
std::int64_t TIfxValue::GetLargeInt() const { throw TNoConversion{}; }
double TIfxValue::GetFloat() const { throw TNoConversion{}; }
dec_t TIfxValue::GetDecimal() const { throw TNoConversion{}; }
ifx_int8_t TIfxValue::GetInt8() const { throw TNoConversion{}; }
bool TIfxValue::GetBoolean() const { throw TNoConversion{}; }
int4 TIfxValue::GetDate() const { throw TNoConversion{}; }
TDateTime TIfxValue::GetDateTime() const { throw TNoConversion{}; }
dtime_t TIfxValue::GetDTime() const { throw TNoConversion{}; }
intrvl_t TIfxValue::GetInterval() const { throw TNoConversion{}; }
std::string TIfxValue::GetBytes() const { throw TNoConversion{}; }

void TIfxValue::PutString(const std::string&) { throw TNoConversion{}; }
void TIfxValue::PutLargeInt(std::int64_t) { throw TNoConversion{}; }
void TIfxValue::PutFloat(double) { throw TNoConversion{}; }
void TIfxValue::PutDecimal(const dec_t&) { throw TNoConversion{}; }
void TIfxValue::PutInt8(const ifx_int8_t&) { throw TNoConversion{}; }
void TIfxValue::PutBoolean(bool) { throw TNoConversion{}; }
void TIfxValue::PutDate(int4) { throw TNoConversion{}; }
void TIfxValue::PutDateTime(TDateTime) { throw TNoConversion{}; }
void TIfxValue::PutDTime(const dtime_t&) { throw TNoConversion{}; }
void TIfxValue::PutInterval(const intrvl_t&) { throw TNoConversion{}; }
void TIfxValue::PutBytes(const std::string&) { throw TNoConversion{}; }

}  // namespace varnok
