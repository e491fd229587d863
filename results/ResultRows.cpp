#include "results/ResultRows.h"

#include <algorithm>

#include "results/DataSetFetch.h"

namespace varnok {

TResultRows::TResultRows(TRowIndexListener& listener) : listener_(listener) {}

TResultRows::~TResultRows() = default;

void TResultRows::Attach(TDataSource* source) {
    SetDataSource(source);
    Reset();
}

TField* TResultRows::Column(int column) const {
    // A data source destroyed without notice leaves no data set: its fields may be gone.
    if (column < 0 || column >= ColumnCount() || !DataSet()) return nullptr;
    return columns_[static_cast<std::size_t>(column)];
}

int TResultRows::ColumnOf(const TField* field) const {
    const auto it = std::find(columns_.begin(), columns_.end(), field);
    return it == columns_.end() ? -1 : static_cast<int>(it - columns_.begin());
}

TBookmark TResultRows::RowBookmark(int row) const {
    if (row < 0 || row >= RowCount()) return nullptr;
    return rows_[static_cast<std::size_t>(row)];
}

void TResultRows::ReadRow(int row, const std::function<void()>& read) const {
    TDataSet* ds = DataSet();
    if (!Active() || !ds) return;
    ds->ReadRow(RowBookmark(row), read);
}

TResultCell TResultRows::Cell(int row, int column) const {
    TResultCell cell;
    TField* field = Column(column);
    TDataSet* ds = DataSet();
    if (!field || !Active() || row < 0 || row >= RowCount()) return cell;
    // While a caller holds the controls disabled the index may lag behind a
    // deleted row; such a row reads as empty until the next notification.
    if (!ds->BookmarkValid(rows_[static_cast<std::size_t>(row)])) return cell;
    ds->ReadRow(rows_[static_cast<std::size_t>(row)], [&] {
        cell.isNull = field->IsNull();
        if (!cell.isNull) cell.text = field->DisplayText();
    });
    return cell;
}

bool TResultRows::CanFetchMore() const {
    TDataSet* ds = DataSet();
    return Active() && CanFetchNextPacket(*ds);
}

void TResultRows::FetchMore() {
    if (!CanFetchMore()) return;
    // The packet arrives behind disabled controls: one "data set changed" at
    // the end, which only appended rows; Sync takes the short way.
    fetching_ = true;
    try {
        FetchNextPacket(*DataSet());
    } catch (...) {
        fetching_ = false;
        Sync(false);
        throw;
    }
    fetching_ = false;
    Sync(true);
}

int TResultRows::IndexOfRow(const TRowHeader* row) const {
    if (!row) return -1;
    const std::size_t guess = static_cast<std::size_t>(row->seq - 1);
    if (row->seq >= 1 && guess < rows_.size() && rows_[guess] == row) return static_cast<int>(guess);
    const auto it = std::find(rows_.begin(), rows_.end(), row);
    return it == rows_.end() ? -1 : static_cast<int>(it - rows_.begin());
}

int TResultRows::CurrentRow() const {
    TDataSet* ds = DataSet();
    if (!Active() || !ds) return -1;
    return IndexOfRow(ds->CurrentRow());
}

void TResultRows::MoveTo(int row) {
    TDataSet* ds = DataSet();
    if (!Active() || row < 0 || row >= RowCount()) return;
    TRowHeader* target = rows_[static_cast<std::size_t>(row)];
    if (ds->CurrentRow() == target) return;   // staying on the row keeps its pending edit
    if (ds->State() == TDataSetState::dsEdit || ds->State() == TDataSetState::dsInsert) {
        // Leaving the row posts its edit (or drops an untouched new row).
        ds->CheckBrowseMode();
        if (!ds->BookmarkValid(target)) return;
    }
    if (ds->CurrentRow() == target) return;
    const int from = CurrentRow();
    const int to = IndexOfRow(target);
    if (from >= 0 && to >= 0 && !ds->FilterActive())
        ds->MoveBy(to - from);   // "scrolled": the index needs no walk
    else
        ds->GotoBookmark(target);
}

void TResultRows::ActiveChanged() { Reset(); }

void TResultRows::DataSetChanged() { Sync(fetching_); }

void TResultRows::DataSetScrolled() { Sync(true); }

void TResultRows::RecordChanged(TField* field) {
    (void)field;
    const int row = CurrentRow();
    if (row >= 0) listener_.RowsChanged(row, row);
}

void TResultRows::StateChanged() {
    // Insert adds its row and Cancel drops it with no other notice.
    Sync(false);
}

std::vector<TRowHeader*> TResultRows::CachedRows() const {
    std::vector<TRowHeader*> rows;
    TDataSet* ds = DataSet();
    TDataSetImpl* impl = Active() && ds ? ds->Impl() : nullptr;
    if (!impl) return rows;
    rows.reserve(static_cast<std::size_t>(impl->Count()));
    for (TRowHeader* r = impl->First(); r; r = impl->Next(r)) rows.push_back(r);
    return rows;
}

void TResultRows::Reset() {
    listener_.BeginReset();
    columns_.clear();
    TDataSet* ds = DataSet();
    if (Active() && ds)
        for (int i = 0; i < ds->FieldCount(); ++i)
            if (ds->Field(i).Visible()) columns_.push_back(&ds->Field(i));
    rows_ = CachedRows();
    listener_.EndReset();
    ReportCurrent();
}

void TResultRows::Sync(bool appendOnly) {
    TDataSet* ds = DataSet();
    TDataSetImpl* impl = Active() && ds ? ds->Impl() : nullptr;
    if (!impl) {
        if (!rows_.empty() || !columns_.empty()) Reset();
        return;
    }
    if (appendOnly && !ds->UniDirectional() && static_cast<int>(rows_.size()) <= impl->Count() &&
        (rows_.empty() || impl->IsRow(rows_.back()))) {
        std::vector<TRowHeader*> added;
        for (TRowHeader* r = rows_.empty() ? impl->First() : impl->Next(rows_.back()); r; r = impl->Next(r))
            added.push_back(r);
        if (!added.empty()) {
            const int first = RowCount();
            listener_.BeginInsertRows(first, first + static_cast<int>(added.size()) - 1);
            rows_.insert(rows_.end(), added.begin(), added.end());
            listener_.EndInsertRows();
        }
        ReportCurrent();
        return;
    }

    std::vector<TRowHeader*> fresh = CachedRows();
    // The rows both lists share at the start and at the end; what lies
    // between is what was inserted, removed or replaced.
    const std::size_t oldSize = rows_.size(), newSize = fresh.size();
    std::size_t prefix = 0;
    while (prefix < oldSize && prefix < newSize && rows_[prefix] == fresh[prefix]) ++prefix;
    std::size_t suffix = 0;
    while (suffix < oldSize - prefix && suffix < newSize - prefix &&
           rows_[oldSize - 1 - suffix] == fresh[newSize - 1 - suffix])
        ++suffix;
    const int first = static_cast<int>(prefix);
    const int removed = static_cast<int>(oldSize - prefix - suffix);
    const int inserted = static_cast<int>(newSize - prefix - suffix);
    if (removed > 0 && inserted > 0) {
        listener_.BeginReset();
        rows_ = std::move(fresh);
        listener_.EndReset();
    } else if (removed > 0) {
        listener_.BeginRemoveRows(first, first + removed - 1);
        rows_ = std::move(fresh);
        listener_.EndRemoveRows();
    } else if (inserted > 0) {
        listener_.BeginInsertRows(first, first + inserted - 1);
        rows_ = std::move(fresh);
        listener_.EndInsertRows();
    }
    // Values may have changed anywhere (post, refresh): the grid repaints what it shows.
    if (!rows_.empty()) listener_.RowsChanged(0, RowCount() - 1);
    ReportCurrent();
}

void TResultRows::ReportCurrent() { listener_.CurrentRowMoved(CurrentRow()); }

}  // namespace varnok
