#pragma once
// TDataSetImpl: the row cache of a data set. Rows are kept in fetch order in
// a doubly linked list between a head and a tail sentinel; each row lives in
// one slot of a TRecordAllocator: a small header (links, status, sequence
// number), then the field data area, then the calculated-field area.
// The data area holds the fields' buffers exactly as the fields read them, so
// a table model can read a row in place without copying it.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "dbaccess/RecordAllocator.h"

namespace varnok {

enum class TRowStatus : std::int32_t { rsUnchanged = 0, rsModified = 1, rsInserted = 2, rsDeleted = 3 };

// 24 bytes: the edit copy of the (one or few) rows being edited is kept in
// the cache's side table, not in every row.
struct TRowHeader {
    TRowHeader* prev;
    TRowHeader* next;
    TRowStatus status;
    std::int32_t seq;       // 1-based position in the list
};

class TDataSetImpl {
public:
    // dataSize and calcSize: bytes of the two areas; pageSlots: slots per page
    // (BufferChunks, 1 for unidirectional data sets).
    TDataSetImpl(std::size_t dataSize, std::size_t calcSize, std::size_t pageSlots);
    TDataSetImpl(const TDataSetImpl&) = delete;
    TDataSetImpl& operator=(const TDataSetImpl&) = delete;
    ~TDataSetImpl();

    // Rows whose fields own memory outside the slot (blob contents): called
    // with a row's areas before its slot is freed, and after a row's areas
    // were copied into another slot (the copy must own its own contents).
    using TAreaHook = std::function<void(char* area)>;
    using TCopyHook = std::function<void(const char* from, char* to)>;
    void SetOwnershipHooks(TAreaHook release, TCopyHook duplicate) {
        release_ = std::move(release);
        duplicate_ = std::move(duplicate);
    }

    static constexpr std::size_t kHeaderSize = (sizeof(TRowHeader) + 7) / 8 * 8;

    // A new detached row (zeroed areas), not yet in the list.
    TRowHeader* NewRow();
    // Links row after `after` (the head sentinel for "first") and renumbers.
    void InsertAfter(TRowHeader* after, TRowHeader* row);
    void Append(TRowHeader* row) { InsertAfter(tail_.prev, row); }
    // Unlinks row, frees its slot (and its edit copy) and renumbers the rest.
    void Remove(TRowHeader* row);
    // Frees a row that was never linked.
    void Discard(TRowHeader* row);
    void Clear();

    TRowHeader* First() const { return head_.next == &tail_ ? nullptr : head_.next; }
    TRowHeader* Last() const { return tail_.prev == &head_ ? nullptr : tail_.prev; }
    TRowHeader* Next(const TRowHeader* row) const { return row->next == &tail_ ? nullptr : row->next; }
    TRowHeader* Prior(const TRowHeader* row) const { return row->prev == &head_ ? nullptr : row->prev; }
    int Count() const { return count_; }

    // The row's data area and calculated area.
    char* Data(TRowHeader* row) const { return reinterpret_cast<char*>(row) + kHeaderSize; }
    char* Calc(TRowHeader* row) const { return Data(row) + dataSize_; }
    std::size_t DataSize() const { return dataSize_; }
    std::size_t CalcSize() const { return calcSize_; }

    // The edit copy of row: created on demand as a copy of row's areas.
    TRowHeader* EditCopy(TRowHeader* row);
    // The edit copy of row, or null when it has none.
    TRowHeader* EditCopyOf(const TRowHeader* row) const;
    // Copies the edit copy back into row and drops the copy (post).
    void CommitEditCopy(TRowHeader* row);
    // Drops the edit copy (cancel).
    void DropEditCopy(TRowHeader* row);

    // True when p is a row linked in this cache (bookmark validation).
    bool IsRow(const void* p) const;
    const TRecordAllocator& Allocator() const { return allocator_; }

private:
    void Renumber(TRowHeader* from);
    void FreeSlot(TRowHeader* row);
    // Takes row's edit copy out of the side table (null when it has none).
    TRowHeader* TakeEditCopy(const TRowHeader* row);
    TAreaHook release_;
    TCopyHook duplicate_;
    // Rows being edited and their copies: only a few at any time.
    std::vector<std::pair<const TRowHeader*, TRowHeader*>> editCopies_;

    std::size_t dataSize_;
    std::size_t calcSize_;
    TRecordAllocator allocator_;
    TRowHeader head_{};
    TRowHeader tail_{};
    int count_ = 0;
};

}  // namespace varnok
