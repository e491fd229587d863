#pragma once
// Helpers for the library's mask formatting routines (rfmtlong, rfmtdouble,
// rfmtdec, rfmtdate). Those routines write as many characters as the mask
// asks for, plus the currency symbols, and are given no buffer length: the
// output buffer is sized from the mask, never a fixed array.
#include <cstddef>
#include <string>
#include <string_view>

namespace varnok {

// Bytes an output buffer needs for a text formatted through mask.
std::size_t MaskOutputSize(std::string_view mask);

// A mask without a sign position ("-", "+", "(" or ")") formats a negative
// number as its absolute value. Such a text would show -1234.5 as 1234.50 and,
// as an edit text, turn the value positive when it is written back; so the
// minus goes in front of the text's first non-blank character.
std::string KeepNegativeSign(std::string text, bool negative, std::string_view mask);

}  // namespace varnok
