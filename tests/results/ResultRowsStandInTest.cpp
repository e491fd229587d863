// The result grid's rows over a real query on the stand-in server: packets on
// the open cursor as the grid asks, the record count, and a refresh.
#include "dbaccess/QueryTestFixture.h"
#include "dbaccess/DataSource.h"
#include "dbaccess/IfxQuery.h"
#include "results/DataSetFetch.h"
#include "results/ResultRows.h"

using namespace query_test;

namespace {

class TCountingListener : public TRowIndexListener {
public:
    int resets = 0, inserted = 0, removed = 0, current = -2;
    void BeginReset() override { ++resets; }
    void EndReset() override {}
    void BeginInsertRows(int first, int last) override { inserted += last - first + 1; }
    void EndInsertRows() override {}
    void BeginRemoveRows(int first, int last) override { removed += last - first + 1; }
    void EndRemoveRows() override {}
    void RowsChanged(int, int) override {}
    void CurrentRowMoved(int row) override { current = row; }
};

class ResultRowsOnQuery : public StandInQuery {
protected:
    void SetUp() override {
        StandInQuery::SetUp();
        FillT(120);
        q.SetName("qQueryExec");
        q.SetConnection(&db);
        q.SetPacketRecords(50);
        q.SetSQLText("select id, case when mod(id, 10) = 0 then null else id * 2 end twice from t order by id");
        q.Open();
        source.SetDataSet(&q);
        rows.Attach(&source);
    }
    void TearDown() override {
        source.SetDataSet(nullptr);
        q.Close();
        StandInQuery::TearDown();
    }
    TIfxQuery q;
    TDataSource source;
    TCountingListener listener;
    TResultRows rows{listener};
};

}  // namespace

TEST_F(ResultRowsOnQuery, PacketsComeFromTheOpenCursorAsTheGridAsks) {
    EXPECT_EQ(rows.RowCount(), 50);
    EXPECT_EQ(rows.ColumnCount(), 2);
    EXPECT_EQ(rows.Cell(0, 0).text, "1");
    EXPECT_EQ(rows.Cell(2, 1).text, "6");
    EXPECT_TRUE(rows.Cell(9, 1).isNull);
    rows.FetchMore();
    EXPECT_EQ(rows.RowCount(), 100);
    EXPECT_EQ(rows.Cell(99, 0).text, "100");
    EXPECT_EQ(q.RecNo(), 1);
    rows.FetchMore();
    EXPECT_EQ(rows.RowCount(), 120);
    EXPECT_FALSE(rows.CanFetchMore());
    EXPECT_EQ(listener.inserted, 70);
    EXPECT_EQ(listener.resets, 1) << "only the attach";
}

TEST_F(ResultRowsOnQuery, RecordCountFetchesEveryRowAndKeepsTheRow) {
    rows.MoveTo(7);
    EXPECT_EQ(CountAllRows(q), 120);
    EXPECT_EQ(rows.RowCount(), 120);
    EXPECT_EQ(q.RecNo(), 8);
    EXPECT_EQ(listener.current, 7);
}

TEST_F(ResultRowsOnQuery, ARefreshShowsTheRowsReadAgain) {
    rows.FetchMore();
    Exec("delete from t where id > 60");
    q.Refresh();
    EXPECT_EQ(rows.RowCount(), q.CachedRowCount());
    EXPECT_EQ(rows.Cell(0, 0).text, "1");
    CountAllRows(q);
    EXPECT_EQ(rows.RowCount(), 60);
    EXPECT_EQ(rows.Cell(59, 0).text, "60");
}
