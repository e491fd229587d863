// The DECIMAL entry points: text, integer and floating conversions, arithmetic,
// comparison, rounding. All work goes through BigDec and is rounded once on the
// way back into the 16 base-100 digits of a dec_t.
//
// [UNVERIFIED] choices:
// - blank text converts to a NULL decimal (as a blank CHAR converts to NULL);
// - dectoasc with floating scale writes a leading "0" before the point of a
//   value below one ("0.05"), drops decimals before switching to exponential
//   notation ("d.ddde+XX"), and writes blanks for a NULL;
// - conversions of a NULL decimal to C numbers store that type's NULL value.
#include "values/DecimalCodec.h"
#include "values/ErrorCodes.h"
#include "values/NullValues.h"

#include <charconv>
#include <cmath>
#include <cstring>

using namespace ifxsim;

namespace {

// Guard digits carried by a division before the single final rounding.
constexpr int kDivisionDigits = 40;

int fromDouble(double value, dec_t *np, bool singlePrecision) {
    if (std::isnan(value))
        return err::NonNumeric;
    if (std::isinf(value))
        return err::DecOverflow;
    char buf[64];
    std::to_chars_result r = singlePrecision
                                 ? std::to_chars(buf, buf + sizeof buf - 1, static_cast<float>(value))
                                 : std::to_chars(buf, buf + sizeof buf - 1, value);
    *r.ptr = '\0';
    std::optional<BigDec> parsed;
    int rc = parseNumber(std::string_view(buf, static_cast<size_t>(r.ptr - buf)), parsed);
    if (rc != 0 || !parsed)
        return rc != 0 ? rc : err::NonNumeric;
    return bigToDec(*parsed, np);
}

// Integer part of a decimal within [lo, hi]; -1200 beyond.
template <typename T>
int toIntegral(dec_t *np, T *out, T nullValue, int64_t lo, int64_t hi) {
    BigDec v;
    if (!decToBig(np, v)) {
        *out = nullValue;
        return 0;
    }
    int64_t i = 0;
    if (!v.toInt64(i) || i < lo || i > hi)
        return err::DecOverflow;
    *out = static_cast<T>(i);
    return 0;
}

using BinaryOp = BigDec (*)(const BigDec &, const BigDec &);

int arith(dec_t *n1, dec_t *n2, dec_t *result, BinaryOp op) {
    BigDec a, b;
    if (!decToBig(n1, a) || !decToBig(n2, b)) {
        decSetNull(result);
        return 0;
    }
    dec_t tmp;
    int rc = bigToDec(op(a, b), &tmp);
    if (rc == 0)
        *result = tmp;
    return rc;
}

}  // namespace

extern "C" {

mint deccvasc(char *cp, mint len, dec_t *np) {
    const std::string_view text = boundedText(cp, len);
    if (plainTextToDec(text, np))
        return 0;
    std::optional<BigDec> value;
    int rc = parseNumber(text, value);
    if (rc != 0)
        return rc;
    if (!value) {
        decSetNull(np);
        return 0;
    }
    dec_t tmp;
    rc = bigToDec(*value, &tmp);
    if (rc == 0)
        *np = tmp;
    return rc;
}

mint dectoasc(dec_t *np, char *cp, mint len, mint right) {
    if (!cp || len <= 0)
        return -1;
    BigDec v;
    if (!decToBig(np, v)) {
        std::memset(cp, ' ', static_cast<size_t>(len));
        return 0;
    }
    std::string text = fitNumber(v, len, right);
    if (text.empty()) {
        std::memset(cp, '*', static_cast<size_t>(len));
        return -1;
    }
    std::memcpy(cp, text.data(), text.size());
    std::memset(cp + text.size(), ' ', static_cast<size_t>(len) - text.size());
    return 0;
}

mint deccvint(mint in, dec_t *np) {
    if (in == kNullInt4) {
        decSetNull(np);
        return 0;
    }
    return bigToDec(BigDec::fromInt(in), np);
}

mint deccvlong(int4 lng, dec_t *np) {
    if (lng == kNullInt4) {
        decSetNull(np);
        return 0;
    }
    return bigToDec(BigDec::fromInt(lng), np);
}

mint dectoint(dec_t *np, mint *ip) {
    return toIntegral<mint>(np, ip, kNullInt4, INT32_MIN + 1, INT32_MAX);
}

mint dectolong(dec_t *np, int4 *lngp) {
    return toIntegral<int4>(np, lngp, kNullInt4, INT32_MIN + 1, INT32_MAX);
}

mint deccvdbl(double dbl, dec_t *np) {
    if (isNullBytes(&dbl, sizeof dbl)) {
        decSetNull(np);
        return 0;
    }
    return fromDouble(dbl, np, false);
}

mint deccvflt(double flt, dec_t *np) { return fromDouble(flt, np, true); }

mint dectodbl(dec_t *np, double *dblp) {
    BigDec v;
    if (!decToBig(np, v)) {
        setNullDouble(dblp);
        return 0;
    }
    *dblp = v.toDouble();
    return 0;
}

mint dectoflt(dec_t *np, float *fltp) {
    BigDec v;
    if (!decToBig(np, v)) {
        setNullFloat(fltp);
        return 0;
    }
    *fltp = static_cast<float>(v.toDouble());
    return 0;
}

mint decadd(dec_t *n1, dec_t *n2, dec_t *sum) { return arith(n1, n2, sum, &BigDec::add); }
mint decsub(dec_t *n1, dec_t *n2, dec_t *diff) { return arith(n1, n2, diff, &BigDec::sub); }
mint decmul(dec_t *n1, dec_t *n2, dec_t *product) { return arith(n1, n2, product, &BigDec::mul); }

mint decdiv(dec_t *n1, dec_t *n2, dec_t *quotient) {
    BigDec a, b;
    if (!decToBig(n1, a) || !decToBig(n2, b)) {
        decSetNull(quotient);
        return 0;
    }
    if (b.isZero())
        return err::DivideByZero;
    dec_t tmp;
    int rc = bigToDec(BigDec::div(a, b, kDivisionDigits), &tmp);
    if (rc == 0)
        *quotient = tmp;
    return rc;
}

mint deccmp(dec_t *n1, dec_t *n2) {
    BigDec a, b;
    if (!decToBig(n1, a) || !decToBig(n2, b))
        return DECUNKNOWN;
    return BigDec::compare(a, b);
}

void deccopy(dec_t *from, dec_t *to) {
    if (from != to)
        std::memcpy(to, from, sizeof *to);
}

void decround(dec_t *np, mint dec_places) {
    BigDec v;
    if (!decToBig(np, v))
        return;
    dec_t tmp;
    if (bigToDec(v.roundedToPlaces(dec_places), &tmp) == 0)
        *np = tmp;
}

void dectrunc(dec_t *np, mint dec_places) {
    BigDec v;
    if (!decToBig(np, v))
        return;
    dec_t tmp;
    if (bigToDec(v.roundedToPlaces(dec_places, true), &tmp) == 0)
        *np = tmp;
}

}  // extern "C"
