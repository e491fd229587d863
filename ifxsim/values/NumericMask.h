// NumericMask: the rfmtdec/rfmtdouble/rfmtlong formatting masks.
//
//   # digit, blank for a leading zero      & digit, zero for a leading zero
//   * digit, '*' for a leading zero        < digit, left-justified (leading zeros vanish)
//   , thousands separator, shown only with a digit to its left
//   . decimal point (the first one)        - + ( ) sign marks
//   $ DBMONEY front symbol                 @ DBMONEY back symbol
// A sign mark or '$' written more than once in the integer part floats: its
// positions hold digits and the mark lands just left of the leftmost digit.
// Any other character is copied. A number too large for the mask gives a row
// of '*' as long as the mask.
//
// [UNVERIFIED] unused '<' positions (and a ',' among them) are dropped, so
// the text is shorter than the mask; a front or back symbol longer than one
// character makes it longer; a mask with no sign mark shows no sign; a
// floating mark always needs one position of its own.
#pragma once

#include "values/BigDec.h"

#include <string>

namespace ifxsim {

struct MoneySymbols {
    std::string front = "$";
    std::string back;
    char decimal = '.';
    char thousands = ',';
};

// DBMONEY: "[front]{.|,}[back]"; unset or empty gives "$.".
MoneySymbols parseDbMoney(const std::string &setting);
MoneySymbols currentMoneySymbols();

std::string formatWithMask(const BigDec &value, const std::string &mask, const MoneySymbols &money);

}  // namespace ifxsim
