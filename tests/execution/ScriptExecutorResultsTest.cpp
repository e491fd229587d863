// What a run reports for each statement against the stand-in: the result
// texts by statement type (SELECT retrieved or fetched, counted DML, DDL),
// WholeTable, skip and stop, check-only, ExecuteStatement.
#include <chrono>
#include <thread>

#include "ExecutorTestFixture.h"

using namespace executor_test;

namespace {

struct TResultCase {
    const char* statement;
    const char* result;
};

std::vector<std::string> Results(const TRunLog& log) {
    std::vector<std::string> texts;
    for (const auto& d : log.done)
        texts.push_back(d.result);
    return texts;
}

} // namespace

TEST_F(ExecutorTest, EachStatementIsLoggedWithTheResultTextOfItsType) {
    // In order: each statement sees what the ones before it did to t (12 rows).
    const std::vector<TResultCase> cases = {
        {"select * from t where id <= 3", "3 row(s) retrieved."}, // whole result in the first packet
        {"select * from t", "5 row(s) fetched."},                 // more than one packet
        {"select * from t where id <= 5", "5 row(s) fetched."},   // exactly a packet: end not seen yet
        {"select count(*) from t", "1 row(s) retrieved."},
        {"insert into t values (13, 'n13')", "1 row(s) inserted."},
        {"insert into t select id + 100, name from t where id <= 2", "2 row(s) inserted."},
        {"update t set name = 'u' where id > 10", "5 row(s) updated."}, // 11, 12, 13, 101, 102
        {"delete from t where id > 100", "2 row(s) deleted."},
        {"select * from t where id < 4 into temp tt", "3 row(s) retrieved into temp table."},
        {"create table x (a integer)", "Table created."},
        {"create index ix on x (a)", "Index created."},
        {"create view v as select a from x", "View created."},
        {"drop view v", "View dropped."},
        {"drop index ix", "Index dropped."},
        {"drop table x", "Table dropped."},
        {"update t set name = 'all'", "13 row(s) updated."}, // no WHERE: type 33
        {"delete from t", "13 row(s) deleted."},             // no WHERE: type 32
    };
    std::string script;
    for (const auto& c : cases)
        script += std::string(c.statement) + ";\n";
    const TRunLog log = RunScript(script);
    ASSERT_EQ(log.error, "");
    ASSERT_EQ(log.done.size(), cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(log.done[i].result, cases[i].result) << cases[i].statement;
    EXPECT_EQ(log.events.back(), "AfterScript");
}

TEST_F(ExecutorTest, StatementsAreLoggedExactlyAsCutFromTheScript) {
    const TRunLog log = RunScript("select * from t where id = 1;\n -- next\n select * from t where id = 2");
    ASSERT_EQ(log.done.size(), 2u);
    EXPECT_EQ(log.done[0].statement, "select * from t where id = 1;");
    EXPECT_EQ(log.done[1].statement, "\n -- next\n select * from t where id = 2");
    EXPECT_EQ(log.done[1].result, "1 row(s) retrieved.");
}

TEST_F(ExecutorTest, AfterTheRunTheDataSetHoldsTheLastResultAndTheCountsAreKept) {
    TRunLog log;
    auto run = NewRun(log);
    run->ExecuteScript("select * from t where id <= 3; select * from t");
    EXPECT_FALSE(run->AllFetched);
    EXPECT_EQ(run->RowCount, kPacketRecords);
    EXPECT_EQ(run->ResultText, "5 row(s) fetched.");
    ASSERT_TRUE(qQueryExec->Active());
    EXPECT_EQ(qQueryExec->RecordCount(), kRowsOfT); // the grid can fetch the rest
}

TEST_F(ExecutorTest, UpdateAndDeleteWithoutWhereAreMarkedWholeTableBeforeTheyRun) {
    std::vector<std::pair<std::string, bool>> seen;
    TRunLog log;
    log.beforeStatement = [&](TScriptExecutor& e, TStatementAction&) {
        seen.emplace_back(e.StatementText, e.WholeTable);
    };
    auto run = NewRun(log);
    run->ExecuteScript("update t set name = 'x' where id = 1;update t set name = 'y';delete from t where id "
                       "= 2;delete from t");
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_FALSE(seen[0].second);
    EXPECT_TRUE(seen[1].second);
    EXPECT_FALSE(seen[2].second);
    EXPECT_TRUE(seen[3].second);
    EXPECT_EQ(CountRows(), 0);
}

TEST_F(ExecutorTest, ASkippedStatementIsLoggedButNotExecutedAndTheRunGoesOn) {
    TRunLog log;
    log.beforeStatement = [](TScriptExecutor& e, TStatementAction& action) {
        if (e.StatementText.find("insert") != std::string::npos ||
            e.StatementText.find("select") != std::string::npos)
            action = TStatementAction::Skip;
    };
    auto run = NewRun(log);
    run->ExecuteScript("insert into t values (50, 'x');select * from t;delete from t where id = 1");
    EXPECT_EQ(log.error, "");
    EXPECT_EQ(Results(log),
              (std::vector<std::string>{"Query Skipped. 0 row(s) inserted.",
                                        "Query Skipped. 0 row(s) fetched.", "1 row(s) deleted."}));
    EXPECT_EQ(CountRows("where id = 50"), 0);
    EXPECT_EQ(CountRows(), kRowsOfT - 1);
}

TEST_F(ExecutorTest, AStopEndsTheRunNormallyWithoutLoggingTheStoppedStatement) {
    TRunLog log;
    log.beforeStatement = [](TScriptExecutor& e, TStatementAction& action) {
        if (e.StatementText.find("id = 2") != std::string::npos) action = TStatementAction::Stop;
    };
    auto run = NewRun(log);
    run->ExecuteScript("delete from t where id = 1;delete from t where id = 2;delete from t where id = 3");
    EXPECT_EQ(log.events, (std::vector<std::string>{"BeforeScript", "BeforeStatement", "Done",
                                                    "BeforeStatement", "AfterScript"}));
    EXPECT_EQ(run->ResultText, "");
    EXPECT_EQ(run->Action, TStatementAction::Stop);
    EXPECT_EQ(CountRows(), kRowsOfT - 1);
}

TEST_F(ExecutorTest, CheckOnlyPreparesEveryStatementAndExecutesNone) {
    const TRunLog log = RunScript(
        "select * from t;insert into t values (77, 'x');create table y (a integer);delete from t", true);
    EXPECT_EQ(log.error, "");
    EXPECT_EQ(Results(log), (std::vector<std::string>{
                                "Syntax Checked. 0 row(s) fetched.", "Syntax Checked. 0 row(s) inserted.",
                                "Syntax Checked. Table created.", "Syntax Checked. 0 row(s) deleted."}));
    for (const auto& event : log.events) {
        EXPECT_NE(event, "BeforeStatement");
        EXPECT_NE(event, "Params");
    }
    EXPECT_EQ(CountRows(), kRowsOfT);
    // The table was only checked, so a real run can still create it.
    EXPECT_EQ(RunScript("create table y (a integer)").error, "");
}

TEST_F(ExecutorTest, CheckOnlyReportsASyntaxErrorAtItsPosition) {
    const TRunLog log = RunScript("select * from t;\nselect * fro t", true);
    EXPECT_TRUE(log.errorIsQueryError);
    ASSERT_EQ(log.done.size(), 2u);
    EXPECT_EQ(log.done[1].result, log.error);
}

TEST_F(ExecutorTest, ExecuteStatementRunsTheTextUnsplitAndNeverChecksOnly) {
    TRunLog log;
    auto run = NewRun(log);
    run->CheckOnly = true;
    run->ExecuteStatement("insert into t values (200, 'a;b')");
    EXPECT_EQ(log.error, "");
    ASSERT_EQ(log.done.size(), 1u);
    EXPECT_EQ(log.done[0].result, "1 row(s) inserted.");
    EXPECT_EQ(log.done[0].statement, "insert into t values (200, 'a;b')");
    EXPECT_FALSE(run->CheckOnly);
    EXPECT_EQ(CountRows("where id = 200"), 1);
}

TEST_F(ExecutorTest, DatabaseStatementsChangeTheDatabaseInTheMiddleOfARun) {
    const TRunLog log = RunScript("close database;\ndatabase vk_exec;\nselect * from t where id <= 3");
    EXPECT_EQ(log.error, "");
    EXPECT_EQ(Results(log),
              (std::vector<std::string>{"Database closed.", "Database selected.", "3 row(s) retrieved."}));
}

TEST_F(ExecutorTest, TimeSpentInTheConfirmationDoesNotCountAsElapsed) {
    TRunLog log;
    log.beforeStatement = [](TScriptExecutor&, TStatementAction&) {
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
    };
    auto run = NewRun(log);
    run->ExecuteScript("select * from t");
    ASSERT_EQ(log.done.size(), 1u);
    EXPECT_LT(log.done[0].elapsedMs, 400u);
}

TEST_F(ExecutorTest, EstimatesComeFromTheCommunicationAreaAndReachTheLog) {
    std::vector<std::int32_t> costs;
    std::vector<std::int32_t> rows;
    TRunLog log;
    log.beforeStatement = [&](TScriptExecutor& e, TStatementAction&) {
        costs.push_back(e.EstimatedCost);
        rows.push_back(e.EstimatedRows);
    };
    auto run = NewRun(log);
    run->ExecuteScript("select * from t");
    ASSERT_EQ(costs.size(), 1u);
    EXPECT_GT(costs[0], 0);
    EXPECT_GT(rows[0], 0);
    ASSERT_EQ(log.done.size(), 1u);
    EXPECT_EQ(log.done[0].cost, run->EstimatedCost);
}

TEST_F(ExecutorTest, ParametersAreAskedForAndTheRunUsesTheirValues) {
    TRunLog log;
    log.statementParams = [](TScriptExecutor&, TStatementAction&, TParamList& params) {
        for (auto& p : params) {
            p.dataType = TParamDataType::Integer;
            p.value = std::int32_t{p.name == "lo" ? 3 : 6};
        }
    };
    auto run = NewRun(log);
    run->ExecuteScript(
        "select * from t where id >= &lo and id <= &hi and id <> &lo;select * from t where id = 1");
    EXPECT_EQ(log.error, "");
    EXPECT_EQ(log.paramNames, (std::vector<std::vector<std::string>>{{"lo", "hi", "lo"}}));
    EXPECT_EQ(Results(log), (std::vector<std::string>{"3 row(s) retrieved.", "1 row(s) retrieved."}));
}

TEST_F(ExecutorTest, CancellingTheParametersStopsTheRun) {
    TRunLog log;
    log.statementParams = [](TScriptExecutor&, TStatementAction& action, TParamList&) {
        action = TStatementAction::Stop;
    };
    auto run = NewRun(log);
    run->ExecuteScript("delete from t where id = 1;delete from t where id = &x;delete from t where id = 3");
    EXPECT_EQ(log.events, (std::vector<std::string>{"BeforeScript", "BeforeStatement", "Done",
                                                    "BeforeStatement", "Params", "AfterScript"}));
    EXPECT_EQ(CountRows(), kRowsOfT - 1);
}
