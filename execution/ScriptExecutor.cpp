#include "execution/ScriptExecutor.h"

#include <chrono>
#include <cstdio>
#include <utility>

#include "dbaccess/IfxConnection.h"
#include "execution/ScriptErrors.h"
#include "execution/SplitScript.h"
#include "execution/StatementResultText.h"

namespace varnok {

bool IsConnectionLostMessage(std::string_view message) {
    return message.starts_with("-25580") || message.starts_with("-1803");
}

std::size_t LeadingBlankCount(std::string_view text) {
    std::size_t n = 0;
    while (n < text.size() && static_cast<unsigned char>(text[n]) <= ' ')
        ++n;
    return n;
}

std::uint32_t CurrentTick() {
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
    return static_cast<std::uint32_t>(ms.count());
}

// ---- creation

TScriptExecutor::TScriptExecutor(TPasskey, std::unique_ptr<TScriptQuery> ownedQuery, TScriptQuery& query,
                                 std::shared_ptr<TExecutorHandOver> handOver)
    : Query(&query), ownedQuery_(std::move(ownedQuery)), handOver_(std::move(handOver)) {}

std::shared_ptr<TScriptExecutor> TScriptExecutor::Create(std::unique_ptr<TScriptQuery> query,
                                                         std::shared_ptr<TExecutorHandOver> handOver) {
    if (!query) throw EScriptExecError("The script executor needs a statement data set");
    TScriptQuery& ref = *query;
    return Make(std::move(query), ref, std::move(handOver));
}

std::shared_ptr<TScriptExecutor> TScriptExecutor::Make(std::unique_ptr<TScriptQuery> ownedQuery,
                                                       TScriptQuery& query,
                                                       std::shared_ptr<TExecutorHandOver> handOver) {
    if (!handOver) throw EScriptExecError("The script executor needs a thread hand-over");
    auto executor =
        std::make_shared<TScriptExecutor>(TPasskey{}, std::move(ownedQuery), query, std::move(handOver));
    // The run takes the connection over: release it from the calling (main) thread.
    query.Connection().MakeDormant();
    return executor;
}

TScriptExecutor::~TScriptExecutor() {
    if (started_) return;
    // Never started: the main thread gets the connection back it gave up in Create.
    try {
        Query->Connection().MakeCurrent();
    } catch (...) {
        // The connection went away meanwhile; its next use reports that.
    }
}

// ---- starting

void TScriptExecutor::ExecuteScript(std::string text) {
    SingleStatement = false;
    ScriptText = std::move(text);
    Start();
}

void TScriptExecutor::ExecuteStatement(std::string text) {
    CheckOnly = false;
    StatementText = std::move(text);
    SingleStatement = true;
    Start();
}

void TScriptExecutor::Start() {
    if (started_) throw EScriptExecError("This script run has already been started");
    if (!OnBeforeScript || !OnAfterScript || !OnScriptError)
        throw EScriptExecError(
            "A script run needs its OnBeforeScript, OnAfterScript and OnScriptError handlers");
    started_ = true;
    // The body keeps the executor alive until the hand-over releases it.
    handOver_->Start([self = shared_from_this()] { self->ThreadBody(); });
}

// ---- the thread body

namespace {

std::string MessageOf(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return {};
    }
}

// Fires `handler` with the exception in `failure`; anything that is not a
// standard exception is reported as a script error with a plain text.
void ReportFailure(const TScriptExecutor::TScriptErrorEvent& handler, TScriptExecutor& executor,
                   const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const std::exception& e) {
        handler(executor, e);
    } catch (...) {
        handler(executor, EScriptExecError("The script run ended with an unknown error"));
    }
}

} // namespace

void TScriptExecutor::ThreadBody() {
    std::exception_ptr failure;
    try {
        // A failing OnBeforeScript ends the run like any other failure, so the
        // connection still returns to the main thread.
        Synchronize([this] { OnBeforeScript(*this); });
        Query->Connection().MakeCurrent();
        RunScript();
        Query->Connection().MakeDormant();
    } catch (...) {
        failure = std::current_exception();
        try {
            Query->Connection().MakeDormant();
        } catch (...) {
            // A connection the server has ended cannot be released either;
            // the error that ended the run is the one to report.
        }
    }
    try {
        FinishRun(failure);
    } catch (...) {
        // An end handler failed in the main thread. Nobody is left to report
        // it to and the worker must end cleanly: leave a trace for whoever
        // looks at the program's output.
        std::fprintf(stderr, "Script run: the end handler failed: %s\n",
                     MessageOf(std::current_exception()).c_str());
    }
}

