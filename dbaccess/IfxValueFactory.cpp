// Choosing the value class of a column, and the type names of messages.
#include "dbaccess/FormatText.h"
#include "dbaccess/IfxFieldTypes.h"
#include "dbaccess/IfxValue.h"

namespace varnok {

std::string IfxTypeName(const TIfxLibrary& lib, int sqlType, int extendedId) {
    switch (extendedId) {
    case XID_LVARCHAR: return "lvarchar";
    case XID_BOOLEAN: return "boolean";
    case XID_BLOB: return "blob";
    case XID_CLOB: return "clob";
    default: break;
    }
    const char* name = lib.rtypname(sqlType & SQLTYPE);
    return name ? name : "";
}

void CheckOpaqueSupport(const TIfxLibrary& lib, const std::string& columnName) {
    if (!lib.ifx_var_freevar)
        throw EIfxAccessError(
            Format("Data type in '%s' requires Informix 2.80 or later connectivity software", {columnName}));
}

std::unique_ptr<TIfxValue> CreateIfxValue(const TIfxLibrary& lib, int sqlType, int sqlLen, int extendedId,
                                          const std::string& columnName) {
    const int code = sqlType & SQLTYPE;
    switch (extendedId) {
    case XID_LVARCHAR: return std::make_unique<TIfxLVarCharValue>(lib, SQLLVARCHAR, sqlLen, columnName);
    case XID_BOOLEAN: return std::make_unique<TIfxBooleanValue>(lib, SQLBOOL, sqlLen, columnName);
    case XID_BLOB: return std::make_unique<TIfxBlobValue>(lib, code, sqlLen, columnName);
    case XID_CLOB: return std::make_unique<TIfxClobValue>(lib, code, sqlLen, columnName);
    default: break;
    }
    switch (code) {
    case SQLCHAR: return std::make_unique<TIfxCharValue>(lib, code, sqlLen, columnName);
    case SQLVCHAR: return std::make_unique<TIfxVarCharValue>(lib, code, sqlLen, columnName);
    case SQLNCHAR: return std::make_unique<TIfxNCharValue>(lib, code, sqlLen, columnName);
    case SQLNVCHAR: return std::make_unique<TIfxNVarCharValue>(lib, code, sqlLen, columnName);
    case SQLLVARCHAR: return std::make_unique<TIfxLVarCharValue>(lib, code, sqlLen, columnName);
    case SQLSMINT: return std::make_unique<TIfxSmallIntValue>(lib, code, sqlLen, columnName);
    case SQLINT:
    case SQLSERIAL: return std::make_unique<TIfxIntegerValue>(lib, code, sqlLen, columnName);
    case SQLFLOAT: return std::make_unique<TIfxFloatValue>(lib, code, sqlLen, columnName);
    case SQLSMFLOAT: return std::make_unique<TIfxSmallFloatValue>(lib, code, sqlLen, columnName);
    case SQLDECIMAL: return std::make_unique<TIfxDecimalValue>(lib, code, sqlLen, columnName);
    case SQLMONEY: return std::make_unique<TIfxMoneyValue>(lib, code, sqlLen, columnName);
    case SQLDATE: return std::make_unique<TIfxDateValue>(lib, code, sqlLen, columnName);
    case SQLDTIME: return std::make_unique<TIfxDTimeValue>(lib, code, sqlLen, columnName);
    case SQLINTERVAL: return std::make_unique<TIfxIntervalValue>(lib, code, sqlLen, columnName);
    case SQLINT8:
    case SQLSERIAL8: return std::make_unique<TIfxInt8Value>(lib, code, sqlLen, columnName);
    case SQLINFXBIGINT:
    case SQLBIGSERIAL:
        // Fetched and sent in the library's int8 form, which the library
        // converts to and from BIGINT without loss: every INT8 conversion and
        // text (ifx_int8toasc, ifx_int8cvasc, …) then serves these columns too.
        return std::make_unique<TIfxInt8Value>(lib, SQLINT8, SIZINT8, columnName);
    case SQLBOOL: return std::make_unique<TIfxBooleanValue>(lib, code, sqlLen, columnName);
    case SQLBYTES:
    case SQLTEXT: return std::make_unique<TIfxLocatorValue>(lib, code, sqlLen, columnName);
    case SQLSET: case SQLMULTISET: case SQLLIST: case SQLROW: case SQLCOLLECTION:
    case SQLUDTVAR: case SQLUDTFIXED:
        // Read as text. An lvarchar buffer would cut a longer value at 2048
        // bytes; a holder takes the whole value when the library can free it.
        if (lib.ifx_var_freevar) return std::make_unique<TIfxOpaqueValue>(lib, kIfxOpaqueHolderType, 0, columnName);
        return std::make_unique<TIfxLVarCharValue>(lib, SQLLVARCHAR, SIZLVARCHAR, columnName);
    case kIfxOpaqueHolderType:
        CheckOpaqueSupport(lib, columnName);
        return std::make_unique<TIfxOpaqueValue>(lib, code, 0, columnName);
    default:
        throw EIfxAccessError(Format("Unsupported data type '%s'. Field '%s'",
                                     {IfxTypeName(lib, sqlType, extendedId), columnName}));
    }
}

}  // namespace varnok
