#pragma once
// TScriptExecutor: runs SQL text on the open connection, one statement after
// the other, on a worker thread, so the main window stays responsive while
// the server works. It splits a script at ";" (SplitScript.h), prepares each
// statement, lets the main window confirm it or supply parameter values,
// executes or opens it (or, in check-only mode, stops after the prepare),
// composes the result text and reports every step through events that run
// in the main thread while the worker waits. The first statement that fails
// ends the run with an EQueryError whose Position is the character of the
// error in the executed text.
//
// How a caller runs a script (ExecutorHandOverQt.h for TQtHandOver; tests
// and tools without an event loop pass a TDirectHandOver instead):
//
//   auto run = TScriptExecutor::Create(qQueryExec, std::make_shared<TQtHandOver>());
//   // The connection is now dormant in the main thread: the run owns it.
//   run->Editor = page;                // read back by the handlers
//   run->TextOffset = selectionStart;  // ditto
//   run->LogStatements = true;
//   run->CheckOnly = checkOnly;
//   run->OnBeforeScript = [..](TScriptExecutor& e) { ... };          // required
//   run->OnAfterScript = [..](TScriptExecutor& e) { ... };           // required
//   run->OnScriptError = [..](TScriptExecutor& e, const std::exception& error) {
//       if (auto* q = dynamic_cast<const EQueryError*>(&error)) caret to q->Position;
//       if (e.ConnectionLost) ...;                                   // required
//   };
//   run->OnBeforeStatement = [..](TScriptExecutor& e, TStatementAction& action) { ... };
//   run->OnStatementParams = [..](TScriptExecutor& e, TStatementAction& action, TParamList& params) {
//       if (!fmParams->ShowParams(params)) action = TStatementAction::Stop;
//   };  // the values left in `params` are bound by name when the statement runs
//   run->OnStatementDone = [..](TScriptExecutor& e, std::uint32_t ms, const std::string& result,
//                               std::int32_t cost, const std::string& statement) { ... };
//   run->ExecuteScript(text);        // or ExecuteStatement(lastStatement)
//   // `run` may be dropped now: the run keeps itself alive.
//
// Ownership: an executor exists only as a shared_ptr (Create). A started run
// holds a reference of its own until its worker has finished and its thread
// object is released in the main thread, so the executor frees itself when
// the run is over, and a caller that keeps its shared_ptr (or a weak_ptr)
// never sees a dangling pointer. An executor that is never started gives the
// connection back to the main thread when it is destroyed.
//
// Threads: every event runs in the main thread while the worker waits. The
// connection is dormant in the main thread from Create until the run ends; it
// is current in the worker during the run and made current in the main
// thread again before OnAfterScript or OnScriptError — except when the
// error that ended the run says the connection is gone (ConnectionLost).
// Fields are shared between the threads only at those hand-over points.
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "execution/ExecutorHandOver.h"
#include "execution/ScriptQuery.h"

namespace varnok {

class TIfxQuery;
class TfmEditor; // the editor page whose text runs; not used by the executor

// Decision for the current statement, set by OnBeforeStatement and
// OnStatementParams.
enum class TStatementAction : std::uint8_t {
    Run = 0,  // execute it
    Skip = 1, // do not execute it; it is logged as "Query Skipped. …"
    Stop = 2, // end the run now (no failure); the statement is not logged
};

class TScriptExecutor : public std::enable_shared_from_this<TScriptExecutor> {
public:
    using TExecutorEvent = std::function<void(TScriptExecutor&)>;
    using TBeforeStatementEvent = std::function<void(TScriptExecutor&, TStatementAction& action)>;
    using TStatementParamsEvent =
        std::function<void(TScriptExecutor&, TStatementAction& action, TParamList& params)>;
    // elapsed milliseconds, result or error text, estimated cost, statement text
    using TStatementDoneEvent =
        std::function<void(TScriptExecutor&, std::uint32_t elapsedMs, const std::string& resultText,
                           std::int32_t estimatedCost, const std::string& statementText)>;
    using TScriptErrorEvent = std::function<void(TScriptExecutor&, const std::exception& error)>;

