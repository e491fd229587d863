#pragma once
// The execution commands as rules: their names, which text each runs, when
// each is enabled, the status-bar texts of a run and where the editor marks
// a failed statement.
#include <array>
#include <cstdint>
#include <string>

namespace varnok {

enum class TExecutionCommand {
    Execute,
    ExecuteSelected,
    ExecuteAllOrSelected,
    CheckSyntax,
    CheckSyntaxSelected,
    CheckSyntaxAllOrSelected,
    InterruptSQL,
};
inline constexpr std::size_t kExecutionCommandCount = 7;

// Command names in list order (acExecute ... acInterruptSQL).
const std::array<const char*, kExecutionCommandCount>& ExecutionCommandNames();

// What the editor holds and what the program is doing when the rule is evaluated.
struct TExecutionContext {
    bool connected = false;    // the connection is open
    bool executing = false;    // the executing flag
    bool hasText = false;      // the active editor holds at least one line
    bool hasSelection = false; // the active editor has a selection
};

bool ExecutionCommandEnabled(TExecutionCommand command, const TExecutionContext& context);

// The text a run command takes from the active page.
struct TRunSource {
    bool selection = false; // the selection, else the whole text
    bool checkOnly = false;
};
// InterruptSQL starts no run; asking for it is a programming error.
TRunSource RunSourceFor(TExecutionCommand command, bool hasSelection);

// Offset of the executed text within the page's text, as the executor keeps
// it: 0 for the whole text, for a selection its start counted from 1 less
// one — which is the editor's 0-based selection start. The mark then lands
// on the character the server blamed: 1-based start s, statement start k,
// server offset e give the 0-based index s + k + e − 2.
inline std::int32_t RunTextOffset(const TRunSource& source, std::int32_t selectionStart0) {
    return source.selection ? selectionStart0 : 0;
}

// The one character marked on a failed statement: 0-based [start, start + 1)
// at Position + TextOffset − 1, never before the first character.
struct TErrorMark {
    std::int64_t start = 0;
    std::int64_t end = 0;
};
TErrorMark ErrorMarkFor(std::int32_t position, std::int32_t textOffset);

// ---- status-bar texts
inline constexpr const char* kExecutingText = "Executing";
// "cost:rows:processed", e.g. "12:3:3".
std::string CostInfoText(std::int32_t estimatedCost, std::int32_t estimatedRows, std::int32_t rowsProcessed);

}  // namespace varnok
