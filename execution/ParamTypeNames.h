#pragma once
// The nine type names of the parameters window, in the order of its Type
// drop-down, and the data type each gives a parameter.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "execution/ParamList.h"

namespace varnok {

inline constexpr std::string_view kParamTypeString = "String";
inline constexpr std::string_view kParamTypeInteger = "Integer";
inline constexpr std::string_view kParamTypeInt8 = "Int8";
inline constexpr std::string_view kParamTypeFloat = "Float/Decimal";
inline constexpr std::string_view kParamTypeDate = "Date";
inline constexpr std::string_view kParamTypeInterval = "Interval";
inline constexpr std::string_view kParamTypeDateTime = "DateTime";
inline constexpr std::string_view kParamTypeMoney = "Money";
inline constexpr std::string_view kParamTypeNull = "Null";

inline constexpr std::array<std::string_view, 9> kParamTypeNames = {
    kParamTypeString, kParamTypeInteger, kParamTypeInt8,     kParamTypeFloat, kParamTypeDate,
    kParamTypeInterval, kParamTypeDateTime, kParamTypeMoney, kParamTypeNull};

bool IsParamTypeName(std::string_view typeName);

// The data type a type name gives; "Null" gives Unknown (the parameter is
// only made null). Nothing for a name outside the nine.
std::optional<TParamDataType> DataTypeOfTypeName(std::string_view typeName);

}  // namespace varnok
