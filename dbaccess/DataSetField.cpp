#include "dbaccess/DataSetField.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <new>

#include "dbaccess/DataSet.h"
#include "dbaccess/FormatText.h"
#include "dbaccess/IfxExceptions.h"
#include "dbaccess/RawBytes.h"
#include "dbaccess/TextUtils.h"

namespace varnok {

namespace {

bool ParseInt64(const std::string& text, std::int64_t& out) {
    const std::string t = TrimText(text);
    const char* b = t.data();
    if (!t.empty() && t[0] == '+') ++b;
    auto [end, ec] = std::from_chars(b, t.data() + t.size(), out);
    return ec == std::errc() && end == t.data() + t.size() && !t.empty();
}

bool ParseDouble(const std::string& text, double& out) {
    const std::string t = TrimText(text);
    if (t.empty()) return false;
    char* end = nullptr;
    out = std::strtod(t.c_str(), &end);
    return end == t.c_str() + t.size();
}

// Days between 0001-01-01 and the given civil date (proleptic Gregorian).
long DaysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;   // days from 1970-01-01
}

void CivilFromDays(long z, int& y, int& m, int& d) {
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

const long kDelphiEpoch = DaysFromCivil(1899, 12, 30);

}  // namespace

TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int msec) {
    const double days = static_cast<double>(DaysFromCivil(year, month, day) - kDelphiEpoch);
    const double time = ((hour * 60.0 + minute) * 60.0 + second + msec / 1000.0) / 86400.0;
    return days + time;
}

void DecodeDateTime(TDateTime v, int& year, int& month, int& day, int& hour, int& minute, int& second, int& msec) {
    long long ms = std::llround(v * 86400000.0);
    long long dayNo = ms >= 0 ? ms / 86400000 : -((-ms + 86399999) / 86400000);
    long long rest = ms - dayNo * 86400000;
    CivilFromDays(static_cast<long>(dayNo + kDelphiEpoch), year, month, day);
    hour = static_cast<int>(rest / 3600000);
    minute = static_cast<int>(rest / 60000 % 60);
    second = static_cast<int>(rest / 1000 % 60);
    msec = static_cast<int>(rest % 1000);
}

// ---- TField ----

TField::TField(std::string name, TFieldType type, int size) : name_(std::move(name)), type_(type), size_(size) {}

char* TField::ReadBuffer() const {
    char* area = dataSet_ ? dataSet_->ActiveArea(*this) : nullptr;
    return area ? area + offset_ : nullptr;
}

char* TField::WriteBuffer() {
    if (!dataSet_) throw EDatabaseError(Format("Field '%s' has no dataset", {name_}));
    dataSet_->CanWriteField(*this);
    char* area = dataSet_->ActiveArea(*this);
    if (!area) throw EDatabaseError("Dataset not in edit or insert mode");
    return area + offset_;
}

void TField::Changed() {
    if (dataSet_) dataSet_->FieldChanged(*this);
}

void TField::ConversionError(const char* target) const {
    throw EDatabaseError(Format("Invalid data conversion '%s'", {target}));
}

bool TField::IsNull() const { return !HasValue(ReadBuffer()); }

void TField::InitNull(char* buffer) const { std::memset(buffer, 0, DataSize()); }

void TField::Clear() {
    char* buf = WriteBuffer();
    std::memset(buf, 0, DataSize());
    Changed();
}

std::int32_t TField::AsInteger() const {
    const std::int64_t v = AsLargeInt();
    if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
        ConversionError("Integer");
    return static_cast<std::int32_t>(v);
}
void TField::SetAsInteger(std::int32_t v) { SetAsString(std::to_string(v)); }

std::int64_t TField::AsLargeInt() const {
    if (IsNull()) return 0;
    std::int64_t v = 0;
    if (!ParseInt64(AsString(), v)) ConversionError("Largeint");
    return v;
}
void TField::SetAsLargeInt(std::int64_t v) { SetAsString(std::to_string(v)); }

