#include "dbaccess/IfxQuery.h"

#include "dbaccess/IfxExceptions.h"

namespace varnok {

TIfxQuery::TIfxQuery() = default;

TIfxQuery::~TIfxQuery() {
    masterLink_.SetDataSource(nullptr);
    try {
        Close();
    } catch (...) {
    }
}

void TIfxQuery::SetSQL(TStringLines lines) {
    Close();
    SyncName();
    InnerSQL().SetSQL(std::move(lines));
}

void TIfxQuery::SetSQLText(const std::string& text) {
    Close();
    SyncName();
    InnerSQL().SetSQLText(text);
}

void TIfxQuery::SetParamCheck(bool on) {
    Close();
    InnerSQL().SetParamCheck(on);
}

void TIfxQuery::ParamNamesChanged() { params_.Rebuild(InnerSQL().ParamNames()); }

void TIfxQuery::BindInputs(TIfxParams& inputs) {
    TDataSet* master = DataSource() ? DataSource()->DataSet() : nullptr;
    const bool fromMaster = master && master->Active() && master->CurrentRow();
    for (int i = 0; i < inputs.Count(); ++i) {
        TIfxSQLVAR& entry = inputs[i];
        const TParam* param = params_.FindParam(entry.Name());
        if (!param) continue;
        if (!param->Bound() && fromMaster) {
            if (TField* field = master->FindField(param->Name())) {
                // Filled for this run only: the parameter stays unbound for the master's next row.
                TParam fromField(param->Name());
                fromField.AssignField(*field);
                entry.Param().AssignValue(fromField);
                continue;
            }
        }
        entry.Param().AssignValue(*param);
    }
}

void TIfxQuery::SetDataSource(TDataSource* source) {
    if (source == DataSource()) return;
    // Walk the source's chain of masters: reaching this query would make a
    // cycle. The step limit guards against a cycle that does not pass here.
    int steps = 0;
    for (TDataSource* s = source; s && s->DataSet() && steps < 1000; s = s->DataSet()->MasterSource(), ++steps)
        if (s->DataSet() == this) DataSetError("Circular datalinks are not allowed");
    masterLink_.SetDataSource(source);
}

void TIfxQuery::TMasterLink::ActiveChanged() {
    if (Active()) query_.MasterMoved();
}

void TIfxQuery::TMasterLink::DataSetChanged() { query_.MasterMoved(); }

void TIfxQuery::MasterMoved() {
    if (!Active()) return;
    // A change of the detail row is written before the rows go, not dropped.
    CheckBrowseMode();
    Close();
    Open();
}

int TIfxQuery::Execute() {
    if (Active()) DataSetError("Cannot perform this operation on an open dataset");
    SyncName();
    return InnerSQL().Execute();
}

int TIfxQuery::ResultColumnCount() {
    SyncName();
    return InnerSQL().ResultColumnCount();
}

std::string TIfxQuery::DefaultTableName() { return SingleTableAfterFrom(InnerSQL().ProcessedText()); }

}  // namespace varnok
