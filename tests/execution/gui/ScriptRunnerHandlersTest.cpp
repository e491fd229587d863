// The run handlers of TScriptRunner driven directly (no server): the
// consistency checks, the status texts, the run marks, the logs and where a
// failed statement is marked in the page's editor.
#include <gtest/gtest.h>

#include <Qsci/qsciscintilla.h>

#include <QString>
#include <stdexcept>
#include <string>
#include <vector>

#include "editor/ui/EditorPages.h"
#include "editor/ui/PageLogList.h"
#include "editor/ui/SqlEditor.h"
#include "execution/ScriptErrors.h"
#include "execution/ui/ScriptRunner.h"
#include "shell/gui/RecordingMessageSink.h"

namespace varnok {
namespace {

class ScriptRunnerHandlersTest : public ::testing::Test {
protected:
    void SetUp() override {
        page = pages.NewPage();
        TScriptRunnerHost host;
        host.window = &pages;
        host.executing = [this] { return executing; };
        host.setExecuting = [this](bool on) { executing = on; };
        host.log = [this](uint32_t ms, const QString& message, const QString& additional, int32_t cost) {
            log.push_back(std::to_string(ms) + "|" + message.toStdString() + "|" + additional.toStdString() + "|" +
                          std::to_string(cost));
        };
        host.setCost = [this](const QString& text) { cost = text; };
        host.setMessage = [this](const QString& text, bool on) {
            message = text;
            blink = on;
        };
        host.setRunMark = [this](TfmEditor* p, TRunMark mark) { pages.SetRunMark(p, mark); };
        host.pageShowing = [](TfmEditor*) { return false; };
        runner = std::make_unique<TScriptRunner>(host);
    }

    long SelStart() const { return page->Editor()->SendScintilla(QsciScintilla::SCI_GETSELECTIONSTART); }
    long SelEnd() const { return page->Editor()->SendScintilla(QsciScintilla::SCI_GETSELECTIONEND); }

