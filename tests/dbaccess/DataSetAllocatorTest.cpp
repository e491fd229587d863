// The row cache's memory: slots from pages, reuse of freed slots, the linked
// list between sentinels with its sequence numbers.
#include <gtest/gtest.h>

#include <set>

#include "dbaccess/DataSetImpl.h"
#include "dbaccess/IfxExceptions.h"

using namespace varnok;

TEST(RecordAllocator, HandsOutSlotsFromPagesAndReusesFreedOnes) {
    TRecordAllocator allocator(40, 3);
    std::vector<char*> slots;
    for (int i = 0; i < 7; ++i) slots.push_back(allocator.Allocate());
    EXPECT_EQ(allocator.PageCount(), 3u);
    EXPECT_EQ(allocator.LiveCount(), 7u);
    EXPECT_EQ(std::set<char*>(slots.begin(), slots.end()).size(), 7u);
    for (char* s : slots) EXPECT_EQ(reinterpret_cast<std::uintptr_t>(s) % TRecordAllocator::kSlotAlignment, 0u);

    slots[1][0] = 'x';
    allocator.Free(slots[1]);
    allocator.Free(slots[4]);
    EXPECT_FALSE(allocator.IsLive(slots[1]));
    EXPECT_TRUE(allocator.IsLive(slots[0]));

    char* again1 = allocator.Allocate();
    char* again2 = allocator.Allocate();
    EXPECT_EQ(allocator.PageCount(), 3u);   // no new page while freed slots remain
    EXPECT_EQ(std::set<char*>({again1, again2}), std::set<char*>({slots[1], slots[4]}));
    EXPECT_EQ(slots[1][0], 0);   // a reused slot comes back zeroed
}

TEST(RecordAllocator, RejectsZeroSizesAndForeignPointers) {
    struct Case {
        std::size_t record, page;
        const char* text;
    };
    for (const Case& c : {Case{0, 4, "Record size must be more then 0"}, Case{8, 0, "Page size must be more then 0"}}) {
        try {
            TRecordAllocator allocator(c.record, c.page);
            FAIL() << c.text;
        } catch (const ERecordAllocatorException& e) {
            EXPECT_STREQ(e.what(), c.text);
        }
    }
    TRecordAllocator allocator(8, 2);
    char local[8];
    EXPECT_FALSE(allocator.IsLive(local));
    EXPECT_THROW(allocator.Free(local), ERecordAllocatorException);
    char* slot = allocator.Allocate();
    allocator.Free(slot);
    EXPECT_THROW(allocator.Free(slot), ERecordAllocatorException);   // twice is misuse too

    // Only the start of a handed-out slot is live: not its middle, not a page's unused slot.
    char* first = allocator.Allocate();
    EXPECT_TRUE(allocator.IsLive(first));
    EXPECT_FALSE(allocator.IsLive(first + 1));
    EXPECT_THROW(allocator.Free(first + 1), ERecordAllocatorException);
    EXPECT_FALSE(allocator.IsLive(first + 8)) << "the page's second slot was never handed out";
    allocator.Clear();
    EXPECT_FALSE(allocator.IsLive(first));
    EXPECT_EQ(allocator.LiveCount(), 0u);
}

TEST(DataSetImpl, ListBetweenSentinelsKeepsSequenceNumbers) {
    TDataSetImpl cache(16, 8, 4);
    EXPECT_EQ(cache.First(), nullptr);
    EXPECT_EQ(cache.Last(), nullptr);
    std::vector<TRowHeader*> rows;
    for (int i = 0; i < 5; ++i) {
        rows.push_back(cache.NewRow());
        cache.Append(rows.back());
    }
    EXPECT_EQ(cache.First(), rows[0]);
    EXPECT_EQ(cache.Last(), rows[4]);
    EXPECT_EQ(cache.Next(rows[4]), nullptr);
    EXPECT_EQ(cache.Prior(rows[0]), nullptr);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(rows[i]->seq, i + 1);

    cache.Remove(rows[1]);
    EXPECT_EQ(rows[2]->seq, 2);
    EXPECT_EQ(rows[4]->seq, 4);
    EXPECT_EQ(cache.Count(), 4);
    EXPECT_FALSE(cache.IsRow(rows[1]));

    TRowHeader* inserted = cache.NewRow();
    EXPECT_FALSE(cache.IsRow(inserted));   // not linked yet
    cache.InsertAfter(nullptr, inserted);
    EXPECT_EQ(cache.First(), inserted);
    EXPECT_EQ(rows[4]->seq, 5);
    EXPECT_TRUE(cache.IsRow(inserted));
}

TEST(DataSetImpl, EditCopyCommitsOrDrops) {
    TDataSetImpl cache(8, 8, 2);
    TRowHeader* row = cache.NewRow();
    cache.Append(row);
    cache.Data(row)[0] = 'a';
    cache.Calc(row)[0] = 'c';
    TRowHeader* copy = cache.EditCopy(row);
    EXPECT_EQ(cache.EditCopy(row), copy);   // one copy per row
    EXPECT_EQ(cache.Data(copy)[0], 'a');
    EXPECT_EQ(cache.Calc(copy)[0], 'c');
    cache.Data(copy)[0] = 'b';
    cache.DropEditCopy(row);
    EXPECT_EQ(cache.Data(row)[0], 'a');
    cache.Data(cache.EditCopy(row))[0] = 'z';
    cache.CommitEditCopy(row);
    EXPECT_EQ(cache.Data(row)[0], 'z');
    EXPECT_EQ(cache.EditCopyOf(row), nullptr);
    EXPECT_EQ(cache.Allocator().LiveCount(), 1u);
}
