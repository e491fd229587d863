// Prepared statements through the connection: the cache with its eviction
// score, cursor operations, and a database change that invalidates them.
#include <algorithm>

#include "ConnectionTestFixture.h"
#include "dbaccess/IfxExceptions.h"
#include "dbaccess/IfxParams.h"
#include "dbaccess/IfxSQLDA.h"

using namespace connection_test;

namespace {

// A client that records what the connection tells it.
class RecordingClient : public TIfxConnectionClient {
public:
    RecordingClient(TIfxConnection& connection, bool dataSet) : connection_(&connection), dataSet_(dataSet) {
        connection.AttachClient(this);
    }
    ~RecordingClient() override {
        if (connection_) connection_->DetachClient(this);
    }
    bool IsDataSet() const override { return dataSet_; }
    void ConnectNotify(TIfxConnection&) override { ++connects; }
    void DisconnectNotify(TIfxConnection&) override {
        ++disconnects;
        statement.Drop();
    }
    void DropPreparedStatement() override {
        ++drops;
        statement.Drop();
    }
    void ConnectionDestroyed(TIfxConnection&) override { connection_ = nullptr; }

    TIfxStatementRef statement;
    int connects = 0, disconnects = 0, drops = 0;

private:
    TIfxConnection* connection_;
    bool dataSet_;
};

}  // namespace

TEST_F(StandInConnection, CursorOperationsFetchRowsAndTraceEachStep) {
    db.Open();
    db.ExecuteDirect("insert into t values (1)");
    db.ExecuteDirect("insert into t values (2)");
    TIfxStatementRef statement(db.PrepareStatement("select id from t order by id", true));
    EXPECT_TRUE(statement->ReturnsCursorRows());
    ifx_sqlda_t* columns = nullptr;
    statement->Describe(&columns);
    ASSERT_NE(columns, nullptr);
    EXPECT_EQ(columns->sqld, 1);
    Ifx().SqlFreeMem(columns, SQLDA_FREE);
    int4 id = 0;
    ifx_sqlvar_t var{};
    var.sqltype = CINTTYPE;
    var.sqllen = sizeof id;
    var.sqldata = reinterpret_cast<char*>(&id);
    ifx_sqlda_t out{};
    out.sqld = 1;
    out.sqlvar = &var;
    ifx_cursor_t* cursor = statement->OpenCursor(0x2a, nullptr, false);
    _FetchSpec next{0, FETCH_NEXT, 0};
    std::vector<int> ids;
    while (statement->Fetch(cursor, &out, &next) == 0) ids.push_back(id);
    statement->CloseCursor(cursor);
    statement->CloseCursor(cursor);  // -259 (not open) is no error
    EXPECT_EQ(ids, (std::vector<int>{1, 2}));
    const std::string s = statement->Name();
    EXPECT_TRUE(monitor.Saw(s + ": Declare the cursor (handle 'ifxcur_0000002a')"));
    for (const char* step : {"Open", "Fetch", "Close"}) EXPECT_TRUE(monitor.Saw(s + ": " + step)) << step;
    // The same component opens the declared cursor again; another one declares
    // a cursor of its own name (the first may bind its name elsewhere later).
    cursor = statement->OpenCursor(0x2a, nullptr, false);
    EXPECT_TRUE(monitor.Saw(s + ": Take the cached cursor (handle 'ifxcur_0000002a')"));
    statement->CloseCursor(cursor);
    cursor = statement->OpenCursor(0x2b, nullptr, false);
    EXPECT_TRUE(monitor.Saw(s + ": Declare the cursor (handle 'ifxcur_0000002b')"));
    statement->CloseCursor(cursor);
}

TEST_F(StandInConnection, CachedStatementIsTakenAgainOnlyWhileUsable) {
    db.Open();
    TIfxStatementRef insert(db.PrepareStatement("insert into t values (3)", true));
    insert->Execute(nullptr, nullptr);
    EXPECT_TRUE(insert->InCache());
    TIfxStatementRef again(db.PrepareStatement("insert into t values (3)", true));
    EXPECT_EQ(again.Get(), insert.Get()) << "no cursor rows: shared";
    EXPECT_EQ(db.Resource()->CacheHits(), 1);

    TIfxStatementRef select(db.PrepareStatement("select id from t", true));
    ifx_sqlda_t* columns = nullptr;
    select->Describe(&columns);
    Ifx().SqlFreeMem(columns, SQLDA_FREE);
    TIfxStatementRef second(db.PrepareStatement("select id from t", true));
    EXPECT_NE(second.Get(), select.Get()) << "a cursor statement someone holds is not shared";
    select.Release();  // the cache's reference remains
    TIfxStatementRef third(db.PrepareStatement("select id from t", true));
    EXPECT_EQ(db.Resource()->CachedStatements().front()->SQL(), "insert into t values (3)");
    EXPECT_TRUE(std::find(db.Resource()->CachedStatements().begin(), db.Resource()->CachedStatements().end(),
                          third.Get()) != db.Resource()->CachedStatements().end())
        << "now nobody else held it";
}

