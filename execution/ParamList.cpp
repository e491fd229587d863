#include "execution/ParamList.h"

#include <algorithm>

namespace varnok {

TParamList MakeParamList(const std::vector<std::string>& referenceNames) {
    TParamList params;
    params.reserve(referenceNames.size());
    for (const auto& name : referenceNames) params.push_back(TStatementParam{name, TParamDataType::Unknown, {}, {}});
    return params;
}

std::vector<std::string> DistinctParamNames(const TParamList& params) {
    std::vector<std::string> names;
    for (const auto& param : params)
        if (std::find(names.begin(), names.end(), param.name) == names.end()) names.push_back(param.name);
    return names;
}

}  // namespace varnok
