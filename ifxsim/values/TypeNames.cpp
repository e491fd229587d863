// rtypname: the lower-case SQL name of a type code (flag bits ignored); an
// unknown code gives an empty name.
#include "ifxesqlc.h"

extern "C" char *rtypname(mint sqltype) {
    static const char *const kNames[] = {
        "char",     "smallint", "integer",  "float",    "smallfloat", "decimal", "serial",
        "date",     "money",    "null",     "datetime", "byte",       "text",    "varchar",
        "interval", "nchar",    "nvarchar", "int8",     "serial8",    "set",     "multiset",
        "list",     "row",      "collection", "rowref",
    };
    int code = sqltype & SQLTYPE;
    const char *name = "";
    if (code < static_cast<int>(sizeof kNames / sizeof kNames[0])) {
        name = kNames[code];
    } else {
        switch (code) {
        case SQLUDTVAR: name = "opaque"; break;  // [UNVERIFIED] both opaque kinds
        case SQLUDTFIXED: name = "opaque"; break;
        case SQLREFSER8: name = "refserial8"; break;
        case SQLLVARCHAR: name = "lvarchar"; break;
        case SQLSENDRECV: name = "sendrecv"; break;
        case SQLBOOL: name = "boolean"; break;
        case SQLIMPEXP: name = "impexp"; break;
        case SQLIMPEXPBIN: name = "impexpbin"; break;
        case SQLUDRDEFAULT: name = "udrdefault"; break;
        case SQLUNKNOWN: name = "unknown"; break;
        case SQLINFXBIGINT: name = "bigint"; break;
        case SQLBIGSERIAL: name = "bigserial"; break;
        default: break;
        }
    }
    // The interface hands out char*; callers only read it.
    return const_cast<char *>(name);
}
