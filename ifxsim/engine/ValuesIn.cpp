// Input side: the caller's parameter values (sqlvar) bound to SQLite.
#include <sqlite3.h>

#include <cmath>
#include <cstring>
#include <string>

#include "engine/LargeObjectValues.h"
#include "engine/Values.h"

namespace ifxsim {

namespace {

int bindText(sqlite3_stmt* s, int index, std::string text) {
    return sqlite3_bind_text(s, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

std::size_t charLength(const ifx_sqlvar_t& var) {
    // Fixed buffers may lack the NUL: never read past sqllen when it is known.
    if (var.sqllen > 0) return strnlen(var.sqldata, static_cast<std::size_t>(var.sqllen));
    return std::strlen(var.sqldata);
}

// DECIMAL parameters keep their exact value: whole numbers as integers,
// short ones as doubles (what the NUMERIC affinity stores). Longer ones would
// lose digits in a double (SQLite keeps 15), so they are stored as the exact
// text in a blob, which the NUMERIC affinity leaves alone.
int bindDecimal(sqlite3_stmt* s, int index, dec_t* dec) {
    char buf[80] = {};
    if (dectoasc(dec, buf, sizeof buf - 1, -1) != 0) return -1213;
    std::string text(buf);
    while (!text.empty() && text.back() == ' ') text.pop_back();
    const bool integral = text.find_first_of(".eE") == std::string::npos;
    std::size_t digits = 0;
    for (char c : text) digits += (c >= '0' && c <= '9');
    if (integral && digits <= 18) return sqlite3_bind_int64(s, index, std::stoll(text));
    if (digits <= 15) return sqlite3_bind_double(s, index, std::strtod(text.c_str(), nullptr));
    return sqlite3_bind_blob(s, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

}  // namespace

int bindInput(sqlite3_stmt* s, int index, const ifx_sqlvar_t& var) {
    const int type = var.sqltype & SQLTYPE;
    const bool nullByIndicator = var.sqlind && *var.sqlind < 0;
    if (nullByIndicator || !var.sqldata || (type != SQLBYTES && type != SQLTEXT && type != CLOCATORTYPE &&
                                            type != CLVCHARPTRTYPE &&
                                            risnull(type >= CCHARTYPE ? type : hostTypeOf(type), var.sqldata)))
        return sqlite3_bind_null(s, index) == SQLITE_OK ? 0 : -208;
    int rc = SQLITE_OK;
    switch (type) {
    case SQLCHAR: case SQLNCHAR: case SQLVCHAR: case SQLNVCHAR: case SQLLVARCHAR:
    case CCHARTYPE: case CFIXCHARTYPE: case CSTRINGTYPE: case CVCHARTYPE: case CLVCHARTYPE:
        rc = bindText(s, index, std::string(var.sqldata, charLength(var)));
        break;
    case SQLSMINT: case CSHORTTYPE: {
        int2 v;
        std::memcpy(&v, var.sqldata, sizeof v);
        rc = sqlite3_bind_int(s, index, v);
        break;
    }
    case SQLINT: case SQLSERIAL: case CINTTYPE: case CLONGTYPE: case SQLDATE: case CDATETYPE: {
        int4 v;
        std::memcpy(&v, var.sqldata, sizeof v);
        rc = sqlite3_bind_int(s, index, v);
        break;
    }
    case SQLINFXBIGINT: case SQLBIGSERIAL: case CBIGINTTYPE: {
        std::int64_t v;
        std::memcpy(&v, var.sqldata, sizeof v);
        rc = sqlite3_bind_int64(s, index, v);
        break;
    }
    case SQLINT8: case SQLSERIAL8: case CINT8TYPE: {
        char buf[32] = {};
        if (ifx_int8toasc(reinterpret_cast<ifx_int8_t*>(var.sqldata), buf, 21) != 0) return -1213;
        rc = sqlite3_bind_int64(s, index, std::strtoll(buf, nullptr, 10));
        break;
    }
    case SQLFLOAT: case CDOUBLETYPE: {
        double v;
        std::memcpy(&v, var.sqldata, sizeof v);
        rc = sqlite3_bind_double(s, index, v);
        break;
    }
    case SQLSMFLOAT: case CFLOATTYPE: {
        float v;
        std::memcpy(&v, var.sqldata, sizeof v);
        rc = sqlite3_bind_double(s, index, v);
        break;
    }
    case SQLDECIMAL: case SQLMONEY: case CDECIMALTYPE: case CMONEYTYPE:
        if (int err = bindDecimal(s, index, reinterpret_cast<dec_t*>(var.sqldata)); err < 0) return err;
        break;
    case SQLDTIME: case CDTIMETYPE: {
        char buf[64] = {};
        if (int err = dttoasc(reinterpret_cast<dtime_t*>(var.sqldata), buf); err != 0) return err;
        rc = bindText(s, index, buf);
        break;
    }
    case SQLINTERVAL: case CINVTYPE: {
        char buf[64] = {};
        if (int err = intoasc(reinterpret_cast<intrvl_t*>(var.sqldata), buf); err != 0) return err;
        rc = bindText(s, index, buf);
        break;
    }
    case SQLBOOL: case CBOOLTYPE: {
        const char c = var.sqldata[0];
        const bool truth = c == 't' || c == 'T' || c == 1;
        rc = bindText(s, index, truth ? "t" : "f");
        break;
    }
    case CLVCHARPTRTYPE: {
        void** holder = reinterpret_cast<void**>(var.sqldata);
        if (ifx_var_isnull(holder) == 1) return sqlite3_bind_null(s, index) == SQLITE_OK ? 0 : -208;
        const auto* data = static_cast<const char*>(ifx_var_getdata(holder));
        const int length = ifx_var_getlen(holder);
        rc = bindText(s, index, std::string(data ? data : "", length > 0 ? static_cast<std::size_t>(length) : 0));
        break;
    }
    case SQLUDTFIXED:
        // A BLOB/CLOB parameter is an ifx_lo_t: the row stores a reference to its object.
        return lo::BindHandle(s, index, var);
    case SQLBYTES: case SQLTEXT: case CLOCATORTYPE: {
        const auto* loc = reinterpret_cast<const loc_t*>(var.sqldata);
        if (loc->loc_indicator < 0) return sqlite3_bind_null(s, index) == SQLITE_OK ? 0 : -208;
        const int size = loc->loc_size >= 0 ? loc->loc_size : loc->loc_bufsize;
        const char* data = loc->loc_buffer ? loc->loc_buffer : "";
        if (type == SQLTEXT) rc = sqlite3_bind_text(s, index, data, size < 0 ? 0 : size, SQLITE_TRANSIENT);
        else rc = sqlite3_bind_blob(s, index, data, size < 0 ? 0 : size, SQLITE_TRANSIENT);
        break;
    }
    default:
        return -1260;
    }
    return rc == SQLITE_OK ? 0 : -208;
}

}  // namespace ifxsim
