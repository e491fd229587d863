// The stored (packed) form of a DECIMAL: one byte of sign and excess-64
// exponent, then base-100 digits. Negative values store the complemented
// exponent byte and the 100's complement of the digits, so packed values sort
// bytewise in numeric order. Zero is 0x80 followed by zeros.
//
// [UNVERIFIED] a NULL is stored as all zero bytes (no negative value can look
// like that, since its complemented digits are never all zero).
#include "values/DecimalCodec.h"

#include <cstring>
#include <vector>

using namespace ifxsim;

namespace {

// 100^n - D over n base-100 digits; applying it twice gives D back.
void complement100(std::vector<int> &digits) {
    int borrow = 0;
    for (size_t i = digits.size(); i-- > 0;) {
        int x = 0 - digits[i] - borrow;
        borrow = x < 0;
        digits[i] = x < 0 ? x + 100 : x;
    }
}

}  // namespace

extern "C" {

void stdecimal(dec_t *np, char *cp, mint len) {
    if (!cp || len <= 0)
        return;
    std::memset(cp, 0, static_cast<size_t>(len));
    BigDec v;
    if (!decToBig(np, v))
        return;  // NULL: all zero bytes
    int pairs = len - 1;
    // Fit the value into the available digit pairs.
    dec_t d;
    if (bigToDec(v.roundedToPlaces(2 * (pairs - np->dec_exp)), &d) != 0 || d.dec_ndgts > pairs)
        d = *np;
    if (d.dec_ndgts == 0) {
        cp[0] = static_cast<char>(0x80);
        return;
    }
    std::vector<int> digits(static_cast<size_t>(pairs), 0);
    for (int i = 0; i < d.dec_ndgts && i < pairs; ++i)
        digits[static_cast<size_t>(i)] = static_cast<unsigned char>(d.dec_dgts[i]);
    unsigned char head = static_cast<unsigned char>(0x80 | (d.dec_exp + 64));
    if (d.dec_pos == 0) {
        head = static_cast<unsigned char>(~head);
        complement100(digits);
    }
    cp[0] = static_cast<char>(head);
    for (int i = 0; i < pairs; ++i)
        cp[i + 1] = static_cast<char>(digits[static_cast<size_t>(i)]);
}

mint lddecimal(char *cp, mint len, dec_t *np) {
    if (!cp || len <= 0)
        return -1;
    const unsigned char *b = reinterpret_cast<const unsigned char *>(cp);
    bool allZero = true;
    for (int i = 0; i < len; ++i)
        allZero = allZero && b[i] == 0;
    if (allZero) {
        decSetNull(np);
        return 0;
    }
    std::memset(np, 0, sizeof *np);
    np->dec_pos = 1;
    std::vector<int> digits;
    for (int i = 1; i < len; ++i)
        digits.push_back(b[i]);
    unsigned char head = b[0];
    bool positive = head & 0x80;
    if (!positive) {
        head = static_cast<unsigned char>(~head);
        complement100(digits);
    }
    while (!digits.empty() && digits.back() == 0)
        digits.pop_back();
    if (digits.empty())
        return 0;  // zero
    if (digits.size() > DECSIZE)
        digits.resize(DECSIZE);
    for (int d : digits)
        if (d > 99)
            return -1;
    np->dec_pos = positive ? 1 : 0;
    np->dec_exp = static_cast<int2>((head & 0x7f) - 64);
    np->dec_ndgts = static_cast<int2>(digits.size());
    for (size_t i = 0; i < digits.size(); ++i)
        np->dec_dgts[i] = static_cast<char>(digits[i]);
    return 0;
}

}  // extern "C"
