// Runs from the main window against the stand-in server: the execution
// commands, the confirmation and parameters windows, the status panes, the
// logs, the caret on an error, interruption, refresh and the after-connect
// script of a saved connection.
#include <QAbstractItemModel>
#include <QApplication>
#include <QListWidget>
#include <QRegularExpression>
#include <QTableView>

#include "dbaccess/IfxExceptions.h"
#include "dbaccess/IfxQuery.h"
#include "editor/ui/FmEditor.h"
#include "editor/ui/PageLogList.h"
#include "execution/ui/TParameterListEditor.h"
#include "shell/IniFile.h"
#include "shell/gui/ExecutionTestFixture.h"

// The toolkit's own entry for a key press that may be a shortcut (what its
// test library uses to type keys).
Q_GUI_EXPORT bool qt_sendShortcutOverrideEvent(QObject* o, ulong timestamp, int k, Qt::KeyboardModifiers mods,
                                               const QString& text, bool autorep, ushort count);

namespace varnok::testing {
namespace {

// An administration entry point of the stand-in (not part of the binding).
template <typename F>
F connection_test_admin(const char* name) {
    void* handle = dlopen((ExecutableFolder() + "/" + kIfxLibraryFileName).c_str(), RTLD_NOW | RTLD_NOLOAD);
    return handle ? reinterpret_cast<F>(dlsym(handle, name)) : nullptr;
}

using C = TExecutionCommand;

QPushButton* RunIt(TfmConfirmDlg& d) {
    return d.btRun();
}
QPushButton* SkipIt(TfmConfirmDlg& d) {
    return d.btSkip();
}
QPushButton* AbortIt(TfmConfirmDlg& d) {
    return d.Button4();
}

// The statement entries of the main log from `first` on: message | additional.
std::vector<std::string> LogFrom(const TLogModel& log, int first) {
    std::vector<std::string> entries;
    for (int row = first; row < log.EntryCount(); ++row)
        entries.push_back((log.CellText(row, TLogModel::ColMessage) + " | " +
                           log.CellText(row, TLogModel::ColAdditional))
                              .toStdString());
    return entries;
}

long SelectionStart(TSqlEditor* editor) {
    return editor->SendScintilla(QsciScintilla::SCI_GETSELECTIONSTART);
}
long SelectionEnd(TSqlEditor* editor) {
    return editor->SendScintilla(QsciScintilla::SCI_GETSELECTIONEND);
}

TEST_F(ExecutionTest, TheSevenCommandsHaveTheirCaptionsHintsPicturesAndKeys) {
    const struct {
        const char* name;
        const char* caption;
        const char* hint;
        int picture;
        const char* shortcut;
    } expected[] = {
        {"acExecute", "Execute", "Execute Script", 16, "Ctrl+E"},
        {"acExecuteSelected", "Execute Selected", "Execute Selected", 17, "Shift+Ctrl+E"},
        {"acExecuteAllOrSelected", "Execute All Or Selected", "Execute All Or Selected", 26, "F9"},
        {"acCheckSyntax", "Check Syntax", "Check Syntax", 12, ""},
        {"acCheckSyntaxSelected", "Check Syntax Selected", "Check Syntax Selected", 13, ""},
        {"acCheckSyntaxAllOrSelected", "Check Syntax All Or Selected", "Check Syntax All or Selected", 12, "F8"},
        {"acInterruptSQL", "Interrupt", "Interrupt SQL", 27, ""},
    };
    for (const auto& e : expected) {
        TCommand* c = window_->Commands().Find(e.name);
        ASSERT_NE(c, nullptr) << e.name;
        EXPECT_EQ(c->Category(), "SQLEditor") << e.name;
        EXPECT_EQ(c->Caption(), e.caption) << e.name;
        EXPECT_EQ(c->Hint(), e.hint) << e.name;
        EXPECT_EQ(c->PictureIndex(), e.picture) << e.name;
        EXPECT_EQ(c->ShortcutText(), e.shortcut) << e.name;
        EXPECT_TRUE(c->IsHotkey()) << e.name;
    }
}

TEST_F(ExecutionTest, EnablingFollowsTheConnectionTheTextAndTheSelection) {
    auto enabled = [this](C c) {
        window_->Commands().UpdateCommands();
        return commands_->Command(c)->isEnabled();
    };
    Editor()->setText("");
    EXPECT_FALSE(enabled(C::Execute));
    EXPECT_FALSE(enabled(C::ExecuteSelected));
    Editor()->setText("select * from small");
    EXPECT_TRUE(enabled(C::Execute));
    EXPECT_TRUE(enabled(C::CheckSyntaxAllOrSelected));
    EXPECT_FALSE(enabled(C::CheckSyntaxSelected));
    Editor()->SendScintilla(QsciScintilla::SCI_SETSEL, 0L, 6L);
    EXPECT_TRUE(enabled(C::ExecuteSelected));
    EXPECT_FALSE(enabled(C::InterruptSQL));
    window_->ConnectFlow()->Disconnect();
    EXPECT_FALSE(enabled(C::Execute));
    EXPECT_FALSE(enabled(C::ExecuteSelected));
}

TEST_F(ExecutionTest, ExecuteAllOrSelectedRunsTheSelectionWhenThereIsOne) {
    const QString text = "select * from small;\r\nselect * from small where id = 2;";
    Editor()->setText(text);
    Editor()->SendScintilla(QsciScintilla::SCI_SETSEL, 0L, static_cast<long>(text.indexOf(';') + 1));
    Run(C::ExecuteAllOrSelected);
    EXPECT_EQ(Message(), "3 row(s) retrieved.");
    Editor()->SendScintilla(QsciScintilla::SCI_SETSEL, 0L, 0L);
    Run(C::ExecuteAllOrSelected);
    EXPECT_EQ(Message(), "1 row(s) retrieved.");
    EXPECT_EQ(Page()->PageLog()->count(), 3);
}

TEST_F(ExecutionTest, ASelectOverALargeTableShowsItsFirstPacketAndCountsItsRows) {
    AnswerConfirmation(RunIt);
    const int before = Log().EntryCount();
    RunText("select * from big");
    EXPECT_EQ(Message(), "50 row(s) fetched.");
    EXPECT_FALSE(window_->Status().IsBlinking());
    ASSERT_EQ(confirmations_.size(), 1u);
    EXPECT_EQ(confirmations_[0], "Estimated cost for the query is too high - 100000.\r\n"
                                 "Too many rows will be returned - 100000.\r\n");
    EXPECT_EQ(confirmedTexts_[0], "select * from big");
    // cost:rows:processed as the communication area holds them after the
    // first packet was fetched (50 rows processed).
    EXPECT_TRUE(QRegularExpression("^-?[0-9]+:-?[0-9]+:50$").match(Cost()).hasMatch()) << Cost().toStdString();
    EXPECT_EQ(LogFrom(Log(), before), std::vector<std::string>{"50 row(s) fetched. | select * from big"});
    EXPECT_EQ(Log().CellText(before, TLogModel::ColCost), Cost().section(':', 0, 0));
    EXPECT_EQ(Page()->PageLog()->count(), 1);
    EXPECT_EQ(Page()->RunMark(), TRunMark::Finished);
    // The result views' data source shows the open statement data set, one packet fetched.
    ASSERT_EQ(runner_->DataSource1().DataSet(), &runner_->qQueryExec());
    EXPECT_TRUE(runner_->qQueryExec().Active());
    EXPECT_EQ(runner_->qQueryExec().CachedRowCount(), 50);
    EXPECT_EQ(runner_->LastStatementText(), "select * from big");

    // Both result views show it; "Record Count" fetches every row.
    const TResultViews views = ResultViewsOf(window_.get());
    ASSERT_NE(views.result, nullptr);
    ASSERT_NE(views.inPlace, nullptr);
    EXPECT_EQ(views.result->DataSet(), &runner_->qQueryExec());
    EXPECT_EQ(views.inPlace->DataSet(), &runner_->qQueryExec());
    EXPECT_EQ(views.result->dbgResult()->model()->rowCount(), 50);
    views.result->Command("acGetRecordCount")->Execute();
    EXPECT_EQ(Message(), "Rows : 100000");
}

TEST_F(ExecutionTest, AnUpdateWithoutWhereAsksAndSkipGoesOnWithTheNextStatement) {
    AnswerConfirmation(SkipIt);
    const int before = Log().EntryCount();
    RunText("update small set name = 'x';\r\nselect * from small where id < 3;");
    ASSERT_EQ(confirmations_.size(), 1u);
    EXPECT_EQ(confirmations_[0], "No WHERE clause on Delete or Update, every row in table will be affected.");
    const auto entries = LogFrom(Log(), before);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].rfind("Query Skipped. ", 0), 0u) << entries[0];
    EXPECT_NE(entries[0].find("row(s) updated. | update small set name = 'x';"), std::string::npos) << entries[0];
    EXPECT_EQ(entries[1], "2 row(s) retrieved. | \r\nselect * from small where id < 3;");
    EXPECT_EQ(Message(), "2 row(s) retrieved.");
    // The skipped statement did not run.
    RunText("select * from small where name = 'x'");
    EXPECT_EQ(Message(), "0 row(s) retrieved.");
}

