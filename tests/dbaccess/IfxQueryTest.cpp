// The query data set on the stand-in: packets, counting, fields of the
// result columns, parameters, RequestLive, Refresh, Execute, masters.
#include <thread>
#include <vector>

#include "QueryTestFixture.h"
#include "dbaccess/IfxField.h"
#include "dbaccess/IfxFieldTypes.h"
#include "dbaccess/IfxQuery.h"

using namespace query_test;

namespace {

class Query : public StandInQuery {
protected:
    void SetUp() override {
        StandInQuery::SetUp();
        q.SetName("qTest");
        q.SetConnection(&db);
    }
    void Select(const std::string& sql) {
        q.Close();
        q.SetSQLText(sql);
        q.Open();
    }
    TIfxQuery q;
};

}  // namespace

TEST_F(Query, PacketsArriveOnDemandAndRecordCountFetchesTheRest) {
    FillT(120);
    q.SetPacketRecords(50);
    Select("select id from t order by id");
    EXPECT_EQ(q.CachedRowCount(), 50);
    EXPECT_FALSE(q.IsSequenced());
    EXPECT_EQ(q.MoveBy(49), 49);
    EXPECT_EQ(q.CachedRowCount(), 50) << "row 50 is still cached";
    q.Next();
    EXPECT_EQ(q.RecNo(), 51);
    EXPECT_EQ(q.FieldByName("id").AsInteger(), 51);
    EXPECT_EQ(q.CachedRowCount(), 100);
    EXPECT_FALSE(q.IsSequenced());
    EXPECT_EQ(q.RecordCount(), 120);
    EXPECT_TRUE(q.IsSequenced());
    EXPECT_EQ(q.RecNo(), 51) << "counting keeps the current row";
}

TEST_F(Query, PacketSizeZeroIsOneAndMinusOneIsEverything) {
    FillT(30);
    struct Case {
        int packet, cachedAtOpen;
    };
    for (const Case c : {Case{0, 1}, Case{1, 1}, Case{-1, 30}, Case{7, 7}}) {
        q.SetPacketRecords(c.packet);
        Select("select id from t");
        EXPECT_EQ(q.CachedRowCount(), c.cachedAtOpen) << c.packet;
        EXPECT_EQ(q.IsSequenced(), c.packet == -1) << c.packet;
    }
}

TEST_F(Query, UniDirectionalKeepsOneRow) {
    FillT(5);
    q.SetUniDirectional(true);
    q.SetPacketRecords(3);
    Select("select id from t order by id");
    int sum = 0;
    for (; !q.Eof(); q.Next()) {
        EXPECT_EQ(q.CachedRowCount(), 1);
        sum += q.FieldByName("id").AsInteger();
    }
    EXPECT_EQ(sum, 15);
    EXPECT_EQ(q.RecordCount(), 5);
}

TEST_F(Query, EmptyResultOpensAtEof) {
    Select("select id from t");
    EXPECT_TRUE(q.Active());
    EXPECT_TRUE(q.Eof());
    EXPECT_TRUE(q.IsEmpty());
    EXPECT_EQ(q.RecordCount(), 0);
}

TEST_F(Query, TrimStringsDecidesTheBlanksOfCharValues) {
    Exec("create table c (v char(10), w varchar(10))");
    Exec("insert into c values ('ab', 'cd  ')");
    TIfxFieldTypes native;
    native.SetAllNative(true);
    for (TIfxFieldTypes* types : {static_cast<TIfxFieldTypes*>(nullptr), &native})
        for (bool trim : {true, false}) {
            q.Close();
            q.SetFieldTypes(types);
            q.SetTrimStrings(trim);
            Select("select v, w from c");
            EXPECT_EQ(q.Field(0).AsString(), trim ? "ab" : "ab        ") << trim << (types != nullptr);
            EXPECT_EQ(q.Field(1).AsString(), trim ? "cd" : "cd  ") << trim << (types != nullptr);
            EXPECT_EQ(q.Field(0).Size(), 10);
        }
}

TEST_F(Query, RepeatedColumnNamesGetANumber) {
    FillT(1);
    Select("select id, id, id + 1 id from t");
    ASSERT_EQ(q.FieldCount(), 3);
    EXPECT_EQ(q.Field(0).FieldName(), "id");
    EXPECT_EQ(q.Field(1).FieldName(), "id_1");
    EXPECT_EQ(q.Field(2).FieldName(), "id_2");
    EXPECT_EQ(q.Field(2).AsInteger(), 2);
}

