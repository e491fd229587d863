// The table view over a real table on the stand-in server: title clicks sort
// on the server, the filter becomes the WHERE clause, grid edits are written
// back, and the result views leave a query's order alone.
#include <QApplication>
#include <QHeaderView>
#include <QTableView>

#include "dbaccess/DataSource.h"
#include "dbaccess/IfxQuery.h"
#include "dbaccess/IfxTable.h"
#include "dbaccess/QueryTestFixture.h"
#include "results/ui/ResultTableModel.h"
#include "results/ui/TfmResult.h"
#include "shell/kit/Command.h"

using namespace query_test;

namespace {

class TableViewOnServer : public StandInQuery {
protected:
    void SetUp() override {
        StandInQuery::SetUp();
        Exec("create table cust (id integer, name char(10), city varchar(20))");
        for (const char* row : {"(1, 'Cyd', 'Oslo')", "(2, 'Ann', 'Bergen')", "(3, 'Bob', null)", "(4, 'Dan', 'Bergen')"})
            Exec(std::string("insert into cust values ") + row);
        table.SetConnection(&db);
        table.SetCacheHandle(false);
        table.SetTableName("cust");
        table.Open();
        source.SetDataSet(&table);
        view = std::make_unique<TfmResult>();
        view->resize(600, 300);
        view->SetReadOnly(false);
        view->SetDataSource(&source);
        view->show();
        QApplication::processEvents();
    }
    void TearDown() override {
        view.reset();
        source.SetDataSet(nullptr);
        table.Close();
        StandInQuery::TearDown();
    }
    TResultTableModel& model() { return view->Model(); }
    // The grid fetches, a packet (here one row) at a time, until its window is full.
    void Settle() {
        for (int i = 0; i < 20; ++i) QApplication::processEvents();
    }
    int Column(const char* name) {
        for (int c = 0; c < model().columnCount(); ++c)
            if (model().FieldNameOf(c) == name) return c;
        return -1;
    }
    std::vector<std::string> ColumnTexts(const char* name) {
        Settle();
        std::vector<std::string> texts;
        const int c = Column(name);
        for (int r = 0; r < model().rowCount(); ++r) texts.push_back(model().data(model().index(r, c)).toString().toStdString());
        return texts;
    }
    QString Title(const char* name) { return model().headerData(Column(name), Qt::Horizontal).toString(); }

    TIfxTable table;
    TDataSource source;
    std::unique_ptr<TfmResult> view;
};

}  // namespace

TEST_F(TableViewOnServer, TitleClicksReadTheRowsAgainInTheirOrder) {
    view->ColumnTitleClicked(Column("name"));
    EXPECT_EQ(table.IndexFieldNames(), "name");
    EXPECT_EQ(ColumnTexts("name"), (std::vector<std::string>{"Ann", "Bob", "Cyd", "Dan"}));
    EXPECT_EQ(Title("name"), "name ^");
    view->ColumnTitleClicked(Column("name"));
    EXPECT_EQ(table.IndexFieldNames(), "name desc");
    EXPECT_EQ(Title("name"), "name v");
    view->ColumnTitleClicked(Column("id"));
    EXPECT_EQ(ColumnTexts("id"), (std::vector<std::string>{"1", "2", "3", "4"}));
    EXPECT_EQ(Title("id"), "id ^");
    EXPECT_EQ(Title("name"), "name");
}

// The second click asks the table for "name desc": the rows come back in
// descending order of name.
TEST_F(TableViewOnServer, TheSecondClickReadsTheRowsInDescendingOrder) {
    view->ColumnTitleClicked(Column("name"));
    view->ColumnTitleClicked(Column("name"));
    EXPECT_EQ(ColumnTexts("name"), (std::vector<std::string>{"Dan", "Cyd", "Bob", "Ann"})) << table.SelectText();
}

TEST_F(TableViewOnServer, TheFilterIsTheWhereClause) {
    view->ApplyFilter(true, "city = 'Bergen'");
    EXPECT_EQ(table.Filter(), "city = 'Bergen'");
    EXPECT_EQ(ColumnTexts("name"), (std::vector<std::string>{"Ann", "Dan"}));
    view->ApplyFilter(false, "");
    EXPECT_EQ(ColumnTexts("name").size(), 4u);
}

TEST_F(TableViewOnServer, AGridEditIsWrittenBackWhenPosted) {
    Settle();
    ASSERT_TRUE(model().setData(model().index(2, Column("city")), "Tromso"));
    view->Command("DataSetPost")->Execute();
    TIfxQuery check;
    check.SetConnection(&db);
    check.SetSQLText("select city from cust where id = 3");
    check.Open();
    EXPECT_EQ(check.FieldByName("city").AsString(), "Tromso");
}

TEST_F(TableViewOnServer, AQueryIsNotSortedByItsTitles) {
    TIfxQuery query;
    query.SetConnection(&db);
    query.SetSQLText("select name from cust order by id");
    query.Open();
    TDataSource querySource(&query);
    view->SetDataSource(&querySource);
    view->ColumnTitleClicked(0);
    EXPECT_EQ(ColumnTexts("name"), (std::vector<std::string>{"Cyd", "Ann", "Bob", "Dan"}));
    EXPECT_EQ(model().headerData(0, Qt::Horizontal).toString(), "name");
    view->SetDataSource(nullptr);
}
