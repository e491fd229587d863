#include "RowText.h"

#include <charconv>
#include <cstring>
#include <iostream>
#include <memory>
#include <vector>

namespace ifxsql {

namespace {

std::string Trimmed(std::string s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.pop_back();
    return s;
}

std::size_t BufferSize(const ifx_sqlvar_t& v) {
    switch (v.sqltype & SQLTYPE) {
    case SQLCHAR: case SQLNCHAR: return static_cast<std::size_t>(v.sqllen) + 1;
    case SQLVCHAR: case SQLNVCHAR: return static_cast<std::size_t>(v.sqllen & 0xff) + 1;
    case SQLLVARCHAR: return static_cast<std::size_t>(v.sqllen ? v.sqllen : SIZLVARCHAR) + 1;
    case SQLDECIMAL: case SQLMONEY: return sizeof(dec_t);
    case SQLDTIME: return sizeof(dtime_t);
    case SQLINTERVAL: return sizeof(intrvl_t);
    case SQLINT8: case SQLSERIAL8: return sizeof(ifx_int8_t);
    case SQLBYTES: case SQLTEXT: return sizeof(loc_t);
    default: return 80;
    }
}

// Unload format: the delimiter, backslash and line breaks are escaped with '\'.
std::string Escaped(const std::string& value, char delimiter) {
    std::string out;
    for (char c : value) {
        if (c == delimiter || c == '\\' || c == '\n') out += '\\';
        out += c;
    }
    return out;
}

}  // namespace

std::string ValueText(const ifx_sqlvar_t& v) {
    if (v.sqlind && *v.sqlind == -1) return {};
    char buf[256] = {};
    switch (v.sqltype & SQLTYPE) {
    case SQLCHAR: case SQLNCHAR: case SQLVCHAR: case SQLNVCHAR: case SQLLVARCHAR: return Trimmed(v.sqldata);
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
        return Trimmed(buf);
    }
    case SQLDATE: { int4 d; std::memcpy(&d, v.sqldata, 4); rdatestr(d, buf); return buf; }
    case SQLDTIME: dttoasc(reinterpret_cast<dtime_t*>(v.sqldata), buf); return buf;
    case SQLINTERVAL: intoasc(reinterpret_cast<intrvl_t*>(v.sqldata), buf); return buf;
    case SQLINT8: case SQLSERIAL8: {
        ifx_int8toasc(reinterpret_cast<ifx_int8_t*>(v.sqldata), buf, 21);
        return Trimmed(std::string(buf, 21));
    }
    case SQLBOOL: return std::string(1, v.sqldata[0]);
    case SQLBYTES: case SQLTEXT: {
        const auto* loc = reinterpret_cast<const loc_t*>(v.sqldata);
        if (loc->loc_indicator == -1 || !loc->loc_buffer) return {};
        return std::string(loc->loc_buffer, static_cast<std::size_t>(loc->loc_size));
    }
    default: return {};
    }
}

// Fetches every row of an opened query and prints it.
int PrintRows(ifx_cursor_t* stmt, ifx_sqlda_t* da, std::ostream& out, char delimiter) {
    std::vector<std::unique_ptr<char[]>> data;
    std::vector<int2> indicators(static_cast<std::size_t>(da->sqld));
    for (int i = 0; i < da->sqld; ++i) {
        ifx_sqlvar_t& v = da->sqlvar[i];
        const std::size_t size = BufferSize(v);
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
