// The INT8 entry points: text and number conversions, arithmetic, comparison.
// Every result outside ±9223372036854775807 is -1284; conversions from
// DECIMAL, floating and text truncate the fraction.
//
// [UNVERIFIED] blank text converts to a NULL INT8; ifx_int8toasc writes blanks
// for a NULL; a NULL operand gives a NULL result.
#include "values/DecimalCodec.h"
#include "values/ErrorCodes.h"
#include "values/Int8Codec.h"
#include "values/NullValues.h"

#include <cmath>
#include <cstring>
#include <string>

using namespace ifxsim;

namespace ifxsim {

bool int8Get(const ifx_int8_t *v, int64_t &out) {
    if (v->sign == 0)
        return false;
    uint64_t mag = (static_cast<uint64_t>(v->data[1]) << 32) | v->data[0];
    if (mag > static_cast<uint64_t>(INT64_MAX))
        return false;
    out = v->sign < 0 ? -static_cast<int64_t>(mag) : static_cast<int64_t>(mag);
    return true;
}

void int8Set(ifx_int8_t *v, int64_t value) {
    uint64_t mag = value < 0 ? static_cast<uint64_t>(-value) : static_cast<uint64_t>(value);
    v->data[0] = static_cast<uint4>(mag & 0xffffffffu);
    v->data[1] = static_cast<uint4>(mag >> 32);
    v->sign = value < 0 ? -1 : 1;
}

}  // namespace ifxsim

namespace {

constexpr int64_t kInt8Max = INT64_MAX;

int fromBig(const BigDec &value, ifx_int8_t *out) {
    int64_t v = 0;
    if (!value.toInt64(v) || v == INT64_MIN)
        return err::Int8Overflow;
    int8Set(out, v);
    return 0;
}

int fromDouble(double in, ifx_int8_t *out) {
    if (std::isnan(in))
        return err::NonNumeric;
    double t = std::trunc(in);
    // 2^63 itself is out of range; every double below it converts exactly.
    if (!(t < 9223372036854775808.0 && t > -9223372036854775808.0))
        return err::Int8Overflow;
    int8Set(out, static_cast<int64_t>(t));
    return 0;
}

using Op = bool (*)(int64_t, int64_t, int64_t &);

int arith(ifx_int8_t *n1, ifx_int8_t *n2, ifx_int8_t *result, Op op) {
    int64_t a = 0, b = 0, r = 0;
    if (!int8Get(n1, a) || !int8Get(n2, b)) {
        int8SetNull(result);
        return 0;
    }
    if (!op(a, b, r) || r == INT64_MIN)
        return err::Int8Overflow;
    int8Set(result, r);
    return 0;
}

}  // namespace

