// TfmMain's start-up and close with a scratch settings folder.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QToolBar>
#include <QTreeView>
#include <memory>

#include "shell/IniFile.h"
#include "shell/LogModel.h"
#include "shell/gui/RecordingMessageSink.h"
#include "shell/kit/CommandRegistry.h"
#include "shell/ui/DetailTabsMenu.h"
#include "shell/ui/LogTab.h"
#include "shell/ui/PanelVisibility.h"
#include "shell/ui/SplitterPanes.h"
#include "shell/ui/StatusPanes.h"
#include "shell/kit/StandardErrorBox.h"
#include "shell/ui/TfmMain.h"
#include "shell/ui/VarnokApplication.h"

namespace varnok {
namespace {

// Lets the event loop run until ready() holds or timeoutMs pass.
template <class Pred> bool WaitUntil(Pred ready, int timeoutMs = 3000) {
    QElapsedTimer clock;
    clock.start();
    while (!ready()) {
        if (clock.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

void Settle() {
    WaitUntil([] { return false; }, 50);
}

// The documented save order of every section (this window's and the other subsystems').
const std::vector<std::string> kSaveOrder = {"Position",
                                             "TblProc",
                                             "Connection",
                                             "LastOpenDB",
                                             "Grid1",
                                             "Grid2",
                                             "Grid3",
                                             "ViewPosition",
                                             "AdvConnectForm",
                                             "ConnectParamForm",
                                             "TextView",
                                             "Connections",
                                             "QuickConnectionsView",
                                             "TabsVisible",
                                             "FICTD",
                                             "ParamsDialogForm",
                                             "ParamsDialogGName",
                                             "ParamsDialogGType",
                                             "TableView",
                                             "FieldView",
                                             "IndexView",
                                             "CnstrView",
                                             "TriggView",
                                             "FragsView",
                                             "DependsView",
                                             "ProcView",
                                             "LogView",
                                             "SQL",
                                             "TableWildCards",
                                             "ProcWildCards",
                                             "uLogins",
                                             "EHeaderQuots",
                                             "EDataQuots",
                                             "ERowDividers",
                                             "EColDividers",
                                             "EFileNames",
                                             "HToolBar",
                                             "VToolBar",
                                             "eOptions",
                                             "HotKeys",
                                             "HotKeysView"};

// Where a written section belongs in the documented order (Connection<n> and
// SQL<n> stand with their families).
size_t OrderOf(const std::string& section) {
    for (size_t i = 0; i < kSaveOrder.size(); ++i)
        if (kSaveOrder[i] == section) return i;
    auto family = [&](const char* prefix, const char* anchor) -> std::optional<size_t> {
        const std::string p = prefix;
        if (section.size() > p.size() && section.compare(0, p.size(), p) == 0 &&
            std::all_of(section.begin() + static_cast<long>(p.size()), section.end(), ::isdigit))
            return OrderOf(anchor);
        return std::nullopt;
    };
    if (auto at = family("Connection", "Connections")) return *at;
    if (auto at = family("SQL", "SQL")) return *at;
    ADD_FAILURE() << "section not in the documented order: " << section;
    return kSaveOrder.size();
}

class MainWindowTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    testing::TRecordingMessageSink sink;
    TScopedMessageSink scope{sink};

    std::string Folder() const { return dir.path().toStdString() + "/"; }
    std::string IniPath() const { return Folder() + "varnok.ini"; }

    TMainWindowStartup Startup() const {
        TMainWindowStartup s;
        s.arguments = {"/i", dir.path().toStdString()};
        s.programFolder = Folder() + "program/";
        s.programBaseName = "varnok";
        s.getLocalAppData = [this] { return Folder() + "local/"; };
        return s;
    }

    std::unique_ptr<TfmMain> Start() {
        auto w = std::make_unique<TfmMain>(Startup());
        w->Commands().SetFatalHandler([](const QString& m) { FAIL() << "fatal: " << m.toStdString(); });
        w->show();
        Settle();
        return w;
    }

    void WriteIni(const std::string& text) const {
        QFile f(QString::fromStdString(IniPath()));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.c_str());
    }

    TIniFile Stored() const { return TIniFile(IniPath()); }
};

TEST_F(MainWindowTest, FirstStartHasTheDefaults) {
    auto w = Start();
    EXPECT_TRUE(sink.boxes.empty());
    EXPECT_EQ(w->windowTitle(), "Varnok 5.18b");
    EXPECT_EQ(w->SettingsPath(), IniPath());
    EXPECT_EQ(w->size(), QSize(750, 550));
    EXPECT_FALSE(w->isMaximized());

    const TQueryTabRegions& q = w->QueryTab();
    EXPECT_TRUE(q.pcTblProc->isVisibleTo(w.get()));
    EXPECT_TRUE(q.pnPatterns->isVisibleTo(w.get()));
    EXPECT_TRUE(q.tbHorizontal->isVisibleTo(w.get()));
    EXPECT_TRUE(q.tbVertical->isVisibleTo(w.get()));
    EXPECT_FALSE(q.pnInPlResult->isVisibleTo(w.get()));
    EXPECT_EQ(q.pcTblProc->height(), 130);
    EXPECT_EQ(q.pnPatterns->height(), 56);
    EXPECT_EQ(q.tbVertical->width(), 52);
    EXPECT_EQ(q.pnTableList->width(), 185);
    EXPECT_EQ(w->ConnectionBar().pnConnectBar->height(), 42);
    EXPECT_EQ(w->ConnectionBar().pnServer->width(), 120);
    EXPECT_EQ(w->ConnectionBar().pnRole->width(), 100);
    EXPECT_EQ(q.pcTblProc->tabPosition(), QTabWidget::South); // TblProc code 2
    EXPECT_EQ(q.pcDetails->tabPosition(), QTabWidget::North); // FICTD code 0

    // Main tabs at the bottom, detail tabs with their hints.
    QTabWidget* main = w->pcMain();
    EXPECT_EQ(main->tabPosition(), QTabWidget::South);
    QStringList captions;
    for (int i = 0; i < main->count(); ++i)
        captions << main->tabText(i);
    EXPECT_EQ(captions, (QStringList{"Query", "Result", "Data", "Log"}));
    ASSERT_EQ(q.pcDetails->count(), 7);
    EXPECT_EQ(q.pcDetails->tabText(4), "Frg");
    EXPECT_EQ(q.pcDetails->tabToolTip(4), "Fragments");
    for (int i = 0; i < 7; ++i)
        EXPECT_TRUE(q.pcDetails->isTabVisible(i));

    // The detail tab items stand ahead of the separator and "Position".
    const QList<QAction*> items = q.pmDetails->actions();
    ASSERT_EQ(items.size(), 9);
    EXPECT_EQ(items[0]->text(), "Fields");
    EXPECT_EQ(items[6]->text(), "DDL");
    EXPECT_TRUE(items[6]->isChecked());
    EXPECT_TRUE(items[7]->isSeparator());
    EXPECT_EQ(items[8]->text(), "Position");

    // Status panes.
    EXPECT_EQ(w->Status().pnCost()->width(), 120);
    EXPECT_EQ(w->Status().pnGlyph()->width(), 25);
    EXPECT_TRUE(w->Status().pnMessage()->font().bold());
    EXPECT_EQ(w->Status().pnMessage()->font().family(), "Verdana");
    EXPECT_EQ(w->Status().pnMessage()->objectName(), "sbMessage");
    EXPECT_EQ(w->Status().pnCost()->objectName(), "sbCostInfo");

    // The two start-up log entries.
    const TLogModel& log = w->Log();
    ASSERT_EQ(log.EntryCount(), 2);
    EXPECT_EQ(log.CellText(0, TLogModel::ColMessage), "Program start");
    EXPECT_EQ(log.CellText(1, TLogModel::ColMessage), QString::fromStdString("LoadSettings " + IniPath()));
    EXPECT_EQ(log.CellText(1, TLogModel::ColCost), "");
    EXPECT_EQ(log.CellText(1, TLogModel::ColDuration), "00:00:00.000");
}

TEST_F(MainWindowTest, CloseWritesTheSectionsInTheDocumentedOrder) {
    WriteIni("[HandMade]\nx=1\n[ConnectParamForm]\nWidth=300\nHeight=200\n[Position]\nSplTop=140\n");
    auto w = Start();
    ASSERT_TRUE(w->close());
    EXPECT_TRUE(sink.boxes.empty());
    const TIniFile ini = Stored();
    const std::vector<std::string> sections = ini.ReadSections();
    EXPECT_EQ(std::count(sections.begin(), sections.end(), "HandMade"), 0);
    for (const char* mine : {"Position", "TblProc", "Connection", "Grid1", "Grid2", "Grid3", "ViewPosition",
                             "AdvConnectForm", "TextView", "TabsVisible", "FICTD", "LogView"})
        EXPECT_NE(std::find(sections.begin(), sections.end(), mine), sections.end()) << mine;
    for (size_t i = 1; i < sections.size(); ++i)
        EXPECT_LE(OrderOf(sections[i - 1]), OrderOf(sections[i])) // equal: SQL<n> after SQL
            << sections[i - 1] << " before " << sections[i];
    EXPECT_EQ(ini.ReadSectionKeys("Position"),
              (std::vector<std::string>{"SplTop",      "SchemaVisible", "SplLeft",     "SplLeft1",
                                        "SplLeft2",    "SplLeft3",      "ComboHeight", "LogHeight",
                                        "SplRight",    "SplPLeft",      "ButtHeight",  "pnInPlResHeight",
                                        "PatternsVis", "HToolBarVis",   "VToolBarVis", "ShowResultVis",
                                        "Maximized",   "Left",          "Top",         "Width",
                                        "Height"}));
    EXPECT_EQ(ini.ReadInteger("Position", "SplTop", 0), 140);
    EXPECT_EQ(ini.ReadInteger("Position", "Width", 0), 750);
    EXPECT_EQ(ini.ReadString("Position", "ShowResultVis", ""), "0");
    EXPECT_EQ(ini.ReadString("TblProc", "SheetPos", ""), "2");
    EXPECT_EQ(ini.ReadString("TabsVisible", "Depends", ""), "1");
    EXPECT_EQ(ini.ReadString("Grid2", "FontHeight", ""), "-13");
    EXPECT_EQ(ini.ReadString("AdvConnectForm", "Height", ""), "450");
    EXPECT_EQ(ini.ReadString("LogView", "fnName", ""), "Verdana");
    EXPECT_EQ(ini.ReadString("LogView", "ColWide4", ""), "100");
    // The connection parameters window's size is kept until that window takes it over.
    EXPECT_EQ(ini.ReadString("ConnectParamForm", "Width", ""), "300");
    EXPECT_EQ(ini.ReadString("ConnectParamForm", "Height", ""), "200");
}

TEST_F(MainWindowTest, SecondStartReadsBackWhatTheFirstLeft) {
    {
        auto w = Start();
        const TQueryTabRegions& q = w->QueryTab();
        w->move(10, 20);
        w->resize(800, 600);
        SetPaneSize(q.spQuery, q.pcTblProc, 160);
        w->SetPatternsVisible(false);
        w->SetResultPanelVisible(true);
        w->LogTab()->SetDetailHeight(90);
        // The detail tabs' own menu: "Position" > "Right", and hide "Triggers".
        QMenu* position = q.pmDetails->actions().last()->menu();
        ASSERT_NE(position, nullptr);
        position->actions().at(1)->trigger();
        w->DetailTabs().Items().at(3)->trigger();
        w->LayoutValues().gridFontHeight[1] = -20;
        ASSERT_TRUE(w->close());
    }
    const std::string firstFile = Stored().ToText();
    auto w = Start();
    const TQueryTabRegions& q = w->QueryTab();
    EXPECT_EQ(w->pos(), QPoint(10, 20));
    EXPECT_EQ(w->size(), QSize(800, 600));
    EXPECT_EQ(q.pcTblProc->height(), 160);
    EXPECT_FALSE(q.pnPatterns->isVisibleTo(w.get()));
    EXPECT_FALSE(w->Panels().miShowPatterns()->isChecked());
    EXPECT_TRUE(q.pnInPlResult->isVisibleTo(w.get()));
    EXPECT_EQ(q.pnInPlResult->height(), 200);
    EXPECT_EQ(w->LogTab()->DetailHeight(), 90);
    EXPECT_EQ(q.pcDetails->tabPosition(), QTabWidget::East);
    EXPECT_FALSE(q.pcDetails->isTabVisible(3));
    EXPECT_FALSE(w->DetailTabs().Items().at(3)->isChecked());
    EXPECT_TRUE(q.pcDetails->isTabVisible(4));
    EXPECT_EQ(w->LayoutValues().gridFontHeight[1], -20);
    // Nothing changed in between: the same file comes out again.
    ASSERT_TRUE(w->close());
    EXPECT_EQ(Stored().ToText(), firstFile);
}

TEST_F(MainWindowTest, MaximizedWindowWritesNoPlacementAndReopensMaximized) {
    {
        auto w = Start();
        w->showMaximized();
        EXPECT_TRUE(WaitUntil([&] { return w->isMaximized(); }));
        ASSERT_TRUE(w->close());
    }
    const TIniFile ini = Stored();
    EXPECT_EQ(ini.ReadString("Position", "Maximized", ""), "1");
    for (const char* key : {"Left", "Top", "Width", "Height"})
        EXPECT_FALSE(ini.ValueExists("Position", key)) << key;

    auto w = Start();
    EXPECT_TRUE(w->isMaximized());
    EXPECT_EQ(w->normalGeometry().size(), QSize(750, 550));
    EXPECT_EQ(w->normalGeometry().topLeft(), QPoint(0, 0));
    w->showNormal();
    EXPECT_TRUE(WaitUntil([&] { return !w->isMaximized(); }));
    Settle();
    EXPECT_EQ(w->size(), QSize(750, 550));
}

TEST_F(MainWindowTest, PatternBarIsAtLeastTenPixelsHigh) {
    WriteIni("[Position]\nButtHeight=3\n");
    auto w = Start();
    EXPECT_EQ(w->QueryTab().pnPatterns->height(), 10);
    ASSERT_TRUE(w->close());
    EXPECT_EQ(Stored().ReadInteger("Position", "ButtHeight", 0), 10);
}

TEST_F(MainWindowTest, BadNumbersReadAsDefaults) {
    WriteIni("[Position]\nSplTop=abc\nSchemaVisible=yes\nWidth=$320\n[FICTD]\nSheetPos=7\n");
    auto w = Start();
    EXPECT_EQ(w->QueryTab().pcTblProc->height(), 130);
    EXPECT_TRUE(w->QueryTab().pcTblProc->isVisibleTo(w.get()));
    EXPECT_EQ(w->width(), 800);                                           // "$320" is hexadecimal
    EXPECT_EQ(w->QueryTab().pcDetails->tabPosition(), QTabWidget::North); // code 7: layout kept
}

TEST_F(MainWindowTest, VisibilityOperationsFollowTheirCheckMarks) {
    auto w = Start();
    const TQueryTabRegions& q = w->QueryTab();
    TPanelVisibility& panels = w->Panels();

    w->SetSchemaVisible(false);
    EXPECT_FALSE(q.pcTblProc->isVisibleTo(w.get()));
    EXPECT_FALSE(panels.miShowSchema()->isChecked());
    // The check mark is the truth: asking for the state it shows does nothing.
    q.pcTblProc->show();
    w->SetSchemaVisible(false);
    EXPECT_TRUE(q.pcTblProc->isVisibleTo(w.get()));
    q.pcTblProc->hide();

    w->SetHToolBarVisible(false);
    EXPECT_FALSE(q.tbHorizontal->isVisibleTo(w.get()));
    w->SetVToolBarVisible(false);
    EXPECT_FALSE(q.tbVertical->isVisibleTo(w.get()));
    EXPECT_FALSE(panels.miShowVToolBar()->isChecked());

    // A menu item calls its operation with the opposite of its mark.
    panels.miShowPatterns()->trigger();
    EXPECT_FALSE(q.pnPatterns->isVisibleTo(w.get()));
    EXPECT_FALSE(panels.miShowPatterns()->isChecked());
    panels.miShowPatterns()->trigger();
    EXPECT_TRUE(q.pnPatterns->isVisibleTo(w.get()));
    EXPECT_TRUE(panels.miShowPatterns()->isChecked());

    panels.miShowAll()->trigger();
    for (QWidget* region :
         {static_cast<QWidget*>(q.pcTblProc), q.pnPatterns, static_cast<QWidget*>(q.tbHorizontal),
          static_cast<QWidget*>(q.tbVertical), q.pnInPlResult})
        EXPECT_TRUE(region->isVisibleTo(w.get())) << region->objectName().toStdString();
    for (QAction* item : {panels.miShowSchema(), panels.miShowPatterns(), panels.miShowHToolBar(),
                          panels.miShowVToolBar(), panels.miShowResult()})
        EXPECT_TRUE(item->isChecked()) << item->text().toStdString();
    // Shown again at their stored sizes.
    Settle();
    EXPECT_EQ(q.pcTblProc->height(), 130);
    EXPECT_EQ(q.pnInPlResult->height(), 200);
    EXPECT_EQ(q.tbVertical->width(), 52);
    // The menu hangs on the connection bar's button, in the documented order.
    QStringList captions;
    for (QAction* a : panels.Menu()->actions())
        captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(captions, (QStringList{"Show Schema", "Show Patterns", "Show HToolBar", "Show VToolBar",
                                     "Show Result", "-", "Show All"}));
}

TEST_F(MainWindowTest, FailedSaveKeepsThePreviousFileAndReportsIt) {
    const std::string previous = "[Position]\nSplTop=150\n[HandMade]\nkeep=me\n";
    WriteIni(previous);
    auto w = Start();
    // A directory where the temporary file must go: not even root can write there.
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(TIniFile::TempPathFor(IniPath())) + "/blocker"));
    ASSERT_TRUE(w->close());
    ASSERT_EQ(sink.boxes.size(), 1u);
    EXPECT_EQ(sink.boxes[0].kind, "error");
    EXPECT_EQ(sink.boxes[0].caption, "Saving Params");
    EXPECT_EQ(sink.boxes[0].text,
              QString::fromStdString("Error on Saving Params: Unable to write to " + IniPath()));
    QFile f(QString::fromStdString(IniPath()));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll().toStdString(), previous);
}