// Each column type through describe, the field types and the fetch.
TEST_F(Query, ColumnTypesBecomeTheirFieldsAndTexts) {
    Exec("create table v (d decimal(16,2), m money(16,2), dt date, ts datetime year to second, "
         "hs datetime hour to second, yd datetime year to day, iv interval day to second, b boolean, "
         "nb boolean, i8 int8, f float, s smallint)");
    Exec("insert into v values (12345.67, 1234.5, '01/01/1900', '2024-02-29 13:14:15', '13:14:15', "
         "'2024-02-29', '3 04:05:06', 't', null, 9000000000, 2.5, -3)");
    TIfxFieldTypes native;
    native.SetAllNative(true);
    struct Case {
        const char* column;
        bool native;
        TFieldType kind;
        const char* text;   // DisplayText
        int size;
    };
    const Case cases[] = {
        {"d", true, TFieldType::ftBCD, "12345.67", 0},
        {"d", false, TFieldType::ftFloat, "12345.67", 0},
        {"m", true, TFieldType::ftCurrency, "$1234.50", 0},
        {"dt", false, TFieldType::ftDate, "1900-01-01", 0},
        {"ts", false, TFieldType::ftDateTime, "2024-02-29 13:14:15", 0},
        {"ts", true, TFieldType::ftDateTime, "2024-02-29 13:14:15", 0},
        {"hs", true, TFieldType::ftDateTime, "13:14:15", 0},
        {"yd", true, TFieldType::ftDateTime, "2024-02-29", 0},
        {"iv", false, TFieldType::ftString, " 3 04:05:06", 25},
        {"b", false, TFieldType::ftBoolean, "t", 0},
        {"nb", false, TFieldType::ftBoolean, "", 0},
        {"i8", true, TFieldType::ftLargeint, "9000000000", 0},
        {"f", false, TFieldType::ftFloat, "2.5", 0},
        {"s", true, TFieldType::ftSmallint, "-3", 0},
    };
    for (const Case& c : cases) {
        q.Close();
        q.SetFieldTypes(c.native ? &native : nullptr);
        Select(std::string("select ") + c.column + " from v");
        TField& f = q.Field(0);
        EXPECT_EQ(f.DataType(), c.kind) << c.column << c.native;
        EXPECT_EQ(f.DisplayText(), c.text) << c.column << c.native;
        EXPECT_EQ(dynamic_cast<TIfxNativeField*>(&f) != nullptr, c.native) << c.column;
        if (c.size) {
            EXPECT_EQ(f.Size(), c.size) << c.column;
        }
    }
}

TEST_F(Query, DecimalColumnIsADecimalFieldWithNativeNumeric) {
    Exec("create table n (d decimal(16,2))");
    q.SetSQLText("insert into n values (:d)");   // a parameter keeps all 16 digits on the way in
    q.ParamByName("d").SetAsBCD("12345678901234.56");
    q.Execute();
    TIfxFieldTypes native;
    native.NativeNumeric = true;
    native.SetKind(TIfxTypeProperty::TypeDecimal, TFieldType::ftBCD);
    q.SetFieldTypes(&native);
    Select("select d from n");
    auto* decimal = dynamic_cast<TIfxDecimalField*>(&q.Field(0));
    ASSERT_NE(decimal, nullptr);
    EXPECT_EQ(q.FieldDefs()[0].sqlLen, 16 * 256 + 2);
    EXPECT_EQ(decimal->Precision(), 16);
    EXPECT_EQ(decimal->Scale(), 2);
    EXPECT_EQ(decimal->AsString(), "12345678901234.56") << "every digit";
}

TEST_F(Query, LargeObjectsShowTheirTexts) {
    Exec("create table l (id integer, bl blob, tx text)");
    Exec("insert into l values (1, 'bytes', 'some text')");
    Exec("insert into l values (2, null, null)");
    TIfxFieldTypes native;
    native.SetAllNative(true);
    q.SetFieldTypes(&native);
    Select("select bl, tx from l order by id");
    EXPECT_EQ(q.Field(0).DisplayText(), "(IFXBLOB)");
    EXPECT_EQ(q.Field(0).AsString(), "bytes");
    EXPECT_EQ(q.Field(1).AsString(), "some text");
    q.Next();
    EXPECT_EQ(q.Field(0).DisplayText(), "(IfxBlob)");
    EXPECT_TRUE(q.Field(1).IsNull());
    q.Prior();
    EXPECT_EQ(q.Field(1).AsString(), "some text") << "each cached row keeps its own bytes";
}