TEST_F(ExecutionTest, AbortScriptEndsTheRunWithAnEmptyStatusAndNoLogEntry) {
    AnswerConfirmation(AbortIt);
    const int before = Log().EntryCount();
    RunText("select * from small;\r\ndelete from small;\r\nselect * from small where id = 1;");
    EXPECT_EQ(LogFrom(Log(), before), std::vector<std::string>{"3 row(s) retrieved. | select * from small;"});
    EXPECT_EQ(Message(), "");
    EXPECT_FALSE(window_->Status().IsBlinking());
    EXPECT_EQ(Page()->RunMark(), TRunMark::Finished);
    RunText("select * from small");
    EXPECT_EQ(Message(), "3 row(s) retrieved.");
}

TEST_F(ExecutionTest, ACostExactlyAtTheThresholdIsWarnedAboutOneBelowIsNot) {
    AnswerConfirmation(RunIt);
    RunText("select * from t10k");
    ASSERT_EQ(confirmations_.size(), 1u);
    EXPECT_EQ(confirmations_[0], "Estimated cost for the query is too high - 10000.\r\n");
    EXPECT_EQ(Message(), "50 row(s) fetched.");
    RunText("select * from t9999");
    EXPECT_EQ(confirmations_.size(), 1u);
    EXPECT_EQ(Message(), "50 row(s) fetched.");
    // Switched off, even a large cost runs without a question.
    SetOptions([](TExecutionOptions& o) {
        o.warnOfLargeQueryCost = false;
        o.warnOfLargeNumberOfRowsRet = false;
    });
    RunText("select * from big");
    EXPECT_EQ(confirmations_.size(), 1u);
}