double TField::AsFloat() const {
    if (IsNull()) return 0;
    double v = 0;
    if (!ParseDouble(AsString(), v)) ConversionError("Float");
    return v;
}
void TField::SetAsFloat(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    SetAsString(buf);
}

bool TField::AsBoolean() const {
    if (IsNull()) return false;
    const std::string t = LowerText(TrimText(AsString()));
    if (t == "t" || t == "true" || t == "1") return true;
    if (t == "f" || t == "false" || t == "0") return false;
    ConversionError("Boolean");
}
void TField::SetAsBoolean(bool v) { SetAsString(v ? "t" : "f"); }

TDateTime TField::AsDateTime() const { ConversionError("DateTime"); }
void TField::SetAsDateTime(TDateTime) { ConversionError("DateTime"); }

std::string TField::DisplayText() const {
    try {
        return AsString();
    } catch (const std::exception& e) {
        return e.what();
    }
}

std::string TField::EditText() const { return DisplayText(); }

// ---- TStringField ----

TStringField::TStringField(std::string name, int size, TFieldType type) : TField(std::move(name), type, size) {
    SetSize(size);
}

void TStringField::SetSize(int size) {
    if (size < 1) throw EIfxAccessError("Invalid field size");
    TField::SetSize(size);
}

std::string TStringField::AsString() const {
    const char* buf = ReadBuffer();
    if (!HasValue(buf)) return {};
    const char* p = Payload(buf);
    return std::string(p, strnlen(p, static_cast<std::size_t>(Size())));
}

void TStringField::SetAsString(const std::string& text) {
    char* buf = WriteBuffer();
    std::memset(buf, 0, DataSize());
    buf[0] = 1;
    std::memcpy(Payload(buf), text.data(), std::min(text.size(), static_cast<std::size_t>(Size())));
    Changed();
}

// ---- TIntegerField ----

TIntegerField::TIntegerField(std::string name, TFieldType type) : TField(std::move(name), type) {}

std::int64_t TIntegerField::MinValue() const {
    switch (DataType()) {
    case TFieldType::ftSmallint: return std::numeric_limits<std::int16_t>::min();
    case TFieldType::ftWord: return 0;
    case TFieldType::ftLargeint: return std::numeric_limits<std::int64_t>::min();
    default: return std::numeric_limits<std::int32_t>::min();
    }
}

std::int64_t TIntegerField::MaxValue() const {
    switch (DataType()) {
    case TFieldType::ftSmallint: return std::numeric_limits<std::int16_t>::max();
    case TFieldType::ftWord: return std::numeric_limits<std::uint16_t>::max();
    case TFieldType::ftLargeint: return std::numeric_limits<std::int64_t>::max();
    default: return std::numeric_limits<std::int32_t>::max();
    }
}

std::string TIntegerField::AsString() const { return IsNull() ? std::string() : std::to_string(AsLargeInt()); }

void TIntegerField::SetAsString(const std::string& text) {
    if (TrimText(text).empty()) {
        Clear();
        return;
    }
    std::int64_t v = 0;
    if (!ParseInt64(text, v)) throw EDatabaseError(Format("'%s' is not a valid integer value", {text}));
    SetAsLargeInt(v);
}

std::int64_t TIntegerField::AsLargeInt() const {
    const char* buf = ReadBuffer();
    return HasValue(buf) ? LoadRaw<std::int64_t>(Payload(buf)) : 0;
}

void TIntegerField::SetAsLargeInt(std::int64_t v) {
    if (v < MinValue() || v > MaxValue())
        throw EDatabaseError(Format("%s is not a valid value for field '%s'", {std::to_string(v), FieldName()}));
    char* buf = WriteBuffer();
    buf[0] = 1;
    StoreRaw(Payload(buf), v);
    Changed();
}

