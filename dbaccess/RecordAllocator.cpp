#include "dbaccess/RecordAllocator.h"

#include <cstring>

#include "dbaccess/IfxExceptions.h"

namespace varnok {

TRecordAllocator::TRecordAllocator(std::size_t recordSize, std::size_t pageSlots)
    : recordSize_(recordSize), pageSlots_(pageSlots) {
    if (recordSize == 0) throw ERecordAllocatorException("Record size must be more then 0");
    if (pageSlots == 0) throw ERecordAllocatorException("Page size must be more then 0");
    // Row contents need at most 8-byte alignment (pointers, doubles); a
    // smaller stride than max_align_t's keeps a cached row small.
    const std::size_t align = kSlotAlignment;
    slotStride_ = (recordSize + align - 1) / align * align;
}

void TRecordAllocator::SetBit(TPage& page, std::size_t i, bool on) {
    const std::uint64_t mask = std::uint64_t{1} << (i % 64);
    if (on)
        page.live[i / 64] |= mask;
    else
        page.live[i / 64] &= ~mask;
}

bool TRecordAllocator::Locate(const void* p, TPage*& page, std::size_t& index) const {
    const auto address = reinterpret_cast<std::uintptr_t>(p);
    auto it = pageByAddress_.upper_bound(address);
    if (it == pageByAddress_.begin()) return false;
    --it;
    const std::uintptr_t offset = address - it->first;
    if (offset >= pageSlots_ * slotStride_ || offset % slotStride_ != 0) return false;
    page = const_cast<TPage*>(&pages_[it->second]);
    index = offset / slotStride_;
    return true;
}

char* TRecordAllocator::Allocate() {
    char* slot = nullptr;
    TPage* page = nullptr;
    std::size_t index = 0;
    if (!free_.empty()) {
        slot = free_.back();
        free_.pop_back();
        Locate(slot, page, index);
    } else {
        if (pages_.empty() || usedInLastPage_ == pageSlots_) {
            const std::size_t bytes = pageSlots_ * slotStride_;
            const std::size_t units = (bytes + sizeof(std::max_align_t) - 1) / sizeof(std::max_align_t);
            // Not zeroed here: every slot is zeroed when it is handed out.
            TPage page{std::make_unique_for_overwrite<std::max_align_t[]>(units),
                       std::vector<std::uint64_t>((pageSlots_ + 63) / 64, 0)};
            pageByAddress_.emplace(reinterpret_cast<std::uintptr_t>(page.memory.get()), pages_.size());
            pages_.push_back(std::move(page));
            usedInLastPage_ = 0;
        }
        page = &pages_.back();
        index = usedInLastPage_++;
        slot = reinterpret_cast<char*>(page->memory.get()) + index * slotStride_;
    }
    SetBit(*page, index, true);
    ++liveCount_;
    std::memset(slot, 0, recordSize_);
    return slot;
}

void TRecordAllocator::Free(char* slot) {
    TPage* page = nullptr;
    std::size_t index = 0;
    if (!slot || !Locate(slot, page, index) || !Bit(*page, index))
        throw ERecordAllocatorException("Invalid record pointer");
    SetBit(*page, index, false);
    --liveCount_;
    free_.push_back(slot);
}

bool TRecordAllocator::IsLive(const void* slot) const {
    TPage* page = nullptr;
    std::size_t index = 0;
    return slot && Locate(slot, page, index) && Bit(*page, index);
}

void TRecordAllocator::Clear() {
    free_.clear();
    pages_.clear();
    pageByAddress_.clear();
    usedInLastPage_ = 0;
    liveCount_ = 0;
}

}  // namespace varnok
