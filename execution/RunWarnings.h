#pragma once
// The confirmation rule of a run: which warnings a prepared statement
// deserves under the options, the text that explains them, and how the
// answer (and an interrupt request) becomes the statement's decision.
#include <cstdint>
#include <string>

#include "execution/ExecutionOptions.h"

namespace varnok {

// The set of warnings of one statement (bits as stored: cost 0, rows 1, whole table 2).
enum TRunWarning : unsigned {
    rwCost = 1u << 0,
    rwRows = 1u << 1,
    rwWholeTable = 1u << 2,
};
using TRunWarnings = unsigned;

// What the estimates of a prepared statement call for. A threshold that is
// reached warns: a cost exactly at the threshold is warned about.
TRunWarnings RunWarningsFor(const TExecutionOptions& options, bool wholeTable, std::int32_t estimatedCost,
                            std::int32_t estimatedRows);

// The confirmation window's message: cost first, then rows, each on its own
// line, the whole-table sentence last.
std::string RunWarningText(TRunWarnings warnings, std::int32_t estimatedCost, std::int32_t estimatedRows);

// The executor's per-statement decision (ScriptExecutor.h).
enum class TStatementAction : std::uint8_t;

// The confirmation window's answers; Closed is every other way of closing it.
enum class TConfirmAnswer { Run, Skip, Abort, Closed };

TStatementAction ActionOfAnswer(TConfirmAnswer answer);

// The last word before a statement runs: an interrupt request stops the run
// whatever was decided before.
TStatementAction ApplyInterruptRequest(TStatementAction action, bool interruptRequested);

}  // namespace varnok
