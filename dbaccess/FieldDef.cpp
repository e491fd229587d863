#include "dbaccess/FieldDef.h"

#include "dbaccess/FormatText.h"
#include "dbaccess/TextUtils.h"

namespace varnok {

const char* FieldTypeName(TFieldType type) {
    switch (type) {
    case TFieldType::ftUnknown: return "Unknown";
    case TFieldType::ftString: return "String";
    case TFieldType::ftSmallint: return "SmallInt";
    case TFieldType::ftInteger: return "Integer";
    case TFieldType::ftWord: return "Word";
    case TFieldType::ftBoolean: return "Boolean";
    case TFieldType::ftFloat: return "Float";
    case TFieldType::ftCurrency: return "Currency";
    case TFieldType::ftBCD: return "BCD";
    case TFieldType::ftDate: return "Date";
    case TFieldType::ftTime: return "Time";
    case TFieldType::ftDateTime: return "DateTime";
    case TFieldType::ftBytes: return "Bytes";
    case TFieldType::ftVarBytes: return "VarBytes";
    case TFieldType::ftAutoInc: return "AutoInc";
    case TFieldType::ftBlob: return "Blob";
    case TFieldType::ftMemo: return "Memo";
    case TFieldType::ftGraphic: return "Graphic";
    case TFieldType::ftFmtMemo: return "FmtMemo";
    case TFieldType::ftTypedBinary: return "TypedBinary";
    case TFieldType::ftFixedChar: return "FixedChar";
    case TFieldType::ftWideString: return "WideString";
    case TFieldType::ftLargeint: return "LargeInt";
    case TFieldType::ftTimeStamp: return "TimeStamp";
    case TFieldType::ftFMTBcd: return "FMTBcd";
    case TFieldType::ftSmartBlob: return "SmartBlob";
    case TFieldType::ftSmartClob: return "SmartClob";
    }
    return "Unknown";
}

bool IsStringKind(TFieldType type) {
    return type == TFieldType::ftString || type == TFieldType::ftFixedChar || type == TFieldType::ftWideString;
}

bool IsBcdKind(TFieldType type) { return type == TFieldType::ftBCD || type == TFieldType::ftFMTBcd; }

bool IsDateTimeKind(TFieldType type) {
    return type == TFieldType::ftDateTime || type == TFieldType::ftTimeStamp;
}

int TFieldDefs::IndexOf(std::string_view name) const {
    for (std::size_t i = 0; i < defs_.size(); ++i)
        if (SameText(defs_[i].name, name)) return static_cast<int>(i);
    return -1;
}

std::string TFieldDefs::UniqueName(const std::string& name) const {
    std::string candidate = name;
    for (int n = 1; IndexOf(candidate) >= 0; ++n) candidate = Format("%s_%d", {name, n});
    return candidate;
}

TFieldDef& TFieldDefs::Add(TFieldDef def) {
    defs_.push_back(std::move(def));
    return defs_.back();
}

}  // namespace varnok
