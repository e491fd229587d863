#pragma once
// TDataSet: our data-set framework. A data set owns its fields and its row
// cache (TDataSetImpl), keeps a current row, moves through the rows with
// First/Prior/Next/Last, fetches rows from its source on demand in packets of
// PacketRecords, edits rows in the edit and insert states, and tells the data
// sources linked to it (and through them the widgets) what changed.
//
// Concrete data sets supply the rows and the write-back through a few hooks:
// InternalOpen (field definitions), FetchRow (fill one new row), InternalPost,
// InternalDelete, InternalClose.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dbaccess/DataSetField.h"
#include "dbaccess/DataSetImpl.h"
#include "dbaccess/FieldDef.h"

namespace varnok {

class TDataSource;

enum class TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert, dsCalcFields, dsFilter, dsFetch };

// A bookmark is the address of a cached row.
using TBookmark = const void*;

class TDataSet {
public:
    using TDataSetEvent = std::function<void(TDataSet&)>;
    using TFilterRecordEvent = std::function<void(TDataSet&, bool& accept)>;

    TDataSet();
    virtual ~TDataSet();
    TDataSet(const TDataSet&) = delete;
    TDataSet& operator=(const TDataSet&) = delete;

    // ---- opening ----
    void Open();
    void Close();
    bool Active() const { return state_ != TDataSetState::dsInactive; }
    void SetActive(bool active) { active ? Open() : Close(); }
    TDataSetState State() const { return state_; }

    // ---- fields ----
    TFieldDefs& FieldDefs() { return fieldDefs_; }
    // Adds a persistent field (kept across Close); only while closed.
    TField& AddField(std::unique_ptr<TField> field);
    int FieldCount() const { return static_cast<int>(fields_.size()); }
    TField& Field(int index) const { return *fields_.at(static_cast<std::size_t>(index)); }
    TField* FindField(std::string_view name) const;
    // Raises "Field '%s' not found".
    TField& FieldByName(std::string_view name) const;

    // ---- navigation ----
    void First();
    void Last();
    void Next();
    void Prior();
    int MoveBy(int distance);
    bool Eof() const { return eof_; }
    bool Bof() const { return bof_; }
    bool IsEmpty();
    // The current row's sequence number (1-based), 0 without a row.
    int RecNo() const;
    // Fetches every remaining row; keeps the current row.
    void FetchAll();
    // Fetches the next packet (PacketRecords rows, every remaining one with
    // -1) behind the cached rows without moving the current row or firing
    // scroll events; links hear one "data set changed" when rows arrived.
    // Returns the rows fetched: none once every row is in, and none for a
    // unidirectional data set (its one row would go).
    int FetchMore();
    // Every row (fetching all first); with a record filter active, the rows it accepts.
    virtual int RecordCount();
    // Open, no record filter active and every row fetched.
    bool IsSequenced() const;
    bool AllRowsFetched() const { return allFetched_; }
    int CachedRowCount() const { return impl_ ? impl_->Count() : 0; }

    // ---- bookmarks ----
    TBookmark GetBookmark() const { return cur_; }
    bool BookmarkValid(TBookmark bookmark) const;
    // Raises "Invalid bookmark" for anything not a cached row.
    void GotoBookmark(TBookmark bookmark);
    // -1, 0, 1 by row order; a null bookmark sorts first.
    int CompareBookmarks(TBookmark a, TBookmark b) const;

    // ---- editing ----
    void Edit();
    void Insert();
    void Append();
    void Post();
    void Cancel();
    void Delete();
    // Posts a modified row or cancels an unmodified one.
    void CheckBrowseMode();
    bool Modified() const { return modified_; }
    virtual bool CanModify() const { return !uniDirectional_; }
    TRowStatus CurrentRowStatus() const;

