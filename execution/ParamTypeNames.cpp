#include "execution/ParamTypeNames.h"

#include <algorithm>

namespace varnok {

bool IsParamTypeName(std::string_view typeName) {
    return std::find(kParamTypeNames.begin(), kParamTypeNames.end(), typeName) != kParamTypeNames.end();
}

std::optional<TParamDataType> DataTypeOfTypeName(std::string_view typeName) {
    if (typeName == kParamTypeString || typeName == kParamTypeInterval) return TParamDataType::String;
    if (typeName == kParamTypeInteger) return TParamDataType::Integer;
    if (typeName == kParamTypeInt8) return TParamDataType::Int8;
    if (typeName == kParamTypeFloat) return TParamDataType::Float;
    if (typeName == kParamTypeDate) return TParamDataType::Date;
    if (typeName == kParamTypeDateTime) return TParamDataType::DateTime;
    if (typeName == kParamTypeMoney) return TParamDataType::Currency;
    if (typeName == kParamTypeNull) return TParamDataType::Unknown;
    return std::nullopt;
}

}  // namespace varnok
