// TIfxTable against the stand-in: its statement, the order by its indexes,
// writing rows back by row id, serials, master/detail and the refusals.
#include <gtest/gtest.h>

#include "QueryTestFixture.h"
#include "dbaccess/DataSource.h"
#include "dbaccess/IfxExceptions.h"
#include "dbaccess/IfxSQL.h"
#include "dbaccess/IfxTable.h"

namespace {

using namespace query_test;

class StandInTable : public StandInQuery {
protected:
    void SetUp() override {
        StandInQuery::SetUp();
        Exec("create table cust (id serial primary key, name char(20) not null, city varchar(30) default 'Oslo')");
        Exec("create table parts (a integer not null, b integer not null, label char(10), primary key (a, b))");
        for (const char* row : {"(2, 1, 'c')", "(1, 2, 'b')", "(2, 0, 'd')", "(1, 1, 'a')"})
            Exec(std::string("insert into parts values ") + row);
        for (const char* name : {"Ann", "Bob", "Cyd"}) Exec(std::string("insert into cust (name) values ('") + name + "')");
        table.SetConnection(&db);
        table.SetCacheHandle(false);   // as the program's table
    }
    void TearDown() override {
        table.Close();
        StandInQuery::TearDown();
    }

    // Edits the current row's city and posts it.
    void PostCity(const std::string& city) {
        table.Edit();
        table.FieldByName("city").SetAsString(city);
        table.Post();
    }

    // One column of every row of a query, as text, "" for null.
    std::vector<std::string> Column(const std::string& sql) {
        TIfxSQL q;
        q.SetConnection(&db);
        q.SetSQLText(sql);
        q.Open();
        std::vector<std::string> values;
        for (; !q.EndOfRows(); q.FetchNext())
            values.push_back(q.Fields()[0].Value()->IsNull() ? "" : TrimText(q.Fields()[0].Value()->AsString()));
        q.Close();
        return values;
    }

    std::vector<std::string> Labels(TDataSet& ds, const char* field) {
        std::vector<std::string> out;
        for (ds.First(); !ds.Eof(); ds.Next()) out.push_back(ds.FieldByName(field).AsString());
        return out;
    }

