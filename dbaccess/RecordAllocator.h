#pragma once
// TRecordAllocator: fixed-size row slots handed out from pages of a fixed
// number of slots. Freed slots go on a free list and are handed out again
// before a new page is taken, so a long browse does not fragment the heap,
// and a slot never moves: its address can serve as a bookmark. IsLive tells
// whether a pointer is a slot currently handed out (bookmark validation).
#include <cstddef>
#include <memory>
#include <unordered_set>
#include <vector>

namespace varnok {

class TRecordAllocator {
public:
    static constexpr std::size_t kSlotAlignment = 8;

    // Raises ERecordAllocatorException for a zero record or page size.
    TRecordAllocator(std::size_t recordSize, std::size_t pageSlots);
    TRecordAllocator(const TRecordAllocator&) = delete;
    TRecordAllocator& operator=(const TRecordAllocator&) = delete;

    // A zero-filled slot of RecordSize() bytes, 8-aligned.
    char* Allocate();
    // Returns slot to the free list; a pointer that is not a live slot raises.
    void Free(char* slot);
    bool IsLive(const void* slot) const;
    // Drops every slot and page.
    void Clear();

    std::size_t RecordSize() const { return recordSize_; }
    std::size_t PageSlots() const { return pageSlots_; }
    std::size_t PageCount() const { return pages_.size(); }
    std::size_t LiveCount() const { return live_.size(); }
    // Bytes held by the pages (for the memory figures of the benchmark).
    std::size_t ReservedBytes() const { return pages_.size() * pageSlots_ * slotStride_; }

private:
    std::size_t recordSize_;
    std::size_t pageSlots_;
    std::size_t slotStride_;
    std::vector<std::unique_ptr<std::max_align_t[]>> pages_;
    std::size_t usedInLastPage_ = 0;
    std::vector<char*> free_;
    std::unordered_set<const void*> live_;
};

}  // namespace varnok
