#pragma once
// Edit masks of string fields: the text an editor starts from, and the value
// an edited text stands for.
//
// A mask has up to three ";"-separated sections: the pattern, a flag whether
// the value holds the pattern's literals ("1", the default) or only what was
// typed ("0"), and the blank character of unfilled places ("_" by default;
// the edit text shows blanks as spaces). Pattern characters:
//   L letter, l optional letter, A letter or digit, a optional one,
//   C any character, c optional one, 0 digit, 9 optional digit,
//   # optional digit or sign;
//   > upper case from here, < lower case from here, <> neither;
//   ! unfilled places are leading blanks instead of trailing ones;
//   \ takes the next character as a literal, _ is a literal blank;
//   anything else is a literal (":" and "/" too).
//
//   MaskedEditText("!\(999\) 000-0000;0;_", "5551234567") == "(555) 123-4567"
#include <string>
#include <string_view>

namespace varnok {

// The value as the mask shows it. A value that does not fit the pattern
// (more characters than it has places, or literals where they do not belong)
// is shown as it is, so that editing it loses nothing.
std::string MaskedEditText(std::string_view mask, std::string_view value);

// The value an edited text stands for: with the "0" flag the pattern's
// literals are taken out again (and blanks at either end, the unfilled
// places, dropped) when the text has the pattern's layout; any other text is
// the value as typed.
std::string UnmaskedEditText(std::string_view mask, std::string_view text);

}  // namespace varnok
