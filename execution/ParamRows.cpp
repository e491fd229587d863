#include "execution/ParamRows.h"

#include "execution/ParamConversion.h"
#include "execution/ParamTypeNames.h"

namespace varnok {

void TParamRows::LoadParams(TParamList& params) {
    params_ = &params;
    rows_.clear();
    for (const auto& name : DistinctParamNames(params)) {
        const TUsedParam used = used_.Recall(name);
        rows_.push_back({name, used.typeName.empty() ? std::string(kParamTypeString) : used.typeName, used.value});
    }
}

void TParamRows::ResetRows() {
    rows_.clear();
    if (!params_) return;
    // One row per name, as LoadParams shows them: with a name repeated, a
    // second row would overwrite the first row's value on "Ok".
    for (const auto& name : DistinctParamNames(*params_)) rows_.push_back({name, std::string(kParamTypeString), {}});
}

bool TParamRows::IsNullRow(int row) const {
    return Row(row).typeName == kParamTypeNull;
}

bool TParamRows::CanSelect(int row, TParamColumn column) const {
    if (row < 0 || row >= RowCount()) return false;
    switch (column) {
    case TParamColumn::Name: return false;
    case TParamColumn::Type: return true;
    case TParamColumn::Value: return !IsNullRow(row);
    }
    return false;
}

bool TParamRows::CanType(int row, TParamColumn column) const {
    return column == TParamColumn::Value && CanSelect(row, column);
}

std::vector<std::string> TParamRows::PickList(int row, TParamColumn column) const {
    if (!CanSelect(row, column)) return {};
    if (column == TParamColumn::Type) return {kParamTypeNames.begin(), kParamTypeNames.end()};
    return used_.ValuesOfType(Row(row).typeName);
}

void TParamRows::SetType(int row, const std::string& typeName) {
    auto& target = rows_.at(static_cast<std::size_t>(row));
    target.typeName = typeName;
    if (typeName == kParamTypeNull) target.value.clear();
}

void TParamRows::SetValue(int row, const std::string& value) {
    if (IsNullRow(row)) return;
    rows_.at(static_cast<std::size_t>(row)).value = value;
}

TApplyParamsResult TParamRows::ApplyParams(const QLocale& locale) {
    std::vector<TParamConversion> converted;
    converted.reserve(rows_.size());
    for (int row = 0; row < RowCount(); ++row) {
        const TParamRow& source = Row(row);
        converted.push_back(ConvertParamText(source.typeName, source.value, locale));
        if (!converted.back().Ok())
            return {false, row, "Parameter " + source.name + ": " + converted.back().error};
    }
    for (int row = 0; row < RowCount(); ++row) {
        const TParamRow& source = Row(row);
        const TParamConversion& value = converted[static_cast<std::size_t>(row)];
        if (params_) {
            for (auto& param : *params_) {
                if (param.name != source.name) continue;
                param.text = source.value;
                param.dataType = value.dataType;
                param.value = value.value;
            }
        }
        used_.Remember(source.name, source.typeName, source.value);
    }
    return {};
}

}  // namespace varnok
