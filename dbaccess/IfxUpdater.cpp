#include "dbaccess/IfxUpdater.h"

#include "dbaccess/IfxConnection.h"
#include "dbaccess/IfxExceptions.h"
#include "dbaccess/IfxField.h"
#include "dbaccess/IfxSQL.h"
#include "dbaccess/IndexDefs.h"
#include "dbaccess/SQLProcessor.h"
#include "dbaccess/TableName.h"
#include "dbaccess/UpdateSQL.h"

namespace varnok {

namespace {

bool Has(const TIfxUpdateOptions& options, TIfxUpdateOption option) { return options.count(option) != 0; }

// A statement of the data set's connection and processor.
void Setup(TIfxSQL& sql, TIfxCustomDataSet& dataSet, const std::string& text) {
    sql.SetName(dataSet.Name());
    sql.SetConnection(dataSet.Connection());
    sql.SetSQLProcessor(&dataSet.InnerSQL().EffectiveProcessor());
    sql.SetCacheHandle(false);
    sql.SetSQLText(text);
}

// A serial given as null or 0 is the server's to choose.
bool IsEmptyNumber(const TParam& value) { return value.IsNull() || TrimText(value.AsString()) == "0"; }

}  // namespace

TIfxUpdater::TIfxUpdater(TIfxCustomDataSet& dataSet) : dataSet_(&dataSet) { dataSet.SetUpdater(this); }

TIfxUpdater::~TIfxUpdater() {
    if (dataSet_->Updater() == this) dataSet_->SetUpdater(nullptr);
}

void TIfxUpdater::SetUpdateObject(TIfxUpdateSQL* updateObject) {
    if (updateObject == updateObject_) return;
    // The data set's statement is the component that hears when the update object goes.
    TIfxComponent* holder = &dataSet_->InnerSQL();
    if (updateObject_) updateObject_->RemoveFreeNotification(holder);
    updateObject_ = updateObject;
    if (updateObject_) updateObject_->FreeNotification(holder);
}

void TIfxUpdater::ComponentDestroyed(TIfxComponent& destroyed) {
    // Compared as components: only the address of what is going may be used.
    if (updateObject_ && static_cast<TIfxComponent*>(updateObject_) == &destroyed) updateObject_ = nullptr;
}

void TIfxUpdater::Error(const std::string& message) const {
    const std::string& name = dataSet_->Name();
    throw EDatabaseError(name.empty() ? message : name + ": " + message);
}

bool TIfxUpdater::CanApply(const TIfxCustomDataSet& dataSet) const {
    if (updateObject_ || dataSet.CachedUpdates()) return true;
    if (!Has(dataSet.UpdateOptions(), uoAllowAutomaticUpdate)) return false;
    // The table name may come from OnGetTableName, which is not a const affair.
    return !const_cast<TIfxCustomDataSet&>(dataSet).TableName().empty();
}

std::string TIfxUpdater::TableText(TIfxCustomDataSet& dataSet) const {
    const std::string name = dataSet.TableName();
    if (TrimText(name).empty()) Error("Update failed");
    return TIfxTableName::Split(name).FullName(dataSet.InnerSQL().EffectiveProcessor().ParamChar());
}

std::string TIfxUpdater::StatementText(TIfxCustomDataSet& dataSet, const TIfxUpdateRow& row) const {
    if (updateObject_) {
        std::string text = updateObject_->Text(row.kind);
        if (!text.empty()) return text;
        // No statement for this kind: the generated one, when allowed; a change must not vanish.
        if (!Has(dataSet.UpdateOptions(), uoAllowAutomaticUpdate)) Error("Update failed");
    }
    const TUpdateSQLGenerator generator(TableText(dataSet), dataSet.InnerSQL().EffectiveProcessor().ParamChar(),
                                        dataSet.UpdateMode(), dataSet.RequestLive());
    const auto columns = UpdateColumns(row, SplitFieldList(keyFields_));
    try {
        switch (row.kind) {
        case ukInsert: return generator.InsertText(columns);
        case ukDelete: return generator.DeleteText(columns);
        case ukModify: break;
        }
        return generator.UpdateText(columns);
    } catch (const EDatabaseError& e) {
        Error(e.what());   // "Unable to find record. No key specified", with the data set's name
    }
}

// ---- applying

void TIfxUpdater::Apply(TIfxCustomDataSet& dataSet, TIfxUpdateKind kind) {
    TIfxUpdateRow row = CaptureUpdateRow(dataSet, kind);
    if (dataSet.CachedUpdates()) {
        Queue(std::move(row));
        return;
    }
    ApplyRow(row, false);
}

bool TIfxUpdater::ApplyRow(TIfxUpdateRow& row, bool cached) {
    for (;;) {
        try {
            if (cached)
                ApplyOnce(row);   // the batch has its transaction
            else
                InTransaction([&] { ApplyOnce(row); });
            return true;
        } catch (const std::exception& e) {
            if (!OnUpdateError) throw;
            TIfxUpdateAction action = uaFail;
            OnUpdateError(*dataSet_, e, row.kind, action);
            switch (action) {
            case uaRetry: continue;
            case uaApplied: return true;
            case uaSkip:
                if (!cached) Error("Cannot skip update without cached updates");
                return false;
            case uaAbort: Error("Update failed");
            case uaFail: throw;
            }
            throw;
        }
    }
}

void TIfxUpdater::ApplyOnce(TIfxUpdateRow& row) {
    TIfxCustomDataSet& ds = *dataSet_;
    bool handled = OnUpdateRecord && OnUpdateRecord(ds, row.kind);
    if (!handled && !updateObject_ && !Has(ds.UpdateOptions(), uoAllowAutomaticUpdate)) Error("Update failed");
    if (!handled) {
        const std::string text = StatementText(ds, row);
        if (!text.empty()) {   // an update with no column to write has nothing to send
            TIfxSQL sql;
            Setup(sql, ds, text);
            BindUpdateParams(sql, row);
            if (OnUpdateApply) OnUpdateApply(ds, row.kind, sql.InputParams());
            const int rows = sql.Execute();
            if (row.kind == ukInsert) TakeServerValues(row);   // before another statement runs
            if (Has(ds.UpdateOptions(), uoCheckRowsAffected)) CheckRowsAffected(rows);
        }
    }
    TIfxRecordRefreshMode mode = ds.RecordRefreshMode();
    if (OnUpdateApplied) OnUpdateApplied(ds, row.kind, mode);
    const bool reRead = row.kind != ukDelete && (mode == rmPosted || (mode == rmInserted && row.kind == ukInsert));
    if (reRead) ReRead(row);
}

void TIfxUpdater::CheckRowsAffected(int rows) const {
    if (rows > 1 && !Has(dataSet_->UpdateOptions(), uoAllowMultiRecordUpdates))
        Error("Update affected more than 1 record.");
    if (rows == 0) Error("Record not found or changed by another user");
}

void TIfxUpdater::TakeServerValues(TIfxUpdateRow& row) {
    TIfxCustomDataSet& ds = *dataSet_;
    TIfxConnection& connection = *ds.Connection();
    std::vector<std::pair<std::size_t, bool>> serials;   // field, large
    for (std::size_t i = 0; i < row.fieldNames.size(); ++i) {
        const int def = ds.FieldDefs().IndexOf(row.fieldNames[i]);
        const int code = def >= 0 ? (ds.FieldDefs()[def].sqlType & SQLTYPE) : -1;
        const TField* field = ds.FindField(row.fieldNames[i]);
        const bool large = code == SQLSERIAL8 || code == SQLBIGSERIAL;
        const bool serial = large || code == SQLSERIAL || (field && field->DataType() == TFieldType::ftAutoInc);
        // A value the user gave stays; a serial left empty takes the server's.
        if (serial && IsEmptyNumber(row.newValues[i])) serials.emplace_back(i, large);
    }
    TField* rowIdField = ds.RowIdField();
    if (serials.empty() && !rowIdField) return;
    // The communication area still describes the insert.
    const std::int64_t serial = serials.empty() ? 0 : connection.LastSerial();
    bool anyLarge = false;
    for (const auto& entry : serials) anyLarge = anyLarge || entry.second;
    const std::int64_t serial8 = anyLarge ? connection.LastSerial8() : 0;
    if (rowIdField) {
        row.hasRowId = true;
        row.rowId = connection.LastRowId();
    }
    for (const auto& [index, large] : serials) {
        const TFieldType type = row.newValues[index].DataType();
        row.newValues[index].SetAsLargeInt(large ? serial8 : serial);
        row.newValues[index].SetDataType(type);   // the value goes out as the field's kind
    }
    if (!row.row || !ds.BookmarkValid(row.row)) return;
    ds.LoadRow(row.row, [&] {
        for (const auto& [index, large] : serials)
            ds.FieldByName(row.fieldNames[index]).SetAsString(std::to_string(large ? serial8 : serial));
        if (rowIdField) rowIdField->SetAsInteger(row.rowId);
    });
}

void TIfxUpdater::ReRead(TIfxUpdateRow& row) {
    TIfxCustomDataSet& ds = *dataSet_;
    try {
        std::string text = updateObject_ ? updateObject_->RefreshText() : std::string();
        if (text.empty()) {
            const TUpdateSQLGenerator generator(TableText(ds), ds.InnerSQL().EffectiveProcessor().ParamChar(),
                                                ds.UpdateMode(), ds.RequestLive() && row.hasRowId);
            text = generator.RefreshText(UpdateColumns(row, SplitFieldList(keyFields_), true));
        }
        TIfxSQL sql;
        Setup(sql, ds, text);
        BindUpdateParams(sql, row, true);
        sql.Open();
        if (sql.EndOfRows()) Error("Record not found or changed by another user");
        TIfxFields& columns = sql.Fields();
        if (row.row && ds.BookmarkValid(row.row)) {
            ds.LoadRow(row.row, [&] {
                for (int i = 0; i < ds.FieldCount(); ++i) {
                    TField& field = ds.Field(i);
                    if (field.Calculated()) continue;
                    const TIfxSQLVAR* column = columns.Find(field.FieldName());
                    if (!column || !column->Value()) continue;
                    if (auto* native = dynamic_cast<TIfxNativeField*>(&field))
                        native->LoadFrom(*column->Value(), ds.TrimStrings());
                    else
                        LoadOrdinaryField(field, *column->Value(), ds.TrimStrings());
                }
            });
        }
        sql.Close();
    } catch (const std::exception& e) {
        Error(std::string("Cannot refresh the posted record") + "\r\n" + e.what());
    }
    if (OnRefreshRecord) OnRefreshRecord(ds);
}

bool TIfxUpdater::WantsOwnTransaction() const {
    const TIfxConnection* connection = dataSet_->Connection();
    return connection && Has(dataSet_->UpdateOptions(), uoUpdateInTransaction) && connection->Connected() &&
           connection->SupportsTransactions() && !connection->InTransaction();
}

void TIfxUpdater::InTransaction(const std::function<void()>& work) {
    if (!WantsOwnTransaction()) {
        work();
        return;
    }
    TIfxConnection* connection = dataSet_->Connection();
    connection->StartTransaction();
    try {
        work();
    } catch (...) {
        try {
            connection->Rollback();
        } catch (...) {   // the change's own error is the one to report
        }
        throw;
    }
    connection->Commit();
}

// ---- cached updates

void TIfxUpdater::Queue(TIfxUpdateRow row) {
    for (auto it = queue_.begin(); it != queue_.end(); ++it) {
        if (!row.row || it->row != row.row) continue;
        if (row.kind == ukDelete) {
            if (it->kind == ukInsert) {
                queue_.erase(it);   // never reached the server: nothing to undo there
                return;
            }
            it->kind = ukDelete;
            it->newValues = it->oldValues;
            it->row = nullptr;   // the cache forgets the row
            return;
        }
        // A row changed again keeps its first old values (and stays an insert).
        it->newValues = std::move(row.newValues);
        return;
    }
    if (row.kind == ukDelete) row.row = nullptr;
    queue_.push_back(std::move(row));
}

void TIfxUpdater::RowsDropped(TIfxCustomDataSet& dataSet) {
    (void)dataSet;
    for (TIfxUpdateRow& row : queue_) row.row = nullptr;
}

void TIfxUpdater::ApplyUpdates() {
    TIfxCustomDataSet& ds = *dataSet_;
    if (BeforeApplyUpdates) BeforeApplyUpdates(ds);
    if (ds.Active()) ds.CheckBrowseMode();
    std::size_t done = 0;                  // entries tried
    std::vector<TIfxUpdateRow> skipped;    // they stay queued
    auto applyAll = [&] {
        for (; done < queue_.size(); ++done) {
            TIfxUpdateRow& row = queue_[done];
            if (!ApplyRow(row, true)) skipped.push_back(row);
        }
    };
    // What stays queued after a failure at entry `done`: the skipped ones and
    // everything from the failed one on — or all of it when the work was
    // rolled back or the queue is kept until CommitUpdates.
    auto keepFrom = [&](bool whole) {
        if (whole) return;
        std::vector<TIfxUpdateRow> rest = std::move(skipped);
        rest.insert(rest.end(), std::make_move_iterator(queue_.begin() + static_cast<std::ptrdiff_t>(done)),
                    std::make_move_iterator(queue_.end()));
        queue_ = std::move(rest);
    };
    // Without AutoCommitUpdates the queue stays whole: the caller commits the
    // changes with CommitUpdates once its transaction holds them.
    const bool keepAll = !ds.AutoCommitUpdates();
    const bool ownTransaction = WantsOwnTransaction();
    try {
        InTransaction(applyAll);
    } catch (...) {
        keepFrom(ownTransaction || keepAll);
        throw;
    }
    if (!keepAll) queue_ = std::move(skipped);
    if (AfterApplyUpdates) AfterApplyUpdates(ds);
}

void TIfxUpdater::CancelUpdates() {
    const bool had = !queue_.empty();
    queue_.clear();
    TIfxCustomDataSet& ds = *dataSet_;
    if (!ds.Active()) return;
    ds.Cancel();
    if (had) ds.Refresh();   // the cache holds the cancelled changes: read the rows again
}

}  // namespace varnok