TEST_F(Query, ParametersFollowTheTextAndKeepTheirValues) {
    FillT(5);
    q.SetSQLText("select id from t where id between :low and :high");
    ASSERT_EQ(q.ParamCount(), 2);
    q.ParamByName("low").SetAsInteger(2);
    q.ParamByName("HIGH").SetAsInteger(4);
    q.Open();
    EXPECT_EQ(q.RecordCount(), 3);
    q.SetSQLText("select id from t where id >= :low and id <> :skip");
    EXPECT_FALSE(q.Active()) << "a new text closes the query";
    ASSERT_EQ(q.ParamCount(), 2);
    EXPECT_EQ(q.ParamByName("low").AsInteger(), 2);
    EXPECT_TRUE(q.ParamByName("skip").IsNull());
    EXPECT_FALSE(q.ParamByName("skip").Bound());
    EXPECT_EQ(ErrorOf([&] { q.ParamByName("high"); }), "Parameter 'high' not found");
    q.ParamByName("skip").SetAsInteger(3);
    q.Open();
    EXPECT_EQ(q.RecordCount(), 3);
}

TEST_F(Query, RequestLiveAddsAHiddenReadOnlyRowId) {
    FillT(3);
    q.SetRequestLive(true);
    Select("select id /* from here? */, 'from' from t order by id");
    EXPECT_EQ(q.InnerSQL().ProcessedText(), "select id /* from here? */, 'from' , rowid from t order by id");
    ASSERT_EQ(q.FieldCount(), 3);
    TField* rowId = q.RowIdField();
    ASSERT_NE(rowId, nullptr);
    EXPECT_EQ(rowId->FieldName(), "rowid");
    EXPECT_FALSE(rowId->Visible());
    EXPECT_TRUE(rowId->ReadOnly());
    EXPECT_GT(q.CurrentRowId(), 0);
    const int first = q.CurrentRowId();
    q.Next();
    EXPECT_NE(q.CurrentRowId(), first);
    EXPECT_EQ(ErrorOf([&] { rowId->SetAsInteger(5); }), "qTest: Dataset not in edit or insert mode");
    q.SetCurrentRowId(first + 100);   // how an updater stores the id the server gave
    EXPECT_EQ(q.CurrentRowId(), first + 100);

    q.Close();
    q.SetSQLText("execute function today()");
    EXPECT_EQ(ErrorOf([&] { q.Open(); }), "qTest: Cannot open dataset in RequestLive mode");
    EXPECT_FALSE(q.Active());
}

TEST_F(Query, RowIdGoesBeforeTheFirstFromOutsideQuotesAndComments) {
    struct Case {
        const char* in;
        const char* out;   // null: no FROM
    };
    const Case cases[] = {
        {"select a from t", "select a , rowid from t"},
        {"SELECT a\nFROM t", "SELECT a\n, rowid FROM t"},
        {"select 'from' from t", "select 'from' , rowid from t"},
        {"select \"x from\" from t", "select \"x from\" , rowid from t"},
        {"select a -- from\n from t", "select a -- from\n , rowid from t"},
        {"select a {from} from t", "select a {from} , rowid from t"},
        {"select fromage from t", "select fromage , rowid from t"},
        {"select today", nullptr},
    };
    for (const Case& c : cases) {
        std::string text = c.in;
        EXPECT_EQ(InsertRowIdColumn(text), c.out != nullptr) << c.in;
        EXPECT_EQ(text, c.out ? c.out : c.in);
    }
}

TEST_F(Query, TheTableNameIsTheSingleOneAfterFrom) {
    const std::pair<const char*, const char*> cases[] = {
        {"select * from customer", "customer"},
        {"select * from stores:informix.customer c where 1 = 1", "stores:informix.customer"},
        {"select * from \"informix\".customer as c order by 1", "\"informix\".customer"},
        {"select * from a, b", ""},
        {"select * from a x, b y", ""},
        {"select * from a join b on a.id = b.id", ""},
        {"select * from a left outer join b on 1 = 1", ""},
        {"select 1", ""},
    };
    for (const auto& [text, table] : cases) EXPECT_EQ(SingleTableAfterFrom(text), table) << text;
    q.SetSQLText("select * from t where id = :id");
    EXPECT_EQ(q.TableName(), "t");
    q.OnGetTableName = [](TIfxCustomDataSet&, std::string& name) { name = "informix." + name; };
    EXPECT_EQ(q.TableName(), "informix.t");
}

