// DATETIME and INTERVAL arithmetic: dtsub, dtaddinv, dtsubinv, invextend,
// invmuldbl, invdivdbl, invdivinv.
//
// A DATETIME takes part as a complete date-time: fields above its qualifier
// come from the current date and time, fields below it are lowest, as with
// dtextend. Results keep the qualifier the caller set on the output; an
// unset (invalid) output qualifier takes the input's, and dtsub defaults to
// DAY(9) TO the finer end of its operands [UNVERIFIED].
// Errors: -1266 YEAR/MONTH against DAY..FRACTION, -1265 a first field too
// long, -1267 a date out of range (2024-01-31 + 1 month), -1202 division by 0.
#include "values/DateTimeCore.h"
#include "values/DecimalCodec.h"
#include "values/ErrorCodes.h"

#include <cmath>
#include <cstring>

using namespace ifxsim;

namespace {

const Qualifier &fullQualifier() {
    static const Qualifier q = [] {
        Qualifier full;
        decodeQualifier(TU_DTENCODE(TU_YEAR, TU_F5), false, full);
        return full;
    }();
    return q;
}

// Reads a datetime as full fields; isNull for NULL.
int fullDateTime(const dtime_t *d, TimeFields &out, bool &isNull, Qualifier &q) {
    isNull = false;
    if (!decodeQualifier(d->dt_qual, false, q))
        return err::DtBadQualifier;
    TimeFields t;
    if (!fieldsFromDec(d->dt_dec, q, false, t)) {
        isNull = true;
        return 0;
    }
    return extendFields(t, q, fullQualifier(), out);
}

int readInterval(const intrvl_t *i, TimeFields &out, bool &isNull, Qualifier &q) {
    isNull = false;
    if (!decodeQualifier(i->in_qual, true, q))
        return err::DtBadQualifier;
    if (!fieldsFromDec(i->in_dec, q, true, out))
        isNull = true;
    return 0;
}

int storeInterval(__int128 total, intrvl_t *out, const Qualifier &q) {
    TimeFields t;
    int rc = intervalFromTotal(total, q, t);
    if (rc != 0)
        return rc;
    dec_t dec;
    rc = fieldsToDec(t, q, true, dec);
    if (rc == 0)
        out->in_dec = dec;
    return rc;
}

// The output interval's qualifier, or `fallback` when the caller left none.
Qualifier outputQualifier(intrvl_t *out, int fallback) {
    Qualifier q;
    if (!decodeQualifier(out->in_qual, true, q)) {
        out->in_qual = static_cast<int2>(fallback);
        decodeQualifier(fallback, true, q);
    }
    return q;
}

int addInterval(dtime_t *d, intrvl_t *inv, dtime_t *result, int sign) {
    TimeFields full, iv;
    Qualifier dq, iq;
    bool dNull = false, iNull = false;
    int rc = fullDateTime(d, full, dNull, dq);
    if (rc == 0)
        rc = readInterval(inv, iv, iNull, iq);
    if (rc != 0)
        return rc;
    result->dt_qual = d->dt_qual;
    if (dNull || iNull) {
        decSetNull(&result->dt_dec);
        return 0;
    }
    __int128 total = intervalTotal(iv, iq) * sign;
    TimeFields sum = full;
    if (isYearMonthClass(iq)) {
        __int128 months = static_cast<__int128>(full.f[FYear]) * 12 + (full.f[FMonth] - 1) + total;
        if (months < 12 || months >= static_cast<__int128>(10000) * 12)
            return err::DtResultRange;
        sum.f[FYear] = static_cast<int64_t>(months / 12);
        sum.f[FMonth] = static_cast<int64_t>(months % 12) + 1;
        if (checkDateTimeFields(sum, fullQualifier()) != 0)
            return err::DtResultRange;  // e.g. January 31 plus one month
    } else if (!fromAbsoluteTime(absoluteTime(full) + total, sum)) {
        return err::DtResultRange;
    }
    dec_t dec;
    rc = fieldsToDec(sum, dq, false, dec);
    if (rc == 0)
        result->dt_dec = dec;
    return rc;
}

using Scale = __int128 (*)(__int128 total, double factor, bool &ok);

int scaleInterval(intrvl_t *iv, double factor, intrvl_t *ov, Scale scale) {
    TimeFields t;
    Qualifier iq;
    bool isNull = false;
    int rc = readInterval(iv, t, isNull, iq);
    if (rc != 0)
        return rc;
    Qualifier oq = outputQualifier(ov, iv->in_qual);
    if (isYearMonthClass(iq) != isYearMonthClass(oq))
        return err::DtIncompatible;
    if (isNull) {
        decSetNull(&ov->in_dec);
        return 0;
    }
    bool ok = true;
    __int128 total = scale(intervalTotal(t, iq), factor, ok);
    if (!ok)
        return err::DtOverflow;
    return storeInterval(total, ov, oq);
}

__int128 scaled(long double v, bool &ok) {
    v = std::trunc(v);
    if (!(std::fabs(v) < 1e36L)) {
        ok = false;
        return 0;
    }
    return static_cast<__int128>(v);
}

}  // namespace

