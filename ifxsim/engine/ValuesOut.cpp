// Output side: SQLite values into the caller's sqlvar buffers.
#include <sqlite3.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string_view>

#include "engine/Errors.h"
#include "engine/LargeObjectValues.h"
#include "engine/Values.h"
#include "values/DecimalCodec.h"
#include "values/Int8Codec.h"

namespace ifxsim {

namespace {

constexpr int kConversionFailed = -1213;  // A character to numeric conversion process failed.
constexpr int kValueTooLarge = -1215;     // Value exceeds limit of INTEGER precision.
constexpr int kCannotConvert = -1260;     // It is not possible to convert between the specified types.

std::string shortestDouble(double d) {
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, d);
    return ec == std::errc() ? std::string(buf, end) : std::to_string(d);
}

// %.15g: to_chars with a precision formats as printf does, without its locale work.
std::string fifteenDigits(double d) {
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, d, std::chars_format::general, 15);
    if (ec != std::errc()) {
        std::snprintf(buf, sizeof buf, "%.15g", d);
        return buf;
    }
    return std::string(buf, end);
}

// Numeric value of a cell as text suitable for deccvasc/ifx_int8cvasc.
std::string numericText(const CellValue& c) {
    switch (c.storage) {
    case SQLITE_INTEGER: return std::to_string(c.integer);
    case SQLITE_FLOAT: return fifteenDigits(c.real);
    default: return c.bytes;
    }
}

// A double that is m / 10^k for an integer m of at most 15 digits (k up to
// 4: money and most stored decimals) as that plain text. %.15g gives the same
// number: the double lies within half a unit of its 15th digit.
bool scaledDecimalText(double d, char* buf, std::size_t& n) {
    static constexpr double kScale[] = {1, 10, 100, 1000, 10000};
    for (int k = 0; k < 5; ++k) {
        const double scaled = d * kScale[k];
        if (!(std::fabs(scaled) < 1e15) || scaled != std::trunc(scaled)) continue;
        const auto m = static_cast<std::int64_t>(scaled);
        const std::uint64_t magnitude = m < 0 ? static_cast<std::uint64_t>(-m) : static_cast<std::uint64_t>(m);
        char digits[24];
        auto [end, ec] = std::to_chars(digits, digits + sizeof digits, magnitude);
        std::size_t len = static_cast<std::size_t>(end - digits);
        n = 0;
        if (m < 0) buf[n++] = '-';
        const std::size_t width = std::max<std::size_t>(len, static_cast<std::size_t>(k) + 1);
        for (std::size_t i = 0; i < width; ++i) {
            if (i == width - static_cast<std::size_t>(k) && k > 0) buf[n++] = '.';
            buf[n++] = i < width - len ? '0' : digits[i - (width - len)];
        }
        return true;
    }
    return false;
}

// A DECIMAL from a cell: an integer straight into the digits, a double
// through the text %.15g gives (or the same number shorter), the rest
// through deccvasc.
int toDecimal(const CellValue& c, dec_t* dec) {
    if (c.storage == SQLITE_INTEGER) {
        char buf[24];
        auto [end, ec] = std::to_chars(buf, buf + sizeof buf, c.integer);
        if (ec == std::errc() && plainTextToDec(std::string_view(buf, static_cast<std::size_t>(end - buf)), dec))
            return 0;
    }
    if (c.storage == SQLITE_FLOAT) {
        char buf[64];
        std::size_t n = 0;
        if (scaledDecimalText(c.real, buf, n) && plainTextToDec(std::string_view(buf, n), dec)) return 0;
        // %.15g into a buffer: deccvasc reads it as numericText's text.
        auto [end, ec] = std::to_chars(buf, buf + sizeof buf, c.real, std::chars_format::general, 15);
        if (ec == std::errc()) return deccvasc(buf, static_cast<mint>(end - buf), dec);
    }
    std::string text = numericText(c);
    return deccvasc(text.data(), static_cast<mint>(text.size()), dec);
}

// Digits right of the point a dec_t holds (its base-100 digits past the point).
int fractionDigits(const dec_t& dec) {
    const int pairs = dec.dec_ndgts - dec.dec_exp;
    return pairs > 0 ? 2 * pairs : 0;
}