TEST_F(MainWindowTest, FailedSaveSkipsThePatternFile) {
    auto w = Start();
    bool patternsWritten = false;
    w->SetSavePatternsHook([&] { patternsWritten = true; });
    w->SetPatternsModified(true);
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(TIniFile::TempPathFor(IniPath()))));
    ASSERT_TRUE(w->close());
    EXPECT_FALSE(patternsWritten);
    QDir(QString::fromStdString(TIniFile::TempPathFor(IniPath()))).removeRecursively();
    w = Start();
    w->SetSavePatternsHook([&] { patternsWritten = true; });
    w->SetPatternsModified(true);
    ASSERT_TRUE(w->close());
    EXPECT_TRUE(patternsWritten);
}

TEST_F(MainWindowTest, ClosingWhileExecutingAsksAndNoKeepsTheWindow) {
    auto w = Start();
    bool connectionClosed = false;
    w->SetCloseConnectionHook([&] {
        connectionClosed = true;
        return true;
    });
    w->SetExecuting(true);
    sink.answerYes = false;
    EXPECT_FALSE(w->close());
    EXPECT_TRUE(w->isVisible());
    ASSERT_EQ(sink.boxes.size(), 1u);
    EXPECT_EQ(sink.boxes[0].kind, "question");
    EXPECT_EQ(sink.boxes[0].caption, "Varnok 5.18b");
    EXPECT_EQ(sink.boxes[0].text,
              "Application cannot be closed, Query is still executed.\r\nTerminate application?");
    EXPECT_FALSE(sink.boxes[0].defaultYes);
    EXPECT_TRUE(QFile::exists(QString::fromStdString(IniPath()))); // written all the same
    EXPECT_FALSE(connectionClosed);
    sink.answerYes = true;
    EXPECT_TRUE(w->close());
}

