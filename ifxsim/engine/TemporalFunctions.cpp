#include "engine/TemporalFunctions.h"

#include <sqlite3.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "engine/FunctionArgs.h"
#include "engine/TemporalArith.h"
#include "engine/Values.h"
#include "engine/ValuesFunctions.h"
#include "ifxesqlc.h"
#include "values/DateTimeCore.h"

namespace ifxsim {

namespace {

// One operand in working form.
struct Operand {
    enum Kind { Number, Datetime, Interval } kind = Number;
    double number = 0;
    dtime_t dt{};
    intrvl_t iv{};
};

// A DATE (day number, or date text) as DATETIME YEAR TO DAY.
int dateAsDatetime(sqlite3_value* v, dtime_t& out) {
    int4 day = 0;
    if (sqlite3_value_type(v) == SQLITE_INTEGER || sqlite3_value_type(v) == SQLITE_FLOAT) {
        day = static_cast<int4>(std::floor(sqlite3_value_double(v)));
    } else {
        std::string text = argText(v);
        if (text.size() >= 10 && text[4] == '-' && text[7] == '-') {
            return parseDatetimeText(text, TU_DTENCODE(TU_YEAR, TU_DAY), out);
        }
        if (const int rc = rstrdate(text.data(), &day); rc != 0) return rc;
    }
    int2 mdy[3] = {0, 0, 0};
    if (const int rc = rjulmdy(day, mdy); rc != 0) return rc;
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", mdy[2], mdy[0], mdy[1]);
    out = dtime_t{};
    out.dt_qual = static_cast<int2>(TU_DTENCODE(TU_YEAR, TU_DAY));
    return dtcvasc(text, &out);
}

int readOperand(sqlite3_value* v, int tag, Operand& out) {
    const int code = tagCode(tag);
    const int qualifier = tagLength(tag);
    if (code == SQLDATE) {
        out.kind = Operand::Datetime;
        return dateAsDatetime(v, out.dt);
    }
    if (code == SQLDTIME) {
        out.kind = Operand::Datetime;
        return parseDatetimeText(argText(v), qualifier, out.dt);
    }
    if (code == SQLINTERVAL) {
        out.kind = Operand::Interval;
        std::string text = argText(v);
        out.iv = intrvl_t{};
        out.iv.in_qual = static_cast<int2>(qualifier);
        return incvasc(text.data(), &out.iv);
    }
    out.kind = Operand::Number;
    if (sqlite3_value_type(v) == SQLITE_INTEGER || sqlite3_value_type(v) == SQLITE_FLOAT) {
        out.number = sqlite3_value_double(v);
        return 0;
    }
    const std::string text = argText(v);
    char* end = nullptr;
    out.number = std::strtod(text.c_str(), &end);
    return end == text.c_str() ? -1213 : 0;
}

// An interval as one signed number (months, or 1/100000 s).
bool intervalTotalOf(const intrvl_t& iv, __int128& total) {
    Qualifier q;
    TimeFields f;
    if (!decodeQualifier(iv.in_qual, true, q) || !fieldsFromDec(iv.in_dec, q, true, f)) return false;
    total = intervalTotal(f, q);
    return true;
}

void resultDatetime(sqlite3_context* ctx, dtime_t& dt) {
    char out[64] = {};
    if (const int rc = dttoasc(&dt, out); rc != 0) return failFunction(ctx, rc);
    sqlite3_result_text(ctx, out, -1, SQLITE_TRANSIENT);
}

void resultInterval(sqlite3_context* ctx, intrvl_t& iv) {
    char out[64] = {};
    if (const int rc = intoasc(&iv, out); rc != 0) return failFunction(ctx, rc);
    sqlite3_result_text(ctx, out, -1, SQLITE_TRANSIENT);
}

// ifx_temporal(op, a, tagA, b, tagB, tagResult)
void temporalFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[1]) == SQLITE_NULL || sqlite3_value_type(argv[3]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    const std::string op = argText(argv[0]);
    const int resultTag = sqlite3_value_int(argv[5]);
    Operand a, b;
    if (int rc = readOperand(argv[1], sqlite3_value_int(argv[2]), a); rc != 0) return failFunction(ctx, rc);
    if (int rc = readOperand(argv[3], sqlite3_value_int(argv[4]), b); rc != 0) return failFunction(ctx, rc);
    const int rq = tagLength(resultTag);
    if (a.kind == Operand::Interval && b.kind == Operand::Datetime) std::swap(a, b);  // INTERVAL + DATETIME
    if (a.kind == Operand::Number && b.kind == Operand::Interval) std::swap(a, b);    // n * INTERVAL
    if (a.kind == Operand::Datetime && b.kind == Operand::Interval) {
        dtime_t r{};
        const int rc = op == "-" ? dtsubinv(&a.dt, &b.iv, &r) : dtaddinv(&a.dt, &b.iv, &r);
        if (rc != 0) return failFunction(ctx, rc);
        return resultDatetime(ctx, r);
    }
    if (a.kind == Operand::Datetime && b.kind == Operand::Datetime) {
        intrvl_t r{};
        r.in_qual = static_cast<int2>(rq);
        if (const int rc = dtsub(&a.dt, &b.dt, &r); rc != 0) return failFunction(ctx, rc);
        return resultInterval(ctx, r);
    }
    if (a.kind == Operand::Interval && b.kind == Operand::Interval) {
        __int128 x = 0, y = 0;
        if (!intervalTotalOf(a.iv, x) || !intervalTotalOf(b.iv, y)) return sqlite3_result_null(ctx);
        if (op == "/") {
            if (y == 0) return failFunction(ctx, -1202);
            return sqlite3_result_double(ctx, static_cast<double>(static_cast<long double>(x) / static_cast<long double>(y)));
        }
        Qualifier q;
        TimeFields f;
        if (!decodeQualifier(rq, true, q)) return failFunction(ctx, -1268);
        if (int rc = intervalFromTotal(op == "-" ? x - y : x + y, q, f); rc != 0) return failFunction(ctx, rc);
        intrvl_t r{};
        r.in_qual = static_cast<int2>(rq);
        if (int rc = fieldsToDec(f, q, true, r.in_dec); rc != 0) return failFunction(ctx, rc);
        return resultInterval(ctx, r);
    }
    if (a.kind == Operand::Interval && b.kind == Operand::Number) {
        intrvl_t r{};
        r.in_qual = static_cast<int2>(rq);
        const int rc = op == "/" ? invdivdbl(&a.iv, b.number, &r) : invmuldbl(&a.iv, b.number, &r);
        if (rc != 0) return failFunction(ctx, rc);
        return resultInterval(ctx, r);
    }
    failFunction(ctx, -1260);
}

// ifx_extend(x, tagX, qualifier)
void extendFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    const int tag = sqlite3_value_int(argv[1]);
    const int qualifier = sqlite3_value_int(argv[2]);
    dtime_t in{};
    int rc = 0;
    if (tagCode(tag) == SQLDATE || tagCode(tag) == SQLDTIME) {
        Operand o;
        rc = readOperand(argv[0], tag, o);
        in = o.dt;
    } else {
        rc = parseDatetimeText(argText(argv[0]), qualifier, in);
    }
    if (rc != 0) return failFunction(ctx, rc);
    dtime_t out{};
    out.dt_qual = static_cast<int2>(qualifier);
    if ((rc = dtextend(&in, &out)) != 0) return failFunction(ctx, rc);
    resultDatetime(ctx, out);
}

