#pragma once
// The rules of the parameter grid, apart from its widget: which rows it
// shows, which cells can be selected or typed into, what each drop-down
// offers, and what "Clear" and "Ok" do with the statement's parameters.
//
// Rows are the distinct parameter names in the order of first occurrence;
// each row carries a type name (one of the nine) and a value text. The rows
// are counted from 0 here; the grid's header row is the widget's business.
#include <QLocale>
#include <string>
#include <vector>

#include "execution/ParamList.h"
#include "execution/SaveUsedParams.h"

namespace varnok {

enum class TParamColumn { Name = 0, Type = 1, Value = 2 };

struct TParamRow {
    std::string name;
    std::string typeName;
    std::string value;
};

struct TApplyParamsResult {
    bool ok = true;
    int row = -1;       // the row whose value does not convert
    std::string error;  // "Parameter <name>: ..." when ok is false
};

class TParamRows {
public:
    // Keeps a reference to params (not owned): "Ok" writes the values there.
    // Each row takes the remembered type and value of its name ("String" and
    // an empty value for a name never used).
    void LoadParams(TParamList& params);
    // "Clear": every parameter with the type "String" and no value.
    void ResetRows();

    int RowCount() const { return static_cast<int>(rows_.size()); }
    const TParamRow& Row(int row) const { return rows_.at(static_cast<std::size_t>(row)); }

    // The Name column never; Type always; Value unless the row's type is "Null".
    bool CanSelect(int row, TParamColumn column) const;
    // Text may be typed only into a selectable Value cell; the type is picked.
    bool CanType(int row, TParamColumn column) const;
    // The Type cell lists the nine type names; the Value cell every
    // remembered value of the row's type, most recent first.
    std::vector<std::string> PickList(int row, TParamColumn column) const;

    // Choosing "Null" empties the row's value.
    void SetType(int row, const std::string& typeName);
    // Ignored on a row of type "Null", whose Value cell cannot be edited.
    void SetValue(int row, const std::string& value);
    bool IsNullRow(int row) const;

    // "Ok": converts every row's value to its type; when one does not
    // convert, nothing is changed and the first such row is reported.
    // Otherwise every parameter of a row's name gets the row's text, data
    // type and value, and each row is remembered, first to last. Throws
    // std::logic_error "Unknown parameter type." for a type outside the nine.
    TApplyParamsResult ApplyParams(const QLocale& locale);

    const TParamList* Params() const { return params_; }
    TSaveUsedParams& UsedParams() { return used_; }
    const TSaveUsedParams& UsedParams() const { return used_; }

private:
    TParamList* params_ = nullptr;
    std::vector<TParamRow> rows_;
    TSaveUsedParams used_;
};

}  // namespace varnok