TEST_F(Query, RefreshComesBackToTheSameRow) {
    FillT(10);
    q.SetPacketRecords(3);
    for (bool live : {true, false}) {
        q.SetRequestLive(live);
        Select("select id from t order by id");
        q.MoveBy(6);
        ASSERT_EQ(q.FieldByName("id").AsInteger(), 7);
        Exec("insert into t values (0)");   // a new first row: row number 7 is another row now
        TField* field = &q.Field(0);
        int reopened = 0;
        q.AfterOpen = [&](TDataSet&) { ++reopened; };
        q.Refresh();
        q.AfterOpen = nullptr;
        EXPECT_TRUE(q.Active());
        EXPECT_EQ(q.FieldByName("id").AsInteger(), live ? 7 : 6) << live;
        EXPECT_EQ(&q.Field(0), field) << "the fields stay";
        EXPECT_EQ(reopened, 0) << "no close and open";
        EXPECT_EQ(q.RecordCount(), 11);
        Exec("delete from t where id = 0");
    }
}

TEST_F(Query, RefreshOfAFilteredQueryComesBackToTheSameRowNumber) {
    FillT(10);
    q.SetPacketRecords(3);
    q.SetOnFilterRecord([](TDataSet& d, bool& accept) { accept = d.FieldByName("id").AsInteger() % 2 == 0; });
    q.SetFiltered(true);
    Select("select id from t order by id");
    q.Next();
    q.Next();
    ASSERT_EQ(q.FieldByName("id").AsInteger(), 6);
    ASSERT_EQ(q.RecNo(), 6);
    q.Refresh();
    EXPECT_EQ(q.RecNo(), 6) << "the row number, not the sixth accepted row";
    EXPECT_EQ(q.FieldByName("id").AsInteger(), 6);
}

