// BigDec: an exact signed decimal number (coefficient digits × 10^exp) used as
// the working form behind dec_t. dec_t keeps at most 16 base-100 digits; the
// arithmetic here is exact (or, for division, carries a few guard digits) and
// the result is rounded once when it goes back into a dec_t.
#pragma once

#include <cstdint>
#include <string>

namespace ifxsim {

class BigDec {
public:
    BigDec() = default;
    static BigDec fromInt(int64_t v);
    static BigDec fromParts(bool negative, std::string digits, int exp);

    bool isZero() const { return digits_.empty(); }
    bool negative() const { return neg_; }
    const std::string &digits() const { return digits_; }  // no leading/trailing zeros
    int exp() const { return exp_; }

    // Position of the decimal point relative to the first digit:
    // value = 0.DIGITS × 10^pointPos().
    int pointPos() const { return static_cast<int>(digits_.size()) + exp_; }

    BigDec negated() const;
    BigDec abs() const;

    // Rounds half away from zero (or truncates) so no digit lies right of
    // 10^-places; places may be negative (round to tens, hundreds, ...).
    BigDec roundedToPlaces(int places, bool truncate = false) const;
    // Keeps at most n significant digits, rounding half away from zero.
    BigDec roundedToSignificant(int n) const;

    static int compare(const BigDec &a, const BigDec &b);
    static BigDec add(const BigDec &a, const BigDec &b);
    static BigDec sub(const BigDec &a, const BigDec &b);
    static BigDec mul(const BigDec &a, const BigDec &b);
    // a / b with sigDigits significant digits, truncated; b must not be zero.
    static BigDec div(const BigDec &a, const BigDec &b, int sigDigits);

    double toDouble() const;
    // Plain text: optional '-', integer digits (at least "0"), and when
    // fracDigits > 0 a '.' with exactly fracDigits digits (value must already
    // be rounded to that many places; extra places are cut).
    std::string toPlain(int fracDigits) const;
    // Number of digits right of the point needed to show every digit.
    int fracDigitsNeeded() const { return exp_ < 0 ? -exp_ : 0; }
    // Integer part as int64 when it fits, truncating any fraction.
    bool toInt64(int64_t &out) const;

private:
    void normalize();
    static int compareMagnitude(const BigDec &a, const BigDec &b);
    static BigDec addMagnitudes(const BigDec &a, const BigDec &b);
    static BigDec subMagnitudes(const BigDec &a, const BigDec &b);  // |a| >= |b|

    bool neg_ = false;
    std::string digits_;  // '0'..'9', most significant first
    int exp_ = 0;
};

}  // namespace ifxsim
