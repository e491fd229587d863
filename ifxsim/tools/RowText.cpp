#include "RowText.h"

#include "FetchBuffer.h"

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <limits>
#include <memory>
#include <vector>

namespace ifxsql {

namespace {

// Unload format: the delimiter, backslash and line breaks are escaped with '\'.
std::string Escaped(const std::string& value, char delimiter) {
    std::string out;
    for (char c : value) {
        if (c == delimiter || c == '\\' || c == '\n') out += '\\';
        out += c;
    }
    return out;
}

// A BLOB or CLOB through its fetched handle: a CLOB's text as it is, a
// BLOB's bytes as hex digits (binary bytes would break the line format).
std::string LargeObjectText(const ifx_sqlvar_t& v) {
    if (v.sqlxid != XID_BLOB && v.sqlxid != XID_CLOB) return {};
    char* bytes = nullptr;
    mint error = 0;
    const sqlca_s outcome = *fnsqlca();  // reading the object must not disturb the fetch's outcome
    const mint n = ifx_lo_to_buffer(reinterpret_cast<ifx_lo_t*>(v.sqldata), std::numeric_limits<mint>::max(),
                                    &bytes, &error);
    *fnsqlca() = outcome;
    const std::unique_ptr<char, decltype(&std::free)> owned(bytes, &std::free);
    if (n < 0 || !bytes) return {};
    const std::string content(bytes, static_cast<std::size_t>(n));
    if (v.sqlxid == XID_CLOB) return content;
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(content.size() * 2);
    for (unsigned char c : content) {
        hex += kDigits[c >> 4];
        hex += kDigits[c & 0x0f];
    }
    return hex;
}

}  // namespace

std::string ValueText(const ifx_sqlvar_t& v) {
    if (v.sqlind && *v.sqlind == -1) return {};
    char buf[256] = {};
    switch (v.sqltype & SQLTYPE) {
    case SQLCHAR: case SQLNCHAR: case SQLVCHAR: case SQLNVCHAR: case SQLLVARCHAR: return TrimmedRight(v.sqldata);
    case SQLSET: case SQLMULTISET: case SQLLIST: case SQLROW: return v.sqldata;  // the value's text
    case SQLSMINT: { int2 x; std::memcpy(&x, v.sqldata, 2); return std::to_string(x); }
    case SQLINT: case SQLSERIAL: { int4 x; std::memcpy(&x, v.sqldata, 4); return std::to_string(x); }
    case SQLINFXBIGINT: case SQLBIGSERIAL: { bigint x; std::memcpy(&x, v.sqldata, 8); return std::to_string(x); }
    case SQLFLOAT: case SQLSMFLOAT: {
        double d;
        if ((v.sqltype & SQLTYPE) == SQLFLOAT) std::memcpy(&d, v.sqldata, 8);
        else { float f; std::memcpy(&f, v.sqldata, 4); d = f; }
        auto r = std::to_chars(buf, buf + sizeof buf, d);
        return std::string(buf, r.ptr);
    }
    case SQLDECIMAL: case SQLMONEY: {
        const int scale = PRECDEC(v.sqllen);
        dectoasc(reinterpret_cast<dec_t*>(v.sqldata), buf, 127, scale == DECFLOATSCALE ? -1 : scale);
        return TrimmedRight(buf);
    }
    case SQLDATE: { int4 d; std::memcpy(&d, v.sqldata, 4); rdatestr(d, buf); return buf; }
    case SQLDTIME: dttoasc(reinterpret_cast<dtime_t*>(v.sqldata), buf); return buf;
    case SQLINTERVAL: intoasc(reinterpret_cast<intrvl_t*>(v.sqldata), buf); return buf;
    case SQLINT8: case SQLSERIAL8: {
        ifx_int8toasc(reinterpret_cast<ifx_int8_t*>(v.sqldata), buf, 21);
        return TrimmedRight(std::string(buf, 21));
    }
    case SQLBOOL: return std::string(1, v.sqldata[0]);
    case SQLBYTES: case SQLTEXT: {
        const auto* loc = reinterpret_cast<const loc_t*>(v.sqldata);
        if (loc->loc_indicator == -1 || !loc->loc_buffer) return {};
        return std::string(loc->loc_buffer, static_cast<std::size_t>(loc->loc_size));
    }
    case SQLUDTFIXED: return LargeObjectText(v);
    default: return {};
    }
}

// Fetches every row of an opened query and prints it.
int PrintRows(ifx_cursor_t* stmt, ifx_sqlda_t* da, std::ostream& out, char delimiter) {
    std::vector<std::unique_ptr<char[]>> data;
    std::vector<int2> indicators(static_cast<std::size_t>(da->sqld));
    for (int i = 0; i < da->sqld; ++i) {
        ifx_sqlvar_t& v = da->sqlvar[i];
        const std::size_t size = FetchBufferSize(v);
        data.push_back(std::make_unique<char[]>(size));
        std::memset(data.back().get(), 0, size);
        v.sqldata = data.back().get();
        v.sqlind = &indicators[static_cast<std::size_t>(i)];
        if ((v.sqltype & SQLTYPE) == SQLBYTES || (v.sqltype & SQLTYPE) == SQLTEXT)
            reinterpret_cast<loc_t*>(v.sqldata)->loc_bufsize = -1;
    }
    ifx_cursor_t* cursor = sqli_curs_locate(ESQLINTVERSION, "ifxsql_cursor", CURS_LOCATE_NEWNAME);
    if (!cursor) return *fnsqlcode();
    int rc = sqli_curs_decl_dynm(ESQLINTVERSION, cursor, nullptr, stmt, 0, 0);
    if (rc >= 0) rc = sqli_curs_open(ESQLINTVERSION, cursor, nullptr, nullptr, nullptr, 0, 0);
    _FetchSpec next{0, FETCH_NEXT, 0};
    long rows = 0;
    while (rc >= 0) {
        rc = sqli_curs_fetch(ESQLINTVERSION, cursor, nullptr, da, nullptr, &next);
        if (rc != 0) break;
        std::string line;
        for (int i = 0; i < da->sqld; ++i) {
            line += Escaped(ValueText(da->sqlvar[i]), delimiter) + delimiter;
            auto* loc = reinterpret_cast<loc_t*>(da->sqlvar[i].sqldata);
            const int type = da->sqlvar[i].sqltype & SQLTYPE;
            if ((type == SQLBYTES || type == SQLTEXT) && loc->loc_buffer) {
                SqlFreeMem(loc->loc_buffer, LOC_BUFFER_FREE);
                loc->loc_buffer = nullptr;
                loc->loc_bufsize = -1;
            }
        }
        out << line << "\n";
        ++rows;
    }
    const sqlca_s outcome = *fnsqlca();
    sqli_curs_close(ESQLINTVERSION, cursor);
    sqli_curs_free(ESQLINTVERSION, cursor);
    *fnsqlca() = outcome;
    if (rc == SQLNOTFOUND) {
        std::cerr << rows << " row(s) unloaded.\n";
        return 0;
    }
    return rc;
}

}  // namespace ifxsql
