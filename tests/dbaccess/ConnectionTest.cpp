// TIfxConnection against the stand-in server: opening and closing, the
// parameter lines, isolation, transactions, the close sequence with an open
// transaction, and the questions about the server.
#include <algorithm>

#include "ConnectionTestFixture.h"
#include "dbaccess/IfxExceptions.h"

using namespace connection_test;

TEST_F(StandInConnection, OpenAndCloseAreIdempotent) {
    int afterConnect = 0, afterDisconnect = 0;
    std::vector<std::string> order;
    db.BeforeConnect = [&](TIfxConnection&) { order.push_back("BeforeConnect"); };
    db.AfterConnect = [&](TIfxConnection&) { order.push_back("AfterConnect"), ++afterConnect; };
    db.BeforeDisconnect = [&](TIfxConnection&) { order.push_back("BeforeDisconnect"); };
    db.AfterDisconnect = [&](TIfxConnection&) { order.push_back("AfterDisconnect"), ++afterDisconnect; };
    db.Open();
    const std::string name = db.Resource()->Name();
    db.Open();
    EXPECT_TRUE(db.Connected());
    EXPECT_EQ(db.Resource()->Name(), name) << "a second Open keeps the connection";
    EXPECT_EQ(std::string(Ifx().ifx_getcur_conn_name()), name);
    EXPECT_EQ(name.rfind("ifxcon$", 0), 0u);
    EXPECT_EQ(name.size(), 15u);
    db.Close();
    db.Close();
    EXPECT_FALSE(db.Connected());
    EXPECT_EQ(afterConnect, 1);
    EXPECT_EQ(afterDisconnect, 1);
    EXPECT_EQ(order, (std::vector<std::string>{"BeforeConnect", "AfterConnect", "BeforeDisconnect", "AfterDisconnect"}));
    EXPECT_EQ(Ifx().ifx_getcur_conn_name(), nullptr) << "the server connection is gone";
}

TEST_F(StandInConnection, ConnectTracesGoToTheMonitorInOrder) {
    db.Open();
    const std::string name = db.Resource()->Name();
    const std::vector<std::string> expected = {
        "Create the connection to 'simsrv' (handle '" + name + "')",
        name + ": Open the database 'vk_log'",
        name + ": Server is not Informix SE",
        name + ": Database supports transactions",
        name + ": Database is not ANSI compliant",
    };
    ASSERT_GE(monitor.events.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(monitor.events[i].second, expected[i]);
        EXPECT_EQ(monitor.events[i].first, meInformation);
    }
    db.Close();
    EXPECT_TRUE(monitor.Saw(name + ": Close the connection"));
}

TEST_F(StandInConnection, DatabaseLineIsNeverPassedToTheEnvironment) {
    Put("DATABASE=untouched");
    Put("VARNOK_PROBE=before");
    db.Params().push_back("VARNOK_PROBE=after");
    db.Open();
    EXPECT_EQ(Env("DATABASE"), "untouched");
    EXPECT_EQ(Env("VARNOK_PROBE"), "after") << "every other line is applied";
    EXPECT_TRUE(db.SupportsTransactions()) << "vk_log was opened";
}

TEST_F(StandInConnection, EmptyDatabaseValueOpensNone) {
    SetDatabase("");
    db.Open();
    EXPECT_FALSE(monitor.SawContaining("Open the database"));
    try {
        db.ExecuteDirect("insert into t values (1)");
        FAIL() << "a statement ran without a database";
    } catch (const EIfxError& e) {
        EXPECT_EQ(e.SqlCode(), -349);
    }
}

TEST_F(StandInConnection, UnknownDatabaseLeavesTheConnectionClosed) {
    SetDatabase("vk_missing");
    try {
        db.Open();
        FAIL() << "opened a missing database";
    } catch (const EIfxError& e) {
        EXPECT_EQ(e.SqlCode(), -329);
    }
    EXPECT_FALSE(db.Connected());
    EXPECT_EQ(db.ParamsBlock().RefCount(), 1) << "no reference kept on the parameters";
    EXPECT_EQ(Ifx().ifx_getcur_conn_name(), nullptr) << "the half-made server connection was ended";
    SetDatabase("vk_log");
    EXPECT_NO_THROW(db.Open());
}

struct TIsolationCase {
    const char* database;
    TIfxIsolationLevel level;
    const char* sent;  // nullptr: nothing is sent
};

class StandInIsolation : public StandInConnection, public ::testing::WithParamInterface<TIsolationCase> {};

TEST_P(StandInIsolation, IsSentOnlyForALevelAndALoggedDatabase) {
    const TIsolationCase& c = GetParam();
    SetDatabase(c.database);
    db.SetIsolationLevel(c.level);
    db.Open();
    const std::string name = db.Resource()->Name();
    if (c.sent)
        EXPECT_TRUE(monitor.Saw(name + ": Set isolation level '" + c.sent + "'"));
    else
        EXPECT_FALSE(monitor.SawContaining("Set isolation level"));
}

