#include "engine/TemporalArith.h"

#include <algorithm>

#include "ifxesqlc.h"

namespace ifxsim {

namespace {

constexpr int kCannotConvert = -1260;  // It is not possible to convert between the specified types.
constexpr int kFieldMissing = -1263;   // A field in a datetime or interval is out of range, incorrect, or missing.
constexpr int kIncompatible = -1266;   // An interval value is incompatible with the operation.

bool yearMonth(int qualifier) { return TU_START(qualifier) <= TU_MONTH; }

// Digits of an interval's first field.
int firstDigits(int qualifier) { return TU_FLEN(qualifier); }

TemporalResult function(IfxType type) { return TemporalResult{TemporalOp::Function, std::move(type), 0}; }
TemporalResult native(IfxType type) { return TemporalResult{TemporalOp::Native, std::move(type), 0}; }
TemporalResult refused(int code) { return TemporalResult{TemporalOp::Function, {}, code}; }

// A DATE takes part in DATETIME arithmetic as DATETIME YEAR TO DAY.
int datetimeQualifierOf(const IfxType& t) {
    return t.code == SQLDATE ? TU_DTENCODE(TU_YEAR, TU_DAY) : t.length;
}

// DATETIME ± INTERVAL keeps the DATETIME's qualifier; the interval may not
// reach below it (EXTEND the DATETIME first), nor mix with it across classes.
TemporalResult shifted(const IfxType& dt, const IfxType& iv) {
    const int dq = datetimeQualifierOf(dt);
    if (TU_END(iv.length) > TU_END(dq)) return refused(kFieldMissing);
    return function(datetimeType(dq));
}

// INTERVAL ± INTERVAL: both of one class; the result spans both.
TemporalResult intervalSum(const IfxType& a, const IfxType& b) {
    if (yearMonth(a.length) != yearMonth(b.length)) return refused(kIncompatible);
    const int start = std::min(TU_START(a.length), TU_START(b.length));
    const int end = std::max(TU_END(a.length), TU_END(b.length));
    int digits = 0;
    if (TU_START(a.length) == start) digits = std::max(digits, firstDigits(a.length));
    if (TU_START(b.length) == start) digits = std::max(digits, firstDigits(b.length));
    return function(intervalType(TU_IENCODE(digits, start, end)));
}

}  // namespace

bool isTemporal(const IfxType& t) { return t.code == SQLDATE || t.code == SQLDTIME || t.code == SQLINTERVAL; }

bool isNumeric(const IfxType& t) {
    switch (t.code) {
    case SQLSMINT: case SQLINT: case SQLSERIAL: case SQLINT8: case SQLSERIAL8: case SQLINFXBIGINT:
    case SQLBIGSERIAL: case SQLDECIMAL: case SQLMONEY: case SQLFLOAT: case SQLSMFLOAT:
        return true;
    default:
        return false;
    }
}

IfxType datetimeType(int qualifier) { return typeNamed("DATETIME " + qualifierText(qualifier, false)); }
IfxType intervalType(int qualifier) { return typeNamed("INTERVAL " + qualifierText(qualifier, true)); }

IfxType typeNamed(const std::string& declared) {
    auto t = parseTypeDecl(declared);
    return t ? *t : IfxType{};
}

IfxType unitsType(int unit) {
    if (unit > TU_SECOND) return intervalType(TU_IENCODE(5, TU_FRAC, TU_F5));
    return intervalType(TU_IENCODE(9, unit, unit));
}

TemporalResult temporalArithmetic(char op, const IfxType& a, const IfxType& b) {
    if (!isTemporal(a) && !isTemporal(b)) return {};
    // A parameter, a text or NULL beside a temporal value: its type is not
    // known here, so the operation stays as written.
    if ((!isTemporal(a) && !isNumeric(a)) || (!isTemporal(b) && !isNumeric(b))) return {};
    const int ca = a.code, cb = b.code;
    const bool additive = op == '+' || op == '-';
    if (additive) {
        if (ca == SQLDATE && isNumeric(b)) return native(typeNamed("DATE"));
        if (op == '+' && isNumeric(a) && cb == SQLDATE) return native(typeNamed("DATE"));
        if (op == '-' && ca == SQLDATE && cb == SQLDATE) return native(typeNamed("INTEGER"));
        const bool da = ca == SQLDATE || ca == SQLDTIME, db = cb == SQLDATE || cb == SQLDTIME;
        if (da && cb == SQLINTERVAL) return shifted(a, b);
        if (op == '+' && ca == SQLINTERVAL && db) return shifted(b, a);
        if (op == '-' && da && db) {
            // The difference runs from DAY to the finer end of the two.
            const int end = std::max({TU_END(datetimeQualifierOf(a)), TU_END(datetimeQualifierOf(b)), TU_DAY});
            return function(intervalType(TU_IENCODE(9, TU_DAY, end)));
        }
        if (ca == SQLINTERVAL && cb == SQLINTERVAL) return intervalSum(a, b);
        return refused(kCannotConvert);
    }
    if (ca == SQLINTERVAL && isNumeric(b)) return function(a);
    if (op == '*' && isNumeric(a) && cb == SQLINTERVAL) return function(b);
    if (op == '/' && ca == SQLINTERVAL && cb == SQLINTERVAL) {
        if (yearMonth(a.length) != yearMonth(b.length)) return refused(kIncompatible);
        return function(typeNamed("DECIMAL(32)"));
    }
    return refused(kCannotConvert);
}

}  // namespace ifxsim