TEST_F(MainWindowTest, ConnectionHookCanKeepTheWindowOpen) {
    auto w = Start();
    bool allowClose = false;
    w->SetCloseConnectionHook([&] { return allowClose; });
    EXPECT_FALSE(w->close());
    allowClose = true;
    EXPECT_TRUE(w->close());
    EXPECT_TRUE(sink.boxes.empty());
}

TEST_F(MainWindowTest, CommandLineErrorIsShownAndTheProgramFolderUsed) {
    TMainWindowStartup s = Startup();
    s.arguments = {"/I", "localset"};
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(s.programFolder)));
    TfmMain w(s);
    ASSERT_EQ(sink.boxes.size(), 1u);
    EXPECT_EQ(sink.boxes[0].kind, "plain");
    EXPECT_TRUE(
        sink.boxes[0].text.startsWith("Wrong Parameter [/I].\n/i -- Path for saving program settings."))
        << sink.boxes[0].text.toStdString();
    EXPECT_EQ(w.SettingsPath(), s.programFolder + "varnok.ini");
}

TEST_F(MainWindowTest, LogTabShowsTheLastEntryAndItsText) {
    auto w = Start();
    w->AddLogEntry(1500, "Statement done", "select *\nfrom systables", 7);
    w->pcMain()->setCurrentIndex(3);
    const QModelIndex current = w->LogTab()->lvLog()->currentIndex();
    EXPECT_EQ(current.row(), 2);
    EXPECT_EQ(w->LogTab()->mmLog()->toPlainText(), "select *\nfrom systables");
    EXPECT_EQ(w->Log().CellText(2, TLogModel::ColCost), "7");
}

