// The course of a run against the stand-in: event order, failures with their
// position, the connection handed between the threads, a session ended from
// outside, and the executor's own life.
#include <stdexcept>

#include "ExecutorTestFixture.h"

using namespace executor_test;

namespace {

using TStrings = std::vector<std::string>;

// The server's error offset for `statement` prepared on its own.
std::int32_t ServerErrorOffset(TIfxConnection& db, const std::string& statement) {
    TIfxQuery probe;
    probe.SetConnection(&db);
    probe.SetSQLText(statement);
    try {
        probe.Prepare();
    } catch (const std::exception&) {
        return TIfxConnection::SqlCa()->sqlerrd[4];
    }
    ADD_FAILURE() << "no error for " << statement;
    return -1;
}

} // namespace

TEST_F(ExecutorTest, EventsComeInTheDocumentedOrder) {
    TRunLog log;
    log.statementParams = [](TScriptExecutor&, TStatementAction&, TParamList& params) {
        params.at(0).dataType = TParamDataType::Integer;
        params.at(0).value = std::int32_t{4};
    };
    auto run = NewRun(log);
    run->ExecuteScript("select * from t where id = &a; delete from t where id = 1");
    EXPECT_EQ(log.events, (TStrings{"BeforeScript", "BeforeStatement", "Params", "Done", "BeforeStatement",
                                    "Done", "AfterScript"}));
}

TEST_F(ExecutorTest, WithoutLoggingNoStatementIsReported) {
    TRunLog log;
    auto run = NewRun(log);
    run->LogStatements = false;
    run->ExecuteScript("delete from t where id = 1; delete from t where id = 2");
    EXPECT_EQ(log.events, (TStrings{"BeforeScript", "BeforeStatement", "BeforeStatement", "AfterScript"}));
    EXPECT_EQ(CountRows(), kRowsOfT - 2);
}

TEST_F(ExecutorTest, AScriptOfCommentsRunsNoStatementButStillStartsAndEnds) {
    const TRunLog log = RunScript("  -- nothing\n/* at all */ { here } ;; \n");
    EXPECT_EQ(log.events, (TStrings{"BeforeScript", "AfterScript"}));
}

TEST_F(ExecutorTest, AFailingStatementIsLoggedWithItsErrorAndEndsTheRunAtItsPosition) {
    const std::string first = "delete from t where id = 1;";
    const std::string failing = "\n  select * from t wher id = 2;";
    const std::string script = first + failing + "delete from t where id = 3";
    const std::int32_t e = ServerErrorOffset(db, failing.substr(0, failing.size() - 1));
    ASSERT_GT(e, 0);

    TRunLog log;
    auto run = NewRun(log);
    run->ExecuteScript(script);
    EXPECT_EQ(log.events, (TStrings{"BeforeScript", "BeforeStatement", "Done", "Done", "ScriptError"}));
    EXPECT_FALSE(run->ConnectionLost);
    ASSERT_TRUE(run->LastError);
    EXPECT_THROW(std::rethrow_exception(run->LastError), EQueryError);
    ASSERT_TRUE(log.errorIsQueryError);
    // k + e, counted from the first character the server saw: the statement
    // starts after the ";" but the line break and blanks before "select" are
    // trimmed before it reaches the server.
    const auto k = static_cast<std::int32_t>(first.size()) + 1;
    const std::int32_t trimmed = 3;
    EXPECT_EQ(log.errorPosition, k + trimmed + e);
    EXPECT_EQ(log.error.substr(0, 1), "-"); // "%d SQL error: %s"
    ASSERT_EQ(log.done.size(), 2u);
    EXPECT_EQ(log.done[1].result, log.error);
    EXPECT_EQ(log.done[1].statement, failing);
    // The statement after the failure did not run; the one before did.
    EXPECT_EQ(CountRows("where id = 3"), 1);
    EXPECT_EQ(CountRows("where id = 1"), 0);
    EXPECT_EQ(CurrentConnectionName(), connectionName);
}

TEST_F(ExecutorTest, TheErrorPositionNamesTheOffendingWordInTheExecutedText) {
    // The blanks and line breaks before a statement never reach the server;
    // Position still counts them, so it lands on the word in the script.
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"select nosuch from t", "nosuch from t"},
        {"\n\nselect nosuch from t", "nosuch from t"},
        {"select * from t;\r\n  \tselect id, nosuch from t", "nosuch from t"},
        {"select * from t;insert into nosuchtable values (1)", "nosuchtable values (1)"},
        {"delete from t where id = 1;\n/* c */ select nosuch from t", "nosuch from t"},
    };
    for (const auto& [script, atError] : cases) {
        const TRunLog log = RunScript(script);
        ASSERT_TRUE(log.errorIsQueryError) << script;
        ASSERT_GT(log.errorPosition, 0) << script;
        EXPECT_EQ(script.substr(static_cast<std::size_t>(log.errorPosition) - 1), atError) << script;
    }
}

TEST_F(ExecutorTest, TheConnectionIsDormantUntilTheRunTakesItAndCurrentAgainAfterwards) {
    TRunLog log;
    auto run = NewRun(log);
    EXPECT_EQ(CurrentConnectionName(), ""); // released when the executor was made
    run->ExecuteScript("select * from t");
    // Direct hand-over: the worker is this thread, so the statement's event
    // sees the connection current and the start of the run sees it dormant.
    EXPECT_EQ(log.currentAtEvent, (TStrings{"", connectionName, connectionName, connectionName}));
    EXPECT_EQ(CurrentConnectionName(), connectionName);
}

TEST_F(ExecutorTest, AnExecutorNeverStartedGivesTheConnectionBack) {
    {
        TRunLog log;
        auto run = NewRun(log);
        EXPECT_EQ(CurrentConnectionName(), "");
    }
    EXPECT_EQ(CurrentConnectionName(), connectionName);
}