TEST_F(Query, ACursorOperationMakesTheConnectionCurrentInTheCallingThread) {
    // The script executor's way: the worker takes the connection, opens the
    // query and gives the connection up; the main thread then fetches the
    // next packets without taking the connection back by hand.
    FillT(7);
    q.SetPacketRecords(2);
    q.SetSQLText("select id from t order by id");
    db.MakeDormant();
    std::string workerError;
    std::thread worker([&] {
        try {
            q.Open();
            db.MakeDormant();
        } catch (const std::exception& e) {
            workerError = e.what();
        }
    });
    worker.join();
    ASSERT_EQ(workerError, "");
    ASSERT_EQ(q.CachedRowCount(), 2);
    ASSERT_EQ(Ifx().ifx_getcur_conn_name(), nullptr) << "dormant in this thread";
    std::vector<int> ids;
    for (; !q.Eof(); q.Next()) ids.push_back(q.FieldByName("id").AsInteger());
    EXPECT_EQ(ids, (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
    q.Close();
    db.MakeDormant();
    std::thread closer([&] {
        try {
            q.Open();
            q.Close();   // the close runs in this thread too
            db.MakeDormant();
        } catch (const std::exception& e) {
            workerError = e.what();
        }
    });
    closer.join();
    EXPECT_EQ(workerError, "");
    db.MakeCurrent();
}

TEST_F(Query, ExecuteRunsAClosedQuery) {
    FillT(4);
    q.SetSQLText("update t set id = id * 2 where id > :n");
    q.ParamByName("n").SetAsInteger(1);
    EXPECT_EQ(q.Execute(), 3);
    EXPECT_EQ(q.RowsAffected(), 3);
    EXPECT_EQ(q.StatementType(), 4);
    Select("select id from t");
    EXPECT_EQ(ErrorOf([&] { q.Execute(); }), "qTest: Cannot perform this operation on an open dataset");
    EXPECT_EQ(q.StatementType(), 2);
    EXPECT_EQ(q.ResultColumnCount(), 1);
}

TEST_F(Query, AFailedOpenLeavesTheQueryClosed) {
    q.SetSQLText("select nope from t");
    EXPECT_THROW(q.Open(), EIfxError);
    EXPECT_FALSE(q.Active());
    EXPECT_EQ(db.OpenCursorClients(), 0);
    q.SetSQLText("insert into t values (1)");
    EXPECT_THROW(q.Open(), EIfxAccessError) << "no rows to open";
    EXPECT_FALSE(q.Active());
    q.SetSQLText("select id from t");
    q.Open();
    EXPECT_TRUE(q.Active());
}

TEST_F(Query, CloseKeepsThePreparedStatementAndDisconnectClosesTheQuery) {
    FillT(2);
    Select("select id from t");
    q.Close();
    EXPECT_TRUE(q.Prepared());
    q.Open();
    EXPECT_EQ(q.RecordCount(), 2);
    db.Close();
    EXPECT_FALSE(q.Active());
    EXPECT_FALSE(q.Prepared());
    q.Open();
    EXPECT_TRUE(q.Active());
    TIfxQuery change;
    change.SetConnection(&db);
    change.SetSQLText("database vk_nolog");
    change.Execute();
    EXPECT_FALSE(q.Active()) << "a database change closes the data sets";
    EXPECT_FALSE(q.Prepared());
}

TEST_F(Query, ClosingTheLastCursorOfAnIdleConnectionClosesBothOnce) {
    FillT(2);
    db.SetKeepConnection(false);
    int closes = 0;
    q.AfterClose = [&](TDataSet&) { ++closes; };
    Select("select id from t");
    q.Close();
    EXPECT_FALSE(db.Connected()) << "nobody holds a cursor and KeepConnection is off";
    EXPECT_EQ(closes, 1);
    q.AfterClose = nullptr;   // the counter goes with this test
    q.Open();                 // connects again
    EXPECT_EQ(q.RecordCount(), 2);
    int disconnects = 0;
    db.AfterDisconnect = [&](TIfxConnection&) { ++disconnects; };
    db.Close();   // the query's cursor closes on the way: no second disconnect inside this one
    db.AfterDisconnect = nullptr;
    EXPECT_FALSE(q.Active());
    EXPECT_FALSE(db.Connected());
    EXPECT_EQ(disconnects, 1);
}

TEST_F(Query, MasterFieldsFillUnboundParameters) {
    FillT(3);
    Exec("create table d (tid integer, name char(5))");
    Exec("insert into d values (1, 'a1')");
    Exec("insert into d values (2, 'b1')");
    Exec("insert into d values (2, 'b2')");
    TIfxQuery master;
    master.SetConnection(&db);
    master.SetSQLText("select id tid from t order by id");
    TDataSource source(&master);
    q.SetSQLText("select name from d where tid = :tid order by name");
    q.SetDataSource(&source);
    master.Open();
    q.Open();
    EXPECT_EQ(q.RecordCount(), 1);
    master.Next();
    ASSERT_TRUE(q.Active());
    EXPECT_EQ(q.RecordCount(), 2) << "the detail re-ran for the master's row";
    EXPECT_FALSE(q.ParamByName("tid").Bound());
    q.ParamByName("tid").SetAsInteger(1);
    q.Close();
    q.Open();
    EXPECT_EQ(q.RecordCount(), 1) << "a bound parameter wins over the master";

    TDataSource own(&q);
    EXPECT_EQ(ErrorOf([&] { q.SetDataSource(&own); }), "qTest: Circular datalinks are not allowed");
    TIfxQuery third;
    TDataSource thirdSource(&third);
    third.SetDataSource(&own);
    EXPECT_EQ(ErrorOf([&] { q.SetDataSource(&thirdSource); }), "qTest: Circular datalinks are not allowed");
}

TEST_F(Query, RowsAreReadOnlyWithoutAnUpdater) {
    FillT(1);
    Select("select id from t");
    EXPECT_FALSE(q.CanModify());
    EXPECT_THROW(q.Edit(), EDatabaseError);
}

// Every cursor of one component has the component's name; a cached statement
// that comes back must not open the cursor another statement took over since.
TEST_F(Query, ReturningToACachedTextReadsItsOwnRows) {
    FillT(3);
    ASSERT_TRUE(q.CacheHandle());
    auto ids = [&] {
        std::vector<int> out;
        for (q.First(); !q.Eof(); q.Next()) out.push_back(q.FieldByName("id").AsInteger());
        return out;
    };
    const std::vector<int> up{1, 2, 3}, down{3, 2, 1};
    for (int round = 0; round < 2; ++round) {
        Select("select id from t order by id");
        EXPECT_EQ(ids(), up) << round;
        Select("select id from t order by id desc");
        EXPECT_EQ(ids(), down) << round;
    }
    Select("select id from t order by id");
    EXPECT_EQ(ids(), up);
    Select("select id from t order by id desc");
    // Another component taking a cached statement opens a cursor of its own
    // name: the first one's next declaration must not touch it.
    q.Close();
    q.SetSQLText("select id from t order by id");   // the descending statement is free in the cache
    TIfxQuery other;
    other.SetConnection(&db);
    other.SetSQLText("select id from t order by id desc");
    other.Open();
    EXPECT_EQ(other.FieldByName("id").AsInteger(), 3);
    q.Open();
    EXPECT_EQ(ids(), up);
    other.Next();
    EXPECT_EQ(other.FieldByName("id").AsInteger(), 2);
}
