#include "dbaccess/IfxCustomDataSet.h"

#include "dbaccess/IfxConnection.h"
#include "dbaccess/IfxExceptions.h"
#include "dbaccess/IfxField.h"
#include "dbaccess/IfxFieldTypes.h"
#include "dbaccess/IfxLibrary.h"

namespace varnok {

// ---- TIfxDataSetSQL ----

TIfxDataSetSQL::~TIfxDataSetSQL() = default;

void TIfxDataSetSQL::DisconnectNotify(TIfxConnection& connection) {
    // Closing the last cursor may itself close an idle connection: the close is under way then.
    if (!owner_.closing_) owner_.Close();
    TIfxCustomSQL::DisconnectNotify(connection);
}

void TIfxDataSetSQL::ParamNamesChanged() { owner_.ParamNamesChanged(); }

void TIfxDataSetSQL::BindInputs() { owner_.BindInputs(InputParams()); }

// ---- TIfxCustomDataSet ----

TIfxCustomDataSet::TIfxCustomDataSet() = default;

TIfxCustomDataSet::~TIfxCustomDataSet() {
    try {
        Close();
    } catch (...) {
    }
}

void TIfxCustomDataSet::LayerError(const std::string& message) {
    SyncName();
    sql_.Error(message);
}

void TIfxCustomDataSet::SetConnection(TIfxConnection* connection) {
    if (connection == Connection()) return;
    Close();
    sql_.SetConnection(connection);
}

void TIfxCustomDataSet::SetFieldTypes(TIfxFieldTypes* types) {
    if (Active()) DataSetError("Cannot perform this operation on an open dataset");
    if (types == fieldTypes_) return;
    // The inner statement is the data set's component: it hears when the field types go.
    if (fieldTypes_) fieldTypes_->RemoveFreeNotification(&sql_);
    fieldTypes_ = types;
    if (fieldTypes_) fieldTypes_->FreeNotification(&sql_);
}

TIfxFieldTypes& TIfxCustomDataSet::EffectiveFieldTypes() const {
    if (fieldTypes_) return *fieldTypes_;
    if (Connection() && Connection()->FieldTypes()) return *Connection()->FieldTypes();
    return DefaultIfxFieldTypes();
}

void TIfxCustomDataSet::SetSQLProcessor(TIfxSQLProcessor* processor) {
    Close();
    sql_.SetSQLProcessor(processor);
}

void TIfxCustomDataSet::SetMacros(TStringLines macros) {
    Close();
    sql_.SetMacros(std::move(macros));
}

void TIfxCustomDataSet::SetRequestLive(bool on) {
    Close();
    sql_.SetRequestLive(on);
}

// ---- the statement ----

void TIfxCustomDataSet::Prepare() {
    SyncName();
    sql_.Prepare();
}

void TIfxCustomDataSet::Unprepare() {
    Close();
    sql_.Unprepare();
}

int TIfxCustomDataSet::StatementType() {
    SyncName();
    return sql_.StatementType();
}

// ---- opening ----

void TIfxCustomDataSet::InternalOpen() {
    SyncName();
    managers_.clear();
    managersBuilt_ = false;
    rowIdFieldNo_ = 0;
    if (RequestLive() && !sql_.RowIdInserted()) LayerError("Cannot open dataset in RequestLive mode");
    sql_.Prepare();
    if (!sql_.ReturnsRows()) LayerError("Cannot open a statement that returns no rows; execute it instead");

    // Field definitions: one per result column, through the field types.
    FieldDefs().Clear();
    TIfxFieldTypes& types = EffectiveFieldTypes();
    TIfxFields& columns = sql_.Fields();
    if (RequestLive()) rowIdFieldNo_ = columns.Count();   // the row id is the last column
    for (int i = 0; i < columns.Count(); ++i) {
        const TIfxSQLVAR& column = columns[i];
        TFieldDef& def = types.AddFieldDef(FieldDefs(), i + 1, column.ExtendedId(), column.DescribedLength(),
                                           column.DescribedType(), column.Name());
        if (i + 1 == rowIdFieldNo_) def.readOnly = true;   // hidden: the field is made invisible
    }
    sql_.OpenCursor();
}

std::unique_ptr<TField> TIfxCustomDataSet::CreateField(const TFieldDef& def) {
    std::unique_ptr<TField> field = CreateIfxField(Ifx(), EffectiveFieldTypes(), def);
    if (!field) return field;
    if (def.fieldNo == rowIdFieldNo_) field->SetVisible(false);
    if (auto* lob = dynamic_cast<TIfxSmartLobField*>(field.get())) lob->SetCache(cacheBlobs_ ? &lobCache_ : nullptr);
    return field;
}

void TIfxCustomDataSet::InternalClose() {
    if (updater_) updater_->RowsDropped(*this);
    managers_.clear();
    managersBuilt_ = false;
    lobCache_.Clear();
    closing_ = true;
    try {
        sql_.CloseCursor();
    } catch (...) {
        closing_ = false;
        throw;
    }
    closing_ = false;
}

void TIfxCustomDataSet::BuildManagers() {
    managers_.clear();
    TIfxFields& columns = sql_.Fields();
    for (int i = 0; i < FieldCount(); ++i) {
        TField& field = Field(i);
        if (field.Calculated()) continue;
        TIfxSQLVAR* source = nullptr;
        if (field.FieldNo() > 0 && field.FieldNo() <= columns.Count())
            source = &columns[field.FieldNo() - 1];
        else
            source = columns.Find(field.FieldName());   // a persistent field binds by name
        if (!source) continue;
        managers_.push_back({&field, dynamic_cast<TIfxNativeField*>(&field), source});
    }
    managersBuilt_ = true;
}

bool TIfxCustomDataSet::FetchRow() {
    if (!sql_.CursorOpen() || sql_.EndOfRows()) return false;
    if (sql_.Fetch(FETCH_NEXT) == SQLNOTFOUND) return false;
    if (!managersBuilt_) BuildManagers();
    // Managers hold data fields only: one record area for the row, which a
    // fetch may write whole.
    char* area = managers_.empty() || State() != TDataSetState::dsFetch ? nullptr
                                                                       : ActiveArea(*managers_.front().field);
    for (const TFieldManager& m : managers_) {
        const TIfxValue& value = *m.source->Value();
        if (m.native && area)
            m.native->LoadInto(m.native->BufferIn(area), value, trimStrings_);
        else if (m.native)
            m.native->LoadFrom(value, trimStrings_);
        else
            LoadOrdinaryField(*m.field, value, trimStrings_);
    }
    return true;
}

// ---- refresh ----

void TIfxCustomDataSet::Refresh() {
    CheckActive();
    CheckBrowseMode();
    const bool byRowId = refreshLocates_ && RowIdField() && CurrentRow();
    const int rowId = byRowId ? CurrentRowId() : 0;
    const int recNo = RecNo();
    const std::string keyName = byRowId ? std::string() : KeyFieldName();
    std::string keyValue;
    if (!keyName.empty() && CurrentRow()) keyValue = FieldByName(keyName).AsString();

    // The same prepared statement and fields, a new cursor and cache; an
    // error leaves the data set closed.
    SyncName();
    DisableControls();
    try {
        sql_.CloseCursor();
        lobCache_.Clear();
        sql_.OpenCursor();
        if (updater_) updater_->RowsDropped(*this);
        RestartRows();
        if (byRowId) {
            while (!Eof() && CurrentRowId() != rowId) Next();
            if (Eof()) First();
        } else if (!keyName.empty() && CurrentRow()) {
            while (!Eof() && FieldByName(keyName).AsString() != keyValue) Next();
            if (Eof()) First();
        } else {
            // The row number is the row's position in the result: with a
            // filter, fewer rows than that lie before it.
            while (!Eof() && CurrentRow() && RecNo() < recNo) Next();
        }
    } catch (...) {
        EnableControls();
        Close();
        throw;
    }
    EnableControls();
}

// ---- editing seam ----

bool TIfxCustomDataSet::CanModify() const {
    return TDataSet::CanModify() && updater_ && updater_->CanApply(*this);
}

void TIfxCustomDataSet::ApplyUpdate(TIfxUpdateKind kind) {
    if (!updater_) DataSetError("Cannot modify a read-only dataset");
    updater_->Apply(*this, kind);
}

std::string TIfxCustomDataSet::TableName() {
    std::string name = DefaultTableName();
    if (OnGetTableName) OnGetTableName(*this, name);
    return name;
}

TField* TIfxCustomDataSet::RowIdField() const {
    if (rowIdFieldNo_ == 0) return nullptr;
    for (int i = 0; i < FieldCount(); ++i)
        if (Field(i).FieldNo() == rowIdFieldNo_) return &Field(i);
    return nullptr;
}

int TIfxCustomDataSet::CurrentRowId() const {
    TField* field = RowIdField();
    return field && CurrentRow() ? field->AsInteger() : 0;
}

void TIfxCustomDataSet::SetCurrentRowId(int rowId) {
    TField* field = RowIdField();
    if (!field || !CurrentRow()) return;
    // Written as the server's value: the field is read-only for users.
    LoadRow(GetBookmark(), [&] { field->SetAsInteger(rowId); });
}

}  // namespace varnok
