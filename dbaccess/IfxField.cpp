#include "dbaccess/IfxField.h"

#include <cctype>
#include <cstring>

#include "dbaccess/DataSet.h"
#include "dbaccess/EditMask.h"
#include "dbaccess/FormatText.h"
#include "dbaccess/IfxExceptions.h"

namespace varnok {

namespace {

int2* IndicatorIn(char* buffer) { return reinterpret_cast<int2*>(buffer); }

}  // namespace

int TimeUnitCode(TIfxTimeUnit unit) {
    const int n = static_cast<int>(unit);
    return n <= 5 ? 2 * n : 10 + (n - 5);
}

TIfxTimeUnit TimeUnitOfCode(int code) { return static_cast<TIfxTimeUnit>(code <= 10 ? code / 2 : code - 5); }

// ---- TIfxNativeField ----

TIfxNativeField::TIfxNativeField(const TIfxLibrary& lib, const TFieldDef& def)
    : TField(def.name, def.kind, def.size),
      value_(CreateIfxValue(lib, def.sqlType, def.sqlLen, def.extendedId, def.name)),
      sqlType_(def.sqlType & SQLTYPE),
      sqlLen_(def.sqlLen),
      isChar_(dynamic_cast<const TIfxCharValue*>(value_.get()) != nullptr),
      valueOffset_(ValueOffset()),
      valueSize_(value_->BufferSize()) {}

void TIfxNativeField::BindTo(char* buffer) const {
    if (!buffer)
        value_->Bind(nullptr, nullptr);
    else
        value_->Bind(buffer + ValueOffset(), IndicatorIn(buffer));
}

const TIfxValue& TIfxNativeField::Value() const {
    BindTo(ReadBuffer());
    return *value_;
}

TIfxValue& TIfxNativeField::WritableValue() {
    BindTo(WriteBuffer());
    return *value_;
}

template <typename TFn>
void TIfxNativeField::Write(TFn fn) {
    char* buffer = WriteBuffer();
    BindTo(buffer);
    fn(*value_);
    Changed();
}

bool TIfxNativeField::IsNull() const { return Value().IsNull(); }

void TIfxNativeField::InitNull(char* buffer) const {
    std::memset(buffer, 0, DataSize());
    *IndicatorIn(buffer) = -1;
}

// Zero bytes are the value's null form already; only the indicator says so.
void TIfxNativeField::InitNullOnZeroed(char* buffer) const { *IndicatorIn(buffer) = -1; }

void TIfxNativeField::Clear() {
    Write([](TIfxValue& v) { v.SetNull(); });
}

std::string TIfxNativeField::AsString() const { return IsNull() ? std::string() : Value().AsString(); }
void TIfxNativeField::SetAsString(const std::string& text) {
    Write([&](TIfxValue& v) { v.SetAsString(text); });
}
std::int32_t TIfxNativeField::AsInteger() const { return IsNull() ? 0 : Value().AsInteger(); }
void TIfxNativeField::SetAsInteger(std::int32_t n) {
    Write([&](TIfxValue& v) { v.SetAsInteger(n); });
}
std::int64_t TIfxNativeField::AsLargeInt() const { return IsNull() ? 0 : Value().AsLargeInt(); }
void TIfxNativeField::SetAsLargeInt(std::int64_t n) {
    Write([&](TIfxValue& v) { v.SetAsLargeInt(n); });
}
double TIfxNativeField::AsFloat() const { return IsNull() ? 0.0 : Value().AsFloat(); }
void TIfxNativeField::SetAsFloat(double d) {
    Write([&](TIfxValue& v) { v.SetAsFloat(d); });
}
bool TIfxNativeField::AsBoolean() const { return !IsNull() && Value().AsBoolean(); }
void TIfxNativeField::SetAsBoolean(bool b) {
    Write([&](TIfxValue& v) { v.SetAsBoolean(b); });
}
TDateTime TIfxNativeField::AsDateTime() const { return IsNull() ? 0.0 : Value().AsDateTime(); }
void TIfxNativeField::SetAsDateTime(TDateTime d) {
    Write([&](TIfxValue& v) { v.SetAsDateTime(d); });
}

void TIfxNativeField::LoadFrom(const TIfxValue& source, bool trimStrings) {
    LoadInto(WriteBuffer(), source, trimStrings);
}

void TIfxNativeField::LoadInto(char* buffer, const TIfxValue& source, bool trimStrings) const {
    if (source.IsNull()) {
        InitNull(buffer);
        return;
    }
    // The bytes a null record would hold, written once: indicator and padding,
    // the value, zeros after a shorter source.
    const std::size_t offset = valueOffset_;
    const std::size_t size = valueSize_;
    const std::size_t n = std::min(source.BufferSize(), size);
    std::memset(buffer, 0, offset);
    std::memcpy(buffer + offset, source.Data(), n);
    if (n < size) std::memset(buffer + offset + n, 0, size - n);
    *IndicatorIn(buffer) = 0;
    if (trimStrings && isChar_) {
        char* text = buffer + offset;
        std::size_t len = strnlen(text, n);
        while (len > 0 && text[len - 1] == ' ') text[--len] = '\0';
    }
}

// ---- TIfxStringField ----

TIfxStringField::TIfxStringField(const TIfxLibrary& lib, const TFieldDef& def) : TIfxNativeField(lib, def) {
    SetSize(def.size > 0 ? def.size : 20);
}

void TIfxStringField::SetSize(int size) {
    if (size < 1) throw EIfxAccessError("Invalid field size");
    TIfxNativeField::SetSize(size);
}

std::string TIfxStringField::EditText() const {
    if (editMask_.empty()) return TIfxNativeField::EditText();
    try {
        return MaskedEditText(editMask_, IsNull() ? std::string() : AsString());
    } catch (const std::exception& e) {
        return e.what();   // edit text never raises
    }
}

void TIfxStringField::SetEditText(const std::string& text) {
    if (editMask_.empty()) {
        SetAsString(text);
        return;
    }
    // The layout handed back untouched changes nothing (a null stays null).
    if (text == EditText()) return;
    SetAsString(UnmaskedEditText(editMask_, text));
}

// ---- TIfxFormatableField ----

std::string TIfxFormatableField::TextWith(const std::string& format) const {
    try {
        if (IsNull()) return {};
        return format.empty() ? Value().AsString() : Value().FormattedText(format);
    } catch (const std::exception& e) {
        return e.what();   // display text never raises
    }
}

std::string TIfxFormatableField::DisplayText() const { return TextWith(displayFormat_); }

std::string TIfxFormatableField::EditText() const {
    return TextWith(editFormat_.empty() ? displayFormat_ : editFormat_);
}

// ---- TIfxDecimalField, TIfxMoneyField ----

TIfxDecimalField::TIfxDecimalField(const TIfxLibrary& lib, const TFieldDef& def)
    : TIfxNumericField(lib, def), precision_(PRECTOT(def.sqlLen)), scale_(PRECDEC(def.sqlLen)) {
    if (precision_ < 1 || precision_ > MAXDECPREC) precision_ = MAXDECPREC;
}

void TIfxDecimalField::SetPrecision(int precision) {
    if (precision < 1 || precision > MAXDECPREC)
        throw EIfxAccessError(Format("Invalid field precision %d", {precision}));
    precision_ = precision;
}

void TIfxDecimalField::SetScale(int scale) {
    if (scale != DECFLOATSCALE && (scale < 0 || scale > precision_))
        throw EIfxAccessError(Format("Invalid field scale %d", {scale}));
    scale_ = scale;
}

std::string TIfxDecimalField::DisplayText() const {
    std::string text = TIfxFormatableField::DisplayText();
    return DisplayFormat().empty() ? WithScale(std::move(text)) : text;
}

std::string TIfxDecimalField::EditText() const {
    std::string text = TIfxFormatableField::EditText();
    return EditFormat().empty() && DisplayFormat().empty() ? WithScale(std::move(text)) : text;
}

std::string TIfxDecimalField::WithScale(std::string text) const {
    if (scale_ == DECFLOATSCALE || scale_ <= 0 || IsNull()) return text;
    // Only a plain number is padded: an error message or an exponent form stays as it is.
    std::size_t i = !text.empty() && text[0] == '-' ? 1 : 0;
    const std::size_t digitsFrom = i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
    if (i == digitsFrom) return text;
    int decimals = 0;
    if (i < text.size()) {
        if (text[i] != '.' && text[i] != ',') return text;
        const std::size_t point = i++;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
        if (i != text.size()) return text;
        decimals = static_cast<int>(text.size() - point - 1);
    } else {
        text += '.';
    }
    if (decimals < scale_) text.append(static_cast<std::size_t>(scale_ - decimals), '0');
    return text;
}

TIfxMoneyField::TIfxMoneyField(const TIfxLibrary& lib, const TFieldDef& def) : TIfxDecimalField(lib, def) {
    SetDisplayFormat(kDefaultDisplayFormat);
    SetEditFormat(kDefaultEditFormat);
}

// ---- TIfxTimeField, TIfxDateTimeField ----

TIfxTimeField::TIfxTimeField(const TIfxLibrary& lib, const TFieldDef& def, TIfxTimeUnit first, TIfxTimeUnit last)
    : TIfxFormatableField(lib, def), first_(first), last_(last) {}

void TIfxTimeField::CheckUnit(TIfxTimeUnit unit) {
    const int n = static_cast<int>(unit);
    if (n < 0 || n > static_cast<int>(TIfxTimeUnit::tuFrac5)) throw EIfxAccessError("Invalid field time unit");
}

void TIfxTimeField::SetFirstUnit(TIfxTimeUnit unit) {
    CheckUnit(unit);
    if (unit > last_) throw EIfxAccessError("First time unit cannot be lower then last");
    first_ = unit;
}

void TIfxTimeField::SetLastUnit(TIfxTimeUnit unit) {
    CheckUnit(unit);
    if (first_ > unit) throw EIfxAccessError("First time unit cannot be lower then last");
    last_ = unit;
}

namespace {

bool IsQualifier(int q) { return q > 0 && TU_START(q) <= TU_END(q) && TU_END(q) <= TU_F5 && TU_LEN(q) > 0; }

}  // namespace

TIfxDateTimeField::TIfxDateTimeField(const TIfxLibrary& lib, const TFieldDef& def)
    : TIfxTimeField(lib, def,
                    IsQualifier(def.sqlLen) ? TimeUnitOfCode(TU_START(def.sqlLen)) : TIfxTimeUnit::tuYear,
                    IsQualifier(def.sqlLen) ? TimeUnitOfCode(TU_END(def.sqlLen)) : TIfxTimeUnit::tuFrac3) {}

// ---- smart large objects ----

TIfxSmartLobField::TIfxSmartLobField(const TIfxLibrary& lib, const TFieldDef& def, std::string caption)
    : TIfxNativeField(lib, def), caption_(std::move(caption)) {}

std::string TIfxSmartLobField::DisplayText() const {
    if (IsNull()) return caption_;
    std::string upper = caption_;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

std::string TIfxSmartLobField::AsString() const { return IsNull() ? std::string() : Value().AsBytes(); }

void TIfxSmartLobField::SetCache(TIfxLobCache* cache) {
    if (auto* lob = dynamic_cast<TIfxSmartLobValue*>(&RawValue())) lob->SetCache(cache);
}

// ---- choosing the class ----

std::unique_ptr<TField> CreateIfxField(const TIfxLibrary& lib, const TIfxFieldTypes& types, const TFieldDef& def) {
    using F = TFieldType;
    const int code = def.sqlType & SQLTYPE;
    if (types.NativeCharacter) {
        if (def.kind == F::ftString || def.kind == F::ftWideString) return std::make_unique<TIfxVarCharField>(lib, def);
        if (def.kind == F::ftFixedChar) return std::make_unique<TIfxCharField>(lib, def);
    }
    if (types.NativeNumeric) {
        switch (def.kind) {
        case F::ftSmallint: return std::make_unique<TIfxSmallIntField>(lib, def);
        case F::ftInteger: return std::make_unique<TIfxIntegerField>(lib, def);
        case F::ftAutoInc: return std::make_unique<TIfxSerialField>(lib, def);
        case F::ftFloat: return std::make_unique<TIfxFloatField>(lib, def);
        case F::ftLargeint: return std::make_unique<TIfxInt8Field>(lib, def);
        case F::ftBCD:
        case F::ftFMTBcd: return std::make_unique<TIfxDecimalField>(lib, def);
        case F::ftCurrency:
            // The money field reads the library's decimal; other currency columns stay ordinary.
            if (code == SQLMONEY || code == SQLDECIMAL) return std::make_unique<TIfxMoneyField>(lib, def);
            break;
        default: break;
        }
    }
    if (types.NativeTime) {
        if (def.kind == F::ftDate && code == SQLDATE) return std::make_unique<TIfxDateField>(lib, def);
        if (IsDateTimeKind(def.kind) && code == SQLDTIME) return std::make_unique<TIfxDateTimeField>(lib, def);
    }
    if (types.NativeSmartLob) {
        if (def.kind == F::ftSmartBlob) return std::make_unique<TIfxBlobField>(lib, def);
        if (def.kind == F::ftSmartClob) return std::make_unique<TIfxClobField>(lib, def);
    }
    return CreateOrdinaryField(def);
}

void LoadOrdinaryField(TField& field, const TIfxValue& source, bool trimStrings) {
    using F = TFieldType;
    if (source.IsNull()) return field.Clear();
    const F kind = field.DataType();
    if (IsStringKind(kind)) {
        std::string text = source.AsString();
        if (text.size() > static_cast<std::size_t>(field.Size())) text.resize(static_cast<std::size_t>(field.Size()));
        if (trimStrings)
            while (!text.empty() && text.back() == ' ') text.pop_back();
        return field.SetAsString(text);
    }
    switch (kind) {
    case F::ftSmallint:
    case F::ftInteger:
    case F::ftWord:
    case F::ftAutoInc:
    case F::ftLargeint: return field.SetAsLargeInt(source.AsLargeInt());
    case F::ftBoolean: return field.SetAsBoolean(source.AsBoolean());
    case F::ftFloat:
    case F::ftBCD:
    case F::ftFMTBcd: return field.SetAsFloat(source.AsFloat());
    case F::ftCurrency: return field.SetAsFloat(source.AsCurrency());
    case F::ftDate:
    case F::ftTime:
    case F::ftDateTime:
    case F::ftTimeStamp: return field.SetAsDateTime(source.AsDateTime());
    case F::ftBlob:
    case F::ftMemo:
    case F::ftGraphic:
    case F::ftFmtMemo:
    case F::ftTypedBinary: return field.SetAsString(source.AsBytes());
    default:
        throw EIfxAccessError(Format("Unsupported data type '%s'. Field '%s'",
                                     {IfxTypeName(source.Library(), source.SqlType(), 0), field.FieldName()}));
    }
}

}  // namespace varnok
