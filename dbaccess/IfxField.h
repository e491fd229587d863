#pragma once
// The native field classes: fields whose row buffer holds the client
// library's own representation of the value, read and written through a
// value object (IfxValue.h) bound to the buffer in place — no converted copy,
// no loss of digits or fractions.
//
// Buffer of a native field: the int2 indicator, then the value at its own
// alignment — an INTEGER takes 8 bytes of a row, a SMALLINT 4.
#include <algorithm>
#include <memory>
#include <string>

#include "dbaccess/DataSetField.h"
#include "dbaccess/IfxFieldTypes.h"
#include "dbaccess/IfxValue.h"

namespace varnok {

enum class TIfxTimeUnit { tuYear, tuMonth, tuDay, tuHour, tuMinute, tuSecond, tuFrac1, tuFrac2, tuFrac3, tuFrac4, tuFrac5 };

// tuYear…tuSecond are codes 0,2,…,10; tuFrac1…tuFrac5 are 11…15; and back.
int TimeUnitCode(TIfxTimeUnit unit);
TIfxTimeUnit TimeUnitOfCode(int code);

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

class TIfxNativeField : public TField {
public:
    TIfxNativeField(const TIfxLibrary& lib, const TFieldDef& def);

    std::size_t DataSize() const override { return ValueOffset() + value_->BufferSize(); }
    std::size_t BufferAlignment() const override { return ValueOffset(); }
    void InitNull(char* buffer) const override;
    void InitNullOnZeroed(char* buffer) const override;
    bool IsNull() const override;
    void Clear() override;
    std::string AsString() const override;
    void SetAsString(const std::string& text) override;
    std::int32_t AsInteger() const override;
    void SetAsInteger(std::int32_t v) override;
    std::int64_t AsLargeInt() const override;
    void SetAsLargeInt(std::int64_t v) override;
    double AsFloat() const override;
    void SetAsFloat(double v) override;
    bool AsBoolean() const override;
    void SetAsBoolean(bool v) override;
    TDateTime AsDateTime() const override;
    void SetAsDateTime(TDateTime v) override;

    // The value object bound to the active record (reading).
    const TIfxValue& Value() const;
    int SqlType() const { return sqlType_; }
    int SqlLen() const { return sqlLen_; }

    // Field manager: copies a fetched value (a statement's value object of the
    // same type) into this field's buffer of the active record; with
    // trimStrings, character values lose their trailing blanks.
    void LoadFrom(const TIfxValue& source, bool trimStrings);
    // The same into `buffer`, this field's bytes in a record being fetched
    // (the caller has found the record and knows it may be written).
    void LoadInto(char* buffer, const TIfxValue& source, bool trimStrings) const;

protected:
    // The value object bound to the active record, after the write checks.
    TIfxValue& WritableValue();
    template <typename TFn>
    void Write(TFn fn);
    // The value object itself, unbound (for settings such as the blob cache).
    TIfxValue& RawValue() const { return *value_; }

private:
    void BindTo(char* buffer) const;
    std::size_t ValueOffset() const { return std::max<std::size_t>(sizeof(int2), value_->BufferAlignment()); }
    std::unique_ptr<TIfxValue> value_;
    int sqlType_;
    int sqlLen_;
    bool isChar_;  // character values: trimmed on load when asked
    // The record layout of the value, fixed with the value object.
    std::size_t valueOffset_;
    std::size_t valueSize_;
};

// Character fields: Size (default 20) and EditMask, which shapes the edit
// text only (the display text stays the plain value).
class TIfxStringField : public TIfxNativeField {
public:
    TIfxStringField(const TIfxLibrary& lib, const TFieldDef& def);
    void SetSize(int size) override;
    const std::string& EditMask() const { return editMask_; }
    void SetEditMask(std::string mask) { editMask_ = std::move(mask); }
    // The value laid out by EditMask (see EditMask.h).
    std::string EditText() const override;
    // Without saved literals the mask's literals are taken out again; the
    // edit text handed back unchanged leaves the value as it is.
    void SetEditText(const std::string& text) override;

private:
    std::string editMask_;
};
class TIfxCharField : public TIfxStringField { using TIfxStringField::TIfxStringField; };
class TIfxVarCharField : public TIfxStringField { using TIfxStringField::TIfxStringField; };

// Fields with display and edit formats in the library's format language.
class TIfxFormatableField : public TIfxNativeField {
public:
    using TIfxNativeField::TIfxNativeField;
    const std::string& DisplayFormat() const { return displayFormat_; }
    void SetDisplayFormat(std::string f) { displayFormat_ = std::move(f); }
    const std::string& EditFormat() const { return editFormat_; }
    void SetEditFormat(std::string f) { editFormat_ = std::move(f); }
    // DisplayFormat, else the plain text; a failure shows its message.
    std::string DisplayText() const override;
    // EditFormat, else DisplayFormat, else the plain text.
    std::string EditText() const override;

private:
    std::string TextWith(const std::string& format) const;
    std::string displayFormat_;
    std::string editFormat_;
};

class TIfxNumericField : public TIfxFormatableField {
public:
    using TIfxFormatableField::TIfxFormatableField;
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a) { alignment_ = a; }

private:
    TAlignment alignment_ = TAlignment::taRightJustify;
};
class TIfxSmallIntField : public TIfxNumericField { using TIfxNumericField::TIfxNumericField; };
class TIfxIntegerField : public TIfxNumericField { using TIfxNumericField::TIfxNumericField; };
class TIfxSerialField : public TIfxIntegerField { using TIfxIntegerField::TIfxIntegerField; };
class TIfxInt8Field : public TIfxNumericField { using TIfxNumericField::TIfxNumericField; };
class TIfxFloatField : public TIfxNumericField { using TIfxNumericField::TIfxNumericField; };

