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

char* TRecordAllocator::Allocate() {
    char* slot = nullptr;
    if (!free_.empty()) {
        slot = free_.back();
        free_.pop_back();
    } else {
        if (pages_.empty() || usedInLastPage_ == pageSlots_) {
            const std::size_t bytes = pageSlots_ * slotStride_;
            const std::size_t units = (bytes + sizeof(std::max_align_t) - 1) / sizeof(std::max_align_t);
            pages_.push_back(std::make_unique<std::max_align_t[]>(units));
            usedInLastPage_ = 0;
        }
        slot = reinterpret_cast<char*>(pages_.back().get()) + usedInLastPage_ * slotStride_;
        ++usedInLastPage_;
    }
    std::memset(slot, 0, recordSize_);
    live_.insert(slot);
    return slot;
}

void TRecordAllocator::Free(char* slot) {
    if (live_.erase(slot) == 0) throw ERecordAllocatorException("Invalid record pointer");
    free_.push_back(slot);
}

bool TRecordAllocator::IsLive(const void* slot) const { return slot && live_.count(slot) != 0; }

void TRecordAllocator::Clear() {
    live_.clear();
    free_.clear();
    pages_.clear();
    usedInLastPage_ = 0;
}

}  // namespace varnok