void TIntegerField::SetAsFloat(double v) {
    if (!std::isfinite(v)) ConversionError("Integer");
    SetAsLargeInt(std::llround(v));
}

// ---- TFloatField ----

TFloatField::TFloatField(std::string name, TFieldType type) : TField(std::move(name), type) {}

std::string TFloatField::AsString() const {
    if (IsNull()) return {};
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", AsFloat());
    return buf;
}

void TFloatField::SetAsString(const std::string& text) {
    if (TrimText(text).empty()) {
        Clear();
        return;
    }
    double v = 0;
    if (!ParseDouble(text, v)) throw EDatabaseError(Format("'%s' is not a valid floating point value", {text}));
    SetAsFloat(v);
}

double TFloatField::AsFloat() const {
    const char* buf = ReadBuffer();
    return HasValue(buf) ? LoadRaw<double>(Payload(buf)) : 0.0;
}

void TFloatField::SetAsFloat(double v) {
    char* buf = WriteBuffer();
    buf[0] = 1;
    StoreRaw(Payload(buf), v);
    Changed();
}

// ---- TBooleanField ----

TBooleanField::TBooleanField(std::string name) : TField(std::move(name), TFieldType::ftBoolean) {}

// Informix spells truth values "t" and "f"; the grids show them that way.
std::string TBooleanField::AsString() const { return IsNull() ? std::string() : AsBoolean() ? "t" : "f"; }

void TBooleanField::SetAsString(const std::string& text) {
    const std::string t = LowerText(TrimText(text));
    if (t.empty()) return Clear();
    if (t == "t" || t == "true" || t == "1") return SetAsBoolean(true);
    if (t == "f" || t == "false" || t == "0") return SetAsBoolean(false);
    throw EDatabaseError(Format("'%s' is not a valid boolean value", {text}));
}

bool TBooleanField::AsBoolean() const {
    const char* buf = ReadBuffer();
    return HasValue(buf) && Payload(buf)[0] != 0;
}

void TBooleanField::SetAsBoolean(bool v) {
    char* buf = WriteBuffer();
    buf[0] = 1;
    Payload(buf)[0] = v ? 1 : 0;
    Changed();
}

// ---- TDateTimeField ----

TDateTimeField::TDateTimeField(std::string name, TFieldType type) : TField(std::move(name), type) {}

TDateTime TDateTimeField::AsDateTime() const {
    const char* buf = ReadBuffer();
    return HasValue(buf) ? LoadRaw<double>(Payload(buf)) : 0.0;
}

void TDateTimeField::SetAsDateTime(TDateTime v) {
    char* buf = WriteBuffer();
    buf[0] = 1;
    StoreRaw(Payload(buf), v);
    Changed();
}

std::string TDateTimeField::AsString() const {
    if (IsNull()) return {};
    int y, mo, d, h, mi, s, ms;
    DecodeDateTime(AsDateTime(), y, mo, d, h, mi, s, ms);
    char buf[64];
    if (DataType() == TFieldType::ftDate)
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", y, mo, d);
    else if (DataType() == TFieldType::ftTime)
        std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", h, mi, s);
    else
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", y, mo, d, h, mi, s);
    return buf;
}

void TDateTimeField::SetAsString(const std::string& text) {
    const std::string t = TrimText(text);
    if (t.empty()) return Clear();
    int y = 1899, mo = 12, d = 30, h = 0, mi = 0, s = 0;
    const bool timeOnly = DataType() == TFieldType::ftTime;
    const int n = timeOnly ? std::sscanf(t.c_str(), "%d:%d:%d", &h, &mi, &s)
                           : std::sscanf(t.c_str(), "%d-%d-%d %d:%d:%d", &y, &mo, &d, &h, &mi, &s);
    // A day the month does not have (2024-02-31) is refused, not carried into March.
    int cy, cmo, cd, ch, cmi, cs, cms;
    DecodeDateTime(EncodeDateTime(y, mo, d), cy, cmo, cd, ch, cmi, cs, cms);
    const bool dateOk = mo >= 1 && mo <= 12 && cy == y && cmo == mo && cd == d;
    const bool timeOk = h >= 0 && h < 24 && mi >= 0 && mi < 60 && s >= 0 && s < 60;
    if (timeOnly && (n < 2 || !timeOk)) throw EDatabaseError(Format("'%s' is not a valid time", {text}));
    if (!timeOnly && (n < 3 || !dateOk || !timeOk)) throw EDatabaseError(Format("'%s' is not a valid date", {text}));
    SetAsDateTime(EncodeDateTime(y, mo, d, h, mi, s));
}