INSTANTIATE_TEST_SUITE_P(Levels, StandInIsolation,
                         ::testing::Values(TIsolationCase{"vk_log", ilUnchanged, nullptr},
                                           TIsolationCase{"vk_nolog", ilDirtyRead, nullptr},
                                           TIsolationCase{"vk_log", ilDirtyRead, "dirty read"},
                                           TIsolationCase{"vk_log", ilCommitedRead, "committed read"},
                                           TIsolationCase{"vk_ansi", ilRepeatableRead, "repeatable read"}));

TEST_F(StandInConnection, AssigningTheIsolationLevelWhileOpenAppliesIt) {
    db.Open();
    db.SetIsolationLevel(ilCursorStability);
    EXPECT_TRUE(monitor.Saw(db.Resource()->Name() + ": Set isolation level 'cursor stability'"));
}

TEST_F(StandInConnection, TransactionsInALoggedDatabase) {
    db.Open();
    db.StartTransaction();
    EXPECT_TRUE(db.InTransaction());
    try {
        db.StartTransaction();
        FAIL() << "-535 outside an ANSI database must raise";
    } catch (const EIfxError& e) {
        EXPECT_EQ(e.SqlCode(), -535);
    }
    db.ExecuteDirect("insert into t values (1)");
    db.Rollback();
    EXPECT_FALSE(db.InTransaction());
    EXPECT_EQ(CountRows("vk_log"), 0);
    try {
        db.Commit();
        FAIL() << "commit outside a transaction must raise -255";
    } catch (const EIfxError& e) {
        EXPECT_EQ(e.SqlCode(), -255);
    }
    EXPECT_FALSE(db.InTransaction());
}

TEST_F(StandInConnection, BeginInsideAnAnsiTransactionIsAccepted) {
    SetDatabase("vk_ansi");
    db.Open();
    EXPECT_TRUE(db.IsAnsiDatabase());
    db.ExecuteDirect("insert into t values (1)");  // an ANSI database is in a transaction now
    EXPECT_NO_THROW(db.StartTransaction());
    EXPECT_TRUE(db.InTransaction());
    db.Commit();
    EXPECT_EQ(CountRows("vk_ansi"), 1);
}

TEST_F(StandInConnection, AnsiAutoCommitCommitsEachStatement) {
    SetDatabase("vk_ansi");
    db.Open();
    db.ExecuteDirect("insert into t values (7)");
    EXPECT_TRUE(monitor.Saw(db.Resource()->Name() + ": AutoCommit Transaction"));
    db.Close();
    SetDatabase("vk_ansi");
    db.SetTransactionActionOnClose(taRollback);
    db.Open();
    EXPECT_EQ(CountRows("vk_ansi"), 1) << "committed although the close would roll back";
}

TEST_F(StandInConnection, UnloggedDatabaseRefusesATransactionAndStaysOutOfOne) {
    SetDatabase("vk_nolog");
    db.Open();
    EXPECT_FALSE(db.SupportsTransactions());
    EXPECT_THROW(db.StartTransaction(), EIfxError);
    EXPECT_FALSE(db.InTransaction());
}

class StandInCloseWithTransaction : public StandInConnection,
                                    public ::testing::WithParamInterface<TIfxTransactionAction> {};

