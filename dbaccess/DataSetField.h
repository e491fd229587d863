#pragma once
// Field objects of our data-set framework. A field reads and writes its own
// buffer inside the data set's active record (the current row, the row being
// edited, or the calculated area): it never holds a copy of the value.
//
// Buffer of an ordinary field: an 8-byte header whose first byte says "not
// null", then the value (int16/int32/int64/double/bool, or the characters of
// a string field with a terminating NUL).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "dbaccess/FieldDef.h"

namespace varnok {

class TDataSet;

enum class TFieldKind { fkData, fkCalculated };

// Days since 1899-12-30 with the time of day as the fraction.
using TDateTime = double;

class TField {
public:
    TField(std::string name, TFieldType type, int size = 0);
    virtual ~TField() = default;
    TField(const TField&) = delete;
    TField& operator=(const TField&) = delete;

    const std::string& FieldName() const { return name_; }
    TFieldType DataType() const { return type_; }
    int Size() const { return size_; }
    virtual void SetSize(int size) { size_ = size; }
    bool Required() const { return required_; }
    void SetRequired(bool v) { required_ = v; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v) { readOnly_ = v; }
    bool Visible() const { return visible_; }
    void SetVisible(bool v) { visible_ = v; }
    TFieldKind FieldKind() const { return fieldKind_; }
    void SetFieldKind(TFieldKind k) { fieldKind_ = k; }
    bool Calculated() const { return fieldKind_ == TFieldKind::fkCalculated; }
    int FieldNo() const { return fieldNo_; }
    TDataSet* DataSet() const { return dataSet_; }

    // Bytes this field takes in a record (header included).
    virtual std::size_t DataSize() const = 0;
    // Alignment the buffer needs inside a record.
    virtual std::size_t BufferAlignment() const { return 8; }
    // Offset of the field's buffer in its area (data or calculated).
    std::size_t Offset() const { return offset_; }
    // Makes buffer (this field's buffer in some record) hold a null.
    virtual void InitNull(char* buffer) const;
    // The same for a buffer that holds only zero bytes (a new record).
    virtual void InitNullOnZeroed(char* buffer) const { InitNull(buffer); }
    // Fields whose value lives outside the record (blob contents) free it
    // before the record goes, and give a copied record its own copy.
    virtual bool OwnsMemory() const { return false; }
    virtual void ReleaseBuffer(char* buffer) const { (void)buffer; }
    virtual void DuplicateBuffer(const char* from, char* to) const { (void)from, (void)to; }

    virtual bool IsNull() const;
    virtual void Clear();
    virtual std::string AsString() const = 0;
    virtual void SetAsString(const std::string& text) = 0;
    // Typed accessors; the base converts through the text.
    virtual std::int32_t AsInteger() const;
    virtual void SetAsInteger(std::int32_t v);
    virtual std::int64_t AsLargeInt() const;
    virtual void SetAsLargeInt(std::int64_t v);
    virtual double AsFloat() const;
    virtual void SetAsFloat(double v);
    virtual bool AsBoolean() const;
    virtual void SetAsBoolean(bool v);
    virtual TDateTime AsDateTime() const;
    virtual void SetAsDateTime(TDateTime v);

    // What a grid shows and what an editor starts from. Never raises: a
    // failure shows its message instead.
    virtual std::string DisplayText() const;
    virtual std::string EditText() const;
    // Stores what an editor that started from EditText hands back (a field
    // whose edit text adds characters takes them out again).
    virtual void SetEditText(const std::string& text) { SetAsString(text); }

