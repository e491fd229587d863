#pragma once
// The rows of a data set as tab-separated text (what the Copy command puts on
// the clipboard): a header line of the field names, then one line per row
// with every field's text (a null gives an empty text), each line ended by
// CR LF. Every remaining row is fetched; the current row is kept and the
// data set's controls stay disabled while the rows are walked.
#include <string>

#include "dbaccess/DataSet.h"

namespace varnok {

std::string RowsAsTabText(TDataSet& ds);

// The warnings after a spreadsheet export, in the order they are shown.
inline constexpr const char* kSpreadsheetCaption = "Export To Excel";
inline constexpr const char* kDatesClampedWarning = "Dates before '01/01/1901' were converted to '01/01/1901'.";
inline constexpr const char* kRowLimitWarning = "Only 65536 rows were exported (Excel bounds).";

}  // namespace varnok