    // Called in the main thread. Makes the query's connection dormant there
    // (raises when the connection is closed). The executor uses `query` and
    // never owns it.
    static std::shared_ptr<TScriptExecutor> Create(TIfxQuery& query,
                                                   std::shared_ptr<TExecutorHandOver> handOver);
    // The same over any statement data set given through its adapter, which
    // the executor owns.
    static std::shared_ptr<TScriptExecutor> Create(std::unique_ptr<TScriptQuery> query,
                                                   std::shared_ptr<TExecutorHandOver> handOver);

    ~TScriptExecutor();
    TScriptExecutor(const TScriptExecutor&) = delete;
    TScriptExecutor& operator=(const TScriptExecutor&) = delete;

    // ---- starting (once per executor; a second start raises EScriptExecError)
    // Runs `text` statement by statement.
    void ExecuteScript(std::string text);
    // Runs `text` as one statement without splitting, never check-only (used
    // to run the last statement of the previous run again).
    void ExecuteStatement(std::string text);

    // ---- events, in the order a run fires them (see the header comment)
    TStatementDoneEvent OnStatementDone;     // only while LogStatements
    TBeforeStatementEvent OnBeforeStatement; // not in check-only mode
    TStatementParamsEvent OnStatementParams; // statement has parameters
    TScriptErrorEvent OnScriptError;         // required
    TExecutorEvent OnBeforeScript;           // required
    TExecutorEvent OnAfterScript;            // required; also after a stop

    // ---- state (read by the handlers; set by the caller before the start
    // where noted)
    std::string StatementText;      // statement being run, as cut from the script
    bool LogStatements = false;     // caller: fire OnStatementDone
    std::string ScriptText;         // whole text of a script run
    TScriptQuery* Query = nullptr;  // the statement data set
    std::int32_t EstimatedRows = 0; // sqlerrd[0]
    std::int32_t EstimatedCost = 0; // sqlerrd[3]
    std::int32_t RowsProcessed = 0; // sqlerrd[2]
    bool CheckOnly = false;         // caller: prepare only
    bool AllFetched = false;        // the data set holds its whole result
    std::int32_t RowCount = 0;      // record count when AllFetched, else packet size
    bool WholeTable = false;        // statement type 32 or 33
    std::uint32_t StartTick = 0;    // tick at which the statement's timing began
    std::exception_ptr LastError;   // what ended the run, if anything did
    std::string ResultText;         // result text or error message of the statement
    bool SingleStatement = false;   // run StatementText unsplit
    TStatementAction Action = TStatementAction::Run;
    bool ConnectionLost = false; // decided once, on failure
    std::int32_t TextOffset = 0; // caller: offset of the text in the page
    TfmEditor* Editor = nullptr; // caller: the page that runs, may be none

    bool Started() const { return started_; }

private:
    struct TPasskey {};

public:
    TScriptExecutor(TPasskey, std::unique_ptr<TScriptQuery> ownedQuery, TScriptQuery& query,
                    std::shared_ptr<TExecutorHandOver> handOver);

private:
    static std::shared_ptr<TScriptExecutor> Make(std::unique_ptr<TScriptQuery> ownedQuery,
                                                 TScriptQuery& query,
                                                 std::shared_ptr<TExecutorHandOver> handOver);
    void Start();
    void ThreadBody();
    void RunScript();
    // Runs StatementText, which starts at 1-based index `startIndex` of the
    // executed text.
    void RunStatement(std::size_t startIndex);
    void RunPreparedStatement(int type, int resultColumns);
    void ReadCommunicationArea(int type);
    void ComposeResultText(int type);
    void FireStatementDone();
    // The end of a run, in the main thread.
    void FinishRun(std::exception_ptr failure);
    void Synchronize(const std::function<void()>& work) { handOver_->Synchronize(work); }

    std::unique_ptr<TScriptQuery> ownedQuery_;
    std::shared_ptr<TExecutorHandOver> handOver_;
    bool started_ = false;
};

// The error that ended a run says the connection is gone: its message begins
// with "-25580" (session ended by the server) or "-1803" (no connection).
bool IsConnectionLostMessage(std::string_view message);

// Characters the SQL processor trims from the start of a statement before
// it reaches the server (every byte up to the blank).
std::size_t LeadingBlankCount(std::string_view text);

// The system's millisecond tick: steady, wrapping at 2^32.
std::uint32_t CurrentTick();

} // namespace varnok