    // The field's buffer inside a given record area (field managers copy
    // fetched values in with it).
    char* BufferIn(char* area) const { return area + offset_; }

protected:
    // The buffer in the data set's active record; null when there is none.
    char* ReadBuffer() const;
    // The same, after checking that the data set lets this field change.
    char* WriteBuffer();
    // Tells the data set (and its data links) that the value changed.
    void Changed();
    static bool HasValue(const char* buf) { return buf && buf[0] != 0; }
    static char* Payload(char* buf) { return buf + 8; }
    static const char* Payload(const char* buf) { return buf + 8; }
    [[noreturn]] void ConversionError(const char* target) const;

private:
    friend class TDataSet;
    std::string name_;
    TFieldType type_;
    int size_;
    bool required_ = false;
    bool readOnly_ = false;
    bool visible_ = true;
    TFieldKind fieldKind_ = TFieldKind::fkData;
    int fieldNo_ = 0;
    std::size_t offset_ = 0;
    TDataSet* dataSet_ = nullptr;
};

// Characters with a terminating NUL; values are cut to Size characters.
class TStringField : public TField {
public:
    explicit TStringField(std::string name, int size = 20, TFieldType type = TFieldType::ftString);
    std::size_t DataSize() const override { return 8 + static_cast<std::size_t>(Size()) + 1; }
    std::size_t BufferAlignment() const override { return 1; }
    void SetSize(int size) override;
    std::string AsString() const override;
    void SetAsString(const std::string& text) override;
};

// Whole numbers of 16, 32 or 64 bits share one class; the kind picks the width.
class TIntegerField : public TField {
public:
    explicit TIntegerField(std::string name, TFieldType type = TFieldType::ftInteger);
    std::size_t DataSize() const override { return 16; }
    std::string AsString() const override;
    void SetAsString(const std::string& text) override;
    std::int64_t AsLargeInt() const override;
    void SetAsLargeInt(std::int64_t v) override;
    std::int32_t AsInteger() const override { return static_cast<std::int32_t>(AsLargeInt()); }
    void SetAsInteger(std::int32_t v) override { SetAsLargeInt(v); }
    double AsFloat() const override { return static_cast<double>(AsLargeInt()); }
    void SetAsFloat(double v) override;

private:
    std::int64_t MinValue() const;
    std::int64_t MaxValue() const;
};

class TFloatField : public TField {
public:
    explicit TFloatField(std::string name, TFieldType type = TFieldType::ftFloat);
    std::size_t DataSize() const override { return 16; }
    std::string AsString() const override;
    void SetAsString(const std::string& text) override;
    double AsFloat() const override;
    void SetAsFloat(double v) override;
    std::int32_t AsInteger() const override { return static_cast<std::int32_t>(AsFloat()); }
    std::int64_t AsLargeInt() const override { return static_cast<std::int64_t>(AsFloat()); }
};

class TBooleanField : public TField {
public:
    explicit TBooleanField(std::string name);
    std::size_t DataSize() const override { return 16; }
    std::string AsString() const override;   // "t" / "f" / empty
    void SetAsString(const std::string& text) override;
    bool AsBoolean() const override;
    void SetAsBoolean(bool v) override;
};

// Date, time and date-time kinds: the value is a TDateTime.
class TDateTimeField : public TField {
public:
    explicit TDateTimeField(std::string name, TFieldType type = TFieldType::ftDateTime);
    std::size_t DataSize() const override { return 16; }
    std::string AsString() const override;   // "YYYY-MM-DD", "HH:MM:SS" or both
    void SetAsString(const std::string& text) override;
    TDateTime AsDateTime() const override;
    void SetAsDateTime(TDateTime v) override;
    double AsFloat() const override { return AsDateTime(); }
};

// Blob, memo and typed-binary kinds: bytes of any length, held outside the
// record (the record keeps the owner of the bytes).
class TBlobField : public TField {
public:
    explicit TBlobField(std::string name, TFieldType type = TFieldType::ftBlob);
    std::size_t DataSize() const override { return sizeof(std::unique_ptr<std::string>); }
    std::size_t BufferAlignment() const override { return alignof(std::unique_ptr<std::string>); }
    void InitNull(char* buffer) const override;
    bool OwnsMemory() const override { return true; }
    void ReleaseBuffer(char* buffer) const override;
    void DuplicateBuffer(const char* from, char* to) const override;
    bool IsNull() const override;
    void Clear() override;
    std::string AsString() const override;
    void SetAsString(const std::string& bytes) override;
    std::size_t BlobSize() const;
};

// The ordinary field class of a kind (string kinds sized by size).
std::unique_ptr<TField> CreateOrdinaryField(const TFieldDef& def);

// Calendar helpers of the framework's own TDateTime (proleptic Gregorian).
TDateTime EncodeDateTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int msec = 0);
void DecodeDateTime(TDateTime v, int& year, int& month, int& day, int& hour, int& minute, int& second, int& msec);

}  // namespace varnok
