#include "dbaccess/DataSetImpl.h"

#include <cstring>

namespace varnok {

TDataSetImpl::TDataSetImpl(std::size_t dataSize, std::size_t calcSize, std::size_t pageSlots)
    : dataSize_(dataSize), calcSize_(calcSize), allocator_(kHeaderSize + dataSize + calcSize, pageSlots) {
    head_.next = &tail_;
    tail_.prev = &head_;
}

TDataSetImpl::~TDataSetImpl() { Clear(); }

void TDataSetImpl::FreeSlot(TRowHeader* row) {
    if (release_) release_(Data(row));
    allocator_.Free(reinterpret_cast<char*>(row));
}

TRowHeader* TDataSetImpl::NewRow() {
    auto* row = reinterpret_cast<TRowHeader*>(allocator_.Allocate());
    row->status = TRowStatus::rsUnchanged;
    return row;
}

void TDataSetImpl::InsertAfter(TRowHeader* after, TRowHeader* row) {
    if (!after) after = &head_;
    row->prev = after;
    row->next = after->next;
    after->next->prev = row;
    after->next = row;
    ++count_;
    Renumber(row);
}

void TDataSetImpl::Renumber(TRowHeader* from) {
    std::int32_t seq = from->prev == &head_ ? 0 : from->prev->seq;
    for (TRowHeader* r = from; r != &tail_; r = r->next) r->seq = ++seq;
}

void TDataSetImpl::Remove(TRowHeader* row) {
    TRowHeader* after = row->next;
    row->prev->next = row->next;
    row->next->prev = row->prev;
    --count_;
    Discard(row);
    if (after != &tail_) Renumber(after);
}

void TDataSetImpl::Discard(TRowHeader* row) {
    DropEditCopy(row);
    FreeSlot(row);
}

void TDataSetImpl::Clear() {
    if (release_)
        for (TRowHeader* r = head_.next; r && r != &tail_; r = r->next) {
            DropEditCopy(r);
            release_(Data(r));
        }
    // Copies of rows that were never linked go with the pages.
    if (release_)
        for (const auto& entry : editCopies_) release_(Data(entry.second));
    editCopies_.clear();
    allocator_.Clear();
    head_.next = &tail_;
    tail_.prev = &head_;
    count_ = 0;
}

TRowHeader* TDataSetImpl::EditCopyOf(const TRowHeader* row) const {
    for (const auto& [owner, copy] : editCopies_)
        if (owner == row) return copy;
    return nullptr;
}

TRowHeader* TDataSetImpl::TakeEditCopy(const TRowHeader* row) {
    for (auto it = editCopies_.begin(); it != editCopies_.end(); ++it)
        if (it->first == row) {
            TRowHeader* copy = it->second;
            editCopies_.erase(it);
            return copy;
        }
    return nullptr;
}

TRowHeader* TDataSetImpl::EditCopy(TRowHeader* row) {
    if (TRowHeader* copy = EditCopyOf(row)) return copy;
    TRowHeader* copy = NewRow();
    std::memcpy(Data(copy), Data(row), dataSize_ + calcSize_);
    if (duplicate_) duplicate_(Data(row), Data(copy));
    editCopies_.emplace_back(row, copy);
    return copy;
}

void TDataSetImpl::CommitEditCopy(TRowHeader* row) {
    TRowHeader* copy = TakeEditCopy(row);
    if (!copy) return;
    // The row gives up its own contents and takes over the copy's.
    if (release_) release_(Data(row));
    std::memcpy(Data(row), Data(copy), dataSize_ + calcSize_);
    allocator_.Free(reinterpret_cast<char*>(copy));
}

void TDataSetImpl::DropEditCopy(TRowHeader* row) {
    if (TRowHeader* copy = TakeEditCopy(row)) FreeSlot(copy);
}

bool TDataSetImpl::IsRow(const void* p) const {
    if (!allocator_.IsLive(p)) return false;
    // A live slot may be an edit copy or a detached row: only linked rows count.
    const auto* row = static_cast<const TRowHeader*>(p);
    return row->prev && row->prev->next == row;
}

}  // namespace varnok
