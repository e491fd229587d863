#include "values/DecimalCodec.h"

#include "values/ErrorCodes.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace ifxsim {

namespace {
constexpr int kMaxDigits = 2 * DECSIZE;  // 32 decimal digits in 16 base-100 digits
constexpr int kMaxExp100 = 63;
constexpr int kMinExp100 = -64;
}

void decSetNull(dec_t *d) {
    std::memset(d, 0, sizeof *d);
    d->dec_pos = DECPOSNULL;
}

bool decToBig(const dec_t *d, BigDec &out) {
    if (d->dec_pos == DECPOSNULL || d->dec_ndgts < 0 || d->dec_ndgts > DECSIZE)
        return false;
    std::string digits;
    for (int i = 0; i < d->dec_ndgts; ++i) {
        int pair = static_cast<unsigned char>(d->dec_dgts[i]);
        if (pair > 99)
            return false;
        digits.push_back(static_cast<char>('0' + pair / 10));
        digits.push_back(static_cast<char>('0' + pair % 10));
    }
    out = BigDec::fromParts(d->dec_pos == 0, digits, 2 * (d->dec_exp - d->dec_ndgts));
    return true;
}

int bigToDec(const BigDec &input, dec_t *d) {
    BigDec value = input;
    for (int pass = 0; pass < 2; ++pass) {
        int point = value.pointPos();
        int alignedPoint = point + (point & 1);  // point on a pair boundary
        if (alignedPoint - value.exp() <= kMaxDigits || value.isZero())
            break;
        // Keep 32 aligned digits: the last one has place value 10^(alignedPoint-32).
        value = value.roundedToPlaces(kMaxDigits - alignedPoint);
    }
    // Built aside so a failure leaves the caller's value untouched.
    dec_t result;
    std::memset(&result, 0, sizeof result);
    if (value.isZero()) {
        result.dec_pos = 1;
        *d = result;
        return 0;
    }
    std::string digits = value.digits();
    int point = value.pointPos();
    if (point & 1) {
        digits.insert(digits.begin(), '0');
        ++point;
    }
    if (digits.size() & 1)
        digits.push_back('0');
    int exp100 = point / 2;
    if (exp100 > kMaxExp100)
        return err::DecOverflow;
    if (exp100 < kMinExp100)
        return err::DecUnderflow;
    result.dec_exp = static_cast<int2>(exp100);
    result.dec_pos = value.negative() ? 0 : 1;
    result.dec_ndgts = static_cast<int2>(digits.size() / 2);
    for (size_t i = 0; i < digits.size() / 2; ++i)
        result.dec_dgts[i] = static_cast<char>((digits[2 * i] - '0') * 10 + (digits[2 * i + 1] - '0'));
    *d = result;
    return 0;
}

bool plainTextToDec(std::string_view text, dec_t *d) {
    size_t i = 0;
    const size_t n = text.size();
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Significant digits only: leading zeros are dropped as they come.
    char digits[kMaxDigits];
    int count = 0, fracCount = 0;
    bool sawPoint = false, sawDigit = false;
    for (; i < n; ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            sawDigit = true;
            if (sawPoint)
                ++fracCount;
            if (count == 0 && c == '0')
                continue;
            if (count == kMaxDigits)
                return false;
            digits[count++] = c;
        } else if (c == '.' && !sawPoint) {
            sawPoint = true;
        } else {
            return false;  // blanks, an exponent, junk: the full parser decides
        }
    }
    if (!sawDigit)
        return false;
    dec_t result;
    std::memset(&result, 0, sizeof result);
    while (count > 0 && digits[count - 1] == '0') {
        --count;
        --fracCount;  // may go negative: trailing zeros of the whole part
    }
    if (count == 0) {
        result.dec_pos = 1;
        *d = result;
        return true;
    }
    // value = 0.DIGITS x 10^point; aligned to digit pairs as bigToDec does.
    int point = count - fracCount;
    const int lead = point & 1;
    if (lead + count > kMaxDigits)
        return false;  // needs rounding
    point += lead;
    const int exp100 = point / 2;
    if (exp100 > kMaxExp100 || exp100 < kMinExp100)
        return false;
    char aligned[kMaxDigits + 2];
    int len = 0;
    if (lead)
        aligned[len++] = '0';
    std::memcpy(aligned + len, digits, static_cast<size_t>(count));
    len += count;
    if (len & 1)
        aligned[len++] = '0';
    result.dec_exp = static_cast<int2>(exp100);
    result.dec_pos = negative ? 0 : 1;
    result.dec_ndgts = static_cast<int2>(len / 2);
    for (int k = 0; k < len / 2; ++k)
        result.dec_dgts[k] = static_cast<char>((aligned[2 * k] - '0') * 10 + (aligned[2 * k + 1] - '0'));
    *d = result;
    return true;
}