TEST_F(StandInConnection, TwentyFirstStatementEvictsTheHighestScore) {
    db.Open();
    ASSERT_EQ(db.StatementCacheSize(), 20);
    double now = 46000.0;
    db.Resource()->SetClock([&] { return now; });
    constexpr double kSecond = 1.0 / 86400.0;
    std::vector<TIfxStatementRef> statements;
    for (int i = 0; i < 21; ++i) {
        // Statement 4 is made first and never used again; all others later, alike.
        now = 46000.0 + (i == 4 ? 0 : 100 * kSecond);
        statements.emplace_back(db.PrepareStatement("select id from t where id = " + std::to_string(i), true));
        ifx_sqlda_t* columns = nullptr;
        statements.back()->Describe(&columns);
        Ifx().SqlFreeMem(columns, SQLDA_FREE);
    }
    const auto& cache = db.Resource()->CachedStatements();
    EXPECT_EQ(cache.size(), 20u);
    EXPECT_FALSE(statements[4]->InCache());
    EXPECT_EQ(statements[4]->RefCount(), 1) << "the cache released its reference";
    for (int i = 0; i < 21; ++i)
        if (i != 4) EXPECT_TRUE(statements[i]->InCache()) << i;
}

TEST_F(StandInConnection, ReleasingTheLastReferenceFreesTheStatement) {
    db.SetStatementCacheSize(0);
    db.Open();
    EXPECT_FALSE(db.Resource()->HasCache());
    TIfxStatementRef statement(db.PrepareStatement("insert into t values (1)", true));
    statement->Execute(nullptr, nullptr);
    const std::string name = statement->Name();
    statement.Release();
    EXPECT_TRUE(monitor.Saw(name + ": Release the prepared statement (0 reference(s) remain)"));
    EXPECT_TRUE(monitor.Saw(name + ": Delete the prepared statement"));
}

TEST_F(StandInConnection, DatabaseStatementEmptiesTheCacheAndNotifiesClients) {
    RecordingClient query(db, false);
    RecordingClient dataSet(db, true);
    db.Open();
    EXPECT_EQ(query.connects, 1);
    query.statement = TIfxStatementRef(db.PrepareStatement("insert into t values (9)", true));
    query.statement->Execute(nullptr, nullptr);
    ASSERT_EQ(db.Resource()->CachedStatements().size(), 1u);
    EXPECT_TRUE(db.SupportsTransactions());

    TIfxStatementRef change(db.PrepareStatement("database vk_nolog", false));
    change->Execute(nullptr, nullptr);
    EXPECT_TRUE(db.Resource()->CachedStatements().empty());
    EXPECT_EQ(query.drops, 1);
    EXPECT_EQ(dataSet.drops, 1);
    EXPECT_EQ(dataSet.disconnects, 1) << "data sets close";
    EXPECT_EQ(query.disconnects, 0) << "plain statements only drop";
    EXPECT_FALSE(query.statement);
    EXPECT_FALSE(db.SupportsTransactions()) << "flags of the new database";
    const std::string name = db.Resource()->Name();
    const auto warning = std::find_if(monitor.events.begin(), monitor.events.end(),
                                      [&](const auto& e) { return e.second == name + ": Database has been changed"; });
    ASSERT_NE(warning, monitor.events.end());
    EXPECT_EQ(warning->first, meWarning);

    db.ExecuteDirect("database vk_ansi");  // the direct way too
    EXPECT_TRUE(db.IsAnsiDatabase());
    EXPECT_EQ(query.drops, 2);
}

TEST_F(StandInConnection, ClosingDropsClientStatementsAndFreesTheCache) {
    RecordingClient query(db, false);
    db.Open();
    query.statement = TIfxStatementRef(db.PrepareStatement("insert into t values (1)", true));
    query.statement->Execute(nullptr, nullptr);
    TIfxStatementRef cachedOnly(db.PrepareStatement("insert into t values (2)", true));
    cachedOnly->Execute(nullptr, nullptr);
    const std::string cachedName = cachedOnly->Name();
    cachedOnly.Release();  // only the cache holds it now
    EXPECT_FALSE(monitor.Saw(cachedName + ": Delete the prepared statement"));
    db.Close();
    EXPECT_EQ(query.disconnects, 1);
    EXPECT_FALSE(query.statement);
    EXPECT_TRUE(monitor.Saw(cachedName + ": Delete the prepared statement")) << "the cache frees it on the server";
}

TEST_F(StandInConnection, IdleCheckClosesWithoutKeepConnection) {
    db.SetKeepConnection(false);
    db.Open();
    db.ClientCursorOpened();
    db.ClientCursorOpened();
    db.ClientCursorClosed();
    EXPECT_TRUE(db.Connected());
    db.ClientCursorClosed();
    EXPECT_FALSE(db.Connected());
}