bool toInt64(const CellValue& c, std::int64_t& out) {
    if (c.storage == SQLITE_INTEGER) { out = c.integer; return true; }
    if (c.storage == SQLITE_FLOAT) {
        if (!(std::fabs(c.real) < 9.2e18)) return false;
        out = static_cast<std::int64_t>(c.real);
        return true;
    }
    const std::string& s = c.bytes;
    const char* b = s.c_str();
    while (*b == ' ') ++b;
    char* end = nullptr;
    errno = 0;
    const long long v = std::strtoll(b, &end, 10);
    if (end != b && errno == 0) {
        while (*end == ' ') ++end;
        if (*end == 0) { out = v; return true; }
    }
    const double d = std::strtod(b, &end);
    if (end == b) return false;
    while (*end == ' ') ++end;
    if (*end != 0 || !(std::fabs(d) < 9.2e18)) return false;
    out = static_cast<std::int64_t>(d);
    return true;
}

bool toDouble(const CellValue& c, double& out) {
    if (c.storage == SQLITE_INTEGER) { out = static_cast<double>(c.integer); return true; }
    if (c.storage == SQLITE_FLOAT) { out = c.real; return true; }
    const char* b = c.bytes.c_str();
    char* end = nullptr;
    out = std::strtod(b, &end);
    if (end == b) return false;
    while (*end == ' ') ++end;
    return *end == 0;
}

// DATE day number from an integer, or from text in the DBDATE form or ISO form.
bool toDay(const CellValue& c, int4& out) {
    if (c.storage == SQLITE_INTEGER) { out = static_cast<int4>(c.integer); return true; }
    if (c.storage == SQLITE_FLOAT) { out = static_cast<int4>(std::floor(c.real)); return true; }
    if (c.storage != SQLITE_TEXT) return false;
    std::string text = c.bytes;
    if (text.size() >= 10 && text[4] == '-' && text[7] == '-') {  // YYYY-MM-DD as DATETIME text writes it
        int2 mdy[3] = {static_cast<int2>(std::atoi(text.substr(5, 2).c_str())),
                       static_cast<int2>(std::atoi(text.substr(8, 2).c_str())),
                       static_cast<int2>(std::atoi(text.substr(0, 4).c_str()))};
        return rmdyjul(mdy, &out) == 0;
    }
    return rstrdate(text.data(), &out) == 0;
}

// Qualifiers tried when stored text does not match the column's own (a value
// written with another qualifier, CURRENT's default YEAR TO FRACTION(3), …).
const int kFallbackDatetimeQualifiers[] = {
    TU_DTENCODE(TU_YEAR, TU_F5), TU_DTENCODE(TU_YEAR, TU_F3), TU_DTENCODE(TU_YEAR, TU_SECOND),
    TU_DTENCODE(TU_YEAR, TU_MINUTE), TU_DTENCODE(TU_YEAR, TU_DAY), TU_DTENCODE(TU_HOUR, TU_F5),
    TU_DTENCODE(TU_HOUR, TU_SECOND), TU_DTENCODE(TU_HOUR, TU_MINUTE)};

int toDatetime(const CellValue& c, int columnQual, int targetQual, dtime_t& out) {
    const std::string integerText = c.storage == SQLITE_INTEGER ? std::to_string(c.integer) : std::string();
    const std::string& text = c.storage == SQLITE_INTEGER ? integerText : c.bytes;
    dtime_t parsed{};
    parsed.dt_qual = static_cast<int2>(columnQual);
    if (int rc = parseDatetimeText(text, columnQual, parsed); rc != 0) return rc;
    if (parsed.dt_qual == targetQual) {
        out = parsed;
        return 0;
    }
    out = dtime_t{};
    out.dt_qual = static_cast<int2>(targetQual);
    return dtextend(&parsed, &out);
}

int toInterval(const CellValue& c, int columnQual, int targetQual, intrvl_t& out) {
    std::string text = c.storage == SQLITE_INTEGER ? std::to_string(c.integer) : c.bytes;
    intrvl_t parsed{};
    parsed.in_qual = static_cast<int2>(columnQual);
    if (int rc = incvasc(text.data(), &parsed); rc != 0) return rc;
    if (targetQual == columnQual) {
        out = parsed;
        return 0;
    }
    out = intrvl_t{};
    out.in_qual = static_cast<int2>(targetQual);
    return invextend(&parsed, &out);
}

