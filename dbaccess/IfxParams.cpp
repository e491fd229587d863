#include "dbaccess/IfxParams.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "dbaccess/FormatText.h"
#include "dbaccess/IfxExceptions.h"
#include "dbaccess/IfxField.h"
#include "dbaccess/TextUtils.h"

namespace varnok {

namespace {

std::string DateTimeText(TDateTime v, TFieldType type) {
    int y, mo, d, h, mi, s, ms;
    DecodeDateTime(v, y, mo, d, h, mi, s, ms);
    char buf[64];
    if (type == TFieldType::ftDate)
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", y, mo, d);
    else if (type == TFieldType::ftTime)
        std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", h, mi, s);
    else if (ms != 0)
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d.%03d", y, mo, d, h, mi, s, ms);
    else
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", y, mo, d, h, mi, s);
    return buf;
}

std::string FloatText(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    return buf;
}

}  // namespace

// ---- TParam ----

void TParam::Clear() {
    value_ = std::monostate{};
    bound_ = true;
}

void TParam::SetAsString(const std::string& text) { Set(TFieldType::ftString, text); }
void TParam::SetAsFixedChar(const std::string& text) { Set(TFieldType::ftFixedChar, text); }
void TParam::SetAsSmallInt(std::int16_t v) { Set(TFieldType::ftSmallint, static_cast<std::int64_t>(v)); }
void TParam::SetAsInteger(std::int32_t v) { Set(TFieldType::ftInteger, static_cast<std::int64_t>(v)); }
void TParam::SetAsLargeInt(std::int64_t v) { Set(TFieldType::ftLargeint, v); }
void TParam::SetAsFloat(double v) { Set(TFieldType::ftFloat, v); }
void TParam::SetAsCurrency(double v) { Set(TFieldType::ftCurrency, v); }
void TParam::SetAsBCD(const std::string& text) { Set(TFieldType::ftBCD, TrimText(text)); }
void TParam::SetAsBoolean(bool v) { Set(TFieldType::ftBoolean, v); }
void TParam::SetAsDate(TDateTime v) { Set(TFieldType::ftDate, v); }
void TParam::SetAsTime(TDateTime v) { Set(TFieldType::ftTime, v); }
void TParam::SetAsDateTime(TDateTime v) { Set(TFieldType::ftDateTime, v); }
void TParam::SetAsBlob(const std::string& bytes) { Set(TFieldType::ftBlob, bytes); }
void TParam::SetAsMemo(const std::string& text) { Set(TFieldType::ftMemo, text); }

void TParam::AssignField(const TField& field) {
    using F = TFieldType;
    const F kind = field.DataType();
    type_ = kind;
    bound_ = true;
    if (field.IsNull()) {
        value_ = std::monostate{};
        return;
    }
    switch (kind) {
    case F::ftSmallint:
    case F::ftInteger:
    case F::ftWord:
    case F::ftAutoInc:
    case F::ftLargeint: value_ = field.AsLargeInt(); break;
    case F::ftFloat: value_ = field.AsFloat(); break;
    case F::ftCurrency:
        // A native money field holds the library's decimal: its text keeps
        // every digit, where a double would round a 16-digit amount (and an
        // update's where part would then miss the row).
        if (dynamic_cast<const TIfxNativeField*>(&field)) {
            type_ = F::ftBCD;
            value_ = field.AsString();
        } else {
            value_ = field.AsFloat();
        }
        break;
    case F::ftBoolean: value_ = field.AsBoolean(); break;
    case F::ftDateTime:
    case F::ftTimeStamp:
        // A native DATETIME holds the library's value with the column's own
        // fields; its ANSI text keeps a fraction(5) and a month-to-day date
        // that a date-time in milliseconds from 1899 would not, and the server
        // reads it back in the column's qualifier.
        if (dynamic_cast<const TIfxNativeField*>(&field)) {
            type_ = F::ftString;
            value_ = field.AsString();
            break;
        }
        [[fallthrough]];
    case F::ftDate:
    case F::ftTime: value_ = field.AsDateTime(); break;
    default: value_ = field.AsString(); break;   // texts, decimals (all digits) and bytes
    }
}

void TParam::AssignValue(const TParam& other) {
    type_ = other.type_;
    value_ = other.value_;
    bound_ = other.bound_;
}

std::string TParam::AsString() const {
    if (const auto* s = std::get_if<std::string>(&value_)) return *s;
    if (const auto* n = std::get_if<std::int64_t>(&value_)) return std::to_string(*n);
    if (const auto* b = std::get_if<bool>(&value_)) return *b ? "t" : "f";
    if (const auto* d = std::get_if<double>(&value_)) {
        switch (type_) {
        case TFieldType::ftDate:
        case TFieldType::ftTime:
        case TFieldType::ftDateTime:
        case TFieldType::ftTimeStamp: return DateTimeText(*d, type_);
        default: return FloatText(*d);
        }
    }
    return {};
}

std::int64_t TParam::AsLargeInt() const {
    if (const auto* n = std::get_if<std::int64_t>(&value_)) return *n;
    if (const auto* d = std::get_if<double>(&value_)) return static_cast<std::int64_t>(std::llround(*d));
    if (const auto* b = std::get_if<bool>(&value_)) return *b ? 1 : 0;
    if (const auto* s = std::get_if<std::string>(&value_)) {
        try {
            return std::stoll(*s);
        } catch (const std::exception&) {
            throw EIfxAccessError(Format("Invalid data conversion '%s'", {"Largeint"}));
        }
    }
    return 0;
}

double TParam::AsFloat() const {
    if (const auto* d = std::get_if<double>(&value_)) return *d;
    if (const auto* n = std::get_if<std::int64_t>(&value_)) return static_cast<double>(*n);
    if (const auto* b = std::get_if<bool>(&value_)) return *b ? 1.0 : 0.0;
    if (const auto* s = std::get_if<std::string>(&value_)) {
        try {
            return std::stod(*s);
        } catch (const std::exception&) {
            throw EIfxAccessError(Format("Invalid data conversion '%s'", {"Float"}));
        }
    }
    return 0.0;
}

bool TParam::AsBoolean() const {
    if (const auto* b = std::get_if<bool>(&value_)) return *b;
    if (const auto* s = std::get_if<std::string>(&value_)) return SameText(*s, "t") || SameText(*s, "true") || *s == "1";
    return AsLargeInt() != 0;
}

TDateTime TParam::AsDateTime() const {
    if (const auto* d = std::get_if<double>(&value_)) return *d;
    if (const auto* n = std::get_if<std::int64_t>(&value_)) return static_cast<double>(*n);
    if (IsNull()) return 0.0;
    throw EIfxAccessError(Format("Invalid data conversion '%s'", {"DateTime"}));
}

// ---- TParams ----

TParam* TParams::FindParam(std::string_view name) {
    for (TParam& p : items_)
        if (SameText(p.Name(), name)) return &p;
    return nullptr;
}

const TParam* TParams::FindParam(std::string_view name) const {
    return const_cast<TParams*>(this)->FindParam(name);
}

TParam& TParams::ParamByName(std::string_view name) {
    if (TParam* p = FindParam(name)) return *p;
    throw EDatabaseError(Format("Parameter '%s' not found", {std::string(name)}));
}

TParam& TParams::Add(std::string name) {
    items_.emplace_back(std::move(name));
    return items_.back();
}

void TParams::Rebuild(const std::vector<std::string>& names) {
    std::vector<TParam> rebuilt;
    for (const std::string& name : names) {
        bool seen = false;
        for (const TParam& p : rebuilt) seen = seen || SameText(p.Name(), name);
        if (seen) continue;
        TParam& param = rebuilt.emplace_back(name);
        if (const TParam* old = FindParam(name)) param.AssignValue(*old);
    }
    items_ = std::move(rebuilt);
}

}  // namespace varnok
