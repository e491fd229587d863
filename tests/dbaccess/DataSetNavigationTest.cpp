// Moving through a data set: Eof/Bof, fetching in packets on demand,
// RecordCount and IsSequenced, unidirectional data sets and bookmarks.
#include <gtest/gtest.h>

#include "dbaccess/IfxExceptions.h"
#include "tests/dbaccess/DataSetTestRows.h"

using namespace varnok;
using varnok::testing::NumberedRows;
using varnok::testing::TRowsDataSet;

namespace {

int Current(TDataSet& ds) { return ds.FieldByName("n").AsInteger(); }

}  // namespace

TEST(DataSetNavigation, EofAndBofAtBothEnds) {
    TRowsDataSet ds = NumberedRows(5);
    ds.Open();
    EXPECT_TRUE(ds.Bof());
    EXPECT_FALSE(ds.Eof());
    EXPECT_EQ(Current(ds), 1);
    EXPECT_EQ(ds.RecNo(), 1);

    for (int expected = 2; expected <= 5; ++expected) {
        ds.Next();
        EXPECT_EQ(Current(ds), expected);
        EXPECT_FALSE(ds.Eof());
        EXPECT_FALSE(ds.Bof());
    }
    ds.Next();   // past the last row: stays there and says so
    EXPECT_TRUE(ds.Eof());
    EXPECT_EQ(Current(ds), 5);

    ds.Prior();
    EXPECT_EQ(Current(ds), 4);
    EXPECT_FALSE(ds.Eof());
    EXPECT_EQ(ds.MoveBy(-10), -3);
    EXPECT_TRUE(ds.Bof());
    EXPECT_EQ(Current(ds), 1);

    ds.Last();
    EXPECT_TRUE(ds.Eof());
    EXPECT_EQ(Current(ds), 5);
    ds.First();
    EXPECT_TRUE(ds.Bof());
    EXPECT_EQ(ds.RecNo(), 1);
}

TEST(DataSetNavigation, EmptyResultIsEofAndBof) {
    TRowsDataSet ds = NumberedRows(0);
    ds.Open();
    EXPECT_TRUE(ds.Eof());
    EXPECT_TRUE(ds.Bof());
    EXPECT_TRUE(ds.IsEmpty());
    EXPECT_EQ(ds.RecNo(), 0);
    EXPECT_TRUE(ds.FieldByName("n").IsNull());
    EXPECT_EQ(ds.RecordCount(), 0);
}

TEST(DataSetNavigation, ClosedDataSetRefusesToMove) {
    TRowsDataSet ds = NumberedRows(3);
    EXPECT_THROW(ds.Next(), EDatabaseError);
    EXPECT_EQ(ds.RecordCount(), 0);
    ds.SetName("qRows");
    try {
        ds.First();
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_STREQ(e.what(), "qRows: Cannot perform this operation on a closed dataset");
    }
}

// 120 rows in packets of 50: opening fetches one packet, moving past it the next.
TEST(DataSetNavigation, FetchesPacketsOnDemand) {
    TRowsDataSet ds = NumberedRows(120);
    ds.SetPacketRecords(50);
    ds.Open();
    EXPECT_EQ(ds.CachedRowCount(), 50);
    EXPECT_FALSE(ds.IsSequenced());

    ds.MoveBy(49);
    EXPECT_EQ(Current(ds), 50);
    EXPECT_EQ(ds.CachedRowCount(), 50);
    ds.Next();
    EXPECT_EQ(Current(ds), 51);
    EXPECT_EQ(ds.CachedRowCount(), 100);
    EXPECT_EQ(ds.RecNo(), 51);   // the position stays on the row asked for

    EXPECT_EQ(ds.RecordCount(), 120);
    EXPECT_TRUE(ds.IsSequenced());
    EXPECT_EQ(Current(ds), 51);   // counting keeps the current row
}