bool isQualifier(int q) { return q > 0 && TU_START(q) <= TU_END(q) && TU_END(q) <= TU_F5 && TU_LEN(q) > 0; }

// Character targets: capacity in characters and whether to pad/terminate.
struct CharShape { std::size_t capacity; bool pad; bool terminate; bool trim; };

bool charShape(int type, const ifx_sqlvar_t& var, CharShape& shape) {
    const auto len = static_cast<std::size_t>(var.sqllen > 0 ? var.sqllen : 0);
    switch (type) {
    case SQLCHAR: case SQLNCHAR: shape = {len, true, true, false}; return true;
    case SQLVCHAR: case SQLNVCHAR: shape = {len & 0xff, false, true, false}; return true;
    case SQLLVARCHAR: shape = {len ? len : SIZLVARCHAR, false, true, false}; return true;
    // Collections and rows fetched into their own type come as their text, as into LVARCHAR.
    case SQLSET: case SQLMULTISET: case SQLLIST: case SQLROW:
        shape = {len ? len : SIZLVARCHAR, false, true, false};
        return true;
    case CCHARTYPE: shape = {len ? len - 1 : 0, true, true, false}; return true;
    case CFIXCHARTYPE: shape = {len, true, false, false}; return true;
    case CSTRINGTYPE: shape = {len ? len - 1 : 0, false, true, true}; return true;
    case CVCHARTYPE: case CLVCHARTYPE: shape = {len ? len - 1 : 0, false, true, false}; return true;
    default: return false;
    }
}

void writeChars(std::string_view text, const CharShape& shape, ifx_sqlvar_t& var) {
    if (shape.trim) {
        while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    }
    if (text.size() > shape.capacity) {
        // The full length goes to the indicator, as Informix reports truncation.
        if (var.sqlind) *var.sqlind = static_cast<int2>(std::min<std::size_t>(text.size(), 32767));
        SetWarning(1);
        text = text.substr(0, shape.capacity);
    }
    if (!text.empty()) std::memcpy(var.sqldata, text.data(), text.size());
    std::size_t n = text.size();
    if (shape.pad) {
        std::memset(var.sqldata + n, ' ', shape.capacity - n);
        n = shape.capacity;
    }
    if (shape.terminate) var.sqldata[n] = '\0';
}

int writeLocator(const CellValue& c, ifx_sqlvar_t& var) {
    auto* loc = reinterpret_cast<loc_t*>(var.sqldata);
    loc->loc_loctype = LOCMEMORY;
    loc->loc_indicator = 0;
    loc->loc_status = 0;
    const std::string& bytes = c.storage == SQLITE_TEXT || c.storage == SQLITE_BLOB ? c.bytes : numericText(c);
    loc->loc_size = static_cast<int4>(bytes.size());
    // bufsize -1 asks the library to allocate; a buffer it allocated before
    // (LOC_ALLOC) is reused when large enough, else replaced. The caller frees
    // it with SqlFreeMem(…, LOC_BUFFER_FREE).
    const bool allocatedHere = (loc->loc_mflags & LOC_ALLOC) && loc->loc_buffer;
    if (loc->loc_bufsize < 0 || allocatedHere) {
        if (!allocatedHere || loc->loc_bufsize < static_cast<int4>(bytes.size() + 1)) {
            char* buffer = static_cast<char*>(std::malloc(bytes.size() + 1));
            if (!buffer) return -208;
            if (allocatedHere) std::free(loc->loc_buffer);
            loc->loc_buffer = buffer;
            loc->loc_bufsize = static_cast<int4>(bytes.size() + 1);
            loc->loc_mflags |= LOC_ALLOC;
        }
        std::memcpy(loc->loc_buffer, bytes.data(), bytes.size());
        loc->loc_buffer[bytes.size()] = '\0';
    } else {
        const std::size_t n = std::min<std::size_t>(bytes.size(), static_cast<std::size_t>(loc->loc_bufsize));
        if (n < bytes.size()) SetWarning(1);
        if (loc->loc_buffer && n) std::memcpy(loc->loc_buffer, bytes.data(), n);
    }
    loc->loc_xfercount = loc->loc_size;
    return 0;
}

