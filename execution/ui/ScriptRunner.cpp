#include "execution/ui/ScriptRunner.h"

#include <Qsci/qsciscintilla.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <stdexcept>

#include "dbaccess/IfxConnection.h"
#include "dbaccess/IfxExceptions.h"
#include "editor/ui/PageLogList.h"
#include "editor/ui/SqlEditor.h"
#include "execution/ExecutionCommandRules.h"
#include "execution/ExecutorHandOverQt.h"
#include "execution/ScriptErrors.h"
#include "execution/ScriptExecutor.h"
#include "execution/ui/TfmConfirmDlg.h"
#include "execution/ui/TfmParamsDialog.h"
#include "shell/kit/StandardErrorBox.h"

namespace varnok {

namespace {
constexpr unsigned kTimeOutIntervalMs = 100;

QString Q(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

TRunFigures FiguresOf(const TScriptExecutor& run) {
    return {run.StatementText, run.ResultText, run.EstimatedCost, run.EstimatedRows, run.RowsProcessed};
}
} // namespace

void RunAssertionFailure(const char* check, int line) {
    throw std::logic_error(std::string(check) + " (VarnokMain, line " + std::to_string(line) + ")");
}

TScriptRunner::TScriptRunner(TScriptRunnerHost host, QObject* parent) : QObject(parent), host_(std::move(host)) {
    query_.SetName("qQueryExec");
    query_.SetSQLProcessor(&processor_);
    // Native fields keep a DECIMAL's scale, MONEY's money format and the
    // library's own date and time texts, where plain fields would convert
    // them to doubles and time stamps.
    fieldTypes_.SetName("IfxFieldTypes1");
    fieldTypes_.SetAllNative(true);
    query_.SetFieldTypes(&fieldTypes_);
    // Every run prepares its statements anew; a kept handle would only pile up.
    query_.SetCacheHandle(false);
    SetOptions(options_);
    confirm_ = new TfmConfirmDlg(host_.window);
    params_ = new TfmParamsDialog(host_.window);
}

TScriptRunner::~TScriptRunner() {
    dataSource_.SetDataSet(nullptr);
}

void TScriptRunner::SetOptions(const TExecutionOptions& options) {
    options_ = options;
    query_.SetPacketRecords(options_.numberRowsFetchAfterOpen);
    processor_.SetParamChar(options_.paramChar);
}

void TScriptRunner::SetDatabase(TIfxConnection& database) {
    database_ = &database;
    query_.SetConnection(&database);
    InstallTimeOutHandler(database);
}

void TScriptRunner::DatabaseTimeOut(TIfxConnection& database) {
    if (!interruptRequest_) return;
    try {
        database.Interrupt();
    } catch (const EIfxAccessError&) {
        // No request in progress (the notification that ends one): nothing to cancel.
    }
}

void TScriptRunner::InstallTimeOutHandler(TIfxConnection& database) {
    database.SetTimeOutInterval(kTimeOutIntervalMs);
    database.SetUseTimeOut(true);
    database.OnTimeOut = [this, &database](TIfxTimeOutStatus) { DatabaseTimeOut(database); };
}

void TScriptRunner::EndInterruptRequest() {
    // The request belongs to its run. Left set, the time-out handler would
    // cancel every request the main window sends afterwards (catalog lists,
    // table rows, the transaction questions at close) until the next run.
    interruptRequest_ = false;
}

void TScriptRunner::AttachResults() {
    dataSource_.SetDataSet(&query_);
}

void TScriptRunner::DetachResults() {
    dataSource_.SetDataSet(nullptr);
}

void TScriptRunner::ShowCostInfo(const TRunFigures& figures) {
    if (host_.setCost)
        host_.setCost(Q(CostInfoText(figures.estimatedCost, figures.estimatedRows, figures.rowsProcessed)));
}

void TScriptRunner::BeforeScriptEx(TfmEditor* page) {
    // A closing window has asked for the end of this run before it began.
    interruptRequest_ = closing_;
    if (!host_.executing()) RunAssertionFailure("Error. BeforeScriptEx", __LINE__);
    host_.setExecuting(true);
    DetachResults();
    if (host_.setCost) host_.setCost(QString());
    if (host_.setMessage) {
        host_.setMessage(QString(), false);
        host_.setMessage(QString::fromLatin1(kExecutingText), true);
    }
    if (page) {
        if (host_.setRunMark) host_.setRunMark(page, TRunMark::Running);
        page->PageLog()->ClearIfAutoClear();
    }
}

TStatementAction TScriptRunner::ConfirmStatement(const std::string& statementText, bool wholeTable,
                                                 std::int32_t estimatedCost, std::int32_t estimatedRows) {
    TStatementAction action = TStatementAction::Run;
    // A closing window asks nothing more: the run ends here.
    if (closing_) return TStatementAction::Stop;
    const TRunWarnings warnings = RunWarningsFor(options_, wholeTable, estimatedCost, estimatedRows);
    if (warnings != 0) {
        confirm_->SetSQLText(Q(statementText));
        action = ActionOfAnswer(confirm_->ShowWarnings(warnings, estimatedCost, estimatedRows));
    }
    return ApplyInterruptRequest(action, interruptRequest_);
}

bool TScriptRunner::AskStatementParams(TParamList& params) {
    if (closing_) return false;
    return params_->ShowParams(params);
}

void TScriptRunner::LogStatement(TfmEditor* page, std::uint32_t elapsedMs, const std::string& resultText,
                                 std::int32_t estimatedCost, const std::string& statementText) {
    if (host_.log) host_.log(elapsedMs, Q(resultText), Q(statementText), estimatedCost);
    if (page) page->PageLog()->AddEntry(elapsedMs, Q(resultText), Q(statementText));
}

void TScriptRunner::AfterScriptEx(TfmEditor* page, const TRunFigures& figures) {
    if (!host_.executing()) RunAssertionFailure("Error. AfterScriptEx", __LINE__);
    host_.setExecuting(false);
    EndInterruptRequest();
    // The views read the new result as they are attached; should that fail,
    // the run still ends in the status bar and on its page before the error shows.
    std::exception_ptr attachFailure;
    try {
        AttachResults();
    } catch (...) {
        attachFailure = std::current_exception();
    }
    lastStatementText_ = figures.statementText;
    if (host_.setMessage) host_.setMessage(Q(figures.resultText), false);
    ShowCostInfo(figures);
    if (page) {
        if (host_.setRunMark) host_.setRunMark(page, TRunMark::Finished);
        page->PageLog()->SelectLast();
    }
    if (attachFailure && !closing_) {
        try {
            std::rethrow_exception(attachFailure);
        } catch (...) {
            ShowCurrentException();
        }
    }
}

void TScriptRunner::ExceptionScriptEx(TfmEditor* page, const TRunFigures& figures, const std::exception& error,
                                      std::int32_t textOffset) {
    if (!host_.executing()) RunAssertionFailure("Error. ExceptionScriptEx", __LINE__);
    host_.setExecuting(false);
    EndInterruptRequest();
    ShowCostInfo(figures);
    const QString message = QString::fromUtf8(error.what());
    if (host_.setMessage) host_.setMessage(message, true);
    if (!page) return;
    if (host_.setRunMark) host_.setRunMark(page, TRunMark::Finished);
    const auto* queryError = dynamic_cast<const EQueryError*>(&error);
    if (!queryError) {
        // Not tied to a statement: the general error report (none while the
        // window closes: nobody would read it).
        if (!closing_) ShowStandardError(message);
        return;
    }
    MarkError(page, queryError->Position, textOffset);
    page->PageLog()->SelectLast();
}

void TScriptRunner::MarkError(TfmEditor* page, std::int32_t position, std::int32_t textOffset) {
    TSqlEditor* editor = page->Editor();
    // Positions count the bytes of the executed text, which is the editor's
    // own text (a line break is CR LF, two characters).
    const TErrorMark mark = ErrorMarkFor(position, textOffset);
    const long length = editor->SendScintilla(QsciScintilla::SCI_GETLENGTH);
    const long start = static_cast<long>(std::min<std::int64_t>(mark.start, length));
    // The whole character at start, also when it takes several bytes.
    const long end = editor->SendScintilla(QsciScintilla::SCI_POSITIONAFTER, start);
    editor->SendScintilla(QsciScintilla::SCI_SETSEL, start, end);
    editor->SendScintilla(QsciScintilla::SCI_SCROLLCARET);
    if (host_.pageShowing && host_.pageShowing(page)) editor->setFocus();
}

// ---- runs

bool TScriptRunner::StartRun(const TRunRequest& request) {
    // One run at a time: a second one would share the data set and the connection.
    if (host_.executing() || closing_) return false;
    if (!database_) throw std::logic_error("StartRun: no connection");
    host_.setExecuting(true);
    std::shared_ptr<TScriptExecutor> run;
    try {
        query_.Close();
        DetachResults();
        database_->MakeDormant();
        database_->MakeCurrent();
        // The connection is dormant in this thread from here until the run ends.
        runHandOver_ = std::make_shared<TQtHandOver>(this);
        run = TScriptExecutor::Create(query_, runHandOver_);
    } catch (...) {
        host_.setExecuting(false);
        throw;
    }
    runPage_ = request.page;
    run->Editor = request.page;
    run->LogStatements = true;
    run->CheckOnly = request.checkOnly;
    run->OnStatementDone = [this](TScriptExecutor&, std::uint32_t ms, const std::string& result, std::int32_t cost,
                                  const std::string& statement) {
        LogStatement(runPage_.data(), ms, result, cost, statement);
    };
    run->OnBeforeStatement = [this](TScriptExecutor& e, TStatementAction& action) {
        action = ConfirmStatement(e.StatementText, e.WholeTable, e.EstimatedCost, e.EstimatedRows);
    };
    run->OnStatementParams = [this](TScriptExecutor&, TStatementAction& action, TParamList& params) {
        if (!AskStatementParams(params)) action = TStatementAction::Stop;
    };
    run->OnBeforeScript = [this](TScriptExecutor&) { BeforeScriptEx(runPage_.data()); };
    run->OnAfterScript = [this](TScriptExecutor& e) { AfterScriptEx(runPage_.data(), FiguresOf(e)); };
    run->OnScriptError = [this](TScriptExecutor& e, const std::exception& error) {
        ExceptionScriptEx(runPage_.data(), FiguresOf(e), error, e.TextOffset);
    };
    try {
        if (request.singleStatement) {
            run->ExecuteStatement(lastStatementText_);
        } else {
            run->TextOffset = request.textOffset;
            run->ExecuteScript(request.text);
        }
    } catch (...) {
        // The worker never ran: the executor gives the connection back as it goes.
        if (!run->Started()) host_.setExecuting(false);
        throw;
    }
    return true;
}

bool TScriptRunner::EndRunForClose(int timeoutMs) {
    closing_ = true;
    if (!host_.executing() && !(runHandOver_ && runHandOver_->WorkerRunning())) return true;
    // The time-out handler passes the request on to the server while it works.
    RequestInterrupt();
    QElapsedTimer clock;
    clock.start();
    // The worker blocks on every event it hands over until the main thread
    // has run it: waiting without processing events would never end.
    while (host_.executing() || (runHandOver_ && runHandOver_->WorkerRunning())) {
        if (clock.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
    }
    return true;
}

bool TScriptRunner::RefreshLastStatement() {
    TRunRequest request;
    request.singleStatement = true;
    return StartRun(request);
}

bool TScriptRunner::RunScriptWithoutPage(const std::string& text) {
    TRunRequest request;
    request.text = text;
    return StartRun(request);
}

} // namespace varnok