TEST_F(ExecutorTest, ASessionEndedByTheServerLeavesTheConnectionLostAndDormant) {
    const auto kill = StandInAdmin<int (*)(int)>("ifxsim_kill_session");
    const auto session = StandInAdmin<int (*)()>("ifxsim_current_session");
    ASSERT_TRUE(kill && session);
    TRunLog log;
    log.beforeStatement = [&](TScriptExecutor& e, TStatementAction&) {
        if (e.StatementText.find("id = 2") != std::string::npos) ASSERT_EQ(kill(session()), 0);
    };
    auto run = NewRun(log);
    run->ExecuteScript("delete from t where id = 1;delete from t where id = 2;delete from t where id = 3");
    EXPECT_TRUE(log.errorIsQueryError);
    EXPECT_EQ(log.error.rfind("-25580", 0), 0u) << log.error;
    EXPECT_TRUE(run->ConnectionLost);
    EXPECT_EQ(CurrentConnectionName(), "");
    EXPECT_EQ(log.events, (TStrings{"BeforeScript", "BeforeStatement", "Done", "BeforeStatement", "Done",
                                    "ScriptError"}));
    EXPECT_EQ(log.currentAtEvent.back(), "");
}

TEST_F(ExecutorTest, AConnectionGoneBeforeTheRunTakesItIsLostOutsideAnyStatement) {
    const auto kill = StandInAdmin<int (*)(int)>("ifxsim_kill_session");
    const auto session = StandInAdmin<int (*)()>("ifxsim_current_session");
    ASSERT_TRUE(kill && session);
    const int sid = session();
    // The session ends while the run starts: taking the connection over is
    // the first request that fails.
    TRunLog first;
    auto run = NewRun(first);
    run->OnBeforeScript = [&](TScriptExecutor&) {
        first.Note("BeforeScript");
        ASSERT_EQ(kill(sid), 0);
    };
    run->ExecuteScript("delete from t where id = 1");
    EXPECT_EQ(first.events, (TStrings{"BeforeScript", "ScriptError"}));
    EXPECT_FALSE(first.errorIsQueryError); // not a statement's failure
    EXPECT_EQ(first.error.rfind("-25580", 0), 0u) << first.error;
    EXPECT_TRUE(run->ConnectionLost);
    EXPECT_EQ(CurrentConnectionName(), "");

    // A later run on the same, now unknown, connection ends with -1803.
    TRunLog second;
    auto again = NewRun(second);
    again->ExecuteScript("delete from t where id = 1");
    EXPECT_EQ(second.events, (TStrings{"BeforeScript", "ScriptError"}));
    EXPECT_EQ(second.error.rfind("-1803", 0), 0u) << second.error;
    EXPECT_TRUE(again->ConnectionLost);
    EXPECT_EQ(CurrentConnectionName(), "");
}

TEST_F(ExecutorTest, AFailingStartHandlerEndsTheRunAndTheConnectionComesBack) {
    TRunLog log;
    auto run = NewRun(log);
    run->OnBeforeScript = [](TScriptExecutor&) { throw std::runtime_error("no editor page"); };
    run->ExecuteScript("delete from t");
    EXPECT_EQ(log.events, (TStrings{"ScriptError"}));
    EXPECT_EQ(log.error, "no editor page");
    EXPECT_FALSE(log.errorIsQueryError);
    EXPECT_FALSE(run->ConnectionLost);
    EXPECT_EQ(CurrentConnectionName(), connectionName);
    EXPECT_EQ(CountRows(), kRowsOfT);
}

TEST_F(ExecutorTest, ARunStartsOnceAndOnlyWithItsRequiredHandlers) {
    TRunLog log;
    auto run = NewRun(log);
    run->ExecuteScript("select * from t");
    EXPECT_THROW(run->ExecuteScript("select * from t"), EScriptExecError);
    EXPECT_THROW(run->ExecuteStatement("select * from t"), EScriptExecError);

    auto bare = TScriptExecutor::Create(*qQueryExec, std::make_shared<TDirectHandOver>());
    bare->OnBeforeScript = [](TScriptExecutor&) {};
    bare->OnAfterScript = [](TScriptExecutor&) {};
    EXPECT_THROW(bare->ExecuteScript("select * from t"), EScriptExecError); // no OnScriptError
    EXPECT_FALSE(bare->Started());
    bare.reset();
    EXPECT_EQ(CurrentConnectionName(), connectionName);
}

TEST_F(ExecutorTest, ARunOnAClosedConnectionCannotBeMade) {
    db.Close();
    EXPECT_THROW(TScriptExecutor::Create(*qQueryExec, std::make_shared<TDirectHandOver>()), std::exception);
}

TEST_F(ExecutorTest, TheExecutorFreesItselfWhenTheRunIsOver) {
    TRunLog log;
    std::weak_ptr<TScriptExecutor> watch;
    {
        auto run = NewRun(log);
        watch = run;
        run->ExecuteScript("select * from t");
    }
    EXPECT_TRUE(watch.expired());
}

TEST_F(ExecutorTest, AFailingEndHandlerDoesNotEscapeTheRun) {
    TRunLog log;
    std::weak_ptr<TScriptExecutor> watch;
    {
        auto run = NewRun(log);
        watch = run;
        run->OnAfterScript = [](TScriptExecutor&) { throw std::runtime_error("grid gone"); };
        EXPECT_NO_THROW(run->ExecuteScript("delete from t where id = 1"));
    }
    EXPECT_TRUE(watch.expired());
    EXPECT_EQ(CurrentConnectionName(), connectionName);
    EXPECT_EQ(CountRows(), kRowsOfT - 1);
}