TEST_F(ExecutionTest, ParametersABAShowTwoRowsAndTheStatementRunsWithTheirValues) {
    int rows = -1;
    QStringList names;
    AnswerParams([&](TfmParamsDialog& d) {
        QAbstractItemModel* model = d.Grid()->model();
        rows = model->rowCount();
        for (int r = 0; r < rows; ++r)
            names << model->index(r, 0).data().toString();
        model->setData(model->index(0, 1), QStringLiteral("Integer"), Qt::EditRole);
        model->setData(model->index(0, 2), QStringLiteral("1"), Qt::EditRole);
        model->setData(model->index(1, 1), QStringLiteral("Integer"), Qt::EditRole);
        model->setData(model->index(1, 2), QStringLiteral("3"), Qt::EditRole);
        d.btOk()->click();
    });
    RunText("select * from small where id = &a or id = &b or id = &a");
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(names, (QStringList{"a", "b"}));
    EXPECT_EQ(Message(), "2 row(s) retrieved.");
}

TEST_F(ExecutionTest, TheParametersWindowFollowsTheConfirmationWhateverItsAnswer) {
    const struct {
        const char* answer;
        QPushButton* (*pick)(TfmConfirmDlg&);
        bool paramsOk;
        std::vector<std::string> log; // entries of the run
        const char* names;            // small's names afterwards
    } cases[] = {
        {"Run this SQL", RunIt, true, {"3 row(s) updated. | update small set name = &n"}, "x,x,x"},
        {"Skip this SQL", SkipIt, true, {"Query Skipped. 0 row(s) updated. | update small set name = &n"}, "one,three,two"},
        {"Abort Script", AbortIt, true, {}, "one,three,two"},
        {"Run, parameters cancelled", RunIt, false, {}, "one,three,two"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> order;
        AnswerConfirmation([&](TfmConfirmDlg& d) {
            order.push_back("confirm");
            return c.pick(d);
        });
        AnswerParams([&](TfmParamsDialog& d) {
            order.push_back("params");
            QAbstractItemModel* model = d.Grid()->model();
            model->setData(model->index(0, 2), QStringLiteral("x"), Qt::EditRole);
            (c.paramsOk ? d.btOk() : d.btCancel())->click();
        });
        const int before = Log().EntryCount();
        RunText("update small set name = &n");
        EXPECT_EQ(order, (std::vector<std::string>{"confirm", "params"})) << c.answer;
        EXPECT_EQ(LogFrom(Log(), before), c.log) << c.answer;

        RunText("select name from small order by 1");
        QStringList names;
        TDataSet* rows = runner_->DataSource1().DataSet();
        ASSERT_NE(rows, nullptr);
        for (rows->First(); !rows->Eof(); rows->Next()) names << QString::fromStdString(rows->Field(0).AsString()).trimmed();
        EXPECT_EQ(names.join(','), c.names) << c.answer;
        if (names.join(',') != "one,three,two")
            RunText("update small set name = case id when 1 then 'one' when 2 then 'two' else 'three' end where 1 = 1");
    }
}

TEST_F(ExecutionTest, CancellingTheParametersWindowStopsTheRun) {
    AnswerParams([](TfmParamsDialog& d) { d.btCancel()->click(); });
    const int before = Log().EntryCount();
    RunText("select * from small where id = &a;\r\nselect * from small;");
    EXPECT_EQ(Log().EntryCount(), before);
    EXPECT_EQ(Message(), "");
}

TEST_F(ExecutionTest, TheParameterCharacterFollowsTheOptions) {
    SetOptions([](TExecutionOptions& o) { o.paramChar = ':'; });
    AnswerParams([](TfmParamsDialog& d) {
        QAbstractItemModel* model = d.Grid()->model();
        model->setData(model->index(0, 1), QStringLiteral("Integer"), Qt::EditRole);
        model->setData(model->index(0, 2), QStringLiteral("2"), Qt::EditRole);
        d.btOk()->click();
    });
    RunText("select * from small where id = :x");
    EXPECT_EQ(Message(), "1 row(s) retrieved.");
}

TEST_F(ExecutionTest, AFailureInASelectionMarksTheCharacterAtSPlusKPlusEMinusTwo) {
    const QString text = "-- head\r\nselect * from small;\r\nselect bogus from small;\r\n";
    Editor()->setText(text);
    const long s0 = 9; // the selection starts at "select * ..." (0-based)
    Editor()->SendScintilla(QsciScintilla::SCI_SETSEL, s0, static_cast<long>(text.size()));
    const int before = Log().EntryCount();
    Run(C::ExecuteSelected);
    // Within the selection the failing statement starts after the first ";"
    // (k, 1-based) and the server places the error at "bogus" (e, its offset
    // in the statement text).
    const std::string selected = text.mid(s0).toStdString();
    const long k = static_cast<long>(selected.find(';')) + 2;
    const std::string statement = selected.substr(static_cast<std::size_t>(k - 1), selected.rfind(';') - (k - 2));
    const long e = static_cast<long>(statement.find("bogus"));
    // s, the selection's 1-based start, is s0 + 1: the mark is on "bogus" itself.
    const long s = s0 + 1;
    EXPECT_EQ(SelectionStart(Editor()), s + k + e - 2);
    EXPECT_EQ(SelectionEnd(Editor()), s + k + e - 1);
    EXPECT_EQ(text.mid(SelectionStart(Editor()), 5), QStringLiteral("bogus"));

    const auto entries = LogFrom(Log(), before);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].rfind("-217", 0), 0u) << entries[1];
    EXPECT_NE(entries[1].find("| " + statement), std::string::npos) << entries[1];
    EXPECT_TRUE(Message().startsWith("-217")) << Message().toStdString();
    EXPECT_TRUE(window_->Status().IsBlinking());
    EXPECT_TRUE(Cost().startsWith("0:0:")) << Cost().toStdString();
    EXPECT_EQ(runner_->DataSource1().DataSet(), nullptr); // the result views stay empty
    EXPECT_EQ(Page()->RunMark(), TRunMark::Finished);
    EXPECT_EQ(Page()->PageLog()->currentRow(), Page()->PageLog()->count() - 1);
    EXPECT_TRUE(sink_.boxes.empty());
}