    // ---- options ----
    int PacketRecords() const { return packetRecords_; }
    // 0 is stored as 1; -1 fetches everything. Leaving -1 while open fetches the rest first.
    void SetPacketRecords(int n);
    bool UniDirectional() const { return uniDirectional_; }
    void SetUniDirectional(bool v);
    int BufferChunks() const { return bufferChunks_; }
    void SetBufferChunks(int n);
    bool AutoCalcFields() const { return autoCalcFields_; }
    void SetAutoCalcFields(bool v) { autoCalcFields_ = v; }
    bool Filtered() const { return filtered_; }
    void SetFiltered(bool v);
    // Filtering by event: active while Filtered and a handler is assigned.
    void SetOnFilterRecord(TFilterRecordEvent handler);
    bool FilterActive() const { return filtered_ && static_cast<bool>(onFilterRecord_); }
    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }

    // Widgets ask this before a batch of moves and release it after; links hear
    // one "data set changed" at the end instead of every step.
    void DisableControls() { ++disableCount_; }
    void EnableControls();
    bool ControlsDisabled() const { return disableCount_ > 0; }

    // ---- events ----
    TDataSetEvent BeforeOpen, AfterOpen, BeforeClose, AfterClose;
    TDataSetEvent BeforeScroll, AfterScroll;
    TDataSetEvent BeforeEdit, AfterEdit, BeforeInsert, AfterInsert;
    TDataSetEvent BeforePost, AfterPost, BeforeCancel, AfterCancel;
    TDataSetEvent BeforeDelete, AfterDelete;
    TDataSetEvent OnNewRecord, OnCalcFields;

    // ---- master/detail ----
    // The data source this data set takes values from, or null.
    virtual TDataSource* MasterSource() const { return nullptr; }
    // True when this data set is source's data set or reaches it through masters.
    bool IsLinkedTo(const TDataSource* source) const;

    // ---- for fields and the row cache's readers ----
    // The record area a field reads now (current row, edit copy, the row being
    // fetched, filtered or calculated); null without one.
    char* ActiveArea(const TField& field) const;
    bool CanWriteField(const TField& field) const;
    void FieldChanged(TField& field);
    TDataSetImpl* Impl() const { return impl_.get(); }
    // The row currently shown (its data area can be read in place).
    TRowHeader* CurrentRow() const { return cur_; }
    // Runs read while the fields answer for the cached row `row` instead of
    // the current one, without moving, fetching or firing events — how a
    // table model reads the cells of any cached row in place. The current
    // row being edited shows its edit. "Invalid bookmark" for anything else.
    void ReadRow(TBookmark row, const std::function<void()>& read);
    // Runs read while the fields answer for the current row as it is cached,
    // without the edit being made to it: the old values a write-back compares
    // with. In insert state that is the new row itself.
    void ReadOriginalRow(const std::function<void()>& read);
    // Runs write while the fields of the cached row `row` (its edit when it is
    // the current row being edited) take values as while fetching: read-only
    // fields too, without marking the row modified — how values the server
    // assigned (a serial, a row id, a re-read row) reach a posted row.
    // "Invalid bookmark" for anything else.
    void LoadRow(TBookmark row, const std::function<void()>& write);

protected:
    // Fill FieldDefs (and prepare the source). Called by Open.
    virtual void InternalOpen() {}
    virtual void InternalClose() {}
    // Fill one new row through the fields (state dsFetch); false at the end.
    virtual bool FetchRow() = 0;
    // Apply a posted row; throwing keeps the edit or insert state.
    virtual void InternalPost(bool inserting) { (void)inserting; }
    virtual void InternalDelete() {}
    // The field object for a definition (data sets with native fields override).
    virtual std::unique_ptr<TField> CreateField(const TFieldDef& def);
    // Drops every cached row and fetches afresh from the source, which the
    // caller has just reopened (a refresh); the fields stay. Ends on the first row.
    void RestartRows();
    // Raises EDatabaseError, prefixed "Name: " when the data set has a name.
    [[noreturn]] void DataSetError(const std::string& message) const;
    void CheckActive() const;

private:
    friend class TDataSource;
    enum class TLinkEvent { ActiveChanged, DataSetChanged, DataSetScrolled, RecordChanged, StateChanged };

    void Fire(const TDataSetEvent& event) { if (event) event(*this); }
    void SetState(TDataSetState state);
    void Notify(TLinkEvent event, TField* field = nullptr);
    void Layout();
    void ResetCursor();
    bool FetchOne();
    TRowHeader* NewNullRow();   // a detached row whose fields all hold null
    // Insert (before the current row) and Append (after the last row).
    void StartNewRow(bool append);
    void FetchPacket();
    TRowHeader* FirstAccepted();
    TRowHeader* NextAccepted(TRowHeader* row);
    TRowHeader* PriorAccepted(TRowHeader* row);
    bool Accept(TRowHeader* row);
    void CalculateFields(TRowHeader* row);
    bool HasCalcWork() const;
    void CheckBidirectional() const;
    void CheckNotEmpty();

    std::string name_;
    TDataSetState state_ = TDataSetState::dsInactive;
    TFieldDefs fieldDefs_;
    std::vector<std::unique_ptr<TField>> fields_;
    std::size_t persistentFields_ = 0;   // fields_[0..n) survive Close
    std::unique_ptr<TDataSetImpl> impl_;
    TRowHeader* cur_ = nullptr;
    // The row an internal step works on (fetch, filter, calculation) instead of cur_.
    TRowHeader* scopeRow_ = nullptr;
    bool eof_ = true;
    bool bof_ = true;
    bool allFetched_ = false;
    int fetchedRows_ = 0;   // rows the source delivered since Open
    bool modified_ = false;
    int packetRecords_ = 1;
    bool uniDirectional_ = false;
    int bufferChunks_ = 32;
    bool autoCalcFields_ = true;
    bool filtered_ = false;
    TFilterRecordEvent onFilterRecord_;
    int disableCount_ = 0;
    bool changedWhileDisabled_ = false;
    std::vector<TDataSource*> sources_;
};

}  // namespace varnok