TEST_F(MainWindowTest, MessagePaneBlinksRedWhenAsked) {
    auto w = Start();
    TStatusPanes& status = w->Status();
    status.SetMessage("Error in details", true);
    EXPECT_TRUE(status.IsBlinking());
    EXPECT_TRUE(status.IsRedNow());
    EXPECT_EQ(status.pnMessage()->palette().color(QPalette::WindowText), QColor(Qt::red));
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(WaitUntil([&] { return !status.IsRedNow(); }));
    EXPECT_GE(clock.elapsed(), 900); // off after about a second, not at once
    EXPECT_TRUE(WaitUntil([&] { return status.IsRedNow(); }));
    status.SetMessage("ok");
    EXPECT_FALSE(status.IsBlinking());
    EXPECT_FALSE(status.IsRedNow());
}

} // namespace
} // namespace varnok

namespace varnok {
namespace {

TEST(StandardErrorBox, ErrorsEscapingAnEventEndInTheBox) {
    testing::TRecordingMessageSink sink;
    TScopedMessageSink scope(sink);
    EXPECT_FALSE(
        TVarnokApplication::DeliverGuarded([]() -> bool { throw std::runtime_error("Lost connection"); }));
    EXPECT_FALSE(TVarnokApplication::DeliverGuarded([]() -> bool { throw EAbort(); }));
    EXPECT_TRUE(TVarnokApplication::DeliverGuarded([] { return true; }));
    ASSERT_EQ(sink.boxes.size(), 1u);
    EXPECT_EQ(sink.boxes[0].kind, "error");
    EXPECT_EQ(sink.boxes[0].caption, "Varnok 5.18b");
    EXPECT_EQ(sink.boxes[0].text, "Lost connection.");
}

using MainWindowDeathTest = MainWindowTest;

TEST_F(MainWindowDeathTest, FailingCommandRuleEndsTheProgramWithoutSavingSettings) {
    // The child is forked: it shares this test's settings folder.
    EXPECT_EXIT(
        {
            TfmMain w(Startup());
            w.Commands().AddUpdateHook([] { throw std::runtime_error("broken rule"); });
            w.Commands().UpdateCommands();
            std::exit(0); // not reached: the rule's failure ends the program
        },
        ::testing::ExitedWithCode(EXIT_FAILURE), "");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(IniPath())));
}

} // namespace
} // namespace varnok

