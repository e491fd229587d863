#pragma once
// TRecordAllocator: fixed-size row slots handed out from pages of a fixed
// number of slots. Freed slots go on a free list and are handed out again
// before a new page is taken, so a long browse does not fragment the heap,
// and a slot never moves: its address can serve as a bookmark. IsLive tells
// whether a pointer is a slot currently handed out (bookmark validation):
// a bit per slot, found through the page that holds the pointer.
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
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
    std::size_t LiveCount() const { return liveCount_; }
    // Bytes held by the pages (for the memory figures of the benchmark).
    std::size_t ReservedBytes() const { return pages_.size() * pageSlots_ * slotStride_; }

private:
    // One page of slots and a bit per slot that says "handed out" — a cached
    // row costs one bit of bookkeeping instead of a hash-set node.
    struct TPage {
        std::unique_ptr<std::max_align_t[]> memory;
        std::vector<std::uint64_t> live;
    };
    // The page and slot index of p; false for anything not a slot's start.
    bool Locate(const void* p, TPage*& page, std::size_t& index) const;
    static bool Bit(const TPage& page, std::size_t i) { return (page.live[i / 64] >> (i % 64)) & 1u; }
    static void SetBit(TPage& page, std::size_t i, bool on);

    std::size_t recordSize_;
    std::size_t pageSlots_;
    std::size_t slotStride_;
    std::vector<TPage> pages_;
    std::map<std::uintptr_t, std::size_t> pageByAddress_;   // page start → index in pages_
    std::size_t usedInLastPage_ = 0;
    std::vector<char*> free_;
    std::size_t liveCount_ = 0;
};

}  // namespace varnok
