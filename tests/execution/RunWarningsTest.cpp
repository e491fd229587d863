#include "execution/RunWarnings.h"
#include "execution/ScriptExecutor.h"

#include <gtest/gtest.h>

namespace varnok {
namespace {

struct WarningCase {
    const char* what;
    bool wholeTable;
    std::int32_t cost;
    std::int32_t rows;
    TRunWarnings expected;
};

TEST(RunWarnings, DefaultOptionsWarnFromTheThresholdOn) {
    const TExecutionOptions options;
    const WarningCase cases[] = {
        {"nothing to warn of", false, 9999, 99999, 0},
        {"cost exactly at the threshold", false, 10000, 1, rwCost},
        {"rows exactly at the threshold", false, 1, 100000, rwRows},
        {"whole table", true, 0, 0, rwWholeTable},
        {"all three", true, 50000, 200000, rwCost | rwRows | rwWholeTable},
        {"negative estimates", false, -1, -1, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RunWarningsFor(options, c.wholeTable, c.cost, c.rows), c.expected) << c.what;
}

TEST(RunWarnings, SwitchedOffWarningsAreNeverRaised) {
    TExecutionOptions options;
    options.warnOfLargeQueryCost = false;
    EXPECT_EQ(RunWarningsFor(options, true, 1 << 30, 1 << 30), rwRows | rwWholeTable);
    options.warnOfLargeNumberOfRowsRet = false;
    EXPECT_EQ(RunWarningsFor(options, true, 1 << 30, 1 << 30), rwWholeTable);
    options.warnOfUpdateDeleteWithoutWhere = false;
    EXPECT_EQ(RunWarningsFor(options, true, 1 << 30, 1 << 30), 0u);
}

TEST(RunWarnings, ChangedThresholdsRule) {
    TExecutionOptions options;
    options.warnOfLargeQueryCostValue = 5;
    options.warnOfLargeNumberOfRowsRetValue = 0;
    EXPECT_EQ(RunWarningsFor(options, false, 4, 0), rwRows);
    EXPECT_EQ(RunWarningsFor(options, false, 5, -1), rwCost);
}

TEST(RunWarnings, TextListsCostThenRowsThenWholeTable) {
    EXPECT_EQ(RunWarningText(rwCost | rwRows | rwWholeTable, 12000, 150000),
              "Estimated cost for the query is too high - 12000.\r\n"
              "Too many rows will be returned - 150000.\r\n"
              "No WHERE clause on Delete or Update, every row in table will be affected.");
    EXPECT_EQ(RunWarningText(rwRows, 1, 100000), "Too many rows will be returned - 100000.\r\n");
    EXPECT_EQ(RunWarningText(rwWholeTable, 10, 20),
              "No WHERE clause on Delete or Update, every row in table will be affected.");
    EXPECT_EQ(RunWarningText(0, 1, 2), "");
}

TEST(RunWarnings, AnswersAndTheInterruptRequestDecide) {
    EXPECT_EQ(ActionOfAnswer(TConfirmAnswer::Run), TStatementAction::Run);
    EXPECT_EQ(ActionOfAnswer(TConfirmAnswer::Skip), TStatementAction::Skip);
    EXPECT_EQ(ActionOfAnswer(TConfirmAnswer::Abort), TStatementAction::Stop);
    EXPECT_EQ(ActionOfAnswer(TConfirmAnswer::Closed), TStatementAction::Stop);
    for (auto action : {TStatementAction::Run, TStatementAction::Skip, TStatementAction::Stop}) {
        EXPECT_EQ(ApplyInterruptRequest(action, true), TStatementAction::Stop);
        EXPECT_EQ(ApplyInterruptRequest(action, false), action);
    }
}

}  // namespace
}  // namespace varnok
