#pragma once
// The main window with the connect flow and the script execution, against a
// throw-away stand-in server made once per test suite: a logged database
// vk_run with a digits table, big (100,000 rows), t10k (10,000 rows), t9999
// (9,999 rows) and small (3 rows). Each test starts its own main window in a
// settings folder of its own and connects to vk_run.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <string>

#include "connections/ui/ConnectFlow.h"
#include "dbaccess/ConnectionTestFixture.h" // BindStandIn
#include "dbaccess/IfxLibrary.h"
#include "editor/ui/EditorPages.h"
#include "editor/ui/SqlEditor.h"
#include "execution/ui/ExecutionCommands.h"
#include "execution/ui/ScriptRunner.h"
#include "execution/ui/TfmConfirmDlg.h"
#include "execution/ui/TfmParamsDialog.h"
#include "shell/LogModel.h"
#include "shell/gui/RecordingMessageSink.h"
#include "shell/kit/CommandRegistry.h"
#include "results/ui/InstallResultViews.h"
#include "results/ui/TfmResult.h"
#include "shell/ui/EditorToolBars.h"
#include "shell/ui/ExecutionPart.h"
#include "shell/ui/StatusPanes.h"
#include "shell/ui/TfmMain.h"

#include <Qsci/qsciscintilla.h>