void TScriptExecutor::RunScript() {
    if (SingleStatement) {
        RunStatement(1);
        return;
    }
    // Split a copy: the statements are views into it, and a handler may
    // change ScriptText while the run goes on.
    const std::string script = ScriptText;
    SplitScript(script, [this](std::string_view text, std::size_t startIndex) {
        StatementText.assign(text);
        RunStatement(startIndex);
        return Action == TStatementAction::Stop ? TSplitAction::Stop : TSplitAction::Continue;
    });
}

void TScriptExecutor::FinishRun(std::exception_ptr failure) {
    LastError = failure;
    Synchronize([this, failure]() mutable {
        if (failure) {
            ConnectionLost = IsConnectionLostMessage(MessageOf(failure));
        }
        if (!ConnectionLost) {
            try {
                Query->Connection().MakeCurrent();
            } catch (...) {
                // The main thread could not take the connection back: a run
                // that went well ends with that error instead, one that failed
                // keeps its own error.
                if (!failure) {
                    failure = std::current_exception();
                    LastError = failure;
                    ConnectionLost = IsConnectionLostMessage(MessageOf(failure));
                }
            }
        }
        if (failure)
            ReportFailure(OnScriptError, *this, failure);
        else
            OnAfterScript(*this);
    });
}

// ---- one statement

void TScriptExecutor::RunStatement(std::size_t startIndex) {
    EstimatedCost = 0;
    EstimatedRows = 0;
    ResultText.clear();
    Action = TStatementAction::Run;
    StartTick = CurrentTick();
    try {
        Query->SetSQL(StatementText);
        Query->Prepare();
        const int type = Query->StatementType();
        const int resultColumns = Query->ResultColumnCount();
        if (!CheckOnly) {
            RunPreparedStatement(type, resultColumns);
            if (Action == TStatementAction::Stop) return;
        }
        // A database change resets the communication area: keep the
        // estimates read after the prepare.
        if (type != TStmtType::Database && type != TStmtType::CreateDatabase &&
            type != TStmtType::CloseDatabase)
            ReadCommunicationArea(type);
        AllFetched = Query->IsSequenced();
        RowCount = AllFetched ? Query->RecordCount() : Query->PacketRecords();
        ComposeResultText(type);
        FireStatementDone();
    } catch (const std::exception& e) {
        // The server's offset of the error, read before a handler can send
        // another request. The server counts it in the text it was sent,
        // which the SQL processor trimmed of the blanks and line breaks before
        // the statement; count them back in so Position names the character
        // in the executed text.
        const std::int32_t serverOffset = TIfxConnection::SqlCa()->sqlerrd[4];
        const auto trimmed = static_cast<std::int64_t>(LeadingBlankCount(StatementText));
        ResultText = e.what();
        FireStatementDone();
        throw EQueryError(QueryErrorPosition(static_cast<std::int64_t>(startIndex) + trimmed, serverOffset),
                          ResultText);
    }
}

void TScriptExecutor::RunPreparedStatement(int type, int resultColumns) {
    ReadCommunicationArea(type);
    if (OnBeforeStatement) Synchronize([this] { OnBeforeStatement(*this, Action); });
    TParamList& params = Query->Params();
    if (!params.empty() && OnStatementParams)
        Synchronize([this, &params] { OnStatementParams(*this, Action, params); });
    if (Action == TStatementAction::Stop) return;
    // Time spent in the confirmation and parameter windows does not count.
    StartTick = CurrentTick();
    if (Action != TStatementAction::Run) return;
    const bool returnsRows =
        resultColumns > 0 && (type == TStmtType::Select || type == TStmtType::ExecuteProcedure);
    if (returnsRows)
        Query->Open();
    else
        Query->Execute();
}

void TScriptExecutor::ReadCommunicationArea(int type) {
    const ifx_sqlca_t* ca = TIfxConnection::SqlCa();
    EstimatedCost = ca->sqlerrd[3];
    EstimatedRows = ca->sqlerrd[0];
    RowsProcessed = ca->sqlerrd[2];
    WholeTable = type == TStmtType::DeleteAll || type == TStmtType::UpdateAll;
}

void TScriptExecutor::ComposeResultText(int type) {
    if (CheckOnly)
        ResultText = "Syntax Checked. " + StatementResultText(type, RowsProcessed, AllFetched, 0);
    else if (Action == TStatementAction::Skip)
        ResultText = "Query Skipped. " + StatementResultText(type, RowsProcessed, AllFetched, 0);
    else
        ResultText = StatementResultText(type, RowsProcessed, AllFetched, RowCount);
}

void TScriptExecutor::FireStatementDone() {
    if (!LogStatements || !OnStatementDone) return;
    const std::uint32_t elapsed = CurrentTick() - StartTick; // wraps like the tick itself
    Synchronize(
        [this, elapsed] { OnStatementDone(*this, elapsed, ResultText, EstimatedCost, StatementText); });
}

} // namespace varnok
