// The plain statement component on the stand-in: preparing, running,
// cursors and their flags, parameters and the monitor trace.
#include "QueryTestFixture.h"
#include "dbaccess/IfxSQL.h"

using namespace query_test;

namespace {

int IntAt(TIfxSQL& sql, int column) { return sql.Fields()[column].Value()->AsInteger(); }

}  // namespace

TEST_F(StandInQuery, StatementOpensFetchesAndReportsItsShape) {
    FillT(3);
    TIfxSQL sql;
    sql.SetConnection(&db);
    sql.SetSQLText("select id, id * 10 from t order by id");
    EXPECT_FALSE(sql.Prepared());
    EXPECT_EQ(sql.StatementType(), 2);
    EXPECT_TRUE(sql.Prepared());
    EXPECT_EQ(sql.ResultColumnCount(), 2);
    sql.Open();   // GoToFirstRecordOnOpen: row 1 is there
    std::vector<int> ids;
    while (!sql.EndOfRows()) {
        ids.push_back(IntAt(sql, 0));
        EXPECT_EQ(IntAt(sql, 1), ids.back() * 10);
        sql.FetchNext();
    }
    EXPECT_EQ(ids, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(sql.FetchNext(), 100);
    sql.Close();
    EXPECT_TRUE(sql.Prepared()) << "closing keeps the prepared statement";
    EXPECT_EQ(db.OpenCursorClients(), 0);

    sql.SetGoToFirstRecordOnOpen(false);
    sql.Open();
    EXPECT_TRUE(sql.BeforeFirst());
    EXPECT_EQ(sql.FetchNext(), 0);
    EXPECT_EQ(IntAt(sql, 0), 1);
}

TEST_F(StandInQuery, ExecuteGivesRowsProcessed) {
    FillT(5);
    TIfxSQL sql;
    sql.SetConnection(&db);
    EXPECT_EQ(sql.RowsAffected(), -1);
    sql.SetSQLText("insert into t values (:id)");
    sql.ParamByName("id").SetAsInteger(6);
    EXPECT_EQ(sql.Execute(), 1);
    EXPECT_EQ(sql.RowsAffected(), 1);
    sql.SetSQLText("update t set id = id + 100 where id > :low");
    sql.ParamByName("low").SetAsInteger(2);
    EXPECT_EQ(sql.Execute(), 4);
    EXPECT_EQ(sql.StatementType(), 4 /* UPDATE */);
    sql.SetSQLText("delete from t");
    EXPECT_EQ(sql.Execute(), 6);
    EXPECT_EQ(sql.RowsAffected(), 6);
}

TEST_F(StandInQuery, ExecutedSelectLeavesItsSingleRowInTheOutputBuffers) {
    FillT(7);
    TIfxSQL sql;
    sql.SetConnection(&db);
    sql.SetSQLText("select count(*), max(id) from t where id > :n");
    sql.ParamByName("n").SetAsInteger(2);
    sql.Execute();
    EXPECT_EQ(IntAt(sql, 0), 5);
    EXPECT_EQ(IntAt(sql, 1), 7);
    EXPECT_FALSE(sql.Active()) << "no cursor";
}

TEST_F(StandInQuery, TextsWithoutStatementsAreRefused) {
    TIfxSQL sql;
    sql.SetName("qEmpty");
    sql.SetConnection(&db);
    for (const char* text : {"", "   \r\n  ", "-- only a comment", "/* a comment */", "{ braces }"}) {
        sql.SetSQLText(text);
        EXPECT_EQ(ErrorOf([&] { sql.Prepare(); }), "qEmpty: There are no statements to run") << text;
        EXPECT_FALSE(sql.Prepared());
    }
}

TEST_F(StandInQuery, MisuseGivesTheLayerTexts) {
    TIfxSQL sql;
    sql.SetName("qMisuse");
    sql.SetSQLText("select id from t");
    EXPECT_EQ(ErrorOf([&] { sql.Prepare(); }), "qMisuse: This operation requires a connection");
    EXPECT_EQ(ErrorOf([&] { sql.Execute(); }), "qMisuse: This operation requires a connection");
    sql.SetConnection(&db);
    EXPECT_EQ(ErrorOf([&] { sql.FetchNext(); }), "qMisuse: Cannot perform this operation when cursor is not opened");
    sql.Open();
    EXPECT_EQ(ErrorOf([&] { sql.SetScrollable(true); }), "qMisuse: Cannot perform this operation when cursor is opened");
    EXPECT_FALSE(sql.Scrollable());
    EXPECT_EQ(ErrorOf([&] { sql.ParamByName("nope"); }), "qMisuse: Host variable ('nope') not found");
    EXPECT_EQ(ErrorOf([&] { sql.Fields().SetName(0, "other"); }), "Field name is read-only");
    EXPECT_EQ(sql.Fields().ByName("ID").Name(), "id") << "lookup ignores case";
}

TEST_F(StandInQuery, ParameterNamesKeepTheirValuesAcrossTextChanges) {
    TIfxSQL sql;
    sql.SetConnection(&db);
    sql.SetSQLText("select id from t where id = :a or id = :b");
    sql.ParamByName("a").SetAsInteger(1);
    sql.ParamByName("b").SetAsString("two");
    sql.SetSQLText("select id from t where id = :B or id = :c or id = :b");
    ASSERT_EQ(sql.ParamCount(), 3);
    EXPECT_EQ(sql.ParamByName("b").AsString(), "two");
    EXPECT_TRUE(sql.ParamByName("c").IsNull());
    EXPECT_EQ(ErrorOf([&] { sql.ParamByName("a"); }), "Host variable ('a') not found");
    sql.SetSQLText("select id from t");
    EXPECT_EQ(sql.ParamCount(), 0);
}

TEST_F(StandInQuery, RepeatedParameterBindsTheSameValueAtEveryMarker) {
    FillT(4);
    TIfxSQL sql;
    sql.SetConnection(&db);
    sql.SetSQLText("select count(*) from t where id >= :n and id <= :n + 1");
    sql.ParamByName("n").SetAsInteger(2);
    sql.Open();
    EXPECT_EQ(IntAt(sql, 0), 2);
}

TEST_F(StandInQuery, TypedParametersReachTheServer) {
    Exec("create table p (c char(10), i integer, s smallint, f float, d decimal(16,2), m money(16,2), "
         "dt date, ts datetime year to second, b boolean, i8 int8)");
    TIfxSQL insert;
    insert.SetConnection(&db);
    insert.SetSQLText("insert into p values (:c, :i, :s, :f, :d, :m, :dt, :ts, :b, :i8)");
    insert.ParamByName("c").SetAsString("abc");
    insert.ParamByName("i").SetAsInteger(-7);
    insert.ParamByName("s").SetAsSmallInt(12);
    insert.ParamByName("f").SetAsFloat(2.5);
    insert.ParamByName("d").SetAsBCD("12345678901234.56");
    insert.ParamByName("m").SetAsCurrency(1234.5);
    insert.ParamByName("dt").SetAsDate(EncodeDateTime(2024, 2, 29));
    insert.ParamByName("ts").SetAsDateTime(EncodeDateTime(2024, 2, 29, 13, 14, 15));
    insert.ParamByName("b").SetAsBoolean(true);
    insert.ParamByName("i8").SetAsLargeInt(9000000000LL);
    EXPECT_EQ(insert.Execute(), 1);

    TIfxSQL select;
    select.SetConnection(&db);
    select.SetSQLText("select c, i, s, f, d, m, dt, ts, b, i8 from p");
    select.Open();
    auto text = [&](int i) { return select.Fields()[i].Value()->AsString(); };
    EXPECT_EQ(text(0), "abc       ");
    EXPECT_EQ(text(1), "-7");
    EXPECT_EQ(text(2), "12");
    EXPECT_EQ(select.Fields()[3].Value()->AsFloat(), 2.5);
    EXPECT_EQ(text(4), "12345678901234.56");
    EXPECT_EQ(select.Fields()[5].Value()->AsFloat(), 1234.5);
    EXPECT_EQ(select.Fields()[6].Value()->AsDateTime(), EncodeDateTime(2024, 2, 29));
    EXPECT_EQ(text(7), "2024-02-29 13:14:15");
    EXPECT_EQ(text(8), "t");
    EXPECT_EQ(text(9), "9000000000");
}

TEST_F(StandInQuery, ParameterOfATypeWithoutAnInformixFormIsRefused) {
    TIfxSQL sql;
    sql.SetName("qBad");
    sql.SetConnection(&db);
    sql.SetSQLText("select id from t where id = :v");
    sql.ParamByName("v").SetDataType(TFieldType::ftVarBytes);
    sql.ParamByName("v").SetAsString("x");
    sql.ParamByName("v").SetDataType(TFieldType::ftVarBytes);
    EXPECT_EQ(ErrorOf([&] { sql.Open(); }), "qBad: Unsupported value type for 'v'");
    EXPECT_FALSE(sql.Active());
}

TEST_F(StandInQuery, MonitorSeesPrepareAndTheParameterBlock) {
    TIfxSQL sql;
    sql.SetName("qTrace");
    sql.SetConnection(&db);
    sql.SetSQLText("  select id from t\r\n where id = :a or id = :b or id = :c  ");
    sql.ParamByName("a").SetAsInteger(1);
    sql.ParamByName("b").SetAsString("x'y");
    sql.ParamByName("c").Clear();
    sql.Open();
    const std::string text = "select id from t\r\n where id = :a or id = :b or id = :c";
    EXPECT_TRUE(monitor.Saw("qTrace: Prepare\r\n" + text + "\r\n"));
    EXPECT_TRUE(monitor.Saw("qTrace: Open\r\n" + text + "\r\n\r\nParameters (count = 3)\r\n"
                            "a = '1' -- Integer\r\nb = 'x'y' -- String\r\nc is null -- Unknown"));
    sql.Close();
    sql.SetSQLText("delete from t");
    sql.Execute();
    EXPECT_TRUE(monitor.Saw("qTrace: Execute\r\ndelete from t\r\n\r\nParameters (count = 0)"));
}

TEST_F(StandInQuery, ScrollableCursorFetchesBackwardAndSetsTheFlags) {
    FillT(3);
    TIfxSQL sql;
    sql.SetConnection(&db);
    sql.SetSQLText("select id from t order by id");
    sql.Open();
    EXPECT_THROW(sql.Fetch(FETCH_PREVIOUS), EIfxError) << "a cursor without +32 moves forward only";
    sql.Close();
    sql.SetScrollable(true);
    EXPECT_FALSE(sql.Prepared()) << "Scrollable unprepares";
    sql.SetGoToFirstRecordOnOpen(false);
    sql.Open();
    struct Step {
        int kind, value, result;
        bool eof, bof;
    };
    const Step steps[] = {
        {FETCH_PREVIOUS, 0, 100, false, true}, {FETCH_NEXT, 0, 0, false, false},
        {FETCH_ABSOLUTE, 9, 100, true, false}, {FETCH_ABSOLUTE, 2, 0, false, false},
        {FETCH_ABSOLUTE, 0, 100, false, true}, {FETCH_RELATIVE, 2, 0, false, false},
        {FETCH_RELATIVE, 5, 100, true, false}, {FETCH_RELATIVE, -9, 100, true, true},
    };
    for (const Step& s : steps) {
        EXPECT_EQ(sql.Fetch(s.kind, s.value), s.result) << s.kind << " " << s.value;
        EXPECT_EQ(sql.EndOfRows(), s.eof) << s.kind << " " << s.value;
        EXPECT_EQ(sql.BeforeFirst(), s.bof) << s.kind << " " << s.value;
    }
}

TEST_F(StandInQuery, CommitClosesAPlainCursorAndItsCloseRaisesNothing) {
    FillT(3);
    db.StartTransaction();
    db.SetCommitRetain(false);
    TIfxSQL sql;
    sql.SetConnection(&db);
    std::vector<std::string> closeErrors;
    sql.OnCloseError = [&](const std::exception& e) { closeErrors.push_back(e.what()); };
    sql.SetSQLText("select id from t");
    sql.Open();
    db.Commit();   // the server closes the cursor declared without hold
    EXPECT_THROW(sql.FetchNext(), EIfxError);
    EXPECT_NO_THROW(sql.Close());
    EXPECT_TRUE(closeErrors.empty()) << "-259 is no error";
    EXPECT_FALSE(sql.Active());

    db.SetCommitRetain(true);
    sql.SetSQLText("select id from t where id > 0");   // a statement (and cursor) declared anew
    db.StartTransaction();
    sql.Open();
    db.Commit();
    EXPECT_EQ(sql.FetchNext(), 0) << "a cursor with hold (4096) survives the commit";
}

TEST_F(StandInQuery, CloseAndUnprepareErrorsGoOnlyToTheirEvents) {
    TIfxSQL sql;
    sql.SetConnection(&db);
    sql.SetCacheHandle(false);   // the last reference: unpreparing frees on the server
    std::vector<std::string> closeErrors, unprepareErrors;
    sql.OnCloseError = [&](const std::exception& e) { closeErrors.push_back(e.what()); };
    sql.OnUnprepareError = [&](const std::exception& e) { unprepareErrors.push_back(e.what()); };
    sql.SetSQLText("select id from t");
    sql.Open();
    {
        TConnectionHeldElsewhere held(db);
        EXPECT_NO_THROW(sql.Close());
        EXPECT_NO_THROW(sql.Unprepare());
    }
    EXPECT_FALSE(sql.Active());
    EXPECT_FALSE(sql.Prepared());
    ASSERT_EQ(closeErrors.size(), 1u);
    EXPECT_EQ(closeErrors[0].rfind("-1802 SQL error", 0), 0u) << closeErrors[0];
    ASSERT_EQ(unprepareErrors.size(), 1u);
    EXPECT_EQ(unprepareErrors[0].rfind("-1802 SQL error", 0), 0u) << unprepareErrors[0];
    EXPECT_EQ(db.OpenCursorClients(), 0);
    sql.Open();   // the holder let go when it ended
    EXPECT_TRUE(sql.Active());
}

TEST_F(StandInQuery, DatabaseChangeAndDisconnectUnprepare) {
    TIfxSQL sql;
    sql.SetConnection(&db);
    sql.SetSQLText("select id from t");
    sql.Open();
    TIfxSQL change;
    change.SetConnection(&db);
    change.SetSQLText("database vk_nolog");
    change.Execute();
    EXPECT_FALSE(sql.Prepared());
    EXPECT_FALSE(sql.Active());
    EXPECT_EQ(db.OpenCursorClients(), 0);
    sql.Open();   // prepares again, in the new database
    EXPECT_TRUE(sql.Active());
    db.Close();
    EXPECT_FALSE(sql.Prepared());
    EXPECT_FALSE(sql.Active());
    sql.Open();   // reconnects
    EXPECT_TRUE(db.Connected());
    EXPECT_TRUE(sql.Active());
}

TEST_F(StandInQuery, ChangingTextOrMacrosUnprepares) {
    TIfxSQL sql;
    sql.SetConnection(&db);
    sql.SetSQLText("select 1 from %tab");
    sql.SetMacros({"tab=t"});
    sql.Prepare();
    EXPECT_EQ(sql.ProcessedText(), "select 1 from t");
    sql.SetMacros({"tab=systables"});
    EXPECT_FALSE(sql.Prepared());
    EXPECT_EQ(sql.ProcessedText(), "select 1 from systables");
    sql.Prepare();
    sql.SetSQLText("select 1 from t");
    EXPECT_FALSE(sql.Prepared());
    sql.SetParamCheck(false);
    sql.SetSQLText("  select :x from t  ");
    EXPECT_EQ(sql.ProcessedText(), "select :x from t") << "ParamCheck off: the text trimmed";
    EXPECT_EQ(sql.ParamCount(), 0);
}