namespace varnok::testing {

template <class Pred> bool WaitUntil(Pred ready, int timeoutMs = 20000) {
    QElapsedTimer clock;
    clock.start();
    while (!ready()) {
        if (clock.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

class ExecutionTest : public ::testing::Test {
protected:
    static constexpr int kBigRows = 100000;

    static void SetUpTestSuite() {
        namespace fs = std::filesystem;
        connection_test::BindStandIn();
        root_ = new fs::path(fs::temp_directory_path() / ("varnok-execution-" + std::to_string(std::random_device()())));
        fs::create_directories(*root_);
        std::ofstream(*root_ / "sqlhosts") << "simsrv onsqlite localhost " << (*root_ / "data").string() << "\n";
        const std::string hosts = (*root_ / "sqlhosts").string();
        ::setenv("INFORMIXSQLHOSTS", hosts.c_str(), 1);
        const TIfxLibrary& lib = Ifx();
        ASSERT_EQ(lib.ifx_putenv(("INFORMIXSQLHOSTS=" + hosts).c_str()), 0);
        lib.sqli_connect_open(ESQLINTVERSION, 0, "@simsrv", "vkexecfixture", nullptr, 1);
        ASSERT_EQ(*lib.fnsqlcode(), 0);
        const char* script[] = {
            "create database vk_run with log",
            "create table digits (d integer)",
            "insert into digits values (0)", "insert into digits values (1)", "insert into digits values (2)",
            "insert into digits values (3)", "insert into digits values (4)", "insert into digits values (5)",
            "insert into digits values (6)", "insert into digits values (7)", "insert into digits values (8)",
            "insert into digits values (9)",
            "create table big (id integer, v integer)",
            "insert into big select a.d + 10 * b.d + 100 * c.d + 1000 * e.d + 10000 * f.d + 1, 0 "
            "from digits a, digits b, digits c, digits e, digits f",
            "create table t10k (id integer)",
            "insert into t10k select id from big where id <= 10000",
            "create table t9999 (id integer)",
            "insert into t9999 select id from big where id <= 9999",
            "create table small (id integer, name char(10))",
            "insert into small values (1, 'one')", "insert into small values (2, 'two')",
            "insert into small values (3, 'three')",
        };
        for (const char* sql : script)
            ASSERT_EQ(lib.sqli_exec_immed(sql), 0) << sql;
        lib.sqli_connect_close(3, nullptr, 0, 0);
        ASSERT_EQ(*lib.fnsqlcode(), 0);
    }

    static void TearDownTestSuite() {
        std::error_code ec;
        std::filesystem::remove_all(*root_, ec);
        delete root_;
        root_ = nullptr;
    }

    void SetUp() override { StartWindow(); }

    void StartWindow() {
        TMainWindowStartup s;
        s.arguments = {"/i", dir_.path().toStdString()};
        s.programFolder = dir_.path().toStdString() + "/program/";
        s.programBaseName = "varnok";
        s.getLocalAppData = [this] { return dir_.path().toStdString() + "/local/"; };
        s.parts = TMainWindowStartup::ProgramParts();
        window_ = std::make_unique<TfmMain>(s);
        window_->Commands().SetFatalHandler([](const QString& m) { FAIL() << "fatal: " << m.toStdString(); });
        window_->show();
        runner_ = ScriptRunnerOf(*window_);
        commands_ = ExecutionCommandsOf(*window_);
        ASSERT_NE(runner_, nullptr);
        ASSERT_NE(commands_, nullptr);
        ASSERT_GT(window_->EditorPages().PageCount(), 0);
        WatchDialogs();
        window_->ConnectFlow()->OpenConnection("simsrv", "vk_run", "", "alice");
        ASSERT_TRUE(window_->ConnectFlow()->Database().Connected());
    }

    // The confirmation and parameters windows are answered from the queues
    // below as they show; one that shows unexpectedly fails the test and is
    // closed with "Abort Script" / "Cancel", so no test hangs in a modal loop.
    void WatchDialogs() {
        watchdog_ = std::make_unique<QTimer>();
        watchdog_->setInterval(5);
        QObject::connect(watchdog_.get(), &QTimer::timeout, [this] {
            TfmConfirmDlg* confirm = runner_->fmConfirmDlg();
            if (confirm->isVisible()) {
                confirmations_.push_back(confirm->lbMessage()->text());
                confirmedTexts_.push_back(confirm->mmSQLText()->text());
                if (confirmAnswers_.empty()) {
                    ADD_FAILURE() << "unexpected confirmation: " << confirm->lbMessage()->text().toStdString();
                    confirm->Button4()->click();
                } else {
                    auto answer = confirmAnswers_.front();
                    confirmAnswers_.pop_front();
                    answer(*confirm)->click();
                }
            }
            TfmParamsDialog* params = runner_->fmParamsDialog();
            if (params->isVisible()) {
                if (paramsAnswers_.empty()) {
                    ADD_FAILURE() << "unexpected parameters window";
                    params->btCancel()->click();
                } else {
                    auto answer = paramsAnswers_.front();
                    paramsAnswers_.pop_front();
                    answer(*params);
                }
            }
        });
        watchdog_->start();
    }

    void TearDown() override {
        EXPECT_TRUE(confirmAnswers_.empty()) << "a confirmation was expected but not shown";
        EXPECT_TRUE(paramsAnswers_.empty()) << "a parameters window was expected but not shown";
        if (window_) {
            EXPECT_TRUE(WaitUntil([this] { return !window_->Executing(); })) << "a run never ended";
            window_->ConnectFlow()->Database().Close();
        }
        watchdog_.reset();
        window_.reset();
    }

    TSqlEditor* Editor() const { return window_->EditorPages().ActiveEditor(); }
    TfmEditor* Page() const { return window_->EditorPages().ActivePage(); }
    QString Message() const { return window_->Status().pnMessage()->text(); }
    QString Cost() const { return window_->Status().pnCost()->text(); }
    TLogModel& Log() const { return window_->Log(); }
    QString LastLogMessage() const { return Log().CellText(Log().EntryCount() - 1, TLogModel::ColMessage); }

    // Gives the command as a click would and waits for the run to end.
    void Run(TExecutionCommand command) {
        commands_->Command(command)->Execute();
        ASSERT_TRUE(WaitUntil([this] { return !window_->Executing(); })) << "the run did not end";
    }
    void RunText(const QString& text, TExecutionCommand command = TExecutionCommand::Execute) {
        Editor()->setText(text);
        Run(command);
    }
    // Waits for a run started otherwise (refresh, after-connect script).
    void WaitForRunEnd() {
        ASSERT_TRUE(WaitUntil([this] { return !window_->Executing(); })) << "the run did not end";
    }

    // The answer to the next confirmation: the button pick chooses.
    void AnswerConfirmation(std::function<QPushButton*(TfmConfirmDlg&)> pick) {
        confirmAnswers_.push_back(std::move(pick));
    }
    // What to do with the next parameters window (it must close it).
    void AnswerParams(std::function<void(TfmParamsDialog&)> answer) { paramsAnswers_.push_back(std::move(answer)); }
    void SetOptions(const std::function<void(TExecutionOptions&)>& change) {
        TExecutionOptions options = runner_->Options();
        change(options);
        runner_->SetOptions(options);
    }

    static std::filesystem::path* root_;
    QTemporaryDir dir_;
    TRecordingMessageSink sink_;
    TScopedMessageSink scope_{sink_};
    std::unique_ptr<TfmMain> window_;
    TScriptRunner* runner_ = nullptr;
    TExecutionCommands* commands_ = nullptr;
    std::unique_ptr<QTimer> watchdog_;
    std::deque<std::function<QPushButton*(TfmConfirmDlg&)>> confirmAnswers_;
    std::deque<std::function<void(TfmParamsDialog&)>> paramsAnswers_;
    std::vector<QString> confirmations_;
    std::vector<QString> confirmedTexts_;
};

inline std::filesystem::path* ExecutionTest::root_ = nullptr;

} // namespace varnok::testing