extern "C" {

mint ifx_int8cvasc(char *str, mint len, ifx_int8_t *int8) {
    std::optional<BigDec> value;
    int rc = parseNumber(boundedText(str, len), value);
    if (rc != 0)
        return rc;
    if (!value) {
        int8SetNull(int8);
        return 0;
    }
    return fromBig(*value, int8);
}

mint ifx_int8toasc(ifx_int8_t *int8, char *str, mint len) {
    if (!str || len <= 0)
        return err::DoesNotFit;
    int64_t v = 0;
    if (!int8Get(int8, v)) {
        std::memset(str, ' ', static_cast<size_t>(len));
        return int8->sign == 0 ? 0 : err::Int8Overflow;
    }
    std::string text = std::to_string(v);
    if (static_cast<int>(text.size()) > len) {
        std::memset(str, '*', static_cast<size_t>(len));
        return err::DoesNotFit;
    }
    std::memcpy(str, text.data(), text.size());
    std::memset(str + text.size(), ' ', static_cast<size_t>(len) - text.size());
    return 0;
}

mint ifx_int8cvint(mint in, ifx_int8_t *int8) {
    if (in == kNullInt4)
        int8SetNull(int8);
    else
        int8Set(int8, in);
    return 0;
}

mint ifx_int8cvlong(int4 in, ifx_int8_t *int8) { return ifx_int8cvint(in, int8); }

mint ifx_int8toint(ifx_int8_t *int8, mint *out) {
    int64_t v = 0;
    if (!int8Get(int8, v)) {
        if (int8->sign != 0)
            return err::Int8Overflow;
        *out = kNullInt4;
        return 0;
    }
    if (v > INT32_MAX || v <= INT32_MIN)
        return err::Int8Overflow;
    *out = static_cast<mint>(v);
    return 0;
}

mint ifx_int8tolong(ifx_int8_t *int8, int4 *out) {
    mint v = 0;
    int rc = ifx_int8toint(int8, &v);
    if (rc == 0)
        *out = v;
    return rc;
}

mint ifx_int8cvdbl(double in, ifx_int8_t *int8) {
    if (isNullBytes(&in, sizeof in)) {
        int8SetNull(int8);
        return 0;
    }
    return fromDouble(in, int8);
}

mint ifx_int8cvflt(double in, ifx_int8_t *int8) { return fromDouble(in, int8); }

mint ifx_int8todbl(ifx_int8_t *int8, double *out) {
    int64_t v = 0;
    if (!int8Get(int8, v)) {
        if (int8->sign != 0)
            return err::Int8Overflow;
        setNullDouble(out);
        return 0;
    }
    *out = static_cast<double>(v);
    return 0;
}

mint ifx_int8toflt(ifx_int8_t *int8, float *out) {
    double d = 0;
    int rc = ifx_int8todbl(int8, &d);
    if (rc == 0) {
        if (isNullBytes(&d, sizeof d))
            setNullFloat(out);
        else
            *out = static_cast<float>(d);
    }
    return rc;
}

mint ifx_int8cvdec(dec_t *in, ifx_int8_t *int8) {
    BigDec v;
    if (!decToBig(in, v)) {
        int8SetNull(int8);
        return 0;
    }
    return fromBig(v, int8);
}

mint ifx_int8todec(ifx_int8_t *int8, dec_t *out) {
    int64_t v = 0;
    if (!int8Get(int8, v)) {
        if (int8->sign != 0)
            return err::Int8Overflow;
        decSetNull(out);
        return 0;
    }
    return bigToDec(BigDec::fromInt(v), out);
}

mint ifx_int8add(ifx_int8_t *n1, ifx_int8_t *n2, ifx_int8_t *sum) {
    return arith(n1, n2, sum, [](int64_t a, int64_t b, int64_t &r) { return !__builtin_add_overflow(a, b, &r); });
}

mint ifx_int8sub(ifx_int8_t *n1, ifx_int8_t *n2, ifx_int8_t *diff) {
    return arith(n1, n2, diff, [](int64_t a, int64_t b, int64_t &r) { return !__builtin_sub_overflow(a, b, &r); });
}

mint ifx_int8mul(ifx_int8_t *n1, ifx_int8_t *n2, ifx_int8_t *product) {
    return arith(n1, n2, product, [](int64_t a, int64_t b, int64_t &r) { return !__builtin_mul_overflow(a, b, &r); });
}

mint ifx_int8div(ifx_int8_t *n1, ifx_int8_t *n2, ifx_int8_t *quotient) {
    int64_t b = 0;
    if (int8Get(n2, b) && b == 0)
        return err::DivideByZero;
    return arith(n1, n2, quotient, [](int64_t a, int64_t d, int64_t &r) {
        r = a / d;  // |a| <= kInt8Max, so no overflow
        return true;
    });
}

mint ifx_int8cmp(ifx_int8_t *n1, ifx_int8_t *n2) {
    int64_t a = 0, b = 0;
    if (!int8Get(n1, a) || !int8Get(n2, b))
        return INT8UNKNOWN;
    return a < b ? -1 : (a > b ? 1 : 0);
}

void ifx_int8copy(ifx_int8_t *from, ifx_int8_t *to) {
    if (from != to)
        std::memcpy(to, from, sizeof *to);
}

}  // extern "C"

static_assert(kInt8Max == 9223372036854775807LL);
