// Writing a query's rows back through TIfxUpdater on the stand-in: where
// parts by update mode, the rows-affected checks and their transaction,
// OnUpdateError, the update object, serials, re-reading, and when a query
// may be changed at all.
#include "QueryTestFixture.h"
#include "dbaccess/IfxQuery.h"
#include "dbaccess/IfxSQL.h"
#include "dbaccess/IfxUpdater.h"
#include "dbaccess/UpdateSQL.h"

using namespace query_test;

namespace {

using Rows = std::vector<std::string>;

class QueryUpdates : public StandInQuery {
protected:
    void SetUp() override {
        StandInQuery::SetUp();
        Exec("create table item (code char(5), name varchar(20), qty integer)");
        Exec("insert into item values ('a', 'x', 1)");
        Exec("insert into item values ('b', null, 2)");
        Exec("insert into item values ('c', '', 3)");
        q.SetName("qItems");
        q.SetConnection(&db);
        q.SetCacheHandle(false);
    }
    void TearDown() override {
        q.Close();
        StandInQuery::TearDown();
    }

    void Open(const std::string& sql) {
        q.Close();
        q.SetSQLText(sql);
        q.Open();
        q.FetchAll();   // the rows as they are now, before the tests change them behind the query's back
    }
    // Moves to the row whose code is code.
    void Go(const std::string& code) {
        for (q.First(); !q.Eof(); q.Next())
            if (q.FieldByName("code").AsString() == code) return;
        FAIL() << "no row " << code;
    }
    void SetQty(const std::string& code, int qty) {
        Go(code);
        q.Edit();
        q.FieldByName("qty").SetAsInteger(qty);
        q.Post();
    }
    Rows Items() {
        TIfxSQL s;
        s.SetConnection(&db);
        s.SetSQLText("select code, nvl(name, '-'), qty from item order by code, qty");
        s.Open();
        Rows rows;
        for (; !s.EndOfRows(); s.FetchNext())
            rows.push_back(TrimText(s.Fields()[0].Value()->AsString()) + "/" + TrimText(s.Fields()[1].Value()->AsString()) +
                           "/" + s.Fields()[2].Value()->AsString());
        s.Close();
        return rows;
    }

