#include "results/ColumnSortRule.h"

namespace varnok {

TColumnSortStep NextColumnSort(const std::string& indexFieldNames, const std::string& fieldName) {
    if (indexFieldNames != fieldName) return {fieldName, fieldName + " ^"};
    return {fieldName + " desc", fieldName + " v"};
}

}  // namespace varnok