TEST(DataSetNavigation, PacketRecordsZeroIsOneAndMinusOneIsAll) {
    struct Case {
        int packet;
        int storedAs;
        int cachedAfterOpen;
    };
    for (const Case& c : {Case{0, 1, 1}, Case{1, 1, 1}, Case{7, 7, 7}, Case{-1, -1, 30}}) {
        TRowsDataSet ds = NumberedRows(30);
        ds.SetPacketRecords(c.packet);
        EXPECT_EQ(ds.PacketRecords(), c.storedAs) << c.packet;
        ds.Open();
        EXPECT_EQ(ds.CachedRowCount(), c.cachedAfterOpen) << c.packet;
        EXPECT_EQ(ds.IsSequenced(), c.cachedAfterOpen == 30) << c.packet;
    }
}

TEST(DataSetNavigation, LeavingFetchAllWhileOpenFetchesTheRest) {
    TRowsDataSet ds = NumberedRows(30);
    ds.SetPacketRecords(5);
    ds.Open();
    ds.SetPacketRecords(-1);
    EXPECT_EQ(ds.CachedRowCount(), 5);   // only leaving -1 fetches
    ds.SetPacketRecords(5);
    EXPECT_EQ(ds.CachedRowCount(), 30);
}

TEST(DataSetNavigation, UnidirectionalLeavingFetchAllKeepsItsPlace) {
    // One row at a time whatever the packet size: fetching the rest would
    // only run past every row to the last one.
    TRowsDataSet ds = NumberedRows(10);
    ds.SetUniDirectional(true);
    ds.SetPacketRecords(-1);
    ds.Open();
    ds.Next();
    ds.SetPacketRecords(5);
    EXPECT_FALSE(ds.AllRowsFetched());
    EXPECT_EQ(Current(ds), 2);
    ds.Next();
    EXPECT_EQ(Current(ds), 3);
}

TEST(DataSetNavigation, FetchAllKeepsTheCurrentRow) {
    TRowsDataSet ds = NumberedRows(10);
    ds.Open();
    ds.Next();
    ds.FetchAll();
    EXPECT_EQ(Current(ds), 2);
    EXPECT_TRUE(ds.AllRowsFetched());
    EXPECT_EQ(ds.CachedRowCount(), 10);
}

