#include "engine/TypeDecl.h"

#include <charconv>

#include "engine/CollectionTypes.h"
#include "ifxesqlc.h"

namespace ifxsim {

namespace {

using Tokens = std::vector<Token>;

struct UnitName { const char* name; int code; };
constexpr UnitName kUnits[] = {{"YEAR", TU_YEAR}, {"MONTH", TU_MONTH}, {"DAY", TU_DAY}, {"HOUR", TU_HOUR},
                               {"MINUTE", TU_MINUTE}, {"SECOND", TU_SECOND}, {"FRACTION", TU_FRAC}};

const char* unitName(int code) {
    if (code > TU_SECOND) return "FRACTION";
    for (const auto& u : kUnits)
        if (u.code == code) return u.name;
    return "?";
}

bool word(const Tokens& t, std::size_t i, std::string_view kw) { return i < t.size() && t[i].is(kw); }

// "(n)" or "(n,m)" right at `i`; absent parts stay std::nullopt.
struct Params { std::optional<long long> a, b; bool present = false; bool bad = false; };

Params readParams(const Tokens& t, std::size_t& i) {
    Params p;
    if (i >= t.size() || !t[i].isSymbol("(")) return p;
    p.present = true;
    auto number = [&](std::size_t k, std::optional<long long>& out) {
        if (k >= t.size() || t[k].kind != TokenKind::Number) return false;
        long long v = 0;
        const auto& s = t[k].text;
        auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
        if (ec != std::errc() || ptr != s.data() + s.size()) return false;
        out = v;
        return true;
    };
    std::size_t k = i + 1;
    if (!number(k, p.a)) { p.bad = true; return p; }
    ++k;
    if (k < t.size() && t[k].isSymbol(",")) {
        if (!number(k + 1, p.b)) { p.bad = true; return p; }
        k += 2;
    }
    if (k >= t.size() || !t[k].isSymbol(")")) { p.bad = true; return p; }
    i = k + 1;
    return p;
}

std::optional<int> readUnit(const Tokens& t, std::size_t i) {
    if (i >= t.size()) return std::nullopt;
    for (const auto& u : kUnits)
        if (t[i].is(u.name)) return u.code;
    return std::nullopt;
}

// DATETIME/INTERVAL qualifier "first[(n)] TO last[(n)]" from tokens[i].
std::optional<IfxType> readQualified(const Tokens& t, std::size_t& i, bool interval) {
    auto first = readUnit(t, i);
    if (!first) return std::nullopt;
    std::size_t k = i + 1;
    Params firstParams = readParams(t, k);
    if (firstParams.bad) return std::nullopt;
    if (!word(t, k, "TO")) return std::nullopt;
    auto last = readUnit(t, k + 1);
    if (!last) return std::nullopt;
    k += 2;
    int end = *last;
    if (end == TU_FRAC) {  // FRACTION(n), default 3 digits
        Params frac = readParams(t, k);
        if (frac.bad) return std::nullopt;
        const long long digits = frac.a.value_or(3);
        if (digits < 1 || digits > 5) return std::nullopt;
        end = TU_SECOND + static_cast<int>(digits);
    }
    int start = *first;
    if (start > end && !(start == TU_FRAC && end > TU_SECOND)) return std::nullopt;
    if (firstParams.present && !interval) return std::nullopt;  // DATETIME takes no first-field digits
    IfxType type;
    if (interval) {
        const long long digits = firstParams.a.value_or(start == TU_YEAR ? 4 : 2);
        if (digits < 1 || digits > 9) return std::nullopt;
        type.code = SQLINTERVAL;
        type.length = intervalQualifier(static_cast<int>(digits), start, end);
    } else {
        type.code = SQLDTIME;
        type.length = datetimeQualifier(start, end);
    }
    type.text = std::string(interval ? "INTERVAL " : "DATETIME ") + qualifierText(type.length, interval);
    i = k;
    return type;
}

IfxType simple(int code, int length, std::string text, int xid = 0) {
    IfxType t;
    t.code = code;
    t.length = length;
    t.text = std::move(text);
    t.xid = xid;
    return t;
}

}  // namespace

bool IfxType::isComplex() const {
    return code == SQLSET || code == SQLMULTISET || code == SQLLIST || code == SQLROW;
}

bool IfxType::isCharacter() const {
    switch (code) {
    case SQLCHAR: case SQLNCHAR: case SQLVCHAR: case SQLNVCHAR: case SQLLVARCHAR: case SQLTEXT: return true;
    default: return xid == XID_CLOB;
    }
}

int datetimeQualifier(int first, int last) { return TU_DTENCODE(first, last); }

int intervalQualifier(int firstDigits, int first, int last) { return TU_IENCODE(firstDigits, first, last); }

std::string qualifierText(int qualifier, bool interval) {
    const int start = TU_START(qualifier);
    const int end = TU_END(qualifier);
    std::string out = unitName(start);
    if (interval && start <= TU_SECOND) {
        const int digits = TU_FLEN(qualifier);
        if (digits != (start == TU_YEAR ? 4 : 2)) out += "(" + std::to_string(digits) + ")";
    }
    out += " TO ";
    out += unitName(end);
    if (end > TU_SECOND) out += "(" + std::to_string(end - TU_SECOND) + ")";
    return out;
}

std::optional<IfxType> parseTypeDecl(const Tokens& t, std::size_t& i, TypeDeclError* error) {
    auto fail = [&](std::size_t at) -> std::optional<IfxType> {
        if (error) error->offset = at < t.size() ? t[at].offset : (t.empty() ? 0 : t.back().end());
        return std::nullopt;
    };
    if (i >= t.size() || t[i].kind != TokenKind::Word) return fail(i);
    const std::size_t start = i;
    std::size_t k = i + 1;
    const Token& w = t[i];
    std::optional<IfxType> result;

    auto sized = [&](int code, const char* name, long long dflt, long long max) -> std::optional<IfxType> {
        Params p = readParams(t, k);
        if (p.bad || p.b) return std::nullopt;
        const long long n = p.a.value_or(dflt);
        if (n < 1 || n > max) return std::nullopt;
        return simple(code, static_cast<int>(n), std::string(name) + "(" + std::to_string(n) + ")",
                      code == SQLLVARCHAR ? XID_LVARCHAR : 0);
    };
    auto varying = [&](int code, const char* name) -> std::optional<IfxType> {
        Params p = readParams(t, k);
        if (p.bad) return std::nullopt;
        const long long max = p.a.value_or(1);
        const long long min = p.b.value_or(0);
        if (max < 1 || max > 255 || min < 0 || min > max) return std::nullopt;
        std::string text = std::string(name) + "(" + std::to_string(max);
        if (p.b) text += "," + std::to_string(min);
        text += ")";
        return simple(code, static_cast<int>(min * 256 + max), text);
    };
    auto decimal = [&](int code, const char* name, long long defaultPrecision, bool money) -> std::optional<IfxType> {
        Params p = readParams(t, k);
        if (p.bad) return std::nullopt;
        const long long prec = p.a.value_or(defaultPrecision);
        if (prec < 1 || prec > 32) return std::nullopt;
        // DECIMAL(p) is a floating decimal (scale 255); MONEY(p) has two decimals.
        long long scale = p.b ? *p.b : (money ? 2 : DECFLOATSCALE);
        if (!money && !p.a) scale = DECFLOATSCALE;
        if (scale != DECFLOATSCALE && (scale < 0 || scale > prec)) return std::nullopt;
        std::string text = std::string(name) + "(" + std::to_string(prec);
        if (scale != DECFLOATSCALE) text += "," + std::to_string(scale);
        text += ")";
        return simple(code, static_cast<int>(PRECMAKE(prec, scale)), text);
    };
    auto serial = [&](int code, int length, const char* name, SerialKind kind) -> std::optional<IfxType> {
        Params p = readParams(t, k);
        if (p.bad || p.b) return std::nullopt;
        IfxType type = simple(code, length, name);
        type.serial = kind;
        if (p.a) {
            if (*p.a < 1) return std::nullopt;
            type.serialStart = *p.a;
            type.text += "(" + std::to_string(*p.a) + ")";
        }
        return type;
    };

    if (w.is("CHAR") || w.is("CHARACTER")) {
        if (word(t, k, "VARYING")) { ++k; result = varying(SQLVCHAR, "VARCHAR"); }
        else result = sized(SQLCHAR, "CHAR", 1, 32767);
    } else if (w.is("NCHAR")) result = sized(SQLNCHAR, "NCHAR", 1, 32767);
    else if (w.is("VARCHAR")) result = varying(SQLVCHAR, "VARCHAR");
    else if (w.is("NVARCHAR")) result = varying(SQLNVCHAR, "NVARCHAR");
    else if (w.is("LVARCHAR")) result = sized(SQLLVARCHAR, "LVARCHAR", SIZLVARCHAR, 32739);
    else if (w.is("SMALLINT")) result = simple(SQLSMINT, SIZSMINT, "SMALLINT");
    else if (w.is("INTEGER") || w.is("INT")) result = simple(SQLINT, SIZINT, "INTEGER");
    else if (w.is("INT8")) result = simple(SQLINT8, SIZINT8, "INT8");
    else if (w.is("BIGINT")) result = simple(SQLINFXBIGINT, 8, "BIGINT");
    else if (w.is("SERIAL")) result = serial(SQLSERIAL, SIZSERIAL, "SERIAL", SerialKind::Serial);
    else if (w.is("SERIAL8")) result = serial(SQLSERIAL8, SIZSERIAL8, "SERIAL8", SerialKind::Serial8);
    else if (w.is("BIGSERIAL")) result = serial(SQLBIGSERIAL, 8, "BIGSERIAL", SerialKind::BigSerial);
    else if (w.is("FLOAT")) {
        Params p = readParams(t, k);  // FLOAT(n): the precision is accepted and ignored
        if (!p.bad && !p.b) result = simple(SQLFLOAT, SIZFLOAT, "FLOAT");
    } else if (w.is("DOUBLE")) {
        if (word(t, k, "PRECISION")) ++k;
        result = simple(SQLFLOAT, SIZFLOAT, "FLOAT");
    } else if (w.is("SMALLFLOAT") || w.is("REAL")) result = simple(SQLSMFLOAT, SIZSMFLOAT, "SMALLFLOAT");
    else if (w.is("DECIMAL") || w.is("DEC") || w.is("NUMERIC")) result = decimal(SQLDECIMAL, "DECIMAL", 16, false);
    else if (w.is("MONEY")) result = decimal(SQLMONEY, "MONEY", 16, true);
    else if (w.is("DATE")) result = simple(SQLDATE, SIZDATE, "DATE");
    else if (w.is("DATETIME")) result = readQualified(t, k, false);
    else if (w.is("INTERVAL")) result = readQualified(t, k, true);
    else if (w.is("BOOLEAN")) result = simple(SQLBOOL, 1, "BOOLEAN", XID_BOOLEAN);
    else if (w.is("BYTE")) result = simple(SQLBYTES, 56, "BYTE");
    else if (w.is("TEXT")) result = simple(SQLTEXT, 56, "TEXT");
    else if (w.is("BLOB")) result = simple(SQLUDTFIXED, 72, "BLOB", XID_BLOB);
    else if (w.is("CLOB")) result = simple(SQLUDTFIXED, 72, "CLOB", XID_CLOB);
    else if (w.is("SET") || w.is("MULTISET") || w.is("LIST") || w.is("ROW")) result = parseComplexType(t, k);

    if (!result) return fail(start);  // the error points at the type that is wrong
    // BYTE and TEXT may name where they live: IN TABLE / IN dbspace.
    if ((result->code == SQLBYTES || result->code == SQLTEXT) && word(t, k, "IN") && k + 1 < t.size()) k += 2;
    i = k;
    return result;
}

std::optional<IfxType> parseTypeDecl(std::string_view text) {
    std::optional<TokenizeError> error;
    const auto tokens = StatementTokenizer::tokenize(text, &error);
    if (error) return std::nullopt;
    std::size_t i = 0;
    auto type = parseTypeDecl(tokens, i);
    if (!type || i != tokens.size()) return std::nullopt;
    return type;
}

}  // namespace ifxsim
