#include "dbaccess/IfxFieldTypes.h"

#include "ifxesqlc.h"

namespace varnok {

using P = TIfxTypeProperty;
using F = TFieldType;

TIfxFieldTypes::TIfxFieldTypes() : TIfxComponent("TIfxFieldTypes") {
    const std::pair<P, F> defaults[] = {
        {P::TypeChar, F::ftFixedChar},       {P::TypeSmallInt, F::ftSmallint},
        {P::TypeInt, F::ftInteger},          {P::TypeFloat, F::ftFloat},
        {P::TypeSmallFloat, F::ftFloat},     {P::TypeDecimal, F::ftFloat},
        {P::TypeSerial, F::ftInteger},       {P::TypeDate, F::ftDate},
        {P::TypeMoney, F::ftCurrency},       {P::TypeByte, F::ftBlob},
        {P::TypeDateTimeFull, F::ftDateTime}, {P::TypeDateTimeOnlyDate, F::ftDateTime},
        {P::TypeDateTimeOnlyTime, F::ftDateTime}, {P::TypeText, F::ftMemo},
        {P::TypeVarChar, F::ftString},       {P::TypeInterval, F::ftString},
        {P::TypeNChar, F::ftFixedChar},      {P::TypeNVarChar, F::ftString},
        {P::TypeInt8, F::ftLargeint},        {P::TypeSerial8, F::ftLargeint},
        {P::TypeLVarChar, F::ftString},      {P::TypeBoolean, F::ftBoolean},
        {P::TypeBlob, F::ftSmartBlob},       {P::TypeClob, F::ftSmartClob},
        {P::TypeOpaque, F::ftTypedBinary},
    };
    for (auto [p, k] : defaults) SetKind(p, k);
}

TFieldType TIfxFieldTypes::TableKind(int code) const {
    switch (code) {
    case SQLCHAR: return Kind(P::TypeChar);
    case SQLSMINT: return Kind(P::TypeSmallInt);
    case SQLINT: return Kind(P::TypeInt);
    case SQLFLOAT: return Kind(P::TypeFloat);
    case SQLSMFLOAT: return Kind(P::TypeSmallFloat);
    case SQLDECIMAL: return Kind(P::TypeDecimal);
    case SQLSERIAL: return Kind(P::TypeSerial);
    case SQLDATE: return Kind(P::TypeDate);
    case SQLMONEY: return Kind(P::TypeMoney);
    case SQLDTIME: return Kind(P::TypeDateTimeFull);
    case SQLBYTES: return Kind(P::TypeByte);
    case SQLTEXT: return Kind(P::TypeText);
    case SQLVCHAR: return Kind(P::TypeVarChar);
    case SQLINTERVAL: return Kind(P::TypeInterval);
    case SQLNCHAR: return Kind(P::TypeNChar);
    case SQLNVCHAR: return Kind(P::TypeNVarChar);
    case SQLINT8: return Kind(P::TypeInt8);
    case SQLSERIAL8: return Kind(P::TypeSerial8);
    case SQLSET: case SQLMULTISET: case SQLLIST: case SQLROW: case SQLCOLLECTION:
    case SQLUDTVAR: case SQLUDTFIXED:
        return F::ftTypedBinary;
    case SQLLVARCHAR: return Kind(P::TypeLVarChar);
    case SQLBOOL: return Kind(P::TypeBoolean);
    default: return F::ftUnknown;
    }
}

TFieldType TIfxFieldTypes::ColumnKind(int sqlType, int sqlLen, int extendedId) const {
    const int code = sqlType & SQLTYPE;
    if (code == kIfxOpaqueHolderType) return Kind(P::TypeOpaque);
    // BIGINT and BIGSERIAL lie beyond the 49-entry table: they are the 64-bit
    // whole numbers of INT8 and SERIAL8 in another storage form and are read
    // through the INT8 value, so they take those kinds.
    if (code == SQLINFXBIGINT) return Kind(P::TypeInt8);
    if (code == SQLBIGSERIAL) return Kind(P::TypeSerial8);
    if (code >= kIfxKindTableSize) return F::ftUnknown;
    if (code == SQLDTIME) {
        if (TU_START(sqlLen) > TU_DAY) return Kind(P::TypeDateTimeOnlyTime);
        if (TU_END(sqlLen) > 5) return Kind(P::TypeDateTimeFull);   // ends at hour or later
        return Kind(P::TypeDateTimeOnlyDate);
    }
    switch (extendedId) {
    case XID_LVARCHAR: return Kind(P::TypeLVarChar);
    case XID_BOOLEAN: return Kind(P::TypeBoolean);
    case XID_BLOB: return Kind(P::TypeBlob);
    case XID_CLOB: return Kind(P::TypeClob);
    default: break;
    }
    TFieldType kind = TableKind(code);
    // With native numerics a DECIMAL shows every digit through a decimal field
    // instead of a float, and MONEY keeps its currency field of the column's length.
    if (NativeNumeric && code == SQLDECIMAL && kind == F::ftFloat) kind = F::ftBCD;
    return kind;
}

namespace {

bool IsCharacterCode(int code, int extendedId) {
    return code == SQLCHAR || code == SQLVCHAR || code == SQLNCHAR || code == SQLNVCHAR || code == SQLLVARCHAR ||
           extendedId == XID_LVARCHAR;
}

}  // namespace

TFieldDef& TIfxFieldTypes::AddFieldDef(TFieldDefs& defs, int fieldNo, int extendedId, int sqlLen, int sqlType,
                                       const std::string& columnName) const {
    const int code = sqlType & SQLTYPE;
    const bool decimalColumn = code == SQLDECIMAL || code == SQLMONEY;
    TFieldDef def;
    def.name = defs.UniqueName(columnName);
    def.kind = ColumnKind(sqlType, sqlLen, extendedId);
    def.fieldNo = fieldNo;
    def.sqlType = sqlType;
    def.sqlLen = sqlLen;
    def.extendedId = extendedId;

    if (IsStringKind(def.kind)) {
        if (code == SQLINTERVAL) {
            def.size = 25;
        } else if (IsCharacterCode(code, extendedId)) {
            // VARCHAR lengths carry the minimum in the high byte; the size is the maximum.
            def.size = code == SQLVCHAR || code == SQLNVCHAR ? (sqlLen & 0xff) : sqlLen;
            // A string field must have a size: an LVARCHAR without one holds 2048.
            if (def.size <= 0) def.size = code == SQLLVARCHAR || extendedId == XID_LVARCHAR ? SIZLVARCHAR : 1;
        }
    } else if (def.kind == F::ftCurrency) {
        def.size = decimalColumn && NativeNumeric ? sqlLen : 0;
    } else if (IsBcdKind(def.kind)) {
        if (decimalColumn) {
            if (NativeNumeric) {
                def.size = sqlLen;
                def.precision = PRECTOT(sqlLen);
            } else if (PRECDEC(sqlLen) == DECFLOATSCALE) {
                def.precision = 64;
                def.size = 32;
            } else {
                def.precision = PRECTOT(sqlLen);
                def.size = PRECDEC(sqlLen);
            }
        }
    } else if (IsDateTimeKind(def.kind)) {
        def.size = code == SQLDTIME && NativeTime ? sqlLen : 0;
    }
    // A serial column left empty takes the server's next number.
    def.required = (sqlType & SQLNONULL) != 0 && code != SQLSERIAL && code != SQLSERIAL8 && code != SQLBIGSERIAL &&
                   code != SQLREFSER8;
    return defs.Add(std::move(def));
}

TIfxFieldTypes& DefaultIfxFieldTypes() {
    static TIfxFieldTypes instance;
    return instance;
}

}  // namespace varnok