void writeNull(const ColumnInfo& column, ifx_sqlvar_t& var, int type) {
    if (var.sqlind) *var.sqlind = -1;
    if (!var.sqldata) return;
    if (type == CLVCHARPTRTYPE) {
        ifx_var_setnull(reinterpret_cast<void**>(var.sqldata), 1);
        return;
    }
    if (type == SQLUDTFIXED || type == SQLUDTVAR) return;  // the indicator alone says NULL
    if (type == SQLBYTES || type == SQLTEXT || type == CLOCATORTYPE) {
        auto* loc = reinterpret_cast<loc_t*>(var.sqldata);
        loc->loc_indicator = -1;
        loc->loc_size = 0;
        return;
    }
    CharShape shape{};
    if (charShape(type, var, shape)) {
        if (shape.capacity || shape.terminate) var.sqldata[0] = '\0';
        return;
    }
    const int host = type >= CCHARTYPE ? type : hostTypeOf(type);
    if (host == CDTIMETYPE) reinterpret_cast<dtime_t*>(var.sqldata)->dt_qual = static_cast<int2>(column.type.length);
    rsetnull(host, var.sqldata);
}

}  // namespace

int parseDatetimeText(const std::string& text, int qualifier, dtime_t& out) {
    // dtcvasc only reads its text.
    dtime_t parsed{};
    parsed.dt_qual = static_cast<int2>(qualifier);
    const int first = dtcvasc(const_cast<char*>(text.c_str()), &parsed);
    if (first == 0) {
        out = parsed;
        return 0;
    }
    for (int q : kFallbackDatetimeQualifiers) {
        dtime_t wide{};
        wide.dt_qual = static_cast<int2>(q);
        if (dtcvasc(const_cast<char*>(text.c_str()), &wide) != 0) continue;
        dtime_t cut{};
        cut.dt_qual = static_cast<int2>(qualifier);
        if (dtextend(&wide, &cut) != 0) continue;
        out = cut;
        return 0;
    }
    return first;
}

int hostTypeOf(int sqltype) {
    switch (sqltype & SQLTYPE) {
    case SQLCHAR: case SQLNCHAR: return CCHARTYPE;
    case SQLSMINT: return CSHORTTYPE;
    case SQLINT: case SQLSERIAL: return CINTTYPE;
    case SQLFLOAT: return CDOUBLETYPE;
    case SQLSMFLOAT: return CFLOATTYPE;
    case SQLDECIMAL: return CDECIMALTYPE;
    case SQLMONEY: return CMONEYTYPE;
    case SQLDATE: return CDATETYPE;
    case SQLDTIME: return CDTIMETYPE;
    case SQLINTERVAL: return CINVTYPE;
    case SQLVCHAR: case SQLNVCHAR: return CVCHARTYPE;
    case SQLINT8: case SQLSERIAL8: return CINT8TYPE;
    case SQLBOOL: return CBOOLTYPE;
    case SQLINFXBIGINT: case SQLBIGSERIAL: return CBIGINTTYPE;
    case SQLBYTES: case SQLTEXT: return CLOCATORTYPE;
    case SQLLVARCHAR: return CLVCHARTYPE;
    default: return CCHARTYPE;
    }
}

CellValue readCell(sqlite3_stmt* stmt, int i) {
    CellValue c;
    readCellInto(stmt, i, c);
    return c;
}

void readCellInto(sqlite3_stmt* stmt, int i, CellValue& c) {
    c.storage = sqlite3_column_type(stmt, i);
    c.integer = 0;
    c.real = 0;
    c.bytes.clear();  // keeps its capacity for the next row
    switch (c.storage) {
    case SQLITE_INTEGER: c.integer = sqlite3_column_int64(stmt, i); break;
    case SQLITE_FLOAT: c.real = sqlite3_column_double(stmt, i); break;
    case SQLITE_TEXT: case SQLITE_BLOB: {
        const void* p = c.storage == SQLITE_TEXT ? static_cast<const void*>(sqlite3_column_text(stmt, i))
                                                 : sqlite3_column_blob(stmt, i);
        const int n = sqlite3_column_bytes(stmt, i);
        if (p && n > 0) c.bytes.assign(static_cast<const char*>(p), static_cast<std::size_t>(n));
        break;
    }
    default: c.storage = SQLITE_NULL; break;
    }
}

