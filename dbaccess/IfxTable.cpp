#include "dbaccess/IfxTable.h"

#include "dbaccess/FormatText.h"
#include "dbaccess/IfxConnection.h"
#include "dbaccess/IfxFieldTypes.h"
#include "dbaccess/IfxSQL.h"
#include "dbaccess/SQLProcessor.h"

namespace varnok {

TIfxTable::TIfxTable() { SetRequestLive(true); }

TIfxTable::~TIfxTable() {
    masterLink_.SetDataSource(nullptr);
    try {
        Close();
    } catch (...) {
    }
}

// ---- the table

void TIfxTable::SetTableName(const std::string& name) {
    if (name == tableName_) return;
    if (Active()) DataSetError("Cannot perform this operation on an open dataset");
    tableName_ = name;
    nameParts_ = TIfxTableName::Split(name);
    InnerSQL().SetSQL({});
    indexDefs_.Clear();
    indexDefsRead_ = false;
    catalogFieldDefs_.Clear();
    catalogFieldDefsRead_ = false;
    indexFieldNames_.clear();
    indexName_.clear();
}

std::string TIfxTable::FullTableName() const {
    return nameParts_.FullName(InnerSQL().EffectiveProcessor().ParamChar());
}

std::string TIfxTable::DefaultTableName() {
    // The name as a user writes it; whoever builds a statement from it doubles the colon.
    std::string name;
    if (!nameParts_.database.empty()) name += nameParts_.database + ":";
    if (!nameParts_.owner.empty()) name += nameParts_.owner + ".";
    return name + nameParts_.table;
}

void TIfxTable::CheckTableName() const {
    if (TrimText(nameParts_.table).empty()) const_cast<TIfxTable*>(this)->LayerError("Missing TableName property");
}

TIfxCatalogContext TIfxTable::Context() {
    CheckTableName();
    if (!Connection()) LayerError("This operation requires a connection");
    return CatalogContext(*Connection(), nameParts_);
}

// ---- catalog

const TIndexDefs& TIfxTable::IndexDefs() {
    if (!indexDefsRead_) UpdateIndexDefs();
    return indexDefs_;
}

void TIfxTable::UpdateIndexDefs() {
    const TIfxCatalogContext context = Context();
    std::vector<std::string> columns;
    for (const TFieldDef& def : CatalogFieldDefs()) columns.push_back(def.name);
    TIndexDefs defs;
    for (const TCatalogIndexRow& row : ReadCatalogIndexes(*Connection(), context)) AddCatalogIndexDef(defs, row, columns);
    indexDefs_ = std::move(defs);
    indexDefsRead_ = true;
}

const TFieldDefs& TIfxTable::CatalogFieldDefs() {
    if (!catalogFieldDefsRead_) {
        const TIfxCatalogContext context = Context();
        TFieldDefs defs;
        for (const TCatalogColumnRow& row : ReadCatalogColumns(*Connection(), context))
            AddCatalogFieldDef(EffectiveFieldTypes(), defs, row);
        AddRowIdFieldDef(defs);   // a table always carries its row id
        catalogFieldDefs_ = std::move(defs);
        catalogFieldDefsRead_ = true;
    }
    return catalogFieldDefs_;
}

void TIfxTable::ApplyCatalogFieldDefs() {
    const TFieldDefs& catalog = CatalogFieldDefs();
    for (int i = 0; i < FieldDefs().Count(); ++i) {
        TFieldDef& def = FieldDefs()[i];
        const int known = catalog.IndexOf(def.name);
        if (known >= 0 && !catalog[known].required) def.required = false;
    }
}

// ---- order and statement

TIfxTableOrder TIfxTable::CurrentOrder() {
    const bool byName = TrimText(indexFieldNames_).empty() && !TrimText(indexName_).empty();
    const bool needIndexes = defaultIndex_ || byName || !TrimText(indexFieldNames_).empty();
    static const TIndexDefs none;
    const TIndexDefs& indexes = needIndexes ? IndexDefs() : none;
    if (byName && !indexes.Find(TrimText(indexName_)))
        LayerError(Format("Index '%s' not found", {TrimText(indexName_)}));
    return ChooseTableOrder(indexes, indexFieldNames_, indexName_, defaultIndex_);
}

void TIfxTable::SetIndexFieldNames(const std::string& names) {
    if (names == indexFieldNames_ && indexName_.empty()) return;
    indexFieldNames_ = names;
    indexName_.clear();
    Reopen();
}

void TIfxTable::SetIndexName(const std::string& name) {
    if (name == indexName_ && indexFieldNames_.empty()) return;
    indexName_ = name;
    indexFieldNames_.clear();
    Reopen();
}

void TIfxTable::SetFilter(const std::string& filter) {
    if (filter == filter_) return;
    filter_ = filter;
    if (Filtered()) Reopen();
}

void TIfxTable::SetFiltered(bool on) {
    if (on == Filtered()) return;
    TDataSet::SetFiltered(on);
    if (!TrimText(filter_).empty()) Reopen();
}

void TIfxTable::SetFilterOptions(const TFilterOptions& options) {
    if (!options.empty()) LayerError("Unsupported feature");
    filterOptions_ = options;
}

std::string TIfxTable::SelectText() {
    CheckTableName();
    TIfxTableSelect select;
    select.fullName = FullTableName();
    select.filter = filter_;
    select.filtered = Filtered();
    select.paramChar = InnerSQL().EffectiveProcessor().ParamChar();
    select.order = CurrentOrder();
    linkFields_.clear();
    if (MasterLinkActive()) {
        const std::size_t masterCount = MasterFieldList().size();
        try {
            CheckMasterFieldCount(select.order, masterCount);
        } catch (const EDatabaseError& e) {
            LayerError(e.what());
        }
        linkFields_.assign(select.order.fields.begin(), select.order.fields.begin() + static_cast<std::ptrdiff_t>(masterCount));
        select.masterLinkFields = linkFields_;
    }
    return TableSelectText(select);
}

void TIfxTable::Reopen() {
    if (!Active()) return;
    // A change of the current row is written before the rows go, not dropped.
    CheckBrowseMode();
    Close();
    Open();
}

// ---- opening

void TIfxTable::InternalOpen() {
    CheckTableName();
    if (!filterOptions_.empty()) LayerError("Unsupported feature");
    SyncName();
    const std::string text = SelectText();
    if (InnerSQL().SQLText() != text) InnerSQL().SetSQLText(text);   // the same text keeps its prepared statement
    TIfxCustomDataSet::InternalOpen();
    ApplyCatalogFieldDefs();
}

void TIfxTable::BindInputs(TIfxParams& inputs) {
    if (!MasterLinkActive()) return;
    const std::vector<std::string> masterFields = MasterFieldList();
    TDataSet& master = *MasterSource()->DataSet();
    for (int i = 0; i < inputs.Count(); ++i) {
        for (std::size_t k = 0; k < linkFields_.size() && k < masterFields.size(); ++k) {
            if (!SameText(inputs[i].Name(), linkFields_[k])) continue;
            TField* field = master.FindField(masterFields[k]);
            if (field && master.CurrentRow())
                inputs[i].Param().AssignField(*field);
            else
                inputs[i].Param().Clear();   // no master row: no detail rows
        }
    }
}

// ---- master/detail

std::vector<std::string> TIfxTable::MasterFieldList() const { return SplitFieldList(masterFields_); }

bool TIfxTable::MasterLinkActive() const { return masterLink_.Active() && !MasterFieldList().empty(); }

void TIfxTable::SetMasterFields(const std::string& fields) {
    if (fields == masterFields_) return;
    masterFields_ = fields;
    Reopen();
}

void TIfxTable::SetMasterSource(TDataSource* source) {
    if (source == MasterSource()) return;
    // Walk the new master's chain; the step limit guards against a cycle that does not pass here.
    int steps = 0;
    for (TDataSource* s = source; s && s->DataSet() && steps < 1000; s = s->DataSet()->MasterSource(), ++steps)
        if (s->DataSet() == this) DataSetError("Circular datalinks are not allowed");
    masterLink_.SetDataSource(source);
    Reopen();
}

void TIfxTable::MasterChanged() {
    if (!Active() || MasterFieldList().empty()) return;
    // The master's own edits reach here too; only a settled row leads the detail.
    const TDataSetState state = MasterSource() && MasterSource()->DataSet() ? MasterSource()->DataSet()->State()
                                                                         : TDataSetState::dsInactive;
    if (state == TDataSetState::dsEdit || state == TDataSetState::dsInsert) return;
    Reopen();
}

// ---- editing

void TIfxTable::SetReadOnly(bool on) {
    if (on == readOnly_) return;
    readOnly_ = on;
}

bool TIfxTable::CanModify() const { return !readOnly_ && TIfxCustomDataSet::CanModify(); }

}  // namespace varnok
