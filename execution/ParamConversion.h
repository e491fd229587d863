#pragma once
// Value text → typed parameter value, with the locale's conventions (decimal
// point, date and time forms).
//
// An empty text gives null for every type but "String" and "Interval" (whose
// value is the text itself); "Null" always gives null. A text that does not
// convert is refused with an error text saying what was expected, so a typo
// never reaches the server as a silent null.
#include <QLocale>
#include <string>
#include <string_view>

#include "execution/ParamList.h"

namespace varnok {

struct TParamConversion {
    TParamDataType dataType = TParamDataType::Unknown;
    TParamData value;   // null for an empty text or the type "Null"
    std::string error;  // empty when the text converted

    bool Ok() const { return error.empty(); }
};

// Throws std::logic_error "Unknown parameter type." for a type name outside the nine.
TParamConversion ConvertParamText(std::string_view typeName, const std::string& text, const QLocale& locale);

// The date and date-and-time forms shown in error texts (four-digit years).
QString ParamDateForm(const QLocale& locale);
QString ParamDateTimeForm(const QLocale& locale);

}  // namespace varnok