// ifx_units(n, unit): n (cut to a whole number) of one time unit.
void unitsFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    const double n = std::trunc(sqlite3_value_double(argv[0]));
    if (sqlite3_value_type(argv[0]) == SQLITE_TEXT) {
        char* end = nullptr;
        const std::string text = argText(argv[0]);
        std::strtod(text.c_str(), &end);
        if (end == text.c_str()) return failFunction(ctx, -1213);
    }
    const int qualifier = unitsType(sqlite3_value_int(argv[1])).length;
    Qualifier q;
    if (!decodeQualifier(qualifier, true, q)) return failFunction(ctx, -1268);
    if (!(std::fabs(n) < 1e9)) return failFunction(ctx, -1265);
    TimeFields f;
    f.negative = n < 0;
    f.f[q.start] = static_cast<int64_t>(std::fabs(n));
    intrvl_t r{};
    r.in_qual = static_cast<int2>(qualifier);
    if (int rc = fieldsToDec(f, q, true, r.in_dec); rc != 0) return failFunction(ctx, rc);
    resultInterval(ctx, r);
}

// ifx_temporal_key(x, tagX): DATE and DATETIME values as the full
// YEAR TO FRACTION(5) text, INTERVAL values as one signed number.
void keyFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    Operand o;
    if (int rc = readOperand(argv[0], sqlite3_value_int(argv[1]), o); rc != 0) return failFunction(ctx, rc);
    if (o.kind == Operand::Interval) {
        __int128 total = 0;
        if (!intervalTotalOf(o.iv, total)) return sqlite3_result_null(ctx);
        return sqlite3_result_int64(ctx, static_cast<sqlite3_int64>(total));
    }
    if (o.kind != Operand::Datetime) return sqlite3_result_double(ctx, o.number);
    dtime_t full{};
    full.dt_qual = static_cast<int2>(TU_DTENCODE(TU_YEAR, TU_F5));
    if (int rc = dtextend(&o.dt, &full); rc != 0) return failFunction(ctx, rc);
    resultDatetime(ctx, full);
}