namespace varnok {
namespace {

TEST_F(MainWindowTest, PartsFillRegionsAndTakePartInTheSettings) {
    WriteIni("[eOptions]\nRowsPerFetch=7\n");
    std::vector<std::string> events;
    TMainWindowStartup s = Startup();
    s.parts.push_back([&](TfmMain& w) {
        // A part finds the regions built and the log still empty of "Program start".
        ASSERT_NE(w.QueryTab().pnEditorPages, nullptr);
        EXPECT_EQ(w.Log().EntryCount(), 0);
        w.Settings().AddLoadStep(SettingsLoadOrder::Options, "eOptions", [&](const TIniFile& ini) {
            events.push_back("load RowsPerFetch=" + ini.ReadString("eOptions", "RowsPerFetch", "?"));
        });
        w.Settings().AddLoadStep(SettingsLoadOrder::Position, "probe",
                                 [&](const TIniFile&) { events.push_back("load Position"); });
        w.Settings().AddSaveStep(SettingsSaveOrder::Options, "eOptions",
                                 [](TIniFile& ini) { ini.WriteInteger("eOptions", "RowsPerFetch", 9); });
        w.AddAfterLoadStep([&] { events.push_back("after load"); });
    });
    auto w = std::make_unique<TfmMain>(s);
    EXPECT_EQ(events, (std::vector<std::string>{"load Position", "load RowsPerFetch=7", "after load"}));
    ASSERT_TRUE(w->close());
    const std::vector<std::string> sections = Stored().ReadSections();
    ASSERT_FALSE(sections.empty());
    EXPECT_EQ(sections.back(), "eOptions"); // after the editor pages, as the documented order has it
    EXPECT_EQ(Stored().ReadString("eOptions", "RowsPerFetch", ""), "9");
}

} // namespace
} // namespace varnok

