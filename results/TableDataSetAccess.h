#pragma once
// What a result view needs of a table data set (one that reads "select *"
// from a table, with its filter as WHERE clause and its index field names as
// ORDER BY clause): the index field names and the filter text. The view only
// sees TDataSet; the data set kind that reads whole tables registers here how
// to recognise it and reach those properties, so the views stay independent
// of it. Data sets no kind claims are not table data sets: clicking their
// column titles sorts nothing.
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
};

// Kinds are asked in the order registered; the first that matches answers.
void RegisterTableDataSetKind(TTableDataSetKind kind);
// Drops every registered kind (tests).
void ClearTableDataSetKinds();
// The kind of ds, or null when ds is not a table data set.
const TTableDataSetKind* FindTableDataSetKind(const TDataSet* ds);

}  // namespace varnok
