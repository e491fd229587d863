#pragma once
// The value objects of the access layer: one class per Informix type, each a
// view over a column buffer in the client library's own representation (the
// sqldata of a descriptor entry, or a field's buffer in a cached row) and its
// null indicator. Every conversion and every text goes through the library's
// routines (dectoasc, rfmtdec, rdatestr, dttoasc, intoasc, ifx_int8toasc, …);
// a conversion a type does not offer raises "Invalid data conversion '%s'".
//
// Reading a null gives empty text, zero or false (the null value of any type).
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "dbaccess/DataSetField.h"
#include "dbaccess/IfxCheck.h"
#include "dbaccess/IfxLibrary.h"

namespace varnok {

// Smart-large-object contents already read, by handle (CacheBlobs).
class TIfxLobCache {
public:
    const std::string* Find(const ifx_lo_t& handle) const;
    void Store(const ifx_lo_t& handle, std::string content);
    void Clear() { contents_.clear(); }
    std::size_t Count() const { return contents_.size(); }

private:
    std::map<std::string, std::string> contents_;
};

class TIfxValue {
public:
    TIfxValue(const TIfxLibrary& lib, int sqlType, int sqlLen, std::string columnName = {});
    virtual ~TIfxValue() = default;
    TIfxValue(const TIfxValue&) = delete;
    TIfxValue& operator=(const TIfxValue&) = delete;

    // Points the value at a buffer of BufferSize() bytes and its indicator
    // (indicator may be null: the buffer's own null marker decides then).
    void Bind(char* data, int2* indicator) {
        data_ = data;
        indicator_ = indicator;
    }
    char* Data() const { return data_; }
    int2* Indicator() const { return indicator_; }
    int SqlType() const { return sqlType_ & SQLTYPE; }
    int SqlLen() const { return sqlLen_; }
    const std::string& ColumnName() const { return columnName_; }
    const TIfxLibrary& Library() const { return lib_; }
    // Bytes of the library representation this value reads, and their alignment.
    virtual std::size_t BufferSize() const = 0;
    virtual std::size_t BufferAlignment() const { return 2; }

    bool IsNull() const;
    void SetNull();
    // Gives back what the library allocated for the current row (locator buffers).
    virtual void ReleaseRowResources() {}
    // Readies the buffer for the next fetch: the previous row's allocations
    // go back, and a value the library allocates is set up for it.
    virtual void PrepareForFetch() { ReleaseRowResources(); }

    // ---- reading ----
    std::string AsString() const;
    std::string FormattedText(const std::string& format) const;
    std::int16_t AsSmallInt() const;
    std::int32_t AsInteger() const;
    std::int64_t AsLargeInt() const;
    double AsFloat() const;
    float AsSmallFloat() const;
    double AsCurrency() const;
    dec_t AsDecimal() const;
    ifx_int8_t AsInt8() const;
    bool AsBoolean() const;
    int4 AsDate() const;         // Informix day number (1899-12-31 is 0)
    TDateTime AsDateTime() const;
    dtime_t AsDTime() const;
    intrvl_t AsInterval() const;
    std::string AsBytes() const;

    // ---- writing (each marks the value not null) ----
    void SetAsString(const std::string& text);
    void SetAsSmallInt(std::int16_t v);
    void SetAsInteger(std::int32_t v);
    void SetAsLargeInt(std::int64_t v);
    void SetAsFloat(double v);
    void SetAsSmallFloat(float v);
    void SetAsCurrency(double v);
    void SetAsDecimal(const dec_t& v);
    void SetAsInt8(const ifx_int8_t& v);
    void SetAsBoolean(bool v);
    void SetAsDate(int4 day);
    void SetAsDateTime(TDateTime v);
    void SetAsDTime(const dtime_t& v);
    void SetAsInterval(const intrvl_t& v);
    void SetAsBytes(const std::string& bytes);

protected:
    // The C host type the library's risnull/rsetnull know the buffer by.
    virtual int CType() const = 0;
    // The buffer's own null marker; asked when no indicator is bound, and
    // also with one when BufferMarksNull (a locator's own indicator).
    virtual bool GetIsNull() const;
    virtual bool BufferMarksNull() const { return false; }

    // Per-type conversions; the defaults raise the conversion error.
    virtual std::string GetString() const;
    virtual std::string GetFormatted(const std::string& format) const;
    virtual std::int64_t GetLargeInt() const;
    virtual double GetFloat() const;
    virtual dec_t GetDecimal() const;
    virtual ifx_int8_t GetInt8() const;
    virtual bool GetBoolean() const;
    virtual int4 GetDate() const;
    virtual TDateTime GetDateTime() const;
    virtual dtime_t GetDTime() const;
    virtual intrvl_t GetInterval() const;
    virtual std::string GetBytes() const;