TEST(DataSetNavigation, UnidirectionalKeepsOneRow) {
    TRowsDataSet ds = NumberedRows(6);
    ds.SetUniDirectional(true);
    ds.SetPacketRecords(50);
    ds.Open();
    std::vector<int> seen;
    while (!ds.Eof()) {
        seen.push_back(Current(ds));
        EXPECT_EQ(ds.CachedRowCount(), 1);
        ds.Next();
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_LE(ds.Impl()->Allocator().PageCount(), 2u);
    EXPECT_THROW(ds.First(), EDatabaseError);
    EXPECT_THROW(ds.Prior(), EDatabaseError);
    EXPECT_FALSE(ds.CanModify());
}

TEST(DataSetNavigation, UnidirectionalCountingMovesToTheOneRowKept) {
    // Fetching the rest drops the row that was current: the row kept (the
    // last one) becomes current instead of a slot that is gone.
    for (const int moves : {0, 2, 5}) {
        TRowsDataSet ds = NumberedRows(6);
        ds.SetUniDirectional(true);
        ds.Open();
        ds.MoveBy(moves);
        ds.FetchAll();
        EXPECT_EQ(ds.CachedRowCount(), 1) << moves;
        ASSERT_TRUE(ds.BookmarkValid(ds.GetBookmark())) << moves;
        EXPECT_EQ(Current(ds), 6) << moves;
        ds.Next();
        EXPECT_TRUE(ds.Eof()) << moves;
        EXPECT_EQ(Current(ds), 6);
    }
    TRowsDataSet ds = NumberedRows(6);
    ds.SetUniDirectional(true);
    ds.Open();
    ds.Next();
    EXPECT_EQ(ds.RecordCount(), 6);
    EXPECT_TRUE(ds.IsSequenced());
    EXPECT_EQ(ds.RecNo(), 6);
}

TEST(DataSetBookmarks, GoBackToAMarkedRow) {
    TRowsDataSet ds = NumberedRows(8);
    ds.Open();
    ds.MoveBy(2);
    const TBookmark mark = ds.GetBookmark();
    EXPECT_TRUE(ds.BookmarkValid(mark));
    ds.Last();
    EXPECT_EQ(ds.CompareBookmarks(mark, ds.GetBookmark()), -1);
    ds.GotoBookmark(mark);
    EXPECT_EQ(Current(ds), 3);
    EXPECT_FALSE(ds.Eof());
    EXPECT_EQ(ds.CompareBookmarks(mark, ds.GetBookmark()), 0);
}

TEST(DataSetBookmarks, AnythingNotACachedRowIsInvalid) {
    TRowsDataSet ds = NumberedRows(4);
    ds.Open();
    ds.Next();
    const TBookmark deletedRow = ds.GetBookmark();
    ds.Delete();
    int local = 0;
    for (TBookmark bad : {deletedRow, static_cast<TBookmark>(&local), static_cast<TBookmark>(nullptr)}) {
        EXPECT_FALSE(ds.BookmarkValid(bad));
        try {
            ds.GotoBookmark(bad);
            FAIL() << "accepted " << bad;
        } catch (const EDatabaseError& e) {
            EXPECT_STREQ(e.what(), "Invalid bookmark");
        }
    }
    EXPECT_EQ(Current(ds), 3);   // a refused bookmark does not move
}

TEST(DataSetFilter, EventFilterHidesRowsAndCountsAcceptedOnes) {
    TRowsDataSet ds = NumberedRows(10);
    ds.SetPacketRecords(3);
    ds.SetOnFilterRecord([](TDataSet& d, bool& accept) { accept = d.FieldByName("n").AsInteger() % 2 == 0; });
    ds.SetFiltered(true);
    ds.Open();
    EXPECT_EQ(Current(ds), 2);
    std::vector<int> seen;
    for (ds.First(); !ds.Eof(); ds.Next()) seen.push_back(Current(ds));
    EXPECT_EQ(seen, (std::vector<int>{2, 4, 6, 8, 10}));
    EXPECT_EQ(ds.RecordCount(), 5);
    EXPECT_FALSE(ds.IsSequenced());   // a filter event makes the count a walk
    ds.Last();
    EXPECT_EQ(Current(ds), 10);
    ds.Prior();
    EXPECT_EQ(Current(ds), 8);

    ds.SetFiltered(false);
    EXPECT_EQ(ds.RecordCount(), 10);
    EXPECT_TRUE(ds.IsSequenced());
    EXPECT_EQ(Current(ds), 1);
}

TEST(DataSetFilter, FilterRejectingEverythingLeavesAnEmptyView) {
    TRowsDataSet ds = NumberedRows(4);
    ds.SetOnFilterRecord([](TDataSet&, bool& accept) { accept = false; });
    ds.SetFiltered(true);
    ds.Open();
    EXPECT_TRUE(ds.Eof());
    EXPECT_TRUE(ds.Bof());
    EXPECT_EQ(ds.RecordCount(), 0);
}

TEST(DataSetReadRow, CellsOfAnyCachedRowReadInPlaceWithoutMoving) {
    TRowsDataSet ds = NumberedRows(6);
    ds.SetPacketRecords(-1);
    int scrolls = 0;
    ds.AfterScroll = [&](TDataSet&) { ++scrolls; };
    ds.Open();
    ds.MoveBy(2);
    scrolls = 0;
    std::vector<std::string> labels;
    for (TRowHeader* row = ds.Impl()->First(); row; row = ds.Impl()->Next(row))
        ds.ReadRow(row, [&] { labels.push_back(ds.FieldByName("label").AsString()); });
    EXPECT_EQ(labels, (std::vector<std::string>{"row 1", "row 2", "row 3", "row 4", "row 5", "row 6"}));
    EXPECT_EQ(Current(ds), 3);   // still where it was
    EXPECT_EQ(scrolls, 0);

    ds.Edit();
    ds.FieldByName("label").SetAsString("editing");
    std::string shown;
    ds.ReadRow(ds.GetBookmark(), [&] { shown = ds.FieldByName("label").AsString(); });
    EXPECT_EQ(shown, "editing");   // the row being edited shows its edit
    ds.ReadRow(ds.Impl()->First(), [&] { shown = ds.FieldByName("label").AsString(); });
    EXPECT_EQ(shown, "row 1");
    EXPECT_EQ(ds.FieldByName("label").AsString(), "editing");
    int local = 0;
    EXPECT_THROW(ds.ReadRow(&local, [] {}), EDatabaseError);
}