    TIfxQuery q;
};

TEST_F(QueryUpdates, WhereFieldsFindTheRowIncludingNullAndEmptyValues) {
    TIfxUpdater updater(q);
    Open("select code, name, qty from item");
    EXPECT_TRUE(q.CanModify());
    SetQty("a", 10);
    SetQty("b", 20);   // name is null: "name is null"
    SetQty("c", 30);   // name is empty, not null: compared as a value
    EXPECT_EQ(Items(), (Rows{"a/x/10", "b/-/20", "c//30"}));

    Go("b");
    q.Edit();
    q.FieldByName("qty").SetAsInteger(21);
    EXPECT_EQ(updater.StatementText(q, CaptureUpdateRow(q, ukModify)),
              "update item\r\nset\r\n  qty = :\"qty\"\r\nwhere\r\n"
              "  code = :\"OLD_code\" and\r\n  name is null and\r\n  qty = :\"OLD_qty\"");
    q.Cancel();
    Go("c");
    q.Edit();
    q.FieldByName("qty").SetAsInteger(31);
    EXPECT_EQ(updater.StatementText(q, CaptureUpdateRow(q, ukModify)),
              "update item\r\nset\r\n  qty = :\"qty\"\r\nwhere\r\n"
              "  code = :\"OLD_code\" and\r\n  name = '' and\r\n  qty = :\"OLD_qty\"");
    q.Cancel();
}

TEST_F(QueryUpdates, KeyOnlyNeedsKeyFieldsAndIgnoresOtherChanges) {
    TIfxUpdater updater(q);
    q.SetUpdateMode(upWhereKeyOnly);
    Open("select code, name, qty from item");
    Go("a");
    q.Edit();
    q.FieldByName("qty").SetAsInteger(5);
    EXPECT_EQ(ErrorOf([&] { q.Post(); }), "qItems: Unable to find record. No key specified");
    EXPECT_EQ(q.State(), TDataSetState::dsEdit);   // the change is kept
    EXPECT_EQ(q.FieldByName("qty").AsInteger(), 5);
    updater.SetKeyFields("code");
    Exec("update item set name = 'changed' where code = 'a'");   // by someone else
    q.Post();
    EXPECT_EQ(Items(), (Rows{"a/changed/5", "b/-/2", "c//3"}));

    q.SetUpdateMode(upWhereAll);
    SetQty("b", 7);
    Exec("update item set qty = 8 where code = 'b'");
    Go("b");
    q.Edit();
    q.FieldByName("qty").SetAsInteger(9);
    EXPECT_EQ(ErrorOf([&] { q.Post(); }), "qItems: Record not found or changed by another user");
}

TEST_F(QueryUpdates, SeveralRowsAffected) {
    Exec("insert into item values ('d', 'y', 4)");
    Exec("insert into item values ('d', 'y', 4)");
    TIfxUpdater updater(q);
    Open("select code, name, qty from item");
    q.SetUpdateOptions({uoCheckRowsAffected, uoAllowAutomaticUpdate, uoUpdateInTransaction});
    Go("d");
    q.Edit();
    q.FieldByName("qty").SetAsInteger(40);
    EXPECT_EQ(ErrorOf([&] { q.Post(); }), "qItems: Update affected more than 1 record.");
    // Its own transaction took the change back.
    EXPECT_EQ(Items(), (Rows{"a/x/1", "b/-/2", "c//3", "d/y/4", "d/y/4"}));
    EXPECT_FALSE(db.InTransaction());
    q.SetUpdateOptions({uoCheckRowsAffected, uoAllowAutomaticUpdate, uoAllowMultiRecordUpdates});
    q.Post();
    EXPECT_EQ(Items(), (Rows{"a/x/1", "b/-/2", "c//3", "d/y/40", "d/y/40"}));
}

TEST_F(QueryUpdates, UpdateErrorRetrySkipAbort) {
    TIfxUpdater updater(q);
    Open("select code, name, qty from item");
    Exec("update item set qty = 99 where code = 'a'");
    int calls = 0;
    TIfxUpdateAction answer = uaRetry;
    updater.OnUpdateError = [&](TIfxCustomDataSet&, const std::exception& e, TIfxUpdateKind kind,
                                TIfxUpdateAction& action) {
        ++calls;
        EXPECT_EQ(kind, ukModify);
        EXPECT_STREQ(e.what(), "qItems: Record not found or changed by another user");
        if (answer == uaRetry) Exec("update item set qty = 1 where code = 'a'");   // put it right, try again
        action = answer;
    };
    SetQty("a", 11);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(Items().front(), "a/x/11");

    Exec("update item set qty = 99 where code = 'b'");
    for (const auto& [action, message] : {std::pair{uaSkip, "qItems: Cannot skip update without cached updates"},
                                          std::pair{uaAbort, "qItems: Update failed"},
                                          std::pair{uaFail, "qItems: Record not found or changed by another user"}}) {
        answer = action;
        Go("b");
        q.Edit();
        q.FieldByName("qty").SetAsInteger(12);
        EXPECT_EQ(ErrorOf([&] { q.Post(); }), message);
        q.Cancel();
    }
}

TEST_F(QueryUpdates, UpdateObjectAndOnUpdateRecord) {
    TIfxUpdater updater(q);
    TIfxUpdateSQL update;
    update.ModifySQL = {"update item set qty = :qty * 2", "where code = :OLD_code"};
    updater.SetUpdateObject(&update);
    Open("select code, name, qty from item");
    updater.OnUpdateApply = [](TIfxCustomDataSet&, TIfxUpdateKind kind, TIfxParams& inputs) {
        if (kind == ukModify) EXPECT_EQ(inputs.Names(), (std::vector<std::string>{"qty", "OLD_code"}));
    };
    SetQty("b", 21);
    EXPECT_EQ(Items()[1], "b/-/42");

    updater.OnUpdateRecord = [&](TIfxCustomDataSet& ds, TIfxUpdateKind kind) {
        if (kind != ukDelete) return false;
        Exec("delete from item where code = '" + TrimText(ds.FieldByName("code").AsString()) + "'");
        return true;
    };
    Go("c");
    q.Delete();   // the event does it
    EXPECT_EQ(Items(), (Rows{"a/x/1", "b/-/42"}));

    // The update object has no insert statement: the generated one writes the row.
    q.Append();
    q.FieldByName("code").SetAsString("n");
    q.Post();
    EXPECT_EQ(Items().back(), "n/-/");
    // Without automatic statements a kind the update object lacks fails instead of vanishing.
    q.SetUpdateOptions({uoCheckRowsAffected});
    q.Append();
    q.FieldByName("code").SetAsString("m");
    EXPECT_EQ(ErrorOf([&] { q.Post(); }), "qItems: Update failed");
    EXPECT_EQ(q.State(), TDataSetState::dsInsert);
}

TEST_F(QueryUpdates, InsertFillsTheSerialAndReReadsThePostedRow) {
    Exec("create table cust (id serial, name varchar(20), city varchar(20) default 'Oslo')");
    TIfxUpdater updater(q);
    q.SetRecordRefreshMode(rmPosted);
    Open("select id, name, city from cust");
    q.Append();
    q.FieldByName("name").SetAsString("Ann");
    q.Post();
    EXPECT_EQ(q.FieldByName("id").AsInteger(), 1);
    EXPECT_EQ(q.FieldByName("city").AsString(), "Oslo");   // read again, found by its posted values
    Exec("update cust set city = 'Rome'");
    q.Edit();
    q.FieldByName("name").SetAsString("Bo");
    EXPECT_EQ(ErrorOf([&] { q.Post(); }), "qItems: Record not found or changed by another user");
    q.Cancel();

    // A re-read that finds nothing says why.
    q.SetUpdateOptions({uoAllowAutomaticUpdate});
    q.Edit();
    q.FieldByName("city").SetAsString("Rome");
    updater.OnUpdateApplied = [&](TIfxCustomDataSet&, TIfxUpdateKind, TIfxRecordRefreshMode&) {
        Exec("delete from cust");
    };
    EXPECT_EQ(ErrorOf([&] { q.Post(); }),
              "qItems: Cannot refresh the posted record\r\nqItems: Record not found or changed by another user");
}

TEST_F(QueryUpdates, WhenAQueryMayBeChanged) {
    Exec("create table other (code char(5))");
    Open("select code from item");
    EXPECT_FALSE(q.CanModify());   // no updater
    {
        TIfxUpdater updater(q);
        EXPECT_TRUE(q.CanModify());
        Open("select i.code from item i, other o where i.code = o.code");
        EXPECT_FALSE(q.CanModify());   // two tables
        q.OnGetTableName = [](TIfxCustomDataSet&, std::string& name) { name = "item"; };
        EXPECT_TRUE(q.CanModify());
        q.OnGetTableName = nullptr;
        q.SetUpdateOptions({uoCheckRowsAffected});
        Open("select code from item");
        EXPECT_FALSE(q.CanModify());   // no automatic statements
        q.SetCachedUpdates(true);
        EXPECT_TRUE(q.CanModify());
        q.SetCachedUpdates(false);
        q.Close();
        q.SetUniDirectional(true);
        EXPECT_FALSE(q.CanModify());
    }
    q.SetUniDirectional(false);
    EXPECT_FALSE(q.CanModify());   // the updater is gone
}

TEST_F(QueryUpdates, LiveQueryIsWrittenBackByRowId) {
    TIfxUpdater updater(q);
    q.SetRequestLive(true);
    Open("select code, qty from item where qty > 1");
    Go("c");
    const TIfxUpdateRow row = CaptureUpdateRow(q, ukDelete);
    EXPECT_EQ(updater.StatementText(q, row), "delete from item\r\nwhere\r\n  rowid = :\"OLD_rowid\"");
    q.Delete();
    EXPECT_EQ(Items(), (Rows{"a/x/1", "b/-/2"}));
}

TEST_F(QueryUpdates, CachedUpdatesSkipAndCancel) {
    TIfxUpdater updater(q);
    q.SetCachedUpdates(true);
    Open("select code, name, qty from item");
    SetQty("a", 10);
    SetQty("b", 20);
    Exec("update item set qty = 99 where code = 'a'");
    updater.OnUpdateError = [](TIfxCustomDataSet&, const std::exception&, TIfxUpdateKind, TIfxUpdateAction& action) {
        action = uaSkip;
    };
    int before = 0, after = 0;
    updater.BeforeApplyUpdates = [&](TIfxCustomDataSet&) { ++before; };
    updater.AfterApplyUpdates = [&](TIfxCustomDataSet&) { ++after; };
    updater.ApplyUpdates();
    EXPECT_EQ(before, 1);
    EXPECT_EQ(after, 1);
    EXPECT_EQ(Items(), (Rows{"a/x/99", "b/-/20", "c//3"}));
    EXPECT_EQ(updater.UpdatesPending(), 1);   // the skipped one stays
    updater.CancelUpdates();
    EXPECT_EQ(updater.UpdatesPending(), 0);
    Go("a");
    EXPECT_EQ(q.FieldByName("qty").AsInteger(), 99);   // read again from the server

    // Closing keeps queued changes; they are applied without a row to write back to.
    SetQty("c", 33);
    q.Close();
    updater.OnUpdateError = nullptr;
    updater.ApplyUpdates();
    EXPECT_EQ(Items().back(), "c//33");
}

}  // namespace

TEST_F(QueryUpdates, AnEditedDetailRowIsPostedBeforeTheDetailFollowsItsMaster) {
    Exec("create table head (code char(5))");
    Exec("insert into head values ('a')");
    Exec("insert into head values ('b')");
    TIfxQuery master;
    master.SetConnection(&db);
    master.SetSQLText("select code from head order by code");
    TDataSource source(&master);
    TIfxUpdater updater(q);
    q.SetSQLText("select code, name, qty from item where code = :code");
    q.SetDataSource(&source);
    master.Open();
    q.Open();
    q.Edit();
    q.FieldByName("qty").SetAsInteger(10);
    master.Next();   // the detail follows: its change is written, not dropped
    EXPECT_EQ(q.State(), TDataSetState::dsBrowse);
    EXPECT_EQ(TrimText(q.FieldByName("code").AsString()), "b");
    EXPECT_EQ(Items(), (Rows{"a/x/10", "b/-/2", "c//3"}));
    q.Close();
}
