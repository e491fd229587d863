#pragma once
// "Quot" and "UnQuot": turning selected SQL lines into the lines of a quoted
// string concatenation ('select * '+) and back. Texts are UTF-8; the result
// always ends with CR LF.
#include <string>
#include <vector>

namespace varnok {

// Lines end at CR LF, a lone CR or a lone LF; a break at the very end opens
// no further line, so "a\r\n" is the one line "a" and "" is no line at all.
std::vector<std::string> SplitTextLines(const std::string& text);

// 'line '+ : a quote, the line, a blank, a quote, a plus sign. Quotes inside
// the line are not doubled.
std::string QuoteLine(const std::string& line);
// The line trimmed; when more than one character is left, a leading +' (or
// + ', +  ', or else a single ') and then a trailing '+ (or ' +, '  +, or
// else a single ') are removed and the rest is trimmed again.
std::string UnquoteLine(const std::string& line);

// Every line transformed, each followed by CR LF.
std::string QuoteLines(const std::string& text);
std::string UnquoteLines(const std::string& text);

} // namespace varnok
