// DecimalCodec: moving numbers between dec_t, BigDec and text.
//
// dec_t holds base-100 digits with the point left of the first digit, so a
// value keeps 32 significant decimal digits when its point falls on a digit
// pair boundary and 31 otherwise; the rest is rounded half away from zero.
#pragma once

#include "ifxesqlc.h"
#include "values/BigDec.h"

#include <optional>
#include <string>
#include <string_view>

namespace ifxsim {

inline bool decIsNull(const dec_t *d) { return d->dec_pos == DECPOSNULL; }
void decSetNull(dec_t *d);

// dec_t -> BigDec. Returns false for NULL or a malformed dec_t.
bool decToBig(const dec_t *d, BigDec &out);
// BigDec -> dec_t, rounding to what fits; 0, or -1200/-1201 with *d untouched.
int bigToDec(const BigDec &value, dec_t *d);

// Parses Informix numeric text: blanks, sign, digits with one point, an
// optional e/E exponent, blanks. Blank text is reported as nullopt with rc 0.
// Errors: -1213 non-numeric, -1216 bad exponent.
int parseNumber(std::string_view text, std::optional<BigDec> &out);
// parseNumber and bigToDec in one step for the common plain text
// "[-+]digits[.digits]" of at most 32 significant digits, without the heap.
// False (and *d untouched) for anything else: the caller takes the full way.
bool plainTextToDec(std::string_view text, dec_t *d);

// Fits a number into width characters the way dectoasc does: plain text with
// `right` decimals (-1: the value's own), else exponential, else empty
// (the caller fills with '*').
std::string fitNumber(const BigDec &value, int width, int right);

// The text of a C string limited to len characters (len < 0: up to the NUL).
std::string_view boundedText(const char *cp, int len);

}  // namespace ifxsim