void readCellLocked(sqlite3_stmt* stmt, int i, CellValue& c) {
    // The result value is unprotected: safe to read only because the caller
    // holds the connection mutex for the whole row.
    sqlite3_value* v = sqlite3_column_value(stmt, i);
    c.storage = sqlite3_value_type(v);
    c.integer = 0;
    c.real = 0;
    c.bytes.clear();
    switch (c.storage) {
    case SQLITE_INTEGER: c.integer = sqlite3_value_int64(v); break;
    case SQLITE_FLOAT: c.real = sqlite3_value_double(v); break;
    case SQLITE_TEXT: case SQLITE_BLOB: {
        const void* p = c.storage == SQLITE_TEXT ? static_cast<const void*>(sqlite3_value_text(v)) : sqlite3_value_blob(v);
        const int n = sqlite3_value_bytes(v);
        if (p && n > 0) c.bytes.assign(static_cast<const char*>(p), static_cast<std::size_t>(n));
        break;
    }
    default: c.storage = SQLITE_NULL; break;
    }
}

std::string cellText(const CellValue& c, const ColumnInfo& column) {
    if (c.isNull()) return {};
    const int code = column.type.code;
    // A BLOB/CLOB row holds a reference: its text is the object's content.
    if (std::int64_t id = 0; code == SQLUDTFIXED && lo::IsObjectReference(c, id)) return lo::ContentText(c);
    if (code == SQLDATE) {
        int4 day = 0;
        char buf[32] = {};
        if (c.storage != SQLITE_TEXT && toDay(c, day) && rdatestr(day, buf) == 0) return buf;
    }
    if (code == SQLBOOL && c.storage == SQLITE_INTEGER) return c.integer ? "t" : "f";
    switch (c.storage) {
    case SQLITE_INTEGER: return std::to_string(c.integer);
    case SQLITE_FLOAT:
        return code == SQLFLOAT || code == SQLSMFLOAT ? shortestDouble(c.real) : fifteenDigits(c.real);
    default: return c.bytes;
    }
}

namespace {

// cellText without a copy where it is the stored text itself (every text or
// blob but a large object reference); else cellText kept in `scratch`.
std::string_view shownText(const CellValue& c, const ColumnInfo& column, std::string& scratch) {
    if ((c.storage == SQLITE_TEXT || c.storage == SQLITE_BLOB) && column.type.code != SQLUDTFIXED) return c.bytes;
    scratch = cellText(c, column);
    return scratch;
}

}  // namespace

