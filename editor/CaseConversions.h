#pragma once
// The letter-case commands of the editor on a selected text: "Upper Case",
// "Lower Case", "Capital Case" and "InversCase", by the user's locale.
#include <QString>

namespace varnok {

QString UpperCaseText(const QString& text);
QString LowerCaseText(const QString& text);
// A letter after a non-letter (or at the start) becomes upper case, every
// other letter lower case: "hELLO wORLD_x" gives "Hello World_X".
QString CapitalCaseText(const QString& text);
// Upper-case letters become lower case, everything else goes through the
// upper-case conversion: "Abc1" gives "aBC1".
QString InverseCaseText(const QString& text);

} // namespace varnok
