#pragma once
// What every fetch loop over a described statement needs before it opens a
// cursor: the size of the output buffer a column takes, and the trimming of
// the blanks and NULs that pad fixed-length text. Header-only, so the tests'
// own fetch helpers use the same rules as ifxsql.
#include <cstddef>
#include <string>

#include "ifxesqlc.h"

namespace ifxsql {

// Bytes of output buffer for one column of the description.
inline std::size_t FetchBufferSize(const ifx_sqlvar_t& v) {
    switch (v.sqltype & SQLTYPE) {
    case SQLCHAR: case SQLNCHAR: return static_cast<std::size_t>(v.sqllen) + 1;
    case SQLVCHAR: case SQLNVCHAR: return static_cast<std::size_t>(v.sqllen & 0xff) + 1;
    case SQLLVARCHAR: case SQLSET: case SQLMULTISET: case SQLLIST: case SQLROW:
        return static_cast<std::size_t>(v.sqllen ? v.sqllen : SIZLVARCHAR) + 1;
    case SQLDECIMAL: case SQLMONEY: return sizeof(dec_t);
    case SQLDTIME: return sizeof(dtime_t);
    case SQLINTERVAL: return sizeof(intrvl_t);
    case SQLINT8: case SQLSERIAL8: return sizeof(ifx_int8_t);
    case SQLBYTES: case SQLTEXT: return sizeof(loc_t);
    default: return 80;  // numbers, dates, booleans and the 72-byte smart-large-object handle
    }
}

// `s` without trailing blanks and NULs.
inline std::string TrimmedRight(std::string s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.pop_back();
    return s;
}

}  // namespace ifxsql
