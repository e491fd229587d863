#pragma once
// TIfxCustomDataSet: a data set (our TDataSet) whose rows come from an
// Informix cursor. Opening prepares and describes the statement, turns each
// result column into a field definition through TIfxFieldTypes, creates the
// fields, opens the cursor and fetches the first packet; moving past the
// last cached row fetches the next packet (PacketRecords). Each fetched row
// is copied from the statement's value objects into the row cache by the
// fields (native fields copy the library's representation as it is).
//
// Closing closes the cursor and frees the rows and fields but keeps the
// prepared statement: opening again reuses it. A disconnect or a database
// change closes the data set.
//
// Editing seam: this class generates no SQL. Posting and deleting a row go
// to ApplyUpdate, which hands them to the TIfxDataSetUpdater set with
// SetUpdater (the insert/update/delete generator, cached updates); without
// one the data set is read-only. What an updater needs is public here: the
// table name (TableName, with OnGetTableName), the current row's id
// (RequestLive), the connection (LastSerial, LastRowId), the options.
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "dbaccess/DataSet.h"
#include "dbaccess/IfxDataSetSQL.h"
#include "dbaccess/IfxValue.h"

namespace varnok {

class TIfxConnection;
class TIfxFieldTypes;
class TIfxNativeField;
class TIfxSQLProcessor;
class TIfxCustomDataSet;

enum TIfxUpdateKind { ukModify, ukInsert, ukDelete };
enum TIfxUpdateMode { upWhereAll, upWhereChanged, upWhereKeyOnly };
enum TIfxRecordRefreshMode { rmNone, rmInserted, rmPosted };
enum TIfxUpdateOption { uoCheckRowsAffected, uoAllowAutomaticUpdate, uoAllowMultiRecordUpdates, uoUpdateInTransaction };
using TIfxUpdateOptions = std::set<TIfxUpdateOption>;

// Writes posted and deleted rows back to the server for a data set.
class TIfxDataSetUpdater {
public:
    virtual ~TIfxDataSetUpdater() = default;
    // Whether the rows of dataSet may be changed at all (a table name known, …).
    virtual bool CanApply(const TIfxCustomDataSet& dataSet) const = 0;
    // Applies the current row (ukModify, ukInsert) or deletes it (ukDelete).
    // Runs before the cache takes the change; throwing keeps the row in its
    // edit or insert state with its changes (a delete does not happen).
    virtual void Apply(TIfxCustomDataSet& dataSet, TIfxUpdateKind kind) = 0;
    // The cached rows are about to go (close, refresh): bookmarks kept of them
    // become invalid.
    virtual void RowsDropped(TIfxCustomDataSet& dataSet) { (void)dataSet; }
    // A component the updater asked about through the data set's statement
    // (FreeNotification) is being destroyed: forget it.
    virtual void ComponentDestroyed(TIfxComponent& destroyed) { (void)destroyed; }
};

class TIfxCustomDataSet : public TDataSet {
public:
    using TGetTableNameEvent = std::function<void(TIfxCustomDataSet&, std::string& tableName)>;

    TIfxCustomDataSet();
    ~TIfxCustomDataSet() override;

    // ---- published options (defaults as a new data set has them)
    TIfxConnection* Connection() const { return sql_.Connection(); }
    // Closes the data set and unprepares first.
    void SetConnection(TIfxConnection* connection);
    TIfxFieldTypes* FieldTypes() const { return fieldTypes_; }
    void SetFieldTypes(TIfxFieldTypes* types);
    // Own, else the connection's, else the process-wide default.
    TIfxFieldTypes& EffectiveFieldTypes() const;
    TIfxSQLProcessor* SQLProcessor() const { return sql_.SQLProcessor(); }
    void SetSQLProcessor(TIfxSQLProcessor* processor);
    const TStringLines& Macros() const { return sql_.Macros(); }
    void SetMacros(TStringLines macros);
    bool CacheHandle() const { return sql_.CacheHandle(); }
    void SetCacheHandle(bool on) { sql_.SetCacheHandle(on); }
    bool CacheBlobs() const { return cacheBlobs_; }
    void SetCacheBlobs(bool on) { cacheBlobs_ = on; }
    bool TrimStrings() const { return trimStrings_; }
    void SetTrimStrings(bool on) { trimStrings_ = on; }
    bool RefreshLocates() const { return refreshLocates_; }
    void SetRefreshLocates(bool on) { refreshLocates_ = on; }
    bool CachedUpdates() const { return cachedUpdates_; }
    void SetCachedUpdates(bool on) { cachedUpdates_ = on; }
    // Cached updates that ApplyUpdates wrote leave the queue at once; off,
    // they wait for the updater's CommitUpdates (and may be applied again).
    bool AutoCommitUpdates() const { return autoCommitUpdates_; }
    void SetAutoCommitUpdates(bool on) { autoCommitUpdates_ = on; }
    TIfxUpdateMode UpdateMode() const { return updateMode_; }
    void SetUpdateMode(TIfxUpdateMode mode) { updateMode_ = mode; }
    const TIfxUpdateOptions& UpdateOptions() const { return updateOptions_; }
    void SetUpdateOptions(TIfxUpdateOptions options) { updateOptions_ = std::move(options); }
    TIfxRecordRefreshMode RecordRefreshMode() const { return recordRefreshMode_; }
    void SetRecordRefreshMode(TIfxRecordRefreshMode mode) { recordRefreshMode_ = mode; }
    bool DesignActivation() const { return designActivation_; }
    void SetDesignActivation(bool on) { designActivation_ = on; }
    bool ObjectView() const { return objectView_; }
    void SetObjectView(bool on) { objectView_ = on; }
    bool RequestLive() const { return sql_.RequestLive(); }
    std::string Version() const { return sql_.Version(); }

