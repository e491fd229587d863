// risnull/rsetnull for every C host type, and the text-to-number helpers
// rstod/rstoi/rstol that the access layer uses for parameters.
// Blank text converts to the type's NULL value.
#include "values/DecimalCodec.h"
#include "values/ErrorCodes.h"
#include "values/NullValues.h"

#include <cmath>
#include <cstring>

using namespace ifxsim;

namespace {

template <typename T>
bool isValue(const char *ptr, T nullValue) {
    T v;
    std::memcpy(&v, ptr, sizeof v);
    return v != nullValue;
}

template <typename T>
void store(char *ptr, T value) {
    std::memcpy(ptr, &value, sizeof value);
}

int parseIntegral(char *str, int64_t lo, int64_t hi, int64_t &out, bool &isNull) {
    std::optional<BigDec> value;
    int rc = parseNumber(boundedText(str, -1), value);
    if (rc != 0)
        return rc;
    isNull = !value;
    if (isNull)
        return 0;
    if (!value->toInt64(out) || out < lo || out > hi)
        return err::IntOverflow;
    return 0;
}

}  // namespace

extern "C" {

mint risnull(mint ctype, char *ptr) {
    if (!ptr)
        return 1;
    switch (ctype) {
    case CCHARTYPE:
    case CSTRINGTYPE:
    case CFIXCHARTYPE:
    case CVCHARTYPE:
        return ptr[0] == '\0';
    case CSHORTTYPE:
        return !isValue<int2>(ptr, kNullInt2);
    case CINTTYPE:
    case CDATETYPE:
        return !isValue<int4>(ptr, kNullInt4);
    case CLONGTYPE:
        return !isValue<mlong>(ptr, kNullLong);
    case CBIGINTTYPE:
        return !isValue<bigint>(ptr, kNullBigint);
    case CFLOATTYPE:
        return isNullBytes(ptr, sizeof(float));
    case CDOUBLETYPE:
        return isNullBytes(ptr, sizeof(double));
    case CDECIMALTYPE:
    case CMONEYTYPE:
        return reinterpret_cast<dec_t *>(ptr)->dec_pos == DECPOSNULL;
    case CDTIMETYPE:
        return reinterpret_cast<dtime_t *>(ptr)->dt_dec.dec_pos == DECPOSNULL;
    case CINVTYPE:
        return reinterpret_cast<intrvl_t *>(ptr)->in_dec.dec_pos == DECPOSNULL;
    case CINT8TYPE:
        return reinterpret_cast<ifx_int8_t *>(ptr)->sign == 0;
    case CLOCATORTYPE:
        return reinterpret_cast<loc_t *>(ptr)->loc_indicator == -1;
    default:
        return 0;
    }
}

mint rsetnull(mint ctype, char *ptr) {
    if (!ptr)
        return -1;
    switch (ctype) {
    case CCHARTYPE:
    case CSTRINGTYPE:
    case CFIXCHARTYPE:
    case CVCHARTYPE:
        ptr[0] = '\0';
        return 0;
    case CSHORTTYPE:
        store<int2>(ptr, kNullInt2);
        return 0;
    case CINTTYPE:
    case CDATETYPE:
        store<int4>(ptr, kNullInt4);
        return 0;
    case CLONGTYPE:
        store<mlong>(ptr, kNullLong);
        return 0;
    case CBIGINTTYPE:
        store<bigint>(ptr, kNullBigint);
        return 0;
    case CFLOATTYPE:
        std::memset(ptr, 0xff, sizeof(float));
        return 0;
    case CDOUBLETYPE:
        std::memset(ptr, 0xff, sizeof(double));
        return 0;
    case CDECIMALTYPE:
    case CMONEYTYPE:
        decSetNull(reinterpret_cast<dec_t *>(ptr));
        return 0;
    case CDTIMETYPE:
        decSetNull(&reinterpret_cast<dtime_t *>(ptr)->dt_dec);
        return 0;
    case CINVTYPE:
        decSetNull(&reinterpret_cast<intrvl_t *>(ptr)->in_dec);
        return 0;
    case CINT8TYPE: {
        ifx_int8_t *v = reinterpret_cast<ifx_int8_t *>(ptr);
        v->data[0] = v->data[1] = 0;
        v->sign = 0;
        return 0;
    }
    case CLOCATORTYPE:
        reinterpret_cast<loc_t *>(ptr)->loc_indicator = -1;
        return 0;
    default:
        return -1;
    }
}

mint rstod(char *str, double *val) {
    std::optional<BigDec> value;
    int rc = parseNumber(boundedText(str, -1), value);
    if (rc != 0)
        return rc;
    if (!value) {
        setNullDouble(val);
        return 0;
    }
    double d = value->toDouble();
    if (std::isinf(d))
        return err::DecOverflow;  // beyond what a double holds
    *val = d;
    return 0;
}

mint rstoi(char *str, mint *val) {
    int64_t v = 0;
    bool isNull = false;
    int rc = parseIntegral(str, INT32_MIN + 1, INT32_MAX, v, isNull);
    if (rc == 0)
        *val = isNull ? kNullInt4 : static_cast<mint>(v);
    return rc;
}

mint rstol(char *str, mlong *val) {
    int64_t v = 0;
    bool isNull = false;
    int rc = parseIntegral(str, LONG_MIN + 1, LONG_MAX, v, isNull);
    if (rc == 0)
        *val = isNull ? kNullLong : static_cast<mlong>(v);
    return rc;
}

}  // extern "C"