    virtual void PutString(const std::string& text);
    virtual void PutLargeInt(std::int64_t v);
    virtual void PutFloat(double v);
    virtual void PutDecimal(const dec_t& v);
    virtual void PutInt8(const ifx_int8_t& v);
    virtual void PutBoolean(bool v);
    virtual void PutDate(int4 day);
    virtual void PutDateTime(TDateTime v);
    virtual void PutDTime(const dtime_t& v);
    virtual void PutInterval(const intrvl_t& v);
    virtual void PutBytes(const std::string& bytes);

    // Every library result goes through the single error check.
    int Check(int result) const { return CheckResult(lib_, result); }
    // Run a per-type conversion; a type without it raises the conversion error
    // naming target.
    template <typename TFn>
    auto Reading(const char* target, TFn fn) const -> decltype(fn());
    template <typename TFn>
    void Writing(const char* target, TFn fn);
    [[noreturn]] void ReadError(const char* target) const;
    // A value the conversion cannot take (text that is no number): the
    // accessor the caller used names the target.
    [[noreturn]] static void NoConversion();
    [[noreturn]] void WriteError(const char* target) const;
    char* Buffer() const;
    void MarkNotNull();

    const TIfxLibrary& lib_;

private:
    int sqlType_;
    int sqlLen_;
    std::string columnName_;
    char* data_ = nullptr;
    int2* indicator_ = nullptr;
};

// ---- character types ----
class TIfxCharValue : public TIfxValue {
public:
    using TIfxValue::TIfxValue;
    std::size_t BufferSize() const override { return Capacity() + 1; }
    std::size_t BufferAlignment() const override { return 1; }
    // Characters the column holds (VARCHAR: the maximum in the low byte).
    std::size_t Capacity() const;

protected:
    int CType() const override { return CCHARTYPE; }
    std::string GetString() const override;
    std::int64_t GetLargeInt() const override;
    double GetFloat() const override;
    dec_t GetDecimal() const override;
    bool GetBoolean() const override;
    std::string GetBytes() const override { return GetString(); }
    void PutString(const std::string& text) override;
    void PutLargeInt(std::int64_t v) override { PutString(std::to_string(v)); }
    void PutFloat(double v) override;
    void PutDecimal(const dec_t& v) override;
    void PutBoolean(bool v) override { PutString(v ? "t" : "f"); }
    void PutBytes(const std::string& bytes) override { PutString(bytes); }
};
class TIfxVarCharValue : public TIfxCharValue { using TIfxCharValue::TIfxCharValue; };
class TIfxNCharValue : public TIfxCharValue { using TIfxCharValue::TIfxCharValue; };
class TIfxNVarCharValue : public TIfxCharValue { using TIfxCharValue::TIfxCharValue; };
class TIfxLVarCharValue : public TIfxCharValue { using TIfxCharValue::TIfxCharValue; };

// ---- whole numbers (SMALLINT, INTEGER and SERIAL) ----
class TIfxIntegerValue : public TIfxValue {
public:
    using TIfxValue::TIfxValue;
    std::size_t BufferSize() const override { return Small() ? sizeof(int2) : sizeof(int4); }
    std::size_t BufferAlignment() const override { return BufferSize(); }

protected:
    bool Small() const { return SqlType() == SQLSMINT; }
    int CType() const override { return Small() ? CSHORTTYPE : CINTTYPE; }
    std::string GetString() const override { return std::to_string(GetLargeInt()); }
    std::string GetFormatted(const std::string& format) const override;
    std::int64_t GetLargeInt() const override;
    double GetFloat() const override { return static_cast<double>(GetLargeInt()); }
    dec_t GetDecimal() const override;
    ifx_int8_t GetInt8() const override;
    bool GetBoolean() const override { return GetLargeInt() != 0; }
    void PutString(const std::string& text) override;
    void PutLargeInt(std::int64_t v) override;
    void PutFloat(double v) override;
    void PutDecimal(const dec_t& v) override;
    void PutInt8(const ifx_int8_t& v) override;
    void PutBoolean(bool v) override { PutLargeInt(v ? 1 : 0); }
};
class TIfxSmallIntValue : public TIfxIntegerValue { using TIfxIntegerValue::TIfxIntegerValue; };

// ---- FLOAT and SMALLFLOAT ----
class TIfxFloatValue : public TIfxValue {
public:
    using TIfxValue::TIfxValue;
    std::size_t BufferSize() const override { return Small() ? sizeof(float) : sizeof(double); }
    std::size_t BufferAlignment() const override { return BufferSize(); }

protected:
    bool Small() const { return SqlType() == SQLSMFLOAT; }
    int CType() const override { return Small() ? CFLOATTYPE : CDOUBLETYPE; }
    std::string GetString() const override;
    std::string GetFormatted(const std::string& format) const override;
    std::int64_t GetLargeInt() const override;
    double GetFloat() const override;
    dec_t GetDecimal() const override;
    void PutString(const std::string& text) override;
    void PutLargeInt(std::int64_t v) override { PutFloat(static_cast<double>(v)); }
    void PutFloat(double v) override;
    void PutDecimal(const dec_t& v) override;
};
class TIfxSmallFloatValue : public TIfxFloatValue { using TIfxFloatValue::TIfxFloatValue; };

// ---- DECIMAL and MONEY ----
class TIfxDecimalValue : public TIfxValue {
public:
    using TIfxValue::TIfxValue;
    std::size_t BufferSize() const override { return sizeof(dec_t); }

protected:
    int CType() const override { return SqlType() == SQLMONEY ? CMONEYTYPE : CDECIMALTYPE; }
    std::string GetString() const override;
    std::string GetFormatted(const std::string& format) const override;
    std::int64_t GetLargeInt() const override;
    double GetFloat() const override;
    dec_t GetDecimal() const override;
    ifx_int8_t GetInt8() const override;
    bool GetBoolean() const override;
    void PutString(const std::string& text) override;
    void PutLargeInt(std::int64_t v) override;
    void PutFloat(double v) override;
    void PutDecimal(const dec_t& v) override;
    void PutInt8(const ifx_int8_t& v) override;
    void PutBoolean(bool v) override { PutLargeInt(v ? 1 : 0); }
};
class TIfxMoneyValue : public TIfxDecimalValue { using TIfxDecimalValue::TIfxDecimalValue; };

// ---- INT8 and SERIAL8 (and BIGINT and BIGSERIAL, read in the int8 form) ----
class TIfxInt8Value : public TIfxValue {
public:
    using TIfxValue::TIfxValue;
    std::size_t BufferSize() const override { return sizeof(ifx_int8_t); }
    std::size_t BufferAlignment() const override { return alignof(ifx_int8_t); }

protected:
    int CType() const override { return CINT8TYPE; }
    std::string GetString() const override;
    std::string GetFormatted(const std::string& format) const override;
    std::int64_t GetLargeInt() const override;
    double GetFloat() const override;
    dec_t GetDecimal() const override;
    ifx_int8_t GetInt8() const override;
    bool GetBoolean() const override { return GetLargeInt() != 0; }
    void PutString(const std::string& text) override;
    void PutLargeInt(std::int64_t v) override { PutString(std::to_string(v)); }
    void PutFloat(double v) override;
    void PutDecimal(const dec_t& v) override;
    void PutInt8(const ifx_int8_t& v) override;
    void PutBoolean(bool v) override { PutLargeInt(v ? 1 : 0); }
};

// ---- BOOLEAN ----
class TIfxBooleanValue : public TIfxValue {
public:
    using TIfxValue::TIfxValue;
    std::size_t BufferSize() const override { return 2; }
    std::size_t BufferAlignment() const override { return 1; }

protected:
    int CType() const override { return CBOOLTYPE; }
    std::string GetString() const override { return GetBoolean() ? "t" : "f"; }
    std::int64_t GetLargeInt() const override { return GetBoolean() ? 1 : 0; }
    bool GetBoolean() const override;
    void PutString(const std::string& text) override;
    void PutLargeInt(std::int64_t v) override { PutBoolean(v != 0); }
    void PutBoolean(bool v) override;
};

// ---- DATE, DATETIME, INTERVAL ----
class TIfxDateValue : public TIfxValue {
public:
    using TIfxValue::TIfxValue;
    std::size_t BufferSize() const override { return sizeof(int4); }
    std::size_t BufferAlignment() const override { return alignof(int4); }

protected:
    int CType() const override { return CDATETYPE; }
    std::string GetString() const override;
    std::string GetFormatted(const std::string& format) const override;
    std::int64_t GetLargeInt() const override { return GetDate(); }
    int4 GetDate() const override;
    TDateTime GetDateTime() const override;
    void PutString(const std::string& text) override;
    void PutDate(int4 day) override;
    void PutDateTime(TDateTime v) override;
};

class TIfxDTimeValue : public TIfxValue {
public:
    using TIfxValue::TIfxValue;
    std::size_t BufferSize() const override { return sizeof(dtime_t); }

protected:
    int CType() const override { return CDTIMETYPE; }
    std::string GetString() const override;
    std::string GetFormatted(const std::string& format) const override;
    TDateTime GetDateTime() const override;
    dtime_t GetDTime() const override;
    void PutString(const std::string& text) override;
    void PutDateTime(TDateTime v) override;
    void PutDTime(const dtime_t& v) override;
    void PutDate(int4 day) override;
};

class TIfxIntervalValue : public TIfxValue {
public:
    using TIfxValue::TIfxValue;
    std::size_t BufferSize() const override { return sizeof(intrvl_t); }

protected:
    int CType() const override { return CINVTYPE; }
    std::string GetString() const override;
    std::string GetFormatted(const std::string& format) const override;
    intrvl_t GetInterval() const override;
    void PutString(const std::string& text) override;
    void PutInterval(const intrvl_t& v) override;
};

// ---- BYTE and TEXT, fetched into memory through a locator ----
class TIfxLocatorValue : public TIfxValue {
public:
    using TIfxValue::TIfxValue;
    std::size_t BufferSize() const override { return sizeof(loc_t); }
    std::size_t BufferAlignment() const override { return alignof(loc_t); }
    // Sets the locator up for a fetch into memory that the library allocates.
    void PrepareForFetch() override;
    void ReleaseRowResources() override;

protected:
    int CType() const override { return CLOCATORTYPE; }
    bool GetIsNull() const override;
    bool BufferMarksNull() const override { return true; }
    std::string GetString() const override { return GetBytes(); }
    std::string GetBytes() const override;
    void PutString(const std::string& text) override { PutBytes(text); }
    void PutBytes(const std::string& bytes) override;

private:
    std::string owned_;   // what a written locator points at
};

// ---- BLOB and CLOB (smart large objects, read on demand) ----
class TIfxSmartLobValue : public TIfxValue {
public:
    using TIfxValue::TIfxValue;
    std::size_t BufferSize() const override { return sizeof(ifx_lo_t); }
    std::size_t BufferAlignment() const override { return 1; }
    // With CacheBlobs the owner passes its cache: a content is read once per row.
    void SetCache(TIfxLobCache* cache) { cache_ = cache; }

protected:
    int CType() const override { return CLOCATORTYPE; }
    bool GetIsNull() const override;
    std::string GetString() const override { return GetBytes(); }
    std::string GetBytes() const override;

private:
    std::string ReadContent(const ifx_lo_t& handle) const;
    TIfxLobCache* cache_ = nullptr;
};
class TIfxBlobValue : public TIfxSmartLobValue { using TIfxSmartLobValue::TIfxSmartLobValue; };
class TIfxClobValue : public TIfxSmartLobValue { using TIfxSmartLobValue::TIfxSmartLobValue; };

// ---- opaque values held in a variable-length holder (code 124) ----
class TIfxOpaqueValue : public TIfxValue {
public:
    using TIfxValue::TIfxValue;
    std::size_t BufferSize() const override { return sizeof(void*); }
    std::size_t BufferAlignment() const override { return alignof(void*); }
    // Gives the holder back to the library (ifx_var_freevar when present).
    void ReleaseRowResources() override;
    // A fresh holder whose data the library allocates as long as the value is.
    void PrepareForFetch() override;

protected:
    int CType() const override { return CLVCHARPTRTYPE; }
    bool GetIsNull() const override;
    std::string GetString() const override { return GetBytes(); }
    std::string GetBytes() const override;
    void PutString(const std::string& text) override { PutBytes(text); }
    void PutBytes(const std::string& bytes) override;
};

// ---- the null of any type ----
class TIfxNullValue : public TIfxValue {
public:
    TIfxNullValue(const TIfxLibrary& lib) : TIfxValue(lib, SQLNULL, 0) {}
    std::size_t BufferSize() const override { return 0; }

protected:
    int CType() const override { return CCHARTYPE; }
    bool GetIsNull() const override { return true; }
};

// ---- choosing the class ----

// The name of a column type in messages: rtypname, except the four built-in
// opaque types named by their extended id.
std::string IfxTypeName(const TIfxLibrary& lib, int sqlType, int extendedId);
// The value class of a column; "Unsupported data type '%s'. Field '%s'" for
// any other type. Collections, rows and user-defined types are read as text:
// through an opaque holder (code 124, any length) when the library has
// ifx_var_freevar, else as lvarchar of 2048 bytes.
std::unique_ptr<TIfxValue> CreateIfxValue(const TIfxLibrary& lib, int sqlType, int sqlLen, int extendedId,
                                          const std::string& columnName);
// An opaque holder needs ifx_var_freevar ("Data type in '%s' requires Informix
// 2.80 or later connectivity software" without it).
void CheckOpaqueSupport(const TIfxLibrary& lib, const std::string& columnName);

}  // namespace varnok
