// The rows a result grid shows: fetched packets, in-place reads, and the
// notices a table model needs when the data set changes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dbaccess/DataSource.h"
#include "results/GeneratedRows.h"
#include "results/ResultRows.h"

namespace varnok {
namespace {

using testing::StandardRows;
using testing::TGeneratedRows;

// Records the listener calls as short texts and checks that every begin has its end.
class TRecorder : public TRowIndexListener {
public:
    std::vector<std::string> calls;
    int current = -2;
    int open = 0;
    void BeginReset() override { ++open; calls.push_back("reset"); }
    void EndReset() override { --open; }
    void BeginInsertRows(int first, int last) override {
        ++open;
        calls.push_back("insert " + std::to_string(first) + ".." + std::to_string(last));
    }
    void EndInsertRows() override { --open; }
    void BeginRemoveRows(int first, int last) override {
        ++open;
        calls.push_back("remove " + std::to_string(first) + ".." + std::to_string(last));
    }
    void EndRemoveRows() override { --open; }
    void RowsChanged(int first, int last) override {
        calls.push_back("changed " + std::to_string(first) + ".." + std::to_string(last));
    }
    void CurrentRowMoved(int row) override { current = row; }
    // The structural calls only (what changes the row numbering).
    std::vector<std::string> Structure() const {
        std::vector<std::string> s;
        for (const auto& c : calls)
            if (c.rfind("changed", 0) != 0) s.push_back(c);
        return s;
    }
};

class ResultRowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ds = StandardRows(120, 50);
        ds->Open();
        source.SetDataSet(ds.get());
        rows.Attach(&source);
        recorder.calls.clear();
    }
    std::unique_ptr<TGeneratedRows> ds;
    TDataSource source;
    TRecorder recorder;
    TResultRows rows{recorder};
};

TEST_F(ResultRowsTest, ShowsTheFirstPacketAndFetchesFurtherPacketsOnlyWhenAsked) {
    EXPECT_EQ(rows.RowCount(), 50);
    EXPECT_EQ(rows.ColumnCount(), 3);
    EXPECT_EQ(ds->fetchedRows, 50);
    EXPECT_TRUE(rows.CanFetchMore());

    rows.FetchMore();
    EXPECT_EQ(ds->fetchedRows, 100);
    EXPECT_EQ(rows.RowCount(), 100);
    EXPECT_EQ(recorder.Structure(), std::vector<std::string>{"insert 50..99"});
    EXPECT_EQ(ds->RecNo(), 1) << "fetching must not move the current row";
    EXPECT_EQ(recorder.current, 0);

    rows.FetchMore();
    EXPECT_EQ(rows.RowCount(), 120);
    EXPECT_FALSE(rows.CanFetchMore());
    rows.FetchMore();
    EXPECT_EQ(ds->fetchedRows, 120) << "no fetch once every row is there";
    EXPECT_EQ(recorder.Structure(), (std::vector<std::string>{"insert 50..99", "insert 100..119"}));
    EXPECT_EQ(recorder.open, 0);
}

TEST_F(ResultRowsTest, ReadsCellsInPlaceWithoutMovingTheCurrentRow) {
    ds->MoveBy(3);
    const struct {
        int row, column;
        bool isNull;
        std::string text;
    } cases[] = {
        {0, 0, false, "1"}, {0, 1, false, "row 1"}, {6, 1, true, ""}, {49, 0, false, "50"}, {10, 2, true, ""},
    };
    for (const auto& c : cases) {
        const TResultCell cell = rows.Cell(c.row, c.column);
        EXPECT_EQ(cell.isNull, c.isNull) << c.row << "," << c.column;
        EXPECT_EQ(cell.text, c.text) << c.row << "," << c.column;
    }
    EXPECT_EQ(ds->RecNo(), 4);
    EXPECT_TRUE(rows.Cell(50, 0).isNull) << "outside the rows";
    EXPECT_TRUE(rows.Cell(0, 3).isNull) << "outside the columns";
}

TEST_F(ResultRowsTest, FollowsTheCurrentRowBothWays) {
    ds->Next();
    EXPECT_EQ(recorder.current, 1);
    rows.MoveTo(30);
    EXPECT_EQ(ds->RecNo(), 31);
    EXPECT_EQ(recorder.current, 30);
    ds->Last();   // fetches every row
    EXPECT_EQ(rows.RowCount(), 120);
    EXPECT_EQ(recorder.current, 119);
    EXPECT_EQ(recorder.Structure(), std::vector<std::string>{"insert 50..119"});
}

TEST_F(ResultRowsTest, InsertCancelAndDeleteAreSingleRowSteps) {
    ds->MoveBy(4);   // row 5
    ds->Insert();    // goes before the current row
    EXPECT_EQ(rows.RowCount(), 51);
    EXPECT_EQ(recorder.current, 4);
    ds->Cancel();
    EXPECT_EQ(rows.RowCount(), 50);
    ds->Delete();    // deletes "5"
    EXPECT_EQ(rows.RowCount(), 49);
    EXPECT_EQ(rows.Cell(4, 0).text, "6");
    EXPECT_EQ(recorder.Structure(), (std::vector<std::string>{"insert 4..4", "remove 4..4", "remove 4..4"}));
    EXPECT_EQ(recorder.open, 0);
}

TEST_F(ResultRowsTest, AnEditShowsInItsRowAndLeavingTheRowPostsIt) {
    rows.MoveTo(2);
    ds->Edit();
    ds->FieldByName("label").SetAsString("edited");
    EXPECT_NE(std::find(recorder.calls.begin(), recorder.calls.end(), "changed 2..2"), recorder.calls.end());
    EXPECT_EQ(rows.Cell(2, 1).text, "edited") << "the row being edited shows its edit";
    EXPECT_FALSE(rows.CanFetchMore()) << "no fetch while an edit is pending";
    rows.MoveTo(5);
    EXPECT_EQ(ds->posts, 1);
    EXPECT_EQ(ds->State(), TDataSetState::dsBrowse);
    EXPECT_EQ(rows.Cell(2, 1).text, "edited");
    EXPECT_EQ(ds->RecNo(), 6);
}

TEST_F(ResultRowsTest, ClosingDetachingAndReopeningReset) {
    ds->Close();
    EXPECT_EQ(rows.RowCount(), 0);
    EXPECT_EQ(rows.ColumnCount(), 0);
    EXPECT_EQ(recorder.current, -1);
    ds->Open();
    EXPECT_EQ(rows.RowCount(), 50);
    EXPECT_EQ(rows.ColumnCount(), 3);
    source.SetDataSet(nullptr);   // a run detaches the statement data source
    EXPECT_EQ(rows.RowCount(), 0);
    EXPECT_FALSE(rows.CanFetchMore());
    EXPECT_EQ(recorder.Structure(), (std::vector<std::string>{"reset", "reset", "reset"}));
}

TEST_F(ResultRowsTest, RowsMovedBehindDisabledControlsAreTakenAtTheEnd) {
    ds->DisableControls();
    ds->Last();
    ds->First();
    ds->Delete();
    ds->EnableControls();
    EXPECT_EQ(rows.RowCount(), 119);
    EXPECT_EQ(rows.Cell(0, 0).text, "2");
    EXPECT_EQ(rows.Cell(118, 0).text, "120");
    EXPECT_EQ(recorder.open, 0);
}

}  // namespace
}  // namespace varnok
