// Closing the main window while a script runs: "No" keeps it open with the
// run going on; "Yes" cancels the statement, waits for the run's worker and
// only then lets the window (with its data set and connection) go.
#include "shell/gui/ExecutionTestFixture.h"

namespace varnok::testing {
namespace {

using C = TExecutionCommand;

constexpr const char* kTerminateQuestion =
    "Application cannot be closed, Query is still executed.\r\nTerminate application?";

class CloseDuringRunTest : public ExecutionTest {
protected:
    // Starts a statement that keeps the server busy for far longer than
    // the test and waits until the server is at it.
    void StartLongStatement() {
        confirmations_.clear();
        AnswerConfirmation([](TfmConfirmDlg& d) { return d.btRun(); });
        Editor()->setText("select count(*) from big a, big b");
        commands_->Command(C::Execute)->Execute();
        ASSERT_TRUE(WaitUntil([this] { return confirmations_.size() == 1 && Message() == "Executing"; }));
        WaitUntil([] { return false; }, 300);
        ASSERT_TRUE(window_->Executing());
    }

    int TerminateQuestions() const {
        int n = 0;
        for (const TRecordedBox& box : sink_.boxes)
            n += box.kind == "question" && box.caption == TfmMain::kCaption && box.text == kTerminateQuestion;
        return n;
    }
};

TEST_F(CloseDuringRunTest, NoKeepsTheWindowOpenAndTheRunGoingOn) {
    StartLongStatement();
    sink_.answerYes = false;
    EXPECT_FALSE(window_->close());
    EXPECT_EQ(TerminateQuestions(), 1);
    EXPECT_TRUE(window_->isVisible());
    EXPECT_TRUE(window_->Executing());
    EXPECT_FALSE(runner_->Closing());
    // The run is still the user's to interrupt, and the window works on.
    commands_->Command(C::InterruptSQL)->Execute();
    WaitForRunEnd();
    EXPECT_TRUE(Message().startsWith("-213")) << Message().toStdString();
    RunText("select * from small");
    EXPECT_EQ(Message(), "3 row(s) retrieved.");
}

TEST_F(CloseDuringRunTest, YesCancelsTheStatementAndTheWindowGoesCleanly) {
    // Repeated: the worker may be anywhere in its run when the close comes.
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        if (round > 0) StartWindow();
        StartLongStatement();
        sink_.boxes.clear();
        sink_.answerYes = true;
        QElapsedTimer clock;
        clock.start();
        EXPECT_TRUE(window_->close());
        EXPECT_LT(clock.elapsed(), 10000); // cancelled, not run to its end
        EXPECT_EQ(TerminateQuestions(), 1);
        EXPECT_FALSE(window_->isVisible());
        EXPECT_FALSE(window_->Executing());
        EXPECT_TRUE(runner_->Closing());
        // The cancelled statement ended the run, and nothing else was asked or shown.
        EXPECT_TRUE(LastLogMessage().startsWith("-213")) << LastLogMessage().toStdString();
        EXPECT_EQ(sink_.boxes.size(), 1u);
        // No further run starts on a closing window.
        EXPECT_FALSE(runner_->RunScriptWithoutPage("select * from small"));
        EXPECT_FALSE(window_->Executing());
        // The window, its data set and its connection go while nothing runs.
        watchdog_.reset(); // it looks at the window's dialogs
        window_.reset();
        WaitUntil([] { return false; }, 50);
    }
}

} // namespace
} // namespace varnok::testing
