#include "execution/RunWarnings.h"

#include "execution/ScriptExecutor.h"

namespace varnok {

TRunWarnings RunWarningsFor(const TExecutionOptions& options, bool wholeTable, std::int32_t estimatedCost,
                            std::int32_t estimatedRows) {
    TRunWarnings warnings = 0;
    if (options.warnOfUpdateDeleteWithoutWhere && wholeTable) warnings |= rwWholeTable;
    if (options.warnOfLargeQueryCost && estimatedCost >= options.warnOfLargeQueryCostValue) warnings |= rwCost;
    if (options.warnOfLargeNumberOfRowsRet && estimatedRows >= options.warnOfLargeNumberOfRowsRetValue)
        warnings |= rwRows;
    return warnings;
}

std::string RunWarningText(TRunWarnings warnings, std::int32_t estimatedCost, std::int32_t estimatedRows) {
    std::string text;
    if (warnings & rwCost)
        text += "Estimated cost for the query is too high - " + std::to_string(estimatedCost) + ".\r\n";
    if (warnings & rwRows)
        text += "Too many rows will be returned - " + std::to_string(estimatedRows) + ".\r\n";
    if (warnings & rwWholeTable) text += "No WHERE clause on Delete or Update, every row in table will be affected.";
    return text;
}

TStatementAction ActionOfAnswer(TConfirmAnswer answer) {
    switch (answer) {
    case TConfirmAnswer::Run: return TStatementAction::Run;
    case TConfirmAnswer::Skip: return TStatementAction::Skip;
    case TConfirmAnswer::Abort:
    case TConfirmAnswer::Closed: break;
    }
    return TStatementAction::Stop;
}

TStatementAction ApplyInterruptRequest(TStatementAction action, bool interruptRequested) {
    return interruptRequested ? TStatementAction::Stop : action;
}

}  // namespace varnok