// ---- TBlobField ----

namespace {

using TBlobHolder = std::unique_ptr<std::string>;
TBlobHolder* HolderIn(char* buffer) { return std::launder(reinterpret_cast<TBlobHolder*>(buffer)); }
const TBlobHolder* HolderIn(const char* buffer) { return std::launder(reinterpret_cast<const TBlobHolder*>(buffer)); }

}  // namespace

TBlobField::TBlobField(std::string name, TFieldType type) : TField(std::move(name), type) {}

void TBlobField::InitNull(char* buffer) const { new (buffer) TBlobHolder(); }

void TBlobField::ReleaseBuffer(char* buffer) const {
    HolderIn(buffer)->~TBlobHolder();
    std::memset(buffer, 0, DataSize());
}

void TBlobField::DuplicateBuffer(const char* from, char* to) const {
    // `to` holds a bitwise copy of `from`: it becomes an owner of its own.
    const TBlobHolder& source = *HolderIn(from);
    new (to) TBlobHolder(source ? std::make_unique<std::string>(*source) : nullptr);
}

bool TBlobField::IsNull() const {
    const char* buf = ReadBuffer();
    return !buf || !*HolderIn(buf);
}

void TBlobField::Clear() {
    HolderIn(WriteBuffer())->reset();
    Changed();
}

std::string TBlobField::AsString() const {
    const char* buf = ReadBuffer();
    return buf && *HolderIn(buf) ? **HolderIn(buf) : std::string();
}

void TBlobField::SetAsString(const std::string& bytes) {
    *HolderIn(WriteBuffer()) = std::make_unique<std::string>(bytes);
    Changed();
}

std::size_t TBlobField::BlobSize() const {
    const char* buf = ReadBuffer();
    return buf && *HolderIn(buf) ? (*HolderIn(buf))->size() : 0;
}

// ---- the ordinary class of a kind ----

std::unique_ptr<TField> CreateOrdinaryField(const TFieldDef& def) {
    switch (def.kind) {
    case TFieldType::ftString:
    case TFieldType::ftFixedChar:
    case TFieldType::ftWideString:
        return std::make_unique<TStringField>(def.name, def.size > 0 ? def.size : 20, def.kind);
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftWord:
    case TFieldType::ftAutoInc:
    case TFieldType::ftLargeint:
        return std::make_unique<TIntegerField>(def.name, def.kind);
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
    case TFieldType::ftBCD:
    case TFieldType::ftFMTBcd:
        return std::make_unique<TFloatField>(def.name, def.kind);
    case TFieldType::ftBoolean: return std::make_unique<TBooleanField>(def.name);
    case TFieldType::ftDate:
    case TFieldType::ftTime:
    case TFieldType::ftDateTime:
    case TFieldType::ftTimeStamp:
        return std::make_unique<TDateTimeField>(def.name, def.kind);
    case TFieldType::ftBlob:
    case TFieldType::ftMemo:
    case TFieldType::ftGraphic:
    case TFieldType::ftFmtMemo:
    case TFieldType::ftTypedBinary:
        return std::make_unique<TBlobField>(def.name, def.kind);
    default: return nullptr;   // smart large objects are shown by their native fields only
    }
}

}  // namespace varnok