class TIfxDecimalField : public TIfxNumericField {
public:
    TIfxDecimalField(const TIfxLibrary& lib, const TFieldDef& def);
    int Precision() const { return precision_; }
    // 1…32 digits ("Invalid field precision %d").
    void SetPrecision(int precision);
    int Scale() const { return scale_; }
    // 0…precision, or 255 for a floating decimal ("Invalid field scale %d").
    void SetScale(int scale);
    // Without a format, a fixed-scale decimal shows Scale decimals (11.40,
    // not the library's shortest 11.4), as a column of figures should.
    std::string DisplayText() const override;
    std::string EditText() const override;

private:
    std::string WithScale(std::string text) const;
    int precision_;
    int scale_;
};

class TIfxMoneyField : public TIfxDecimalField {
public:
    static constexpr const char* kDefaultDisplayFormat = "$<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<.## @";
    static constexpr const char* kDefaultEditFormat = "<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<.##";
    TIfxMoneyField(const TIfxLibrary& lib, const TFieldDef& def);
};

class TIfxDateField : public TIfxFormatableField { using TIfxFormatableField::TIfxFormatableField; };

class TIfxTimeField : public TIfxFormatableField {
public:
    TIfxTimeField(const TIfxLibrary& lib, const TFieldDef& def, TIfxTimeUnit first, TIfxTimeUnit last);
    TIfxTimeUnit FirstUnit() const { return first_; }
    TIfxTimeUnit LastUnit() const { return last_; }
    // "Invalid field time unit"; "First time unit cannot be lower then last".
    void SetFirstUnit(TIfxTimeUnit unit);
    void SetLastUnit(TIfxTimeUnit unit);

private:
    static void CheckUnit(TIfxTimeUnit unit);
    TIfxTimeUnit first_;
    TIfxTimeUnit last_;
};
class TIfxDateTimeField : public TIfxTimeField {
public:
    // The qualifier of the column, else year to fraction(3).
    TIfxDateTimeField(const TIfxLibrary& lib, const TFieldDef& def);
};

// Smart large objects show a caption: "(IfxBlob)" / "(IfxClob)", upper case
// when the value is not null.
class TIfxSmartLobField : public TIfxNativeField {
public:
    TIfxSmartLobField(const TIfxLibrary& lib, const TFieldDef& def, std::string caption);
    std::string DisplayText() const override;
    // The content, read through the large-object routines (CacheBlobs: once per row).
    std::string AsString() const override;
    void SetCache(TIfxLobCache* cache);

private:
    std::string caption_;
};
class TIfxBlobField : public TIfxSmartLobField {
public:
    TIfxBlobField(const TIfxLibrary& lib, const TFieldDef& def) : TIfxSmartLobField(lib, def, "(IfxBlob)") {}
};
class TIfxClobField : public TIfxSmartLobField {
public:
    TIfxClobField(const TIfxLibrary& lib, const TFieldDef& def) : TIfxSmartLobField(lib, def, "(IfxClob)") {}
};

// The field class of a definition under types' native switches: a native
// class when its switch is on, else the ordinary class of the kind (null for
// kinds without one, such as BYTE/TEXT blobs, which the data set manages).
std::unique_ptr<TField> CreateIfxField(const TIfxLibrary& lib, const TIfxFieldTypes& types, const TFieldDef& def);

// Reading into an ordinary field (native switches off): string kinds take the
// display text cut to the field size (trailing blanks removed with
// trimStrings); numbers, booleans and currency the converted number; dates,
// times and date-times their TDateTime; blob, memo and typed-binary kinds the
// bytes (BYTE/TEXT as the locator says); other kinds raise "Unsupported data
// type '%s'. Field '%s'".
void LoadOrdinaryField(TField& field, const TIfxValue& source, bool trimStrings);

}  // namespace varnok