int writeOutput(const CellValue& c, const ColumnInfo& column, ifx_sqlvar_t& var) {
    // SQL type codes and C host type codes (100…125) both fit the low byte.
    const int type = var.sqltype & SQLTYPE;
    if (!var.sqldata) return 0;  // the caller did not ask for this column
    if (c.isNull()) {
        writeNull(column, var, type);
        return 0;
    }
    if (var.sqlind) *var.sqlind = 0;
    CharShape shape{};
    if (charShape(type, var, shape)) {
        std::string scratch;
        writeChars(shownText(c, column, scratch), shape, var);
        return 0;
    }
    switch (type) {
    case SQLSMINT: case CSHORTTYPE: {
        std::int64_t v = 0;
        if (!toInt64(c, v)) return kConversionFailed;
        if (v < -32767 || v > 32767) return kValueTooLarge;
        const auto s = static_cast<int2>(v);
        std::memcpy(var.sqldata, &s, sizeof s);
        return 0;
    }
    case SQLINT: case SQLSERIAL: case CINTTYPE: case CLONGTYPE: {
        std::int64_t v = 0;
        if (!toInt64(c, v)) return kConversionFailed;
        if (v < -2147483647 || v > 2147483647) return kValueTooLarge;
        const auto s = static_cast<int4>(v);
        std::memcpy(var.sqldata, &s, sizeof s);
        return 0;
    }
    case SQLINFXBIGINT: case SQLBIGSERIAL: case CBIGINTTYPE: {
        std::int64_t v = 0;
        if (!toInt64(c, v)) return kConversionFailed;
        std::memcpy(var.sqldata, &v, sizeof v);
        return 0;
    }
    case SQLINT8: case SQLSERIAL8: case CINT8TYPE: {
        if (c.storage == SQLITE_INTEGER && c.integer != INT64_MIN) {
            int8Set(reinterpret_cast<ifx_int8_t*>(var.sqldata), c.integer);
            return 0;
        }
        std::string text = numericText(c);
        return ifx_int8cvasc(text.data(), static_cast<mint>(text.size()), reinterpret_cast<ifx_int8_t*>(var.sqldata));
    }
    case SQLFLOAT: case CDOUBLETYPE: {
        double d = 0;
        if (!toDouble(c, d)) return kConversionFailed;
        std::memcpy(var.sqldata, &d, sizeof d);
        return 0;
    }
    case SQLSMFLOAT: case CFLOATTYPE: {
        double d = 0;
        if (!toDouble(c, d)) return kConversionFailed;
        const auto f = static_cast<float>(d);
        std::memcpy(var.sqldata, &f, sizeof f);
        return 0;
    }
    case SQLDECIMAL: case SQLMONEY: case CDECIMALTYPE: case CMONEYTYPE: {
        auto* dec = reinterpret_cast<dec_t*>(var.sqldata);
        if (int rc = toDecimal(c, dec); rc != 0) return rc;
        const int scale = PRECDEC(column.type.length);
        // Rounding a value with no more decimals than the scale leaves it as it is.
        if ((column.type.code == SQLDECIMAL || column.type.code == SQLMONEY) && scale != DECFLOATSCALE &&
            !decIsNull(dec) && fractionDigits(*dec) > scale)
            decround(dec, scale);
        return 0;
    }
    case SQLDATE: case CDATETYPE: {
        int4 day = 0;
        if (!toDay(c, day)) return -1218;  // String to date conversion error.
        std::memcpy(var.sqldata, &day, sizeof day);
        return 0;
    }
    case SQLDTIME: case CDTIMETYPE: {
        auto* dt = reinterpret_cast<dtime_t*>(var.sqldata);
        int target = type == SQLDTIME ? var.sqllen : dt->dt_qual;
        if (!isQualifier(target)) target = column.type.code == SQLDTIME ? column.type.length : TU_CURRQUAL;
        const int source = column.type.code == SQLDTIME ? column.type.length : target;
        return toDatetime(c, source, target, *dt);
    }
    case SQLINTERVAL: case CINVTYPE: {
        auto* iv = reinterpret_cast<intrvl_t*>(var.sqldata);
        int target = type == SQLINTERVAL ? var.sqllen : iv->in_qual;
        if (!isQualifier(target)) target = column.type.length;
        const int source = column.type.code == SQLINTERVAL ? column.type.length : target;
        return toInterval(c, source, target, *iv);
    }
    case SQLBOOL: case CBOOLTYPE: {
        std::string scratch;
        const std::string_view text = shownText(c, column, scratch);
        const bool truth = text == "t" || text == "T" || text == "1";
        if (!truth && !(text == "f" || text == "F" || text == "0")) return kCannotConvert;
        var.sqldata[0] = truth ? 't' : 'f';
        return 0;
    }
    case SQLBYTES: case SQLTEXT: case CLOCATORTYPE:
        return writeLocator(c, var);
    case CLVCHARPTRTYPE: {
        // An opaque variable-length holder (ifx_var_*): the library fills it.
        std::string bytes = c.storage == SQLITE_TEXT || c.storage == SQLITE_BLOB ? c.bytes : cellText(c, column);
        return ifx_var_setdata(reinterpret_cast<void**>(var.sqldata), bytes.data(), static_cast<int4>(bytes.size())) == 0
                   ? 0
                   : -208;
    }
    case SQLUDTFIXED:
        // BLOB/CLOB: a handle on the object the row refers to (see LargeObjectValues.h).
        return lo::WriteHandle(c, var);
    default:
        return kCannotConvert;
    }
}

}  // namespace ifxsim
