#include "execution/ExecutionCommandRules.h"

#include <algorithm>
#include <stdexcept>

namespace varnok {

const std::array<const char*, kExecutionCommandCount>& ExecutionCommandNames() {
    static const std::array<const char*, kExecutionCommandCount> names = {
        "acExecute",   "acExecuteSelected",     "acExecuteAllOrSelected",     "acCheckSyntax",
        "acCheckSyntaxSelected", "acCheckSyntaxAllOrSelected", "acInterruptSQL"};
    return names;
}

bool ExecutionCommandEnabled(TExecutionCommand command, const TExecutionContext& c) {
    const bool idleConnection = c.connected && !c.executing;
    switch (command) {
    case TExecutionCommand::Execute:
    case TExecutionCommand::ExecuteAllOrSelected:
    case TExecutionCommand::CheckSyntax:
    case TExecutionCommand::CheckSyntaxAllOrSelected: return idleConnection && c.hasText;
    case TExecutionCommand::ExecuteSelected:
    case TExecutionCommand::CheckSyntaxSelected: return idleConnection && c.hasSelection;
    case TExecutionCommand::InterruptSQL: return c.executing;
    }
    return false;
}

TRunSource RunSourceFor(TExecutionCommand command, bool hasSelection) {
    switch (command) {
    case TExecutionCommand::Execute: return {false, false};
    case TExecutionCommand::ExecuteSelected: return {true, false};
    case TExecutionCommand::ExecuteAllOrSelected: return {hasSelection, false};
    case TExecutionCommand::CheckSyntax: return {false, true};
    case TExecutionCommand::CheckSyntaxSelected: return {true, true};
    case TExecutionCommand::CheckSyntaxAllOrSelected: return {hasSelection, true};
    case TExecutionCommand::InterruptSQL: break;
    }
    throw std::logic_error("RunSourceFor: the command starts no run");
}

TErrorMark ErrorMarkFor(std::int32_t position, std::int32_t textOffset) {
    const std::int64_t start =
        std::max<std::int64_t>(0, static_cast<std::int64_t>(position) + static_cast<std::int64_t>(textOffset) - 1);
    return {start, start + 1};
}

std::string CostInfoText(std::int32_t estimatedCost, std::int32_t estimatedRows, std::int32_t rowsProcessed) {
    return std::to_string(estimatedCost) + ":" + std::to_string(estimatedRows) + ":" + std::to_string(rowsProcessed);
}

}  // namespace varnok