TEST_F(ExecutionTest, AFailureInAWholeTextRunMarksTheCharacterAtKPlusEMinusOne) {
    const QString text = "-- head\r\nselect * from small;\r\nselect bogus from small;\r\n";
    RunText(text);
    const long k = text.indexOf(';') + 2;
    EXPECT_EQ(SelectionStart(Editor()), text.indexOf("bogus")); // k + e - 1
    EXPECT_EQ(SelectionStart(Editor()), k + (text.indexOf("bogus") - (k - 1)) - 1);
    EXPECT_EQ(Editor()->selectedText(), "b");
}

TEST_F(ExecutionTest, InterruptCancelsALongStatementWithTheServersError) {
    AnswerConfirmation(RunIt);
    Editor()->setText("select count(*) from big a, big b");
    window_->Commands().UpdateCommands();
    EXPECT_FALSE(commands_->Command(C::InterruptSQL)->isEnabled());
    EXPECT_TRUE(commands_->Command(C::Execute)->isEnabled());
    commands_->Command(C::Execute)->Execute();
    ASSERT_TRUE(WaitUntil([this] { return confirmations_.size() == 1 && Message() == "Executing"; }));
    WaitUntil([] { return false; }, 300); // the server is at work now

    // While the run is under way only Interrupt of the execution commands is enabled,
    // and a second run is refused.
    window_->Commands().UpdateCommands();
    for (std::size_t i = 0; i < kExecutionCommandCount; ++i)
        EXPECT_EQ(commands_->Command(static_cast<C>(i))->isEnabled(), static_cast<C>(i) == C::InterruptSQL)
            << ExecutionCommandNames()[i];
    EXPECT_FALSE(runner_->RunScriptWithoutPage("select * from small"));

    commands_->Command(C::InterruptSQL)->Execute();
    WaitForRunEnd();
    EXPECT_TRUE(Message().startsWith("-213")) << Message().toStdString();
    EXPECT_TRUE(LastLogMessage().startsWith("-213")) << LastLogMessage().toStdString();
    ASSERT_GT(Page()->PageLog()->count(), 0);
    EXPECT_TRUE(Page()->PageLog()->item(Page()->PageLog()->count() - 1)->text().contains("-213"));
    EXPECT_TRUE(window_->ConnectFlow()->Database().Connected());

    // The request ended with the run: the next one runs to its end.
    RunText("select * from small");
    EXPECT_EQ(Message(), "3 row(s) retrieved.");
}

