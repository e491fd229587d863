#include "bench/BenchMainWindow.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTabWidget>
#include <QTableView>
#include <cstdio>
#include <stdexcept>

#include "connections/ui/ConnectFlow.h"
#include "editor/ui/EditorPages.h"
#include "editor/ui/SqlEditor.h"
#include "execution/ExecutionOptions.h"
#include "execution/ui/ExecutionCommands.h"
#include "execution/ui/ScriptRunner.h"
#include "results/ui/InstallResultViews.h"
#include "results/ui/ResultViews.h"
#include "results/ui/TfmResult.h"
#include "shell/kit/CommandRegistry.h"
#include "shell/ui/ExecutionPart.h"
#include "shell/ui/StatusPanes.h"
#include "shell/ui/TfmMain.h"

namespace varnok {

namespace {
void Print(const char* kind, const QString& caption, const QString& text) {
    std::fprintf(stderr, "[%s] %s: %s\n", kind, caption.toUtf8().constData(), text.toUtf8().constData());
}
} // namespace

void TBenchMainWindow::TStderrSink::Plain(const QString& text) {
    Print("box", {}, text);
}
void TBenchMainWindow::TStderrSink::Information(const QString& caption, const QString& text) {
    Print("information", caption, text);
}
void TBenchMainWindow::TStderrSink::Error(const QString& caption, const QString& text) {
    Print("error", caption, text);
}
bool TBenchMainWindow::TStderrSink::AskYesNo(const QString& caption, const QString& text, bool) {
    Print("question, answered No", caption, text);
    return false;
}

TBenchMainWindow::TBenchMainWindow(QSize size) {
    if (!settings_.isValid()) throw std::runtime_error("no temporary settings folder");
    TMainWindowStartup startup;
    const std::string folder = settings_.path().toStdString();
    startup.arguments = {"/i", folder};
    startup.programFolder = folder + "/program/";
    startup.programBaseName = "varnok";
    startup.getLocalAppData = [folder] { return folder + "/local/"; };
    startup.parts = TMainWindowStartup::ProgramParts();
    window_ = std::make_unique<TfmMain>(startup);
    runner_ = ScriptRunnerOf(*window_);
    result_ = ResultViewsOf(window_.get()).result;
    if (!runner_ || !result_) throw std::runtime_error("the main window has no script runner or result view");
    TExecutionOptions options = runner_->Options();
    options.warnOfUpdateDeleteWithoutWhere = false;
    options.warnOfLargeQueryCost = false;
    options.warnOfLargeNumberOfRowsRet = false;
    runner_->SetOptions(options);
    window_->resize(size);
    window_->show();
    QCoreApplication::processEvents();
}

TBenchMainWindow::~TBenchMainWindow() {
    if (!window_) return;
    WaitForRunEnd(60000);
    try {
        window_->ConnectFlow()->Database().Close();
    } catch (...) {
    }
}

void TBenchMainWindow::Connect(const QString& server, const QString& database, const QString& user) {
    window_->ConnectFlow()->OpenConnection(server, database, QString(), user);
    window_->ConnectFlow()->UpdateConnectionBar();
}

void TBenchMainWindow::ConnectSaved(const TConnectionsParam& record) {
    window_->ConnectFlow()->ConnectSaved(record);
    WaitForRunEnd();
    window_->ConnectFlow()->UpdateConnectionBar();
}

void TBenchMainWindow::StartExecute(const QString& text) {
    Editor()->setText(text);
    ExecutionCommandsOf(*window_)->Command(TExecutionCommand::Execute)->Execute();
}

bool TBenchMainWindow::WaitForRunEnd(int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (window_->Executing()) {
        if (clock.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    QCoreApplication::processEvents();
    return true;
}

void TBenchMainWindow::ShowMainTab(int index) {
    window_->pcMain()->setCurrentIndex(index);
    QCoreApplication::processEvents();
}

QTableView* TBenchMainWindow::ResultGrid() const {
    return result_->dbgResult();
}

TSqlEditor* TBenchMainWindow::Editor() const {
    return window_->EditorPages().ActiveEditor();
}

QString TBenchMainWindow::StatusMessage() const {
    return window_->Status().pnMessage()->text();
}

} // namespace varnok