    TIfxTable table;
};

using Rows = std::vector<std::string>;

TEST_F(StandInTable, OpensOrderedByThePrimaryKey) {
    table.SetTableName("parts");
    table.Open();
    EXPECT_EQ(table.SelectText(), "select * from parts order by a, b");
    EXPECT_EQ(Labels(table, "label"), (Rows{"a", "b", "d", "c"}));
    // The row id travels as a hidden, read-only field.
    ASSERT_NE(table.RowIdField(), nullptr);
    EXPECT_FALSE(table.RowIdField()->Visible());
    EXPECT_TRUE(table.RowIdField()->ReadOnly());
    ASSERT_EQ(table.IndexDefs().Count(), 1);
    EXPECT_TRUE(table.IndexDefs()[0].Has(TIndexOption::ixPrimary));
}

TEST_F(StandInTable, OrderByIndexFieldNamesIndexNameAndNone) {
    Exec("create index ix_label on parts (label desc)");
    table.SetTableName("parts");
    table.SetIndexFieldNames("label");
    table.Open();
    EXPECT_EQ(Labels(table, "label"), (Rows{"d", "c", "b", "a"}));   // the index's direction
    table.SetIndexFieldNames("b;a");   // no such index: as given, ascending; reopens
    EXPECT_TRUE(table.Active());
    EXPECT_EQ(Labels(table, "label"), (Rows{"d", "a", "c", "b"}));
    table.SetIndexName("IX_LABEL");
    EXPECT_EQ(table.IndexFieldNames(), "");
    EXPECT_EQ(table.SelectText(), "select * from parts order by label desc");
    EXPECT_EQ(Labels(table, "label"), (Rows{"d", "c", "b", "a"}));
    table.Close();
    table.SetIndexName("");
    table.SetDefaultIndex(false);
    EXPECT_EQ(table.SelectText(), "select * from parts");
    table.SetIndexName("nope");
    EXPECT_NE(ErrorOf([&] { table.Open(); }).find("Index 'nope' not found"), std::string::npos);
    EXPECT_FALSE(table.Active());
}

TEST_F(StandInTable, FullNameWithDatabaseAndOwner) {
    table.SetTableName(" vk_log : alice . parts ");
    EXPECT_EQ(table.SelectText(), "select * from vk_log::alice.parts order by a, b");
    table.Open();   // the server gets vk_log:alice.parts
    EXPECT_EQ(table.RecordCount(), 4);
}

TEST_F(StandInTable, QuotedOwnerAsTheDataPageWritesIt) {
    table.SetTableName("\"alice\".parts");
    table.Open();
    EXPECT_EQ(table.SelectText(), "select * from \"alice\".parts order by a, b");
    EXPECT_EQ(table.RecordCount(), 4);
}

TEST_F(StandInTable, AnsiDatabaseFiltersTheCatalogByOwner) {
    table.Close();
    db.Close();
    SetDatabase("vk_ansi");
    db.Open();
    Exec("create table cust2 (id integer primary key, name char(5) default 'n')");
    Exec("insert into cust2 values (2, 'b')");
    Exec("insert into cust2 values (1, 'a')");
    table.SetTableName("cust2");   // the owner is the connection's user
    table.Open();
    EXPECT_EQ(Labels(table, "name"), (Rows{"a", "b"}));
    EXPECT_FALSE(table.FieldByName("name").Required());
    table.Close();
    table.SetTableName("nobody.cust2");   // another owner's table of that name: the catalog knows none
    EXPECT_EQ(table.IndexDefs().Count(), 0);
    EXPECT_EQ(table.CatalogFieldDefs().Count(), 1);   // the row id alone
}

TEST_F(StandInTable, FilterReadsAgainWhenChanged) {
    table.SetTableName("parts");
    table.SetFilter("a = 2");
    table.Open();
    EXPECT_EQ(table.RecordCount(), 4);   // not filtered yet
    table.SetFiltered(true);
    EXPECT_EQ(Labels(table, "label"), (Rows{"d", "c"}));
    table.SetFilter("b = 1 or b = 2");
    EXPECT_EQ(Labels(table, "label"), (Rows{"a", "b", "c"}));
}

TEST_F(StandInTable, Refusals) {
    EXPECT_EQ(ErrorOf([&] { table.Open(); }), "Missing TableName property");
    table.SetName("qrData");
    EXPECT_EQ(ErrorOf([&] { table.SetFilterOptions({TFilterOption::foCaseInsensitive}); }),
              "qrData: Unsupported feature");
    table.SetTableName("parts");
    table.Open();
    EXPECT_NE(ErrorOf([&] { table.SetTableName("cust"); }), "") << "an open table keeps its name";
    table.SetReadOnly(true);
    EXPECT_FALSE(table.CanModify());
    EXPECT_NE(ErrorOf([&] { table.Edit(); }), "");
    table.SetReadOnly(false);
    EXPECT_TRUE(table.CanModify());
}

TEST_F(StandInTable, UpdateChangesExactlyThatRowByRowId) {
    Exec("insert into cust (name, city) values ('Bob', 'Oslo')");   // the same values as row 2
    table.SetTableName("cust");
    table.Open();
    table.Next();
    const int rowId = table.CurrentRowId();
    ASSERT_GT(rowId, 0);
    PostCity("Rome");
    EXPECT_EQ(Column("select city from cust order by id"), (Rows{"Oslo", "Rome", "Oslo", "Oslo"}));
    EXPECT_EQ(Column("select id from cust where rowid = " + std::to_string(rowId)), Rows{"2"});
    EXPECT_EQ(table.FieldByName("city").AsString(), "Rome");
}

TEST_F(StandInTable, AnEditedRowIsPostedBeforeANewOrderReopensTheTable) {
    table.SetTableName("cust");
    table.Open();
    table.Edit();
    table.FieldByName("city").SetAsString("Rome");
    table.SetIndexFieldNames("name");   // reopens: the change is written, not dropped
    EXPECT_EQ(table.State(), TDataSetState::dsBrowse);
    EXPECT_EQ(Column("select city from cust order by id"), (Rows{"Rome", "Oslo", "Oslo"}));
}

TEST_F(StandInTable, InsertTakesTheServersSerialAndRowId) {
    table.SetTableName("cust");
    table.Open();
    EXPECT_FALSE(table.FieldByName("city").Required());   // it has a default
    EXPECT_TRUE(table.FieldByName("name").Required());
    table.Append();
    table.FieldByName("name").SetAsString("Dan");
    table.Post();
    const Rows id = Column("select id from cust where name = 'Dan'");
    ASSERT_EQ(id.size(), 1u);
    EXPECT_EQ(table.FieldByName("id").AsString(), id[0]);
    EXPECT_EQ(id[0], "4");
    const Rows rowId = Column("select rowid from cust where name = 'Dan'");
    EXPECT_EQ(std::to_string(table.CurrentRowId()), rowId.at(0));
    // The new row can be changed at once: it is found by the row id it got.
    PostCity("Bergen");
    EXPECT_EQ(Column("select city from cust where name = 'Dan'"), Rows{"Bergen"});
}

TEST_F(StandInTable, Serial8AndOwnTransactionWhereTheDatabaseHasNoLog) {
    table.Close();
    db.Close();
    SetDatabase("vk_nolog");
    db.Open();
    Exec("create table big (id serial8, name varchar(10))");
    Exec("insert into big (id, name) values (41, 'first')");
    table.SetTableName("big");
    // No transactions here: the option must not make every change fail.
    table.SetUpdateOptions({uoCheckRowsAffected, uoAllowAutomaticUpdate, uoUpdateInTransaction});
    table.Open();
    table.Append();
    table.FieldByName("name").SetAsString("next");
    table.Post();
    EXPECT_EQ(table.FieldByName("id").AsString(), "42");
    EXPECT_EQ(Column("select id from big where name = 'next'"), Rows{"42"});
}

TEST_F(StandInTable, InsertedRowReadAgainShowsTheServersDefaults) {
    table.SetTableName("cust");
    table.SetRecordRefreshMode(rmInserted);
    table.Open();
    table.Append();
    table.FieldByName("name").SetAsString("Eve");
    table.Post();
    EXPECT_EQ(table.FieldByName("city").AsString(), "Oslo");
    EXPECT_EQ(table.FieldByName("name").AsString(), "Eve");
}

TEST_F(StandInTable, DeleteRemovesTheRowOnTheServer) {
    table.SetTableName("cust");
    table.Open();
    table.Next();
    table.Delete();
    EXPECT_EQ(Column("select name from cust order by id"), (Rows{"Ann", "Cyd"}));
    EXPECT_EQ(table.FieldByName("name").AsString(), "Cyd");
    // A row deleted behind the table's back is reported.
    Exec("delete from cust where name = 'Cyd'");
    EXPECT_EQ(ErrorOf([&] { table.Delete(); }), "Record not found or changed by another user");
    EXPECT_EQ(table.RecordCount(), 2);   // the failed delete keeps the row
}

TEST_F(StandInTable, CachedUpdatesAreAppliedTogether) {
    table.SetTableName("cust");
    table.SetCachedUpdates(true);
    table.Open();
    PostCity("Rome");
    table.Next();
    table.Delete();
    table.Append();
    table.FieldByName("name").SetAsString("Dan");
    table.Post();
    PostCity("Lima");   // changed again before it was applied: still one insert
    EXPECT_EQ(table.Updates().UpdatesPending(), 3);
    EXPECT_EQ(Column("select name || '/' || city from cust order by id"), (Rows{"Ann/Oslo", "Bob/Oslo", "Cyd/Oslo"}));
    table.Updates().ApplyUpdates();
    EXPECT_EQ(table.Updates().UpdatesPending(), 0);
    EXPECT_EQ(Column("select name || '/' || city from cust order by id"), (Rows{"Ann/Rome", "Cyd/Oslo", "Dan/Lima"}));
    EXPECT_EQ(table.FieldByName("id").AsString(), "4");   // the serial reached the queued row
}

TEST_F(StandInTable, CachedUpdatesInOneTransactionStayQueuedWhenOneFails) {
    table.SetTableName("cust");
    table.SetCachedUpdates(true);
    table.SetUpdateOptions({uoCheckRowsAffected, uoAllowAutomaticUpdate, uoUpdateInTransaction});
    table.Open();
    PostCity("Rome");
    table.Next();
    PostCity("Pisa");
    Exec("delete from cust where name = 'Bob'");   // the second change will find no row
    EXPECT_EQ(ErrorOf([&] { table.Updates().ApplyUpdates(); }), "Record not found or changed by another user");
    EXPECT_EQ(table.Updates().UpdatesPending(), 2);
    EXPECT_EQ(Column("select city from cust order by id"), (Rows{"Oslo", "Oslo"}));   // rolled back
    EXPECT_FALSE(db.InTransaction());

    table.Updates().CancelUpdates();   // drops them and reads the rows again
    EXPECT_EQ(table.Updates().UpdatesPending(), 0);
    EXPECT_EQ(Labels(table, "city"), (Rows{"Oslo", "Oslo"}));
}

// Without AutoCommitUpdates the applied changes stay queued: after the
// caller's transaction is rolled back they can be applied again, and
// CommitUpdates forgets them once they are in.
TEST_F(StandInTable, WithoutAutoCommitUpdatesAppliedChangesWaitForCommitUpdates) {
    table.SetTableName("cust");
    table.SetCachedUpdates(true);
    table.SetAutoCommitUpdates(false);
    table.Open();
    PostCity("Rome");
    table.Next();
    table.Delete();
    db.StartTransaction();
    table.Updates().ApplyUpdates();
    EXPECT_EQ(Column("select name || '/' || city from cust order by id"), (Rows{"Ann/Rome", "Cyd/Oslo"}));
    EXPECT_EQ(table.Updates().UpdatesPending(), 2);
    db.Rollback();
    EXPECT_EQ(Column("select name || '/' || city from cust order by id"), (Rows{"Ann/Oslo", "Bob/Oslo", "Cyd/Oslo"}));

    db.StartTransaction();
    table.Updates().ApplyUpdates();   // the same changes once more
    db.Commit();
    table.Updates().CommitUpdates();
    EXPECT_EQ(table.Updates().UpdatesPending(), 0);
    EXPECT_EQ(Column("select name || '/' || city from cust order by id"), (Rows{"Ann/Rome", "Cyd/Oslo"}));

    // A failure keeps every change queued, the ones applied before it too.
    table.First();
    PostCity("Pisa");
    table.Next();
    PostCity("Lima");
    Exec("delete from cust where name = 'Cyd'");
    EXPECT_EQ(ErrorOf([&] { table.Updates().ApplyUpdates(); }), "Record not found or changed by another user");
    EXPECT_EQ(table.Updates().UpdatesPending(), 2);
}

TEST_F(StandInTable, DetailFollowsTheMasterRow) {
    Exec("create table orders (no integer, cust_id integer, item char(10))");
    for (const char* row : {"(1, 1, 'pen')", "(2, 2, 'ink')", "(3, 1, 'cap')", "(4, 3, 'map')"})
        Exec(std::string("insert into orders values ") + row);
    table.SetTableName("cust");
    table.Open();
    TDataSource source(&table);
    TIfxTable detail;
    detail.SetConnection(&db);
    detail.SetTableName("orders");
    detail.SetIndexFieldNames("cust_id;no");
    detail.SetMasterFields("id");
    detail.SetMasterSource(&source);
    detail.Open();
    EXPECT_EQ(detail.SelectText(), "select * from orders where cust_id = :cust_id order by cust_id, no");
    EXPECT_EQ(Labels(detail, "item"), (Rows{"pen", "cap"}));
    table.Next();
    EXPECT_EQ(Labels(detail, "item"), Rows{"ink"});
    table.Last();
    EXPECT_EQ(Labels(detail, "item"), Rows{"map"});

    // More master fields than index fields: the reopen fails and leaves the detail closed.
    EXPECT_NE(ErrorOf([&] { detail.SetMasterFields("id;name;city"); }).find("Detail field list doesn't match to the master"), std::string::npos);
    EXPECT_FALSE(detail.Active());
    TDataSource own(&detail);
    EXPECT_NE(ErrorOf([&] { table.SetMasterSource(&own); }).find("Circular datalinks are not allowed"),
              std::string::npos);
}

}  // namespace