TEST_F(ExecutionTest, AnInterruptRequestEndsWithItsRunAndSparesTheMainWindowsOwnRequests) {
    // Interrupt pressed while the run waits in the confirmation: the run stops there.
    AnswerConfirmation([this](TfmConfirmDlg& d) {
        runner_->RequestInterrupt();
        return d.btRun();
    });
    RunText("delete from small");
    EXPECT_FALSE(runner_->InterruptRequested());

    // A long statement cancelled by the server.
    SetOptions([](TExecutionOptions& o) { o.warnOfLargeQueryCost = o.warnOfLargeNumberOfRowsRet = false; });
    Editor()->setText("select count(*) from big a, big b");
    commands_->Command(C::Execute)->Execute();
    ASSERT_TRUE(WaitUntil([this] { return Message() == "Executing"; }));
    WaitUntil([] { return false; }, 200);
    commands_->Command(C::InterruptSQL)->Execute();
    WaitForRunEnd();
    ASSERT_TRUE(Message().startsWith("-213")) << Message().toStdString();
    EXPECT_FALSE(runner_->InterruptRequested());

    // Requests the main window sends itself after the run (catalog lists,
    // table data) are not cancelled by the request of a run that is over.
    TIfxQuery catalog;
    catalog.SetConnection(&window_->ConnectFlow()->Database());
    catalog.SetSQLText("select count(*) from big a, digits b");
    ASSERT_NO_THROW(catalog.Open());
    EXPECT_EQ(catalog.Field(0).AsString(), "1000000");
    catalog.Close();
}

TEST_F(ExecutionTest, AnInterruptRequestStopsTheRunBeforeTheNextStatementWhateverTheAnswer) {
    AnswerConfirmation([this](TfmConfirmDlg& d) {
        runner_->RequestInterrupt(); // "Interrupt" pressed while the run waits here
        return d.btRun();
    });
    const int before = Log().EntryCount();
    RunText("select * from small;\r\ndelete from small;\r\nselect * from small where id = 1;");
    ASSERT_EQ(confirmations_.size(), 1u);
    EXPECT_EQ(LogFrom(Log(), before), std::vector<std::string>{"3 row(s) retrieved. | select * from small;"});
    EXPECT_EQ(Message(), "");
    RunText("select * from small");
    EXPECT_EQ(Message(), "3 row(s) retrieved."); // nothing was deleted, the request ended with its run
}