TEST_P(StandInCloseWithTransaction, EndsTheTransactionAndStillDisconnects) {
    db.SetTransactionActionOnClose(GetParam());
    int closeErrors = 0;
    db.OnCloseError = [&](const std::exception&) { ++closeErrors; };
    db.Open();
    db.StartTransaction();
    db.ExecuteDirect("insert into t values (42)");
    db.Close();
    EXPECT_FALSE(db.Connected());
    EXPECT_EQ(closeErrors, 0);
    EXPECT_EQ(Ifx().ifx_getcur_conn_name(), nullptr);
    EXPECT_EQ(CountRows("vk_log"), GetParam() == taCommit ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Actions, StandInCloseWithTransaction, ::testing::Values(taCommit, taRollback),
                         [](const auto& info) { return info.param == taCommit ? "Commit" : "Rollback"; });

TEST_F(StandInConnection, ServerInformationUserAndDatabases) {
    db.Open();
    const std::string info = db.GetServerInfo();
    ASSERT_GE(info.size(), 22u) << info;
    EXPECT_EQ(info[21], '9') << info;
    EXPECT_TRUE(db.IsOnlineServer());
    EXPECT_TRUE(db.IsUniversalServer()) << "a 9.x server";
    std::vector<std::string> names = {"stale"};
    db.GetDatabaseNames(names);
    std::sort(names.begin(), names.end());
    // The server lists its databases as name@server.
    EXPECT_EQ(names, (std::vector<std::string>{"vk_ansi@simsrv", "vk_log@simsrv", "vk_nolog@simsrv"}));
}

TEST_F(StandInConnection, UserNameComesFromTheSessionTable) {
    db.Open();
    try {
        EXPECT_EQ(db.GetUserName(), "alice");
        EXPECT_TRUE(db.HasSixteenPartIndexes());
    } catch (const EIfxError& e) {
        // Both questions go through the catalog table systables.
        if (e.SqlCode() == -206 && std::string(e.what()).find("(systables)") != std::string::npos)
            GTEST_SKIP() << "the stand-in has no systables catalog yet: " << e.what();
        throw;
    }
}

TEST_F(StandInConnection, ServerNamesComeFromTheSqlhostsFile) {
    std::vector<std::string> names = {"stale"};
    TIfxConnection::GetServerNames(names);
    EXPECT_EQ(names, (std::vector<std::string>{"simsrv", "other"}));
    Put("INFORMIXSQLHOSTS=" + (root_ / "no-such-file").string());
    TIfxConnection::GetServerNames(names);
    EXPECT_EQ(names, (std::vector<std::string>{"simsrv", "other"})) << "unchanged without a file";
}

TEST_F(StandInConnection, LoginPromptCancelledRaisesAndConnectsNothing) {
    db.SetLoginPrompt(true);
    std::string shownDatabase, shownUser;
    db.LoginDialog = [&](const std::string& database, std::string& user, std::string&) {
        shownDatabase = database;
        shownUser = user;
        return false;
    };
    try {
        db.Open();
        FAIL() << "no error";
    } catch (const EIfxAccessError& e) {
        EXPECT_STREQ(e.what(), "Database: Operation has been cancelled by the user");
    }
    EXPECT_EQ(shownDatabase, "vk_log");
    EXPECT_EQ(shownUser, "alice");
    EXPECT_FALSE(db.Connected());
}

TEST_F(StandInConnection, LoginHandlerFillsACopyOfTheParameters) {
    db.SetLoginPrompt(true);
    db.OnLogin = [](TIfxConnection&, std::vector<std::string>& params) { params.push_back("WIN32USER=bob"); };
    db.Open();
    EXPECT_EQ(Env("WIN32USER"), "bob");
    EXPECT_EQ(std::count(db.Params().begin(), db.Params().end(), "WIN32USER=bob"), 0)
        << "the component's own lines stay as they were";
}

TEST_F(StandInConnection, CloseFailureGoesToOnCloseErrorAndTheConnectionEndsClosed) {
    std::vector<std::string> closeErrors;
    db.OnCloseError = [&](const std::exception& e) { closeErrors.push_back(e.what()); };
    db.Open();
    const std::string name = db.Resource()->Name();
    {
        // Another thread holds the connection while this one closes it.
        TConnectionHeldElsewhere held(db);
        EXPECT_NO_THROW(db.Close());
    }
    EXPECT_FALSE(db.Connected());
    ASSERT_EQ(closeErrors.size(), 1u);
    EXPECT_EQ(closeErrors[0].rfind("-1802 SQL error", 0), 0u) << closeErrors[0];
    db.OnCloseError = nullptr;
    EXPECT_NO_THROW(db.Open()) << "a new connection after the failed close";
    EXPECT_NE(db.Resource()->Name(), name);
}

TEST_F(StandInConnection, StoredConnectedTakesEffectWhenLoadingEnds) {
    db.BeginLoading();
    db.SetConnected(true);
    EXPECT_FALSE(db.Connected()) << "only remembered while loading";
    db.EndLoading();
    EXPECT_TRUE(db.Connected());
    db.Close();

    // A design connection stored as open stays closed in the running program.
    db.SetDesignConnection(true);
    db.BeginLoading();
    db.SetConnected(true);
    db.EndLoading();
    EXPECT_FALSE(db.Connected());

    // A stored false closes nothing and opens nothing.
    db.SetDesignConnection(false);
    db.BeginLoading();
    db.SetConnected(false);
    db.EndLoading();
    EXPECT_FALSE(db.Connected());
}

TEST_F(StandInConnection, LastSerialAndRowsProcessedAfterAnInsert) {
    db.Open();
    db.ExecuteDirect("create table s (id serial, v integer)");
    EXPECT_EQ(db.ExecuteDirect("insert into s (v) values (10)"), 1);
    EXPECT_EQ(db.LastSerial(), 1);
    EXPECT_EQ(db.ExecuteDirect("insert into s (id, v) values (41, 11)"), 1);
    EXPECT_EQ(db.LastSerial(), 41);
    EXPECT_EQ(db.ExecuteDirect("insert into s (v) values (12)"), 1);
    EXPECT_EQ(db.LastSerial(), 42) << "the next serial follows the highest one";
    EXPECT_EQ(db.ExecuteDirect("update s set v = v + 1 where id > 1"), 2);
    EXPECT_EQ(TIfxConnection::RowsProcessed(), 2);
}

TEST_F(StandInConnection, SingleSafeModeSkipsMakingCurrentButNotMakingDormant) {
    db.SetSafeMode(smSingle);
    db.Open();
    const std::string name = db.Resource()->Name();
    db.MakeDormant();
    EXPECT_EQ(Ifx().ifx_getcur_conn_name(), nullptr) << "dormant regardless of the safe mode";
    db.MakeCurrent();
    EXPECT_EQ(Ifx().ifx_getcur_conn_name(), nullptr) << "no switching in single mode";
    db.SetSafeMode(smConcurent);
    db.MakeCurrent();
    ASSERT_NE(Ifx().ifx_getcur_conn_name(), nullptr);
    EXPECT_EQ(std::string(Ifx().ifx_getcur_conn_name()), name);
}
