// rfmtdec, rfmtdouble, rfmtlong: numbers through a formatting mask (see
// NumericMask.h) with the DBMONEY symbols of the library's environment.
//
// [UNVERIFIED] a NULL value formats as an empty string; '@' with no back
// symbol writes nothing.
#include "values/DecimalCodec.h"
#include "values/ErrorCodes.h"
#include "values/NullValues.h"
#include "values/NumericMask.h"

#include <cstring>

using namespace ifxsim;

namespace {

int formatOut(const BigDec *value, const char *fmt, char *out) {
    if (!fmt || !out)
        return err::BadFormat;
    std::string text = value ? formatWithMask(*value, fmt, currentMoneySymbols()) : std::string();
    std::memcpy(out, text.c_str(), text.size() + 1);
    return 0;
}

}  // namespace

extern "C" {

mint rfmtdec(dec_t *np, char *fmt, char *out) {
    BigDec v;
    return formatOut(decToBig(np, v) ? &v : nullptr, fmt, out);
}

mint rfmtdouble(double dbl, char *fmt, char *out) {
    if (isNullBytes(&dbl, sizeof dbl))
        return formatOut(nullptr, fmt, out);
    dec_t d;
    int rc = deccvdbl(dbl, &d);
    if (rc != 0)
        return rc;
    return rfmtdec(&d, fmt, out);
}

mint rfmtlong(int4 lng, char *fmt, char *out) {
    if (lng == kNullInt4)
        return formatOut(nullptr, fmt, out);
    BigDec v = BigDec::fromInt(lng);
    return formatOut(&v, fmt, out);
}

}  // extern "C"
