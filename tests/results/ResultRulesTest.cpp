// Command enabling, the sort click rule, packet fetching, the record count of
// the result views and the rows as text.
#include <gtest/gtest.h>

#include <stdexcept>

#include "results/ColumnSortRule.h"
#include "results/DataSetCommandRules.h"
#include "results/DataSetFetch.h"
#include "results/GeneratedRows.h"
#include "results/RowsText.h"

namespace varnok {
namespace {

using testing::StandardRows;
using testing::TGeneratedRows;

std::string States(const TDataSetCommandStates& s) {
    std::string r;
    for (bool b : {s.first, s.prior, s.next, s.last, s.insert, s.remove, s.edit, s.post, s.cancel}) r += b ? '1' : '0';
    return r;
}

TEST(DataSetCommandRulesTest, FollowTheDataSetPositionStateAndMode) {
    //                                   first prior next last insert delete edit post cancel
    EXPECT_EQ(States(DataSetCommandStates(nullptr, false)), "000000000");

    auto ds = StandardRows(120, 50);
    EXPECT_EQ(States(DataSetCommandStates(ds.get(), false)), "000000000") << "closed";
    ds->Open();
    EXPECT_EQ(States(DataSetCommandStates(ds.get(), false)), "001111100") << "at the first row";
    EXPECT_EQ(States(DataSetCommandStates(ds.get(), true)), "001100000") << "read-only view";
    ds->Next();
    EXPECT_EQ(States(DataSetCommandStates(ds.get(), false)), "111111100") << "in the middle";
    ds->Prior();
    EXPECT_EQ(States(DataSetCommandStates(ds.get(), false)), "001111100") << "back at the first row";
    ds->Edit();
    EXPECT_EQ(States(DataSetCommandStates(ds.get(), false)), "001111011") << "editing";
    ds->Cancel();
    ds->Last();
    EXPECT_EQ(States(DataSetCommandStates(ds.get(), false)), "110011100") << "at the last row";
    ds->Prior();
    ds->Next();   // the last row again, reached by a step
    EXPECT_EQ(States(DataSetCommandStates(ds.get(), false)), "110011100");
    ds->readOnly = true;
    EXPECT_EQ(States(DataSetCommandStates(ds.get(), false)), "110000000") << "data set that cannot change";

    auto empty = StandardRows(0, 50);
    empty->Open();
    EXPECT_EQ(States(DataSetCommandStates(empty.get(), false)), "000010100");
    EXPECT_TRUE(DataSetOpen(empty.get()));
    EXPECT_FALSE(DataSetOpen(nullptr));
}

TEST(ColumnSortRuleTest, ClicksAlternateAscendingAndDescending) {
    const struct {
        const char* order;
        const char* field;
        const char* newOrder;
        const char* caption;
    } cases[] = {
        {"", "name", "name", "name ^"},
        {"name", "name", "name desc", "name v"},
        {"name desc", "name", "name", "name ^"},
        {"name desc", "city", "city", "city ^"},
        {"Name", "name", "name", "name ^"},
    };
    for (const auto& c : cases) {
        const TColumnSortStep step = NextColumnSort(c.order, c.field);
        EXPECT_EQ(step.indexFieldNames, c.newOrder) << c.order << " / " << c.field;
        EXPECT_EQ(step.caption, c.caption) << c.order << " / " << c.field;
    }
}

TEST(RecordCountTest, CountsEveryRowAndReturnsToTheRow) {
    auto ds = StandardRows(10000, 50);
    ds->Open();
    ds->MoveBy(5);
    EXPECT_EQ(CountAllRows(*ds), 10000);
    EXPECT_TRUE(ds->AllRowsFetched());
    EXPECT_EQ(ds->RecNo(), 6);
    EXPECT_FALSE(ds->ControlsDisabled());
    EXPECT_EQ(RecordCountText(10000), "Rows : 10000");
    EXPECT_EQ(RecordCountText(0), "Rows : 0");
}

TEST(RecordCountTest, AFailingFetchLeavesTheControlsEnabled) {
    TGeneratedRows ds(TGeneratedRows::StandardColumns(), 500, [](int row, int column) -> std::optional<std::string> {
        if (row == 300) throw std::runtime_error("-25582 SQL error: network connection is broken");
        return TGeneratedRows::StandardCell(row, column);
    });
    ds.SetPacketRecords(50);
    ds.Open();
    ds.Next();
    EXPECT_THROW(CountAllRows(ds), std::runtime_error);
    EXPECT_FALSE(ds.ControlsDisabled());
    EXPECT_EQ(ds.RecNo(), 2);
}

TEST(FetchNextPacketTest, FetchesOnePacketAndKeepsTheRow) {
    auto ds = StandardRows(120, 50);
    ds->Open();
    ds->MoveBy(10);
    EXPECT_EQ(FetchNextPacket(*ds), 50);
    EXPECT_EQ(ds->RecNo(), 11);
    EXPECT_EQ(FetchNextPacket(*ds), 20);
    EXPECT_EQ(FetchNextPacket(*ds), 0);
    EXPECT_EQ(ds->fetchedRows, 120);
    ds->Edit();
    EXPECT_FALSE(CanFetchNextPacket(*ds));
}

TEST(FetchNextPacketTest, FiresNoScrollEventAndKeepsBof) {
    auto ds = StandardRows(120, 50);
    ds->Open();
    int scrolls = 0;
    ds->BeforeScroll = ds->AfterScroll = [&](TDataSet&) { ++scrolls; };
    EXPECT_EQ(FetchNextPacket(*ds), 50);
    EXPECT_EQ(scrolls, 0);
    EXPECT_TRUE(ds->Bof()) << "still on the first row, as opened";
    EXPECT_EQ(ds->RecNo(), 1);
}

TEST(RowsTextTest, HeaderThenEveryRowWithNullsEmpty) {
    auto ds = StandardRows(8, 3);
    ds->Open();
    ds->Next();
    const std::string text = RowsAsTabText(*ds);
    std::string expected = "n\tlabel\tnote\r\n";
    for (int i = 1; i <= 8; ++i) expected += std::to_string(i) + "\t" + (i == 7 ? "" : "row " + std::to_string(i)) + "\t\r\n";
    EXPECT_EQ(text, expected);
    EXPECT_EQ(ds->RecNo(), 2);
    EXPECT_FALSE(ds->ControlsDisabled());
}

}  // namespace
}  // namespace varnok