    // ---- events (besides the framework's)
    TGetTableNameEvent OnGetTableName;
    // Errors of closing the cursor and releasing the statement (they go no further).
    void SetOnCloseError(TIfxCustomSQL::TErrorEvent handler) { sql_.OnCloseError = std::move(handler); }
    void SetOnUnprepareError(TIfxCustomSQL::TErrorEvent handler) { sql_.OnUnprepareError = std::move(handler); }

    // ---- the statement
    void Prepare();
    void Unprepare();
    bool Prepared() const { return sql_.Prepared(); }
    int StatementType();
    int RowsAffected() const { return sql_.RowsAffected(); }
    TIfxDataSetSQL& InnerSQL() { return sql_; }
    const TIfxDataSetSQL& InnerSQL() const { return sql_; }

    // Re-runs the query and comes back to the same row: by its row id (with
    // RefreshLocates and RequestLive), else by KeyFieldName's value, else by
    // row number.
    void Refresh();

    // ---- editing seam
    void SetUpdater(TIfxDataSetUpdater* updater) { updater_ = updater; }
    TIfxDataSetUpdater* Updater() const { return updater_; }
    bool CanModify() const override;
    // The table the rows are written back to: DefaultTableName, then OnGetTableName.
    std::string TableName();
    // With RequestLive: the hidden, read-only "rowid" field (null otherwise).
    TField* RowIdField() const;
    // The current row's id; 0 without a row-id field or a current row.
    int CurrentRowId() const;
    // Stores the id of the current row (an inserted row learns it from LastRowId).
    void SetCurrentRowId(int rowId);

    // The statement's input and output descriptors of the open cursor.
    TIfxParams& InputParams() { return sql_.InputParams(); }
    TIfxFields& OutputFields() { return sql_.Fields(); }

protected:
    friend class TIfxDataSetSQL;
    void SetRequestLive(bool on);
    // The table a query names (none here).
    virtual std::string DefaultTableName() { return {}; }
    // A key field to find the row again on Refresh when there is no row id.
    virtual std::string KeyFieldName() const { return {}; }
    // The processed text has new parameter names.
    virtual void ParamNamesChanged() {}
    // Fills the input descriptor's parameter values before an open or execute.
    virtual void BindInputs(TIfxParams& inputs) { (void)inputs; }
    // Posting and deleting: the updater applies the change (read-only without one).
    virtual void ApplyUpdate(TIfxUpdateKind kind);
    // The layer's own error, prefixed with the data set's name.
    [[noreturn]] void LayerError(const std::string& message);
    void SyncName() { sql_.SetName(Name()); }

    void InternalOpen() override;
    void InternalClose() override;
    bool FetchRow() override;
    void InternalPost(bool inserting) override { ApplyUpdate(inserting ? ukInsert : ukModify); }
    void InternalDelete() override { ApplyUpdate(ukDelete); }
    std::unique_ptr<TField> CreateField(const TFieldDef& def) override;

private:
    // A field and the output column it is filled from.
    struct TFieldManager {
        TField* field;
        TIfxNativeField* native;
        TIfxSQLVAR* source;
    };
    void BuildManagers();

    TIfxDataSetSQL sql_{*this};
    TIfxFieldTypes* fieldTypes_ = nullptr;
    bool cacheBlobs_ = true;
    bool trimStrings_ = true;
    bool refreshLocates_ = true;
    bool cachedUpdates_ = false;
    bool autoCommitUpdates_ = true;
    TIfxUpdateMode updateMode_ = upWhereAll;
    TIfxUpdateOptions updateOptions_{uoCheckRowsAffected, uoAllowAutomaticUpdate};
    TIfxRecordRefreshMode recordRefreshMode_ = rmNone;
    bool designActivation_ = false;
    bool objectView_ = false;
    TIfxDataSetUpdater* updater_ = nullptr;

    int rowIdFieldNo_ = 0;   // result column of the row id (1-based), 0 without
    std::vector<TFieldManager> managers_;
    bool managersBuilt_ = false;
    bool closing_ = false;   // InternalClose is closing the cursor
    TIfxLobCache lobCache_;
};

}  // namespace varnok