std::string_view boundedText(const char *cp, int len) {
    if (!cp)
        return {};
    size_t n = 0;
    while ((len < 0 || n < static_cast<size_t>(len)) && cp[n] != '\0')
        ++n;
    return std::string_view(cp, n);
}

int parseNumber(std::string_view text, std::optional<BigDec> &out) {
    out.reset();
    size_t i = 0, n = text.size();
    auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (i < n && isBlank(text[i]))
        ++i;
    if (i == n)
        return 0;  // blank text: NULL
    bool negative = false;
    if (text[i] == '+' || text[i] == '-') {
        negative = text[i] == '-';
        ++i;
    }
    std::string digits;
    int fracCount = 0;
    bool sawPoint = false, sawDigit = false;
    for (; i < n; ++i) {
        char c = text[i];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            sawDigit = true;
            digits.push_back(c);
            if (sawPoint)
                ++fracCount;
        } else if (c == '.' && !sawPoint) {
            sawPoint = true;
        } else {
            break;
        }
    }
    if (!sawDigit)
        return err::NonNumeric;
    long exponent = 0;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool expNegative = false;
        if (i < n && (text[i] == '+' || text[i] == '-')) {
            expNegative = text[i] == '-';
            ++i;
        }
        if (i == n || !std::isdigit(static_cast<unsigned char>(text[i])))
            return err::BadExponent;
        for (; i < n && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
            exponent = std::min(exponent * 10 + (text[i] - '0'), 1000000L);  // range checked later
        if (expNegative)
            exponent = -exponent;
    }
    while (i < n && isBlank(text[i]))
        ++i;
    if (i != n)
        return err::NonNumeric;
    // Leading zeros would otherwise push the exponent arithmetic around.
    BigDec value = BigDec::fromParts(negative, digits, 0);
    if (!value.isZero())
        value = BigDec::fromParts(negative, value.digits(),
                                  value.exp() - fracCount + static_cast<int>(exponent));
    out = value;
    return 0;
}

namespace {

// "d.ddde+XX" with as many mantissa digits as fit in width, or "" if none fit.
std::string exponential(const BigDec &value, int width) {
    std::string sign = value.negative() ? "-" : "";
    for (int mantissa = static_cast<int>(value.digits().size()); mantissa >= 1; --mantissa) {
        BigDec r = value.roundedToSignificant(mantissa);
        int exp10 = r.pointPos() - 1;  // one digit before the point
        std::string digits = r.digits();
        digits.resize(static_cast<size_t>(mantissa), '0');
        std::string text = sign + digits.substr(0, 1);
        if (mantissa > 1)
            text += "." + digits.substr(1);
        std::string e = std::to_string(exp10 < 0 ? -exp10 : exp10);
        if (e.size() < 2)
            e.insert(0, "0");
        text += std::string("e") + (exp10 < 0 ? "-" : "+") + e;
        if (static_cast<int>(text.size()) <= width)
            return text;
    }
    return {};
}

}  // namespace

std::string fitNumber(const BigDec &input, int width, int right) {
    BigDec value = right >= 0 ? input.roundedToPlaces(right) : input;
    int frac = right >= 0 ? right : value.fracDigitsNeeded();
    std::string plain = value.toPlain(frac);
    if (static_cast<int>(plain.size()) <= width)
        return plain;
    if (value.isZero())
        return {};
    if (right < 0 && frac > 0) {
        // A floating-scale value gives up decimals before it turns exponential,
        // as long as some significant digit survives.
        int intLen = static_cast<int>(value.toPlain(0).size());
        for (int f = width - intLen - 1; f >= 1; --f) {
            BigDec r = value.roundedToPlaces(f);
            if (r.isZero())
                break;
            std::string text = r.toPlain(std::min(f, r.fracDigitsNeeded()));
            if (static_cast<int>(text.size()) <= width)
                return text;
        }
    }
    return exponential(value, width);
}

}  // namespace ifxsim
