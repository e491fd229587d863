#pragma once
// TScriptRunner: the main window's side of a script run. It owns the
// statement data set qQueryExec with its SQL processor and the statement
// data source DataSource1, holds the run options, the interrupt
// request and the text of the last good statement, shows the confirmation
// and parameters windows, and handles the run's events: the status panes,
// the page's run mark and log, the main log, the caret on a failed
// statement.
//
// StartRun creates one TScriptExecutor per run over the statement data set
// and maps its events onto the handlers below, which take plain values.
#include <QObject>
#include <QPointer>
#include <QString>
#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>

#include "dbaccess/DataSource.h"
#include "dbaccess/IfxFieldTypes.h"
#include "dbaccess/IfxQuery.h"
#include "dbaccess/SQLProcessor.h"
#include "editor/ui/FmEditor.h"
#include "execution/ExecutionOptions.h"
#include "execution/RunWarnings.h"
#include "execution/ParamList.h"
#include "execution/ui/ExecutionCommands.h"

class QWidget;

namespace varnok {

class TfmConfirmDlg;
class TfmParamsDialog;
class TIfxConnection;
class TExecutorHandOver;
class TQtHandOver;

// What the runner needs of the main window.
struct TScriptRunnerHost {
    QWidget* window = nullptr; // parent of the confirmation and parameters windows
    // The executing flag.
    std::function<bool()> executing;
    std::function<void(bool)> setExecuting;
    // One line of the main log (cost -1: none).
    std::function<void(uint32_t ms, const QString& message, const QString& additional, int32_t cost)> log;
    // The status panes: cost text; message text, blinking in red or not.
    std::function<void(const QString& text)> setCost;
    std::function<void(const QString& text, bool blink)> setMessage;
    // The page tab's run mark.
    std::function<void(TfmEditor* page, TRunMark mark)> setRunMark;
    // Whether the page is the one shown in the editor pages.
    std::function<bool(TfmEditor* page)> pageShowing;
};

// The figures a run ends with (the executor's fields at its end).
struct TRunFigures {
    std::string statementText;
    std::string resultText;
    std::int32_t estimatedCost = 0;
    std::int32_t estimatedRows = 0;
    std::int32_t rowsProcessed = 0;
};

class TScriptRunner : public QObject {
    Q_OBJECT
public:
    explicit TScriptRunner(TScriptRunnerHost host, QObject* parent = nullptr);
    ~TScriptRunner() override;

    // ---- state
    // The statement data set shared by all runs (rows of a SELECT are
    // fetched in packets of NumberRowsFetchAfterOpen, parameters written
    // with ParamChar), and the data source the result views show.
    TIfxQuery& qQueryExec() { return query_; }
    TIfxSQLProcessor& SQLProcessor() { return processor_; }
    TDataSource& DataSource1() { return dataSource_; }
    // The connection the runs use: the data set's connection, with the
    // time-out handler that serves the interrupt request.
    void SetDatabase(TIfxConnection& database);
    TIfxConnection* Database() const { return database_; }
    const std::string& LastStatementText() const { return lastStatementText_; }
    void SetLastStatementText(std::string text) { lastStatementText_ = std::move(text); }

    const TExecutionOptions& Options() const { return options_; }
    // Takes the options over and gives the packet size to the data set and
    // the parameter character to its SQL processor.
    void SetOptions(const TExecutionOptions& options);

    // The interrupt request: set by "Interrupt", cleared when a run begins
    // and when it ends; read by the thread that waits for the server.
    bool InterruptRequested() const { return interruptRequest_; }
    void RequestInterrupt() { interruptRequest_ = true; }
    // The connection's time-out handler (DatabaseTimeOut): while the request
    // is set every notification asks the server to cancel. The connection
    // refuses when it is not processing a request (the notification that
    // ends one); that refusal is absorbed here, it must not reach the client
    // library's callback.
    void DatabaseTimeOut(TIfxConnection& database);
    // Routes database's time-out notification to DatabaseTimeOut, every
    // TimeOutInterval (100 ms) while it waits.
    void InstallTimeOutHandler(TIfxConnection& database);

    // ---- windows (created once)
    TfmConfirmDlg* fmConfirmDlg() const { return confirm_; }
    TfmParamsDialog* fmParamsDialog() const { return params_; }
    // ---- runs
    // Starts a run: the executing flag is set, the result views go empty and
    // the connection passes to the run's worker. Refused (false) while a run
    // is under way (the shared data set serves one run at a time) and once
    // the window is closing (EndRunForClose). A failure
    // before the worker starts (no open connection) clears the flag again
    // and goes on to the caller.
    bool StartRun(const TRunRequest& request);
    // Runs the last statement of the last good run again, without page.
    bool RefreshLastStatement();
    // Runs a saved connection's after-connect script, without page.
    bool RunScriptWithoutPage(const std::string& text);
    // For the close of the main window: ends the run under way, if any. The
    // server is asked to cancel its statement, the run stops before its next
    // statement without asking anything, and no error box shows. The main
    // thread's events keep flowing meanwhile (the run hands its events to
    // them); returns once the run's worker has finished with the data set
    // and the connection, or false when that took longer than timeoutMs.
    bool EndRunForClose(int timeoutMs);
    bool Closing() const { return closing_; }

    // ---- the run's event handlers (main thread)
    void BeforeScriptEx(TfmEditor* page);
    TStatementAction ConfirmStatement(const std::string& statementText, bool wholeTable, std::int32_t estimatedCost,
                                      std::int32_t estimatedRows);
    void LogStatement(TfmEditor* page, std::uint32_t elapsedMs, const std::string& resultText,
                      std::int32_t estimatedCost, const std::string& statementText);
    void AfterScriptEx(TfmEditor* page, const TRunFigures& figures);
    // False unless the parameters window is closed with "Ok".
    bool AskStatementParams(TParamList& params);
    // error is the exception that ended the run; textOffset the executed
    // text's offset within the page's text.
    void ExceptionScriptEx(TfmEditor* page, const TRunFigures& figures, const std::exception& error,
                           std::int32_t textOffset);

private:
    void EndInterruptRequest();
    void AttachResults();
    void DetachResults();
    void ShowCostInfo(const TRunFigures& figures);
    void MarkError(TfmEditor* page, std::int32_t position, std::int32_t textOffset);

    TScriptRunnerHost host_;
    TIfxSQLProcessor processor_; // before the data set that uses it
    TIfxFieldTypes fieldTypes_;  // all native: the grid shows each type's own text
    TIfxQuery query_;
    TDataSource dataSource_;
    TIfxConnection* database_ = nullptr;
    QPointer<TfmEditor> runPage_; // the page of the run under way, if any
    std::string lastStatementText_;
    TExecutionOptions options_;
    std::atomic<bool> interruptRequest_ = false; // one flag, no lock
    std::shared_ptr<TQtHandOver> runHandOver_;   // of the last run started
    bool closing_ = false;                       // the main window is closing
    TfmConfirmDlg* confirm_ = nullptr;           // children of the window
    TfmParamsDialog* params_ = nullptr;
};

// A consistency check of the run handlers that must never fail: the text
// names the check, the source and the line.
[[noreturn]] void RunAssertionFailure(const char* check, int line);

} // namespace varnok