TEST_F(ExecutionTest, TheTimeOutHandlerAbsorbsTheRefusalWhenNoRequestRuns) {
    TIfxConnection& database = window_->ConnectFlow()->Database();
    EXPECT_TRUE(database.UseTimeOut());
    EXPECT_EQ(database.TimeOutInterval(), 100u);
    ASSERT_TRUE(static_cast<bool>(database.OnTimeOut));
    // Without a request running the connection refuses to interrupt...
    EXPECT_THROW(database.Interrupt(), EIfxAccessError);
    // ...and the handler keeps that refusal to itself, with or without an interrupt request.
    EXPECT_NO_THROW(database.OnTimeOut(TIfxTimeOutStatus(0)));
    runner_->RequestInterrupt();
    EXPECT_NO_THROW(database.OnTimeOut(TIfxTimeOutStatus(0)));
    RunText("select * from small");
    EXPECT_EQ(Message(), "3 row(s) retrieved.");
    EXPECT_FALSE(runner_->InterruptRequested());
}

TEST_F(ExecutionTest, ALostSessionEndsTheRunAndTheConnectionCanBeOpenedAgain) {
    const auto kill = connection_test_admin<int (*)(int)>("ifxsim_kill_session");
    const auto session = connection_test_admin<int (*)()>("ifxsim_current_session");
    ASSERT_TRUE(kill && session);
    const int sid = session();
    ASSERT_GE(sid, 0);
    AnswerConfirmation([&](TfmConfirmDlg& d) {
        EXPECT_EQ(kill(sid), 0); // an administrator ends the session meanwhile
        return d.btRun();
    });
    RunText("select * from small;\r\nselect * from big;");
    EXPECT_TRUE(Message().startsWith("-25580")) << Message().toStdString();
    EXPECT_TRUE(window_->Status().IsBlinking());
    EXPECT_FALSE(window_->Executing());
    EXPECT_EQ(Page()->RunMark(), TRunMark::Finished);
    // The connect flow takes it from here: the connection closes and opens again.
    window_->ConnectFlow()->Disconnect();
    EXPECT_FALSE(window_->ConnectFlow()->Database().Connected());
    window_->ConnectFlow()->OpenConnection("simsrv", "vk_run", "", "alice");
    RunText("select * from small");
    EXPECT_EQ(Message(), "3 row(s) retrieved.");
}

TEST_F(ExecutionTest, TheCommandKeysWorkInTheEditor) {
    window_->activateWindow();
    ASSERT_TRUE(WaitUntil([this] { return QApplication::activeWindow() == window_.get(); }));
    Editor()->setText("select * from small where id = 3");
    Editor()->setFocus();
    ASSERT_TRUE(WaitUntil([this] { return QApplication::focusWidget() == Editor(); }));
    EXPECT_TRUE(qt_sendShortcutOverrideEvent(Editor(), 0, Qt::Key_F9, Qt::NoModifier, QString(), false, 1));
    WaitForRunEnd();
    EXPECT_EQ(Message(), "1 row(s) retrieved.");
    EXPECT_TRUE(qt_sendShortcutOverrideEvent(Editor(), 0, Qt::Key_F8, Qt::NoModifier, QString(), false, 1));
    WaitForRunEnd();
    EXPECT_EQ(Message(), "Syntax Checked. 0 row(s) fetched.");
    Editor()->setText("select * from small where id < 3");
    EXPECT_TRUE(qt_sendShortcutOverrideEvent(Editor(), 0, Qt::Key_E, Qt::ControlModifier, QString(), false, 1));
    WaitForRunEnd();
    EXPECT_EQ(Message(), "2 row(s) retrieved.");
}

