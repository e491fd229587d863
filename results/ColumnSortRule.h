#pragma once
// Sorting a table view by a column title: a click on a column that is not
// the sort order sorts it ascending (" ^" after its title); a click on the
// column that is the ascending order sorts it descending (" v"); a third
// click is ascending again, since "name desc" is not "name".
#include <string>

namespace varnok {

struct TColumnSortStep {
    std::string indexFieldNames;   // the table data set's new order
    std::string caption;           // the clicked column's new title
};

TColumnSortStep NextColumnSort(const std::string& indexFieldNames, const std::string& fieldName);

}  // namespace varnok
