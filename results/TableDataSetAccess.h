#pragma once
// What a result view needs of a table data set (one that reads "select *"
// from a table, with its filter as WHERE clause and its index field names as
// ORDER BY clause): the index field names, the filter text and the filtering
// switch (a table re-reads its rows when it changes). The view only sees
// TDataSet; TIfxTable is known here, and other data set kinds that read whole
// tables can register how to recognise them and reach those properties. Data
// sets no kind claims are not table data sets: clicking their column titles
// sorts nothing.
#include <functional>
#include <string>

#include "dbaccess/DataSet.h"

namespace varnok {

struct TTableDataSetKind {
    std::function<bool(const TDataSet&)> matches;
    std::function<std::string(const TDataSet&)> indexFieldNames;
    // Re-reads the rows in the new order (may raise the server's error).
    std::function<void(TDataSet&, const std::string&)> setIndexFieldNames;
    std::function<std::string(const TDataSet&)> filter;
    std::function<void(TDataSet&, const std::string&)> setFilter;
    std::function<void(TDataSet&, bool)> setFiltered;
};

// Registered kinds are asked in the order registered, then TIfxTable; the
// first that matches answers.
void RegisterTableDataSetKind(TTableDataSetKind kind);
// Drops every registered kind (tests); TIfxTable stays.
void ClearTableDataSetKinds();
// The kind of ds, or null when ds is not a table data set.
const TTableDataSetKind* FindTableDataSetKind(const TDataSet* ds);

}  // namespace varnok
