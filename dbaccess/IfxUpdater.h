#pragma once
// TIfxUpdater: writes a data set's posted and deleted rows back to the
// server (the data set's TIfxDataSetUpdater). A change goes, in this order,
// to OnUpdateRecord, to the update object's statement, or to a statement
// generated for the data set's table; then the rows it touched are checked,
// values the server assigned (serials, the new row id) come back into the
// row, and the row may be read again.
//
// With CachedUpdates the changes are queued when posted and applied together
// by ApplyUpdates (CancelUpdates drops them and reads the rows again). With
// the data set's AutoCommitUpdates (the default) applied changes leave the
// queue at once; without it they stay until CommitUpdates, so a caller whose
// own transaction was rolled back can apply them again.
//
//   TIfxQuery q;  …  TIfxUpdater updater(q);   // q's single table is now editable
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "dbaccess/IfxCustomDataSet.h"
#include "dbaccess/IfxUpdateRow.h"

namespace varnok {

class TIfxCustomSQL;
class TIfxUpdateSQL;

// What OnUpdateError decides about a failed change.
enum TIfxUpdateAction { uaFail, uaAbort, uaSkip, uaRetry, uaApplied };

class TIfxUpdater : public TIfxDataSetUpdater {
public:
    using TUpdateRecordEvent = std::function<bool(TIfxCustomDataSet&, TIfxUpdateKind)>;
    using TUpdateErrorEvent =
        std::function<void(TIfxCustomDataSet&, const std::exception&, TIfxUpdateKind, TIfxUpdateAction&)>;
    using TUpdateApplyEvent = std::function<void(TIfxCustomDataSet&, TIfxUpdateKind, TIfxParams&)>;
    using TUpdateAppliedEvent = std::function<void(TIfxCustomDataSet&, TIfxUpdateKind, TIfxRecordRefreshMode&)>;
    using TDataSetEvent = std::function<void(TIfxCustomDataSet&)>;

    // Becomes dataSet's updater (and stops being it when destroyed).
    explicit TIfxUpdater(TIfxCustomDataSet& dataSet);
    ~TIfxUpdater() override;
    TIfxUpdater(const TIfxUpdater&) = delete;
    TIfxUpdater& operator=(const TIfxUpdater&) = delete;

    // Applies the change itself and returns true, or returns false to let the
    // update object or the generated statement apply it.
    TUpdateRecordEvent OnUpdateRecord;
    // A change failed: uaFail (the default) raises the error, uaAbort raises
    // "Update failed", uaRetry tries again, uaSkip leaves it (cached updates
    // only), uaApplied takes it as done.
    TUpdateErrorEvent OnUpdateError;
    // The statement's parameter values are set; the handler may change them.
    TUpdateApplyEvent OnUpdateApply;
    // The change is applied; the handler may ask for the row to be read again.
    TUpdateAppliedEvent OnUpdateApplied;
    // A posted row was read again.
    TDataSetEvent OnRefreshRecord;
    TDataSetEvent BeforeApplyUpdates, AfterApplyUpdates;

    TIfxUpdateSQL* UpdateObject() const { return updateObject_; }
    // The link is dropped when the update object is destroyed first.
    void SetUpdateObject(TIfxUpdateSQL* updateObject);
    void ComponentDestroyed(TIfxComponent& destroyed) override;
    // ";"-separated fields that identify a row (upWhereKeyOnly, upWhereChanged).
    const std::string& KeyFields() const { return keyFields_; }
    void SetKeyFields(std::string fields) { keyFields_ = std::move(fields); }

    // ---- cached updates
    int UpdatesPending() const { return static_cast<int>(queue_.size()); }
    // Applies the queued changes in order; a failure stops there and leaves
    // it and the rest queued. With uoUpdateInTransaction all of them run in
    // one transaction, and a failure leaves every change queued. Without
    // AutoCommitUpdates every change stays queued until CommitUpdates.
    void ApplyUpdates();
    // Forgets the queued changes as written for good (the rows stay as they are).
    void CommitUpdates() { queue_.clear(); }
    // Drops the queued changes and reads the rows again.
    void CancelUpdates();

    // ---- TIfxDataSetUpdater
    bool CanApply(const TIfxCustomDataSet& dataSet) const override;
    void Apply(TIfxCustomDataSet& dataSet, TIfxUpdateKind kind) override;
    // Queued changes stay queued; they no longer write server values back into a row.
    void RowsDropped(TIfxCustomDataSet& dataSet) override;

    // The statement that writes row back, as the data set's processor gets it.
    std::string StatementText(TIfxCustomDataSet& dataSet, const TIfxUpdateRow& row) const;

private:
    void Queue(TIfxUpdateRow row);
    // False when the change was skipped.
    bool ApplyRow(TIfxUpdateRow& row, bool cached);
    void ApplyOnce(TIfxUpdateRow& row);
    // Serials left empty and the new row id, into the row and its values.
    void TakeServerValues(TIfxUpdateRow& row);
    void ReRead(TIfxUpdateRow& row);
    void CheckRowsAffected(int rows) const;
    std::string TableText(TIfxCustomDataSet& dataSet) const;
    // Runs work inside a transaction of its own when the options ask for one
    // and none is open (only where the database keeps a log).
    void InTransaction(const std::function<void()>& work);
    bool WantsOwnTransaction() const;
    [[noreturn]] void Error(const std::string& message) const;

    TIfxCustomDataSet* dataSet_;
    TIfxUpdateSQL* updateObject_ = nullptr;
    std::string keyFields_;
    std::vector<TIfxUpdateRow> queue_;
};

}  // namespace varnok
