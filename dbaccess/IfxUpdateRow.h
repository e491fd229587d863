#pragma once
// TIfxUpdateRow: one changed row of a data set as writing it back needs it —
// the kind of change, each field's value before and after, and the row id.
// It is taken when the row is posted or deleted, so a queued change (cached
// updates) keeps its old values after the cache has moved on.
#include <string>
#include <vector>

#include "dbaccess/DataSet.h"
#include "dbaccess/IfxCustomDataSet.h"
#include "dbaccess/IfxParams.h"
#include "dbaccess/UpdateSQLGenerator.h"

namespace varnok {

class TIfxCustomSQL;

struct TIfxUpdateRow {
    TIfxUpdateKind kind = ukModify;
    TBookmark row = nullptr;  // the cached row; none once it is deleted
    std::vector<std::string> fieldNames;
    std::vector<bool> writable;       // insert and update may write it
    std::vector<bool> comparable;     // may stand in a where part (not a blob)
    std::vector<TParam> oldValues;    // null for an insert
    std::vector<TParam> newValues;    // the old values for a delete
    bool hasRowId = false;
    int rowId = 0;

    int IndexOf(const std::string& fieldName) const;
};

// The current row of dataSet: its old values as cached, its new values as
// the fields show them (the row-id field is left to the row id).
TIfxUpdateRow CaptureUpdateRow(TIfxCustomDataSet& dataSet, TIfxUpdateKind kind);

// The generator's view of the row. keyFields: the fields that identify a row.
// A re-read looks the row up by its values as posted.
std::vector<TUpdateColumn> UpdateColumns(const TIfxUpdateRow& row, const std::vector<std::string>& keyFields,
                                         bool forReRead = false);

// Fills the statement's input values by their names (MapUpdateParams);
// names that match nothing stay unset. With forReRead the "OLD_" names take
// the posted values.
void BindUpdateParams(TIfxCustomSQL& sql, const TIfxUpdateRow& row, bool forReRead = false);

bool IsBlobKind(TFieldType kind);

}  // namespace varnok