extern "C" {

mint dtsub(dtime_t *d1, dtime_t *d2, intrvl_t *result) {
    TimeFields a, b;
    Qualifier q1, q2;
    bool n1 = false, n2 = false;
    int rc = fullDateTime(d1, a, n1, q1);
    if (rc == 0)
        rc = fullDateTime(d2, b, n2, q2);
    if (rc != 0)
        return rc;
    int endUnit = q1.endUnit > q2.endUnit ? q1.endUnit : q2.endUnit;
    if (endUnit < TU_DAY)
        endUnit = TU_DAY;
    Qualifier rq = outputQualifier(result, TU_IENCODE(9, TU_DAY, endUnit));
    if (n1 || n2) {
        decSetNull(&result->in_dec);
        return 0;
    }
    __int128 total;
    if (isYearMonthClass(rq))
        total = (static_cast<__int128>(a.f[FYear]) * 12 + a.f[FMonth]) - (static_cast<__int128>(b.f[FYear]) * 12 + b.f[FMonth]);
    else
        total = absoluteTime(a) - absoluteTime(b);
    return storeInterval(total, result, rq);
}

mint dtaddinv(dtime_t *d, intrvl_t *i, dtime_t *result) { return addInterval(d, i, result, 1); }

mint dtsubinv(dtime_t *d, intrvl_t *i, dtime_t *result) { return addInterval(d, i, result, -1); }

mint invextend(intrvl_t *in, intrvl_t *out) {
    TimeFields t;
    Qualifier iq, oq;
    bool isNull = false;
    int rc = readInterval(in, t, isNull, iq);
    if (rc != 0)
        return rc;
    if (!decodeQualifier(out->in_qual, true, oq))
        return err::DtBadQualifier;
    if (isYearMonthClass(iq) != isYearMonthClass(oq))
        return err::DtIncompatible;
    if (isNull) {
        decSetNull(&out->in_dec);
        return 0;
    }
    return storeInterval(intervalTotal(t, iq), out, oq);
}

mint invmuldbl(intrvl_t *iv, double dbl, intrvl_t *ov) {
    return scaleInterval(iv, dbl, ov, [](__int128 total, double f, bool &ok) {
        return scaled(static_cast<long double>(total) * f, ok);
    });
}

mint invdivdbl(intrvl_t *iv, double dbl, intrvl_t *ov) {
    if (dbl == 0.0)
        return err::DivideByZero;
    return scaleInterval(iv, dbl, ov, [](__int128 total, double f, bool &ok) {
        return scaled(static_cast<long double>(total) / f, ok);
    });
}

mint invdivinv(intrvl_t *i1, intrvl_t *i2, double *result) {
    TimeFields a, b;
    Qualifier q1, q2;
    bool n1 = false, n2 = false;
    int rc = readInterval(i1, a, n1, q1);
    if (rc == 0)
        rc = readInterval(i2, b, n2, q2);
    if (rc != 0)
        return rc;
    if (isYearMonthClass(q1) != isYearMonthClass(q2))
        return err::DtIncompatible;
    if (n1 || n2) {
        std::memset(result, 0xff, sizeof *result);
        return 0;
    }
    __int128 divisor = intervalTotal(b, q2);
    if (divisor == 0)
        return err::DivideByZero;
    *result = static_cast<double>(static_cast<long double>(intervalTotal(a, q1)) / static_cast<long double>(divisor));
    return 0;
}

}  // extern "C"
