#pragma once
// Field kinds and field definitions of our data-set framework. A field
// definition is what a data set knows about a column before it creates the
// field object: name, kind, size, precision, required.
#include <string>
#include <string_view>
#include <vector>

namespace varnok {

// The kinds a field can have. ftUnknown means "no kind" (the column gets no field).
enum class TFieldType {
    ftUnknown,
    ftString,
    ftSmallint,
    ftInteger,
    ftWord,
    ftBoolean,
    ftFloat,
    ftCurrency,
    ftBCD,
    ftDate,
    ftTime,
    ftDateTime,
    ftBytes,
    ftVarBytes,
    ftAutoInc,
    ftBlob,
    ftMemo,
    ftGraphic,
    ftFmtMemo,
    ftTypedBinary,
    ftFixedChar,
    ftWideString,
    ftLargeint,
    ftTimeStamp,
    ftFMTBcd,
    ftSmartBlob,
    ftSmartClob,
};

// "String", "Integer", … — used in messages.
const char* FieldTypeName(TFieldType type);

bool IsStringKind(TFieldType type);   // string, fixed char, wide string
bool IsBcdKind(TFieldType type);      // BCD, FMT BCD
bool IsDateTimeKind(TFieldType type); // date-time, time stamp

struct TFieldDef {
    std::string name;
    TFieldType kind = TFieldType::ftUnknown;
    int size = 0;
    int precision = 0;
    bool required = false;
    bool hidden = false;
    bool readOnly = false;
    int fieldNo = 0;       // 1-based position among the result columns
    // What the column was (so a native field can bind the library value).
    int sqlType = 0;
    int sqlLen = 0;
    int extendedId = 0;
};

class TFieldDefs {
public:
    // Index of the definition called name (ignoring case), or -1.
    int IndexOf(std::string_view name) const;
    // name, or name_1, name_2, … — the first one no definition uses yet.
    std::string UniqueName(const std::string& name) const;
    TFieldDef& Add(TFieldDef def);

    int Count() const { return static_cast<int>(defs_.size()); }
    const TFieldDef& operator[](int i) const { return defs_.at(static_cast<std::size_t>(i)); }
    TFieldDef& operator[](int i) { return defs_.at(static_cast<std::size_t>(i)); }
    void Clear() { defs_.clear(); }
    auto begin() const { return defs_.begin(); }
    auto end() const { return defs_.end(); }

private:
    std::vector<TFieldDef> defs_;
};

}  // namespace varnok
