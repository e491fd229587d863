#include "dbaccess/DataSet.h"

#include "dbaccess/DataSource.h"
#include "dbaccess/FormatText.h"
#include "dbaccess/IfxExceptions.h"
#include "dbaccess/TextUtils.h"

namespace varnok {

namespace {

// Points the fields at one row for an internal step and puts everything back
// afterwards, also when the step throws.
class TRowScope {
public:
    TRowScope(TRowHeader*& slot, TDataSetState& state, TRowHeader* row, TDataSetState scoped)
        : slot_(slot), state_(state), oldRow_(slot), oldState_(state) {
        slot_ = row;
        state_ = scoped;
    }
    ~TRowScope() {
        slot_ = oldRow_;
        state_ = oldState_;
    }
    TRowScope(const TRowScope&) = delete;
    TRowScope& operator=(const TRowScope&) = delete;

private:
    TRowHeader*& slot_;
    TDataSetState& state_;
    TRowHeader* oldRow_;
    TDataSetState oldState_;
};

}  // namespace

TDataSet::TDataSet() = default;

TDataSet::~TDataSet() {
    // Detach the sources first: they must not call back into a half-destroyed data set.
    for (TDataSource* source : std::vector<TDataSource*>(sources_)) source->DataSetDestroyed();
}

void TDataSet::DataSetError(const std::string& message) const {
    throw EDatabaseError(name_.empty() ? message : Format("%s: %s", {name_, message}));
}

void TDataSet::CheckActive() const {
    if (!Active()) DataSetError("Cannot perform this operation on a closed dataset");
}

// ---- opening and closing ----

void TDataSet::Open() {
    if (Active()) return;
    Fire(BeforeOpen);
    try {
        InternalOpen();
        if (persistentFields_ == 0) {
            for (const TFieldDef& def : fieldDefs_) {
                if (def.kind == TFieldType::ftUnknown || def.hidden) continue;
                std::unique_ptr<TField> field = CreateField(def);
                if (!field) continue;
                field->fieldNo_ = def.fieldNo;
                field->SetRequired(def.required);
                field->SetReadOnly(def.readOnly);
                field->dataSet_ = this;
                fields_.push_back(std::move(field));
            }
        }
        Layout();
        state_ = TDataSetState::dsBrowse;
        allFetched_ = false;
        fetchedRows_ = 0;
        cur_ = FirstAccepted();
        bof_ = true;
        eof_ = cur_ == nullptr;
    } catch (...) {
        // An error during open leaves the data set closed.
        state_ = TDataSetState::dsInactive;
        impl_.reset();
        fields_.resize(persistentFields_);
        cur_ = nullptr;
        try {
            InternalClose();
        } catch (...) {
        }
        throw;
    }
    Notify(TLinkEvent::ActiveChanged);
    Fire(AfterOpen);
}

void TDataSet::Layout() {
    std::size_t data = 0, calc = 0;
    for (auto& f : fields_) {
        std::size_t& area = f->Calculated() ? calc : data;
        const std::size_t align = f->BufferAlignment();
        area = (area + align - 1) / align * align;   // packed, each buffer at its own alignment
        f->offset_ = area;
        area += f->DataSize();
    }
    const std::size_t chunks = uniDirectional_ ? 1 : static_cast<std::size_t>(bufferChunks_);
    impl_ = std::make_unique<TDataSetImpl>(data, calc, chunks);
    std::vector<TField*> owners;
    for (auto& f : fields_)
        if (f->OwnsMemory()) owners.push_back(f.get());
    if (!owners.empty()) {
        // The hooks run while impl_ is being reset, so they keep what they need by value.
        auto bufferOf = [data](const TField* f, char* area) { return f->BufferIn(f->Calculated() ? area + data : area); };
        impl_->SetOwnershipHooks(
            [owners, bufferOf](char* area) {
                for (const TField* f : owners) f->ReleaseBuffer(bufferOf(f, area));
            },
            [owners, bufferOf](const char* from, char* to) {
                for (const TField* f : owners)
                    f->DuplicateBuffer(bufferOf(f, const_cast<char*>(from)), bufferOf(f, to));
            });
    }
}

void TDataSet::Close() {
    if (!Active()) return;
    Fire(BeforeClose);
    if (state_ == TDataSetState::dsEdit || state_ == TDataSetState::dsInsert) Cancel();
    try {
        InternalClose();
    } catch (...) {
        // Closing always completes; the source reports its own close errors.
    }
    ResetCursor();
    fields_.resize(persistentFields_);
    state_ = TDataSetState::dsInactive;
    Notify(TLinkEvent::ActiveChanged);
    Fire(AfterClose);
}

void TDataSet::RestartRows() {
    CheckActive();
    impl_->Clear();
    cur_ = nullptr;
    allFetched_ = false;
    fetchedRows_ = 0;
    modified_ = false;
    cur_ = FirstAccepted();
    bof_ = true;
    eof_ = cur_ == nullptr;
    Notify(TLinkEvent::DataSetChanged);
}

void TDataSet::ResetCursor() {
    impl_.reset();
    cur_ = nullptr;
    eof_ = bof_ = true;
    allFetched_ = false;
    modified_ = false;
    fetchedRows_ = 0;
}

// ---- fields ----

TField& TDataSet::AddField(std::unique_ptr<TField> field) {
    if (Active()) DataSetError("Cannot perform this operation on an open dataset");
    if (FindField(field->FieldName())) DataSetError(Format("Duplicate field name '%s'", {field->FieldName()}));
    field->dataSet_ = this;
    fields_.push_back(std::move(field));
    persistentFields_ = fields_.size();
    return *fields_.back();
}

TField* TDataSet::FindField(std::string_view name) const {
    for (const auto& f : fields_)
        if (SameText(f->FieldName(), name)) return f.get();
    return nullptr;
}

TField& TDataSet::FieldByName(std::string_view name) const {
    if (TField* f = FindField(name)) return *f;
    DataSetError(Format("Field '%s' not found", {std::string(name)}));
}

std::unique_ptr<TField> TDataSet::CreateField(const TFieldDef& def) { return CreateOrdinaryField(def); }

char* TDataSet::ActiveArea(const TField& field) const {
    TRowHeader* row = scopeRow_ ? scopeRow_ : cur_;
    if (!row || !impl_) return nullptr;
    if (!scopeRow_ && state_ == TDataSetState::dsEdit)
        if (TRowHeader* copy = impl_->EditCopyOf(row)) row = copy;
    return field.Calculated() ? impl_->Calc(row) : impl_->Data(row);
}

bool TDataSet::CanWriteField(const TField& field) const {
    switch (state_) {
    case TDataSetState::dsFetch: return true;
    case TDataSetState::dsCalcFields: return field.Calculated();
    case TDataSetState::dsEdit:
    case TDataSetState::dsInsert: break;
    default: DataSetError("Dataset not in edit or insert mode");
    }
    if (field.ReadOnly() && !field.Calculated())
        DataSetError(Format("Field '%s' cannot be modified", {field.FieldName()}));
    return true;
}

void TDataSet::FieldChanged(TField& field) {
    if (state_ != TDataSetState::dsEdit && state_ != TDataSetState::dsInsert) return;
    modified_ = true;
    if (!field.Calculated() && autoCalcFields_ && HasCalcWork()) {
        TRowHeader* copy = state_ == TDataSetState::dsEdit ? impl_->EditCopyOf(cur_) : nullptr;
        TRowHeader* target = copy ? copy : cur_;
        CalculateFields(target);
    }
    Notify(TLinkEvent::RecordChanged, &field);
}

// ---- fetching ----

bool TDataSet::FetchOne() {
    if (allFetched_) return false;
    TRowHeader* row = NewNullRow();
    bool fetched = false;
    try {
        TRowScope scope(scopeRow_, state_, row, TDataSetState::dsFetch);
        fetched = FetchRow();
    } catch (...) {
        impl_->Discard(row);
        throw;
    }
    if (!fetched) {
        impl_->Discard(row);
        allFetched_ = true;
        return false;
    }
    ++fetchedRows_;
    bool replacedCurrent = false;
    if (uniDirectional_) {
        // One row is kept: the one just fetched replaces the previous ones.
        while (TRowHeader* old = impl_->First()) {
            replacedCurrent = replacedCurrent || old == cur_;
            impl_->Remove(old);
        }
    }
    impl_->Append(row);
    // Fetching ahead (FetchAll, RecordCount) must not leave the position on a freed slot.
    if (replacedCurrent) cur_ = row;
    if (uniDirectional_) row->seq = fetchedRows_;   // its position in the result, not in the cache
    CalculateFields(row);
    return true;
}

void TDataSet::FetchPacket() {
    if (!FetchOne() || uniDirectional_) return;
    int fetched = 1;
    while (!allFetched_ && (packetRecords_ < 0 || fetched < packetRecords_))
        if (FetchOne()) ++fetched;
}

void TDataSet::FetchAll() {
    CheckActive();
    while (FetchOne()) {
    }
}

int TDataSet::FetchMore() {
    CheckActive();
    if (uniDirectional_ || allFetched_) return 0;
    const int before = fetchedRows_;
    try {
        FetchPacket();
    } catch (...) {
        // Rows that arrived before the failure stay; the links see them.
        if (fetchedRows_ != before) Notify(TLinkEvent::DataSetChanged);
        throw;
    }
    const int fetched = fetchedRows_ - before;
    if (fetched > 0) Notify(TLinkEvent::DataSetChanged);
    return fetched;
}

void TDataSet::SetPacketRecords(int n) {
    if (n == 0) n = 1;
    // A unidirectional data set fetches one row at a time anyway: fetching the
    // rest would only run past its rows.
    if (packetRecords_ == -1 && n != -1 && Active() && !uniDirectional_) FetchAll();
    packetRecords_ = n;
}

void TDataSet::SetUniDirectional(bool v) {
    if (Active()) DataSetError("Cannot perform this operation on an open dataset");
    uniDirectional_ = v;
}

void TDataSet::SetBufferChunks(int n) {
    if (Active()) DataSetError("Cannot perform this operation on an open dataset");
    bufferChunks_ = n;
}

// ---- filtering and calculated fields ----

bool TDataSet::Accept(TRowHeader* row) {
    if (!FilterActive()) return true;
    bool accept = true;
    TRowScope scope(scopeRow_, state_, row, TDataSetState::dsFilter);
    onFilterRecord_(*this, accept);
    return accept;
}

void TDataSet::SetFiltered(bool v) {
    if (filtered_ == v) return;
    filtered_ = v;
    if (Active() && onFilterRecord_) First();
}

void TDataSet::SetOnFilterRecord(TFilterRecordEvent handler) {
    onFilterRecord_ = std::move(handler);
    if (Active() && filtered_) First();
}

bool TDataSet::HasCalcWork() const {
    if (!OnCalcFields) return false;
    for (const auto& f : fields_)
        if (f->Calculated()) return true;
    return false;
}

void TDataSet::CalculateFields(TRowHeader* row) {
    if (!autoCalcFields_ || !HasCalcWork()) return;
    for (const auto& f : fields_)
        if (f->Calculated()) {
            if (f->OwnsMemory()) f->ReleaseBuffer(f->BufferIn(impl_->Calc(row)));
            f->InitNull(f->BufferIn(impl_->Calc(row)));
        }
    TRowScope scope(scopeRow_, state_, row, TDataSetState::dsCalcFields);
    OnCalcFields(*this);
}

TRowHeader* TDataSet::FirstAccepted() {
    if (!impl_->First() && !allFetched_) FetchPacket();
    TRowHeader* row = impl_->First();
    return row && !Accept(row) ? NextAccepted(row) : row;
}

TRowHeader* TDataSet::NextAccepted(TRowHeader* row) {
    for (;;) {
        TRowHeader* next = impl_->Next(row);
        if (!next && !allFetched_) {
            if (uniDirectional_) {
                // The previous row is gone once the next one arrives (its slot is
                // reused): the new row is the only one.
                if (!FetchOne()) return nullptr;
                next = impl_->Last();
            } else {
                FetchPacket();
                next = impl_->Next(row);
            }
        }
        if (!next) return nullptr;
        if (Accept(next)) return next;
        row = next;
    }
}

TRowHeader* TDataSet::PriorAccepted(TRowHeader* row) {
    for (TRowHeader* p = impl_->Prior(row); p; p = impl_->Prior(p))
        if (Accept(p)) return p;
    return nullptr;
}

// ---- navigation ----

void TDataSet::CheckBidirectional() const {
    if (uniDirectional_) DataSetError("Operation not allowed on a unidirectional dataset");
}

void TDataSet::First() {
    CheckActive();
    CheckBrowseMode();
    Fire(BeforeScroll);
    if (uniDirectional_ && fetchedRows_ > 1) CheckBidirectional();   // the first row is gone
    cur_ = FirstAccepted();
    bof_ = true;
    eof_ = cur_ == nullptr;
    Notify(TLinkEvent::DataSetChanged);
    Fire(AfterScroll);
}

void TDataSet::Last() {
    CheckActive();
    CheckBidirectional();
    CheckBrowseMode();
    Fire(BeforeScroll);
    FetchAll();
    TRowHeader* row = impl_->Last();
    if (row && !Accept(row)) row = PriorAccepted(row);
    cur_ = row;
    eof_ = true;
    bof_ = cur_ == nullptr;
    Notify(TLinkEvent::DataSetChanged);
    Fire(AfterScroll);
}

int TDataSet::MoveBy(int distance) {
    CheckActive();
    if (distance < 0) CheckBidirectional();
    CheckBrowseMode();
    Fire(BeforeScroll);
    int moved = 0;
    if (cur_) {
        while (moved != distance) {
            TRowHeader* to = distance > 0 ? NextAccepted(cur_) : PriorAccepted(cur_);
            if (!to) break;
            cur_ = to;
            moved += distance > 0 ? 1 : -1;
        }
    }
    eof_ = distance > 0 && moved != distance;
    bof_ = distance < 0 && moved != distance;
    if (!cur_) eof_ = bof_ = true;
    Notify(TLinkEvent::DataSetScrolled);
    Fire(AfterScroll);
    return moved;
}

void TDataSet::Next() {
    CheckActive();
    if (!eof_) MoveBy(1);
}

void TDataSet::Prior() {
    CheckActive();
    CheckBidirectional();
    if (!bof_) MoveBy(-1);
}

bool TDataSet::IsEmpty() {
    CheckActive();
    return cur_ == nullptr && FirstAccepted() == nullptr;
}

int TDataSet::RecNo() const { return cur_ && state_ != TDataSetState::dsInsert ? cur_->seq : 0; }

int TDataSet::RecordCount() {
    if (!Active()) return 0;
    FetchAll();
    if (!FilterActive()) {
        TRowHeader* last = impl_->Last();
        return last ? last->seq : 0;
    }
    int count = 0;
    for (TRowHeader* r = impl_->First(); r; r = impl_->Next(r))
        if (Accept(r)) ++count;
    return count;
}

bool TDataSet::IsSequenced() const { return Active() && !FilterActive() && allFetched_; }

// ---- bookmarks ----

bool TDataSet::BookmarkValid(TBookmark bookmark) const { return impl_ && impl_->IsRow(bookmark); }

void TDataSet::GotoBookmark(TBookmark bookmark) {
    CheckActive();
    if (!BookmarkValid(bookmark)) DataSetError("Invalid bookmark");
    CheckBrowseMode();
    Fire(BeforeScroll);
    cur_ = const_cast<TRowHeader*>(static_cast<const TRowHeader*>(bookmark));
    eof_ = bof_ = false;
    Notify(TLinkEvent::DataSetChanged);
    Fire(AfterScroll);
}

void TDataSet::ReadRow(TBookmark bookmark, const std::function<void()>& read) {
    CheckActive();
    if (!BookmarkValid(bookmark)) DataSetError("Invalid bookmark");
    auto* row = const_cast<TRowHeader*>(static_cast<const TRowHeader*>(bookmark));
    if (row == cur_) {
        read();   // the current row, with its edit when there is one
        return;
    }
    TRowScope scope(scopeRow_, state_, row, state_);
    read();
}

void TDataSet::ReadOriginalRow(const std::function<void()>& read) {
    CheckActive();
    CheckNotEmpty();
    // A scoped row is read as it is: the edit copy is not looked at.
    TRowScope scope(scopeRow_, state_, cur_, state_);
    read();
}

void TDataSet::LoadRow(TBookmark bookmark, const std::function<void()>& write) {
    CheckActive();
    if (!BookmarkValid(bookmark)) DataSetError("Invalid bookmark");
    auto* row = const_cast<TRowHeader*>(static_cast<const TRowHeader*>(bookmark));
    const bool editing = state_ == TDataSetState::dsEdit || state_ == TDataSetState::dsInsert;
    if (row == cur_ && state_ == TDataSetState::dsEdit)
        if (TRowHeader* copy = impl_->EditCopyOf(row)) row = copy;
    {
        TRowScope scope(scopeRow_, state_, row, TDataSetState::dsFetch);
        write();
    }
    CalculateFields(row);
    // An edit in progress is shown when it is posted; a browsed row now.
    if (!editing) Notify(TLinkEvent::DataSetChanged);
}

int TDataSet::CompareBookmarks(TBookmark a, TBookmark b) const {
    const int sa = a ? static_cast<const TRowHeader*>(a)->seq : 0;
    const int sb = b ? static_cast<const TRowHeader*>(b)->seq : 0;
    return sa < sb ? -1 : sa > sb ? 1 : 0;
}

// ---- editing ----

TRowHeader* TDataSet::NewNullRow() {
    TRowHeader* row = impl_->NewRow();  // handed out zeroed
    for (const auto& f : fields_)
        f->InitNullOnZeroed(f->BufferIn(f->Calculated() ? impl_->Calc(row) : impl_->Data(row)));
    return row;
}

TRowStatus TDataSet::CurrentRowStatus() const { return cur_ ? cur_->status : TRowStatus::rsUnchanged; }

void TDataSet::CheckNotEmpty() {
    if (!cur_) DataSetError("Cannot perform this operation on an empty dataset");
}

void TDataSet::CheckBrowseMode() {
    CheckActive();
    if (state_ != TDataSetState::dsEdit && state_ != TDataSetState::dsInsert) return;
    if (modified_)
        Post();
    else
        Cancel();
}

void TDataSet::Edit() {
    CheckActive();
    if (state_ == TDataSetState::dsEdit || state_ == TDataSetState::dsInsert) return;
    if (!cur_) {
        Insert();
        return;
    }
    if (!CanModify()) DataSetError("Cannot modify a read-only dataset");
    if (cur_->status == TRowStatus::rsDeleted) DataSetError("Cannot update deleted record");
    Fire(BeforeEdit);
    impl_->EditCopy(cur_);
    modified_ = false;
    SetState(TDataSetState::dsEdit);
    Fire(AfterEdit);
}

void TDataSet::Insert() { StartNewRow(false); }

void TDataSet::Append() { StartNewRow(true); }

void TDataSet::StartNewRow(bool append) {
    CheckBrowseMode();
    if (!CanModify()) DataSetError("Cannot modify a read-only dataset");
    if (append) FetchAll();   // the new row goes after the last one there is
    Fire(BeforeInsert);
    Fire(BeforeScroll);
    TRowHeader* row = NewNullRow();
    row->status = TRowStatus::rsInserted;
    if (append)
        impl_->Append(row);
    else
        impl_->InsertAfter(cur_ ? cur_->prev : nullptr, row);
    cur_ = row;
    eof_ = bof_ = false;
    modified_ = false;
    SetState(TDataSetState::dsInsert);
    Fire(OnNewRecord);
    Fire(AfterInsert);
    Fire(AfterScroll);
}

void TDataSet::Post() {
    CheckActive();
    if (state_ != TDataSetState::dsEdit && state_ != TDataSetState::dsInsert) return;
    Fire(BeforePost);
    for (const auto& f : fields_)
        if (f->Required() && !f->ReadOnly() && !f->Calculated() && f->IsNull())
            DataSetError(Format("Field '%s' must have a value", {f->FieldName()}));
    const bool inserting = state_ == TDataSetState::dsInsert;
    // A failure here leaves the row in edit or insert state with its changes.
    InternalPost(inserting);
    if (!inserting) {
        impl_->CommitEditCopy(cur_);
        if (cur_->status == TRowStatus::rsUnchanged) cur_->status = TRowStatus::rsModified;
    }
    modified_ = false;
    SetState(TDataSetState::dsBrowse);
    CalculateFields(cur_);
    Notify(TLinkEvent::DataSetChanged);
    Fire(AfterPost);
}

void TDataSet::Cancel() {
    CheckActive();
    if (state_ != TDataSetState::dsEdit && state_ != TDataSetState::dsInsert) return;
    Fire(BeforeCancel);
    if (state_ == TDataSetState::dsInsert) {
        TRowHeader* row = cur_;
        TRowHeader* next = impl_->Next(row);
        TRowHeader* prior = impl_->Prior(row);
        impl_->Remove(row);
        cur_ = next ? next : prior;
        eof_ = !next;
        bof_ = !cur_;
    } else {
        impl_->DropEditCopy(cur_);
    }
    modified_ = false;
    SetState(TDataSetState::dsBrowse);
    Notify(TLinkEvent::DataSetChanged);
    Fire(AfterCancel);
}

void TDataSet::Delete() {
    CheckActive();
    if (state_ == TDataSetState::dsInsert) {
        Cancel();   // an inserted, unposted row is simply dropped
        return;
    }
    CheckNotEmpty();
    if (cur_->status == TRowStatus::rsDeleted) DataSetError("Cannot delete already deleted record");
    if (!CanModify()) DataSetError("Cannot modify a read-only dataset");
    CheckBrowseMode();
    Fire(BeforeDelete);
    InternalDelete();
    TRowHeader* row = cur_;
    TRowHeader* next = NextAccepted(row);
    TRowHeader* prior = next ? nullptr : PriorAccepted(row);
    impl_->Remove(row);
    cur_ = next ? next : prior;
    eof_ = !next;
    bof_ = !cur_;
    Notify(TLinkEvent::DataSetChanged);
    Fire(AfterDelete);
    Fire(AfterScroll);
}

// ---- data links ----

void TDataSet::SetState(TDataSetState state) {
    if (state_ == state) return;
    state_ = state;
    Notify(TLinkEvent::StateChanged);
}

void TDataSet::EnableControls() {
    if (disableCount_ == 0) return;
    if (--disableCount_ == 0 && changedWhileDisabled_) {
        changedWhileDisabled_ = false;
        Notify(TLinkEvent::DataSetChanged);
    }
}

void TDataSet::Notify(TLinkEvent event, TField* field) {
    if (disableCount_ > 0 && event != TLinkEvent::ActiveChanged) {
        changedWhileDisabled_ = true;
        return;
    }
    for (TDataSource* source : std::vector<TDataSource*>(sources_)) {
        switch (event) {
        case TLinkEvent::ActiveChanged: source->NotifyActiveChanged(); break;
        case TLinkEvent::DataSetChanged: source->NotifyDataSetChanged(); break;
        case TLinkEvent::DataSetScrolled: source->NotifyDataSetScrolled(); break;
        case TLinkEvent::RecordChanged: source->NotifyRecordChanged(field); break;
        case TLinkEvent::StateChanged: source->NotifyStateChanged(); break;
        }
    }
}

bool TDataSet::IsLinkedTo(const TDataSource* source) const {
    if (!source) return false;
    const TDataSet* ds = this;
    // A chain of masters is short; the step limit guards against a cycle built behind our back.
    for (int steps = 0; ds && steps < 1000; ++steps) {
        if (source->DataSet() == ds) return true;
        TDataSource* master = ds->MasterSource();
        ds = master ? master->DataSet() : nullptr;
    }
    return false;
}

}  // namespace varnok
