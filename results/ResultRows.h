#pragma once
// TResultRows: what a result grid shows of a data set, kept in step with it
// through a data link. The rows are the data set's cached rows, addressed by
// an index of row addresses (no values are copied); the columns are its
// visible fields. Cells are read in place with TDataSet::ReadRow, so the grid
// never moves the data set's current row to paint.
//
// Every change of the data set reaches a TRowIndexListener as the smallest
// step a table model understands: rows appended (a fetched packet), one row
// inserted or removed (insert, cancel, delete), values changed, or a reset
// (open, close, another data set). A packet is fetched only when asked
// (FetchMore), on the open cursor: the query is never run again.
#include <functional>
#include <string>
#include <vector>

#include "dbaccess/DataSet.h"
#include "dbaccess/DataSource.h"

namespace varnok {

class TRowIndexListener {
public:
    virtual ~TRowIndexListener() = default;
    virtual void BeginReset() = 0;
    virtual void EndReset() = 0;
    virtual void BeginInsertRows(int first, int last) = 0;
    virtual void EndInsertRows() = 0;
    virtual void BeginRemoveRows(int first, int last) = 0;
    virtual void EndRemoveRows() = 0;
    // The values of rows first..last may have changed.
    virtual void RowsChanged(int first, int last) = 0;
    // The data set's current row is now at this index (-1: none).
    virtual void CurrentRowMoved(int row) = 0;
};

struct TResultCell {
    bool isNull = true;
    std::string text;   // the field's display text (empty for a null)
};

class TResultRows : public TDataLink {
public:
    explicit TResultRows(TRowIndexListener& listener);
    ~TResultRows() override;

    // Binds to another source (or none) and resets.
    void Attach(TDataSource* source);

    int RowCount() const { return static_cast<int>(rows_.size()); }
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    // The field shown in a column; null outside the columns.
    TField* Column(int column) const;
    int ColumnOf(const TField* field) const;

    // One cell, read in place; a row that is no longer cached reads as null.
    TResultCell Cell(int row, int column) const;
    // Runs read while the data set's fields answer for that row.
    void ReadRow(int row, const std::function<void()>& read) const;
    TBookmark RowBookmark(int row) const;

    // More rows can come from the open cursor.
    bool CanFetchMore() const;
    // Fetches the next packet; the listener hears of the appended rows.
    void FetchMore();

    // Index of the data set's current row, -1 without one.
    int CurrentRow() const;
    // Makes row the data set's current row (posting a pending edit, as any move does).
    void MoveTo(int row);

protected:
    void ActiveChanged() override;
    void DataSetChanged() override;
    void DataSetScrolled() override;
    void RecordChanged(TField* field) override;
    void StateChanged() override;

private:
    void Reset();
    // Brings the index in step with the cache; appendOnly when the only
    // possible change is rows fetched at the end.
    void Sync(bool appendOnly);
    std::vector<TRowHeader*> CachedRows() const;
    void ReportCurrent();
    int IndexOfRow(const TRowHeader* row) const;

    TRowIndexListener& listener_;
    std::vector<TRowHeader*> rows_;
    std::vector<TField*> columns_;
    bool fetching_ = false;
};

}  // namespace varnok