TEST_F(StandInConnection, StatementOutlivingItsConnectionRaises) {
    db.Open();
    TIfxStatementRef held(db.PrepareStatement("insert into t values (1)", false));
    db.Close();  // held belongs to no client, so nobody dropped it
    try {
        held->Execute(nullptr, nullptr);
        FAIL() << "a statement of a closed connection ran";
    } catch (const EIfxAccessError& e) {
        EXPECT_STREQ(e.what(), "This operation requires a connection");
    }
}

TEST_F(StandInConnection, DroppedStatementIsRefusedWithTheServersCode) {
    RecordingClient query(db, false);
    db.Open();
    query.statement = TIfxStatementRef(db.PrepareStatement("insert into t values (2)", false));
    TIfxStatementResource* raw = query.statement.Get();
    raw->AddRef();  // someone else still holds it when the database changes
    TIfxStatementRef stillHeld(raw);
    db.ExecuteDirect("database vk_nolog");
    EXPECT_FALSE(stillHeld->HandleValid());
    EXPECT_EQ(stillHeld->RefCount(), 1) << "the client's reference went with the drop";
    try {
        stillHeld->Execute(nullptr, nullptr);
        FAIL() << "a dropped statement ran";
    } catch (const EIfxError& e) {
        EXPECT_EQ(e.SqlCode(), -481);
    }
}

TEST_F(StandInConnection, SharedCursorStatementDeclaresACursorPerOpen) {
    db.SetShareCursorStatement(true);
    db.Open();
    db.ExecuteDirect("insert into t values (1)");
    db.ExecuteDirect("insert into t values (2)");
    TIfxStatementRef first(db.PrepareStatement("select id from t order by id", true));
    ifx_sqlda_t* columns = nullptr;
    first->Describe(&columns);
    Ifx().SqlFreeMem(columns, SQLDA_FREE);
    TIfxStatementRef second(db.PrepareStatement("select id from t order by id", true));
    EXPECT_EQ(second.Get(), first.Get()) << "shared although a cursor statement";

    int4 a = 0, b = 0;
    ifx_sqlvar_t varA{}, varB{};
    varA.sqltype = varB.sqltype = CINTTYPE;
    varA.sqllen = varB.sqllen = sizeof(int4);
    varA.sqldata = reinterpret_cast<char*>(&a);
    varB.sqldata = reinterpret_cast<char*>(&b);
    ifx_sqlda_t outA{}, outB{};
    outA.sqld = outB.sqld = 1;
    outA.sqlvar = &varA;
    outB.sqlvar = &varB;
    _FetchSpec next{0, FETCH_NEXT, 0};
    ifx_cursor_t* cursorA = first->OpenCursor(0xa, nullptr, false);
    ifx_cursor_t* cursorB = second->OpenCursor(0xb, nullptr, false);
    EXPECT_NE(cursorA, cursorB);
    ASSERT_EQ(first->Fetch(cursorA, &outA, &next), 0);
    ASSERT_EQ(second->Fetch(cursorB, &outB, &next), 0);
    ASSERT_EQ(first->Fetch(cursorA, &outA, &next), 0);
    EXPECT_EQ(a, 2) << "each cursor keeps its own position";
    EXPECT_EQ(b, 1);
    first->CloseCursor(cursorA);
    second->CloseCursor(cursorB);
    EXPECT_EQ(first->CachedCursor(), nullptr) << "nothing kept between opens";
    const std::string s = first->Name();
    EXPECT_TRUE(monitor.Saw(s + ": Declare the cursor (handle 'ifxcur_0000000a')"));
    EXPECT_TRUE(monitor.Saw(s + ": Declare the cursor (handle 'ifxcur_0000000b')"));
}

TEST_F(StandInConnection, ExecuteDirectBindsAParameterListOrAnInputDescriptor) {
    db.Open();
    TParams list;
    list.Add("id").SetAsInteger(1);
    EXPECT_EQ(db.ExecuteDirect("insert into t values (?)", list), 1);
    list[0].SetAsInteger(2);
    EXPECT_EQ(db.ExecuteDirect("insert into t values (?)", list), 1);

    TIfxParams descriptor;
    descriptor.SetNames({"id"});
    descriptor[0].Param().SetAsInteger(3);
    EXPECT_EQ(db.ExecuteDirect("insert into t values (?)", descriptor), 1);
    EXPECT_EQ(CountRows("vk_log"), 3);
    EXPECT_TRUE(monitor.SawContaining(": Execute direct\r\ninsert into t values (?)"));

    // Unnamed parameters fill the markers by position, each with its own value.
    TParams unnamed;
    unnamed.Add("").SetAsInteger(1);
    unnamed.Add("").SetAsInteger(3);
    EXPECT_EQ(db.ExecuteDirect("delete from t where id = ? or id = ?", unnamed), 2);
    EXPECT_EQ(CountRows("vk_log"), 1);

    // An empty list is no inputs.
    EXPECT_EQ(db.ExecuteDirect("delete from t where id = 2", TParams()), 1);
    EXPECT_EQ(CountRows("vk_log"), 0);
}