// ifx_interval_sum(x, qualifier): SUM of INTERVAL values.
// SQLite's aggregate context is only 8-byte aligned, so the running total may
// not ask for the 16 bytes a plain __int128 wants.
typedef __int128 AggregateInt128 __attribute__((aligned(8)));

struct IntervalSum {
    bool any;
    bool failed;
    int qualifier;
    AggregateInt128 total;
};
static_assert(alignof(IntervalSum) <= 8);

void intervalSumStep(sqlite3_context* ctx, int, sqlite3_value** argv) {
    auto* state = static_cast<IntervalSum*>(sqlite3_aggregate_context(ctx, sizeof(IntervalSum)));
    if (!state || state->failed || sqlite3_value_type(argv[0]) == SQLITE_NULL) return;
    intrvl_t iv{};
    iv.in_qual = static_cast<int2>(sqlite3_value_int(argv[1]));
    std::string text = argText(argv[0]);
    __int128 total = 0;
    if (int rc = incvasc(text.data(), &iv); rc != 0) {
        state->failed = true;
        return failFunction(ctx, rc);
    }
    if (!intervalTotalOf(iv, total)) return;
    state->any = true;
    state->qualifier = iv.in_qual;
    state->total += total;
}

void intervalSumFinal(sqlite3_context* ctx) {
    auto* state = static_cast<IntervalSum*>(sqlite3_aggregate_context(ctx, 0));
    if (!state || !state->any || state->failed) return sqlite3_result_null(ctx);
    Qualifier q;
    TimeFields f;
    if (!decodeQualifier(state->qualifier, true, q)) return failFunction(ctx, -1268);
    if (int rc = intervalFromTotal(state->total, q, f); rc != 0) return failFunction(ctx, rc);
    intrvl_t r{};
    r.in_qual = static_cast<int2>(state->qualifier);
    if (int rc = fieldsToDec(f, q, true, r.in_dec); rc != 0) return failFunction(ctx, rc);
    resultInterval(ctx, r);
}

}  // namespace

void registerTemporalFunctions(sqlite3* db) {
    constexpr int flags = SQLITE_UTF8;  // EXTEND and the arithmetic read the clock for missing fields
    sqlite3_create_function(db, "ifx_temporal", 6, flags, nullptr, &temporalFunction, nullptr, nullptr);
    sqlite3_create_function(db, "ifx_extend", 3, flags, nullptr, &extendFunction, nullptr, nullptr);
    sqlite3_create_function(db, "ifx_units", 2, flags | SQLITE_DETERMINISTIC, nullptr, &unitsFunction, nullptr,
                            nullptr);
    sqlite3_create_function(db, "ifx_temporal_key", 2, flags, nullptr, &keyFunction, nullptr, nullptr);
    sqlite3_create_function(db, "ifx_interval_sum", 2, flags, nullptr, nullptr, &intervalSumStep, &intervalSumFinal);
}

}  // namespace ifxsim