TEST_F(ExecutionTest, RefreshRunsTheLastGoodStatementAgainWithoutPage) {
    RunText("select * from small where id < 3;\r\nselect * from small where id = 3");
    TfmResult* view = ResultViewsOf(window_.get()).result;
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(view->DataSet(), &runner_->qQueryExec());
    const int pageLines = Page()->PageLog()->count();
    int before = Log().EntryCount();
    // The result view's Refresh runs the last statement of the run again, without page.
    view->Command("acRefresh")->Execute();
    WaitForRunEnd();
    EXPECT_EQ(Message(), "1 row(s) retrieved.");
    EXPECT_EQ(LogFrom(Log(), before),
              std::vector<std::string>{"1 row(s) retrieved. | \r\nselect * from small where id = 3"});
    EXPECT_EQ(Page()->PageLog()->count(), pageLines);
    EXPECT_EQ(view->DataSet(), &runner_->qQueryExec());

    // A failed run leaves the views empty and keeps the last good statement for refresh.
    RunText("select bogus from small");
    ASSERT_TRUE(Message().startsWith("-217"));
    EXPECT_EQ(view->DataSet(), nullptr);
    before = Log().EntryCount();
    ASSERT_TRUE(runner_->RefreshLastStatement());
    WaitForRunEnd();
    EXPECT_EQ(Message(), "1 row(s) retrieved.");
    EXPECT_EQ(LogFrom(Log(), before),
              std::vector<std::string>{"1 row(s) retrieved. | \r\nselect * from small where id = 3"});
    EXPECT_EQ(view->DataSet(), &runner_->qQueryExec());
}

TEST_F(ExecutionTest, CheckSyntaxPreparesWithoutWarningsOrExecution) {
    RunText("select * from big;\r\ndelete from small;", C::CheckSyntax);
    EXPECT_TRUE(confirmations_.empty());
    EXPECT_EQ(LastLogMessage().left(16), "Syntax Checked. ");
    RunText("select count(*) from small");
    EXPECT_EQ(Message(), "1 row(s) retrieved.");
    RunText("select * from small");
    EXPECT_EQ(Message(), "3 row(s) retrieved."); // nothing was deleted
}

TEST_F(ExecutionTest, ASavedConnectionsAfterConnectScriptRunsWithoutPage) {
    TConnectionsParam record;
    record.Name = "saved run";
    record.Server = "simsrv";
    record.DataBase = "vk_run";
    record.User = "alice";
    record.AskPassword = false;
    record.Script = "select * from small;\r\nselect * from small where id = 2";
    const int before = Log().EntryCount();
    window_->ConnectFlow()->ConnectSaved(record);
    WaitForRunEnd();
    const auto entries = LogFrom(Log(), before);
    ASSERT_GE(entries.size(), 2u);
    EXPECT_EQ(entries[entries.size() - 2], "3 row(s) retrieved. | select * from small;");
    EXPECT_EQ(entries.back(), "1 row(s) retrieved. | \r\nselect * from small where id = 2");
    EXPECT_EQ(Message(), "1 row(s) retrieved.");
    EXPECT_EQ(Page()->PageLog()->count(), 0);
}

TEST_F(ExecutionTest, TheOptionsComeFromTheSettingsFileAndTheOtherKeysSurvive) {
    window_.reset();
    TIniFile ini(dir_.path().toStdString() + "/varnok.ini");
    ini.WriteString("eOptions", "SearchPatternToLowerCase", "1");
    ini.WriteString("eOptions", "NumberRowsFetchAfterOpen", "7");
    ini.WriteString("eOptions", "WarnOfLargeQueryCost", "0");
    ini.WriteString("eOptions", "ParamChar", ":");
    ini.WriteString("eOptions", "DropDownLines", "3");
    ini.Save();
    StartWindow();
    EXPECT_EQ(runner_->Options().paramChar, ':');
    RunText("select * from t9999");
    EXPECT_EQ(Message(), "7 row(s) fetched.");
    window_->SaveParams();
    TIniFile written(dir_.path().toStdString() + "/varnok.ini");
    written.LoadFromText([&] {
        std::ifstream in(dir_.path().toStdString() + "/varnok.ini");
        return std::string(std::istreambuf_iterator<char>(in), {});
    }());
    EXPECT_EQ(written.ReadString("eOptions", "SearchPatternToLowerCase", "?"), "1");
    EXPECT_EQ(written.ReadString("eOptions", "DropDownLines", "?"), "3");
    EXPECT_EQ(written.ReadString("eOptions", "NumberRowsFetchAfterOpen", "?"), "7");
    EXPECT_EQ(written.ReadString("eOptions", "ParamChar", "?"), ":");
    EXPECT_EQ(written.ReadString("eOptions", "WarnOfLargeQueryCost", "?"), "0");
    EXPECT_EQ(written.ReadString("eOptions", "WarnOfLargeQueryCostValue", "?"), "10000");
}

} // namespace
} // namespace varnok::testing