    testing::TRecordingMessageSink sink;
    TScopedMessageSink scope{sink};
    TEditorPages pages;
    TfmEditor* page = nullptr;
    std::unique_ptr<TScriptRunner> runner;
    bool executing = false;
    bool blink = false;
    QString cost;
    QString message;
    std::vector<std::string> log;
};

TEST_F(ScriptRunnerHandlersTest, HandlersCalledWithoutTheExecutingFlagFailTheirCheck) {
    const struct {
        const char* check;
        std::function<void()> call;
    } cases[] = {
        {"Error. BeforeScriptEx", [this] { runner->BeforeScriptEx(page); }},
        {"Error. AfterScriptEx", [this] { runner->AfterScriptEx(page, {}); }},
        {"Error. ExceptionScriptEx",
         [this] { runner->ExceptionScriptEx(page, {}, std::runtime_error("x"), 0); }},
    };
    for (const auto& c : cases) {
        try {
            c.call();
            ADD_FAILURE() << c.check << " passed its check";
        } catch (const std::logic_error& e) {
            EXPECT_EQ(std::string(e.what()).rfind(std::string(c.check) + " (VarnokMain, line ", 0), 0u) << e.what();
        }
    }
}

TEST_F(ScriptRunnerHandlersTest, ARunBlinksExecutingThenShowsItsResultAndEstimates) {
    page->PageLog()->AddLine("old line");
    page->PageLog()->SetAutoClear(true);
    runner->RequestInterrupt();
    executing = true;
    runner->BeforeScriptEx(page);
    EXPECT_FALSE(runner->InterruptRequested());
    EXPECT_EQ(message, "Executing");
    EXPECT_TRUE(blink);
    EXPECT_EQ(cost, "");
    EXPECT_EQ(page->RunMark(), TRunMark::Running);
    EXPECT_EQ(page->PageLog()->count(), 0); // AutoClear

    runner->LogStatement(page, 1234, "3 row(s) inserted.", 12, "insert into t select * from u");
    EXPECT_EQ(log, std::vector<std::string>{"1234|3 row(s) inserted.|insert into t select * from u|12"});
    ASSERT_EQ(page->PageLog()->count(), 1);

    runner->AfterScriptEx(page, {"insert into t select * from u", "3 row(s) inserted.", 12, 3, 3});
    EXPECT_FALSE(executing);
    EXPECT_EQ(message, "3 row(s) inserted.");
    EXPECT_FALSE(blink);
    EXPECT_EQ(cost, "12:3:3");
    EXPECT_EQ(page->RunMark(), TRunMark::Finished);
    EXPECT_EQ(page->PageLog()->currentRow(), 0);
    EXPECT_EQ(runner->LastStatementText(), "insert into t select * from u");
    EXPECT_EQ(runner->DataSource1().DataSet(), &runner->qQueryExec());
}

TEST_F(ScriptRunnerHandlersTest, AQueryErrorMarksOneWholeCharacterNeverPastTheText) {
    // "é" takes two bytes: the mark covers the whole character.
    page->Editor()->setText(QString::fromUtf8("select \xc3\xa9 from t"));
    const struct {
        std::int32_t position;
        std::int32_t offset;
        long start;
        long end;
    } cases[] = {
        {8, 0, 7, 9},    // on "é"
        {1, 0, 0, 1},    // the first character
        {500, 0, 16, 16}, // past the end: the caret at the end of the text
        {1, -1, 0, 1},   // a selection starting at 0
    };
    for (const auto& c : cases) {
        executing = true;
        runner->ExceptionScriptEx(page, {"s", "", 0, 0, 7}, EQueryError(c.position, "-201 SQL error: x"), c.offset);
        EXPECT_EQ(SelStart(), c.start) << c.position << " " << c.offset;
        EXPECT_EQ(SelEnd(), c.end) << c.position << " " << c.offset;
    }
    EXPECT_EQ(message, "-201 SQL error: x");
    EXPECT_TRUE(blink);
    EXPECT_EQ(cost, "0:0:7");
    EXPECT_TRUE(sink.boxes.empty());
    EXPECT_EQ(runner->DataSource1().DataSet(), nullptr);
}

TEST_F(ScriptRunnerHandlersTest, AnErrorNotTiedToAStatementGoesToTheErrorBoxOnlyWithAPage) {
    page->Editor()->setText("select 1");
    executing = true;
    runner->ExceptionScriptEx(nullptr, {}, std::runtime_error("no connection"), 0);
    EXPECT_EQ(message, "no connection");
    EXPECT_TRUE(sink.boxes.empty());
    executing = true;
    runner->ExceptionScriptEx(page, {}, std::runtime_error("no connection"), 0);
    ASSERT_EQ(sink.boxes.size(), 1u);
    EXPECT_EQ(sink.boxes[0].text, "no connection.");
    EXPECT_EQ(page->RunMark(), TRunMark::Finished);
    EXPECT_EQ(SelStart(), SelEnd()); // no mark
}

TEST_F(ScriptRunnerHandlersTest, OptionsReachTheStatementDataSetAndItsProcessor) {
    EXPECT_EQ(runner->qQueryExec().PacketRecords(), 50);
    EXPECT_EQ(runner->SQLProcessor().ParamChar(), '&');
    EXPECT_EQ(runner->qQueryExec().SQLProcessor(), &runner->SQLProcessor());
    EXPECT_FALSE(runner->qQueryExec().CacheHandle());
    TExecutionOptions options;
    options.numberRowsFetchAfterOpen = 200;
    options.paramChar = ':';
    runner->SetOptions(options);
    EXPECT_EQ(runner->qQueryExec().PacketRecords(), 200);
    EXPECT_EQ(runner->SQLProcessor().ParamChar(), ':');
}

TEST_F(ScriptRunnerHandlersTest, ASecondRunIsRefusedWhileOneIsUnderWay) {
    executing = true;
    TRunRequest request;
    request.text = "select 1";
    EXPECT_FALSE(runner->StartRun(request));
    EXPECT_TRUE(executing);
    executing = false;
    EXPECT_THROW(runner->StartRun(request), std::logic_error); // no connection given
    EXPECT_FALSE(executing);
}

TEST_F(ScriptRunnerHandlersTest, TheInterruptRequestLastsFromTheCommandToTheEndOfItsRun) {
    const struct {
        const char* end;
        std::function<void()> call;
    } ends[] = {
        {"AfterScriptEx", [this] { runner->AfterScriptEx(page, {}); }},
        {"ExceptionScriptEx", [this] { runner->ExceptionScriptEx(page, {}, std::runtime_error("x"), 0); }},
    };
    for (const auto& e : ends) {
        executing = true;
        runner->RequestInterrupt(); // left over from an earlier run: a new run starts without it
        runner->BeforeScriptEx(page);
        EXPECT_FALSE(runner->InterruptRequested()) << e.end;
        runner->RequestInterrupt();
        e.call();
        EXPECT_FALSE(runner->InterruptRequested()) << e.end << ": the request ends with its run";
    }

    // A closing window asks for the end of a run whose worker has not begun
    // yet: the run begins with the request already made.
    executing = true;
    EXPECT_FALSE(runner->EndRunForClose(0));
    runner->BeforeScriptEx(page);
    EXPECT_TRUE(runner->InterruptRequested());
    runner->AfterScriptEx(page, {});
}

} // namespace
} // namespace varnok
