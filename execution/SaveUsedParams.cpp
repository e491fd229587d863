#include "execution/SaveUsedParams.h"

#include <algorithm>

namespace varnok {

void TSaveUsedParams::Remember(const std::string& name, const std::string& typeName, const std::string& value) {
    const auto found = std::find(names_.begin(), names_.end(), name);
    if (found != names_.end()) {
        const auto at = found - names_.begin();
        names_.erase(found);
        typeNames_.erase(typeNames_.begin() + at);
        values_.erase(values_.begin() + at);
    }
    names_.insert(names_.begin(), name);
    typeNames_.insert(typeNames_.begin(), typeName);
    values_.insert(values_.begin(), value);
    if (names_.size() > kMaxEntries) {
        names_.pop_back();
        typeNames_.pop_back();
        values_.pop_back();
    }
}

TUsedParam TSaveUsedParams::Recall(const std::string& name) const {
    const auto found = std::find(names_.begin(), names_.end(), name);
    if (found == names_.end()) return {};
    const auto at = static_cast<std::size_t>(found - names_.begin());
    return {typeNames_[at], values_[at]};
}

std::vector<std::string> TSaveUsedParams::ValuesOfType(const std::string& typeName) const {
    std::vector<std::string> values;
    for (std::size_t i = 0; i < names_.size(); ++i)
        if (typeNames_[i] == typeName) values.push_back(values_[i]);
    return values;
}

}  // namespace varnok
