#pragma once
// The statement splitter of the script executor.
//
// A script is cut at ";" — but not inside quoted text ("..." or '...'),
// comments ({...}, -- to the line end, /* ... */) or the body of a stored
// procedure or function, whose own semicolons belong to the one CREATE
// statement. The scanner walks the bytes once and keeps a small state (see
// TSplitState); it never allocates, so a 100 MB script splits in well under
// a second.
//
// Each statement is handed over as a view into the script: from the
// statement start (the character after the previous terminating ";", or the
// first character) up to and including its own ";". It therefore keeps the
// blanks and comments that precede it. The last statement, when the script
// does not end in state 0, runs to the end of the text without ";".
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace varnok {

// Where the scanner stands; the numbers are the executor's documented states.
enum class TSplitState : std::uint8_t {
    Idle = 0,             // nothing but blanks, comments or ";" since the last statement
    Create = 1,           // "create" seen
    CreateDba = 2,        // "create" "dba" seen
    Procedure = 3,        // inside a procedure body
    Function = 4,         // inside a function body
    External = 5,         // "external" seen in a routine: waits for "name"
    ProcedureEnd = 6,     // "end" seen inside a procedure
    FunctionEnd = 7,      // "end" seen inside a function
    Statement = 8,        // an ordinary statement; ";" ends it
};

// The state reached from `state` by reading `word` (compared without regard
// to ASCII letter case). In TSplitState::Statement words are not examined.
TSplitState NextSplitState(TSplitState state, std::string_view word);

// What the caller wants after one statement: go on, or stop the split at once
// (the executor's Action 2).
enum class TSplitAction { Continue, Stop };

// Receives each statement: its text (a view into the script) and the 1-based
// index in the script of its first character.
using TStatementSink = std::function<TSplitAction(std::string_view text, std::size_t startIndex)>;

// Splits `script` and hands every statement to `sink` in order.
// Returns false when the sink asked to stop, true when the whole script was split.
bool SplitScript(std::string_view script, const TStatementSink& sink);

// One statement of SplitScriptToList.
struct TScriptStatement {
    std::string_view Text;   // view into the script given to SplitScriptToList
    std::size_t StartIndex;  // 1-based
};

// Convenience for callers that want the whole list (and for tests).
std::vector<TScriptStatement> SplitScriptToList(std::string_view script);

}  // namespace varnok