namespace varnok {
namespace {

TEST_F(MainWindowTest, LocalsetCreatesThePerUserFolderAndSavesThere) {
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(Folder() + "local")));
    TMainWindowStartup s = Startup();
    s.arguments = {"/i", "localset"};
    auto w = std::make_unique<TfmMain>(s);
    EXPECT_TRUE(sink.boxes.empty());
    EXPECT_EQ(w->SettingsPath(), Folder() + "local/Varnok/varnok.ini");
    ASSERT_TRUE(w->close());
    EXPECT_TRUE(QFile::exists(QString::fromStdString(Folder() + "local/Varnok/varnok.ini")));
}

} // namespace
} // namespace varnok

namespace varnok {
namespace {

TEST_F(MainWindowTest, SectionThatCannotBeAppliedIsReportedAndStartUpGoesOn) {
    WriteIni("[Position]\nSplTop=150\n");
    bool afterLoadRan = false;
    TMainWindowStartup s = Startup();
    s.parts.push_back([&](TfmMain& w) {
        w.Settings().AddLoadStep(SettingsLoadOrder::EditorPages, "SQL", [](const TIniFile&) {
            throw std::runtime_error("Cannot read sql1____.$$$");
        });
        w.AddAfterLoadStep([&] { afterLoadRan = true; });
    });
    auto w = std::make_unique<TfmMain>(s);
    ASSERT_EQ(sink.boxes.size(), 1u);
    EXPECT_EQ(sink.boxes[0].kind, "error");
    EXPECT_EQ(sink.boxes[0].text, "Cannot read sql1____.$$$"); // "$" sorts before ".": no period
    EXPECT_EQ(PaneSize(w->QueryTab().pcTblProc, 0), 150);      // read before the failing step
    EXPECT_TRUE(afterLoadRan);
}

} // namespace
} // namespace varnok
