// The main window with its pieces in place: the log commands, the server
// box, the tab switches, the editor pages and the connection windows.
#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFontInfo>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <cstdlib>
#include <memory>
#include <optional>

#include "connections/ui/TfmAbout.h"
#include "connections/ui/TfmAdvConnect.h"
#include "connections/ui/TfmConParams.h"
#include "editor/ui/EditorPages.h"
#include "shell/IniFile.h"
#include "shell/LogModel.h"
#include "shell/gui/RecordingMessageSink.h"
#include "shell/kit/CommandRegistry.h"
#include "shell/ui/LogCommands.h"
#include "shell/ui/LogTab.h"
#include "shell/ui/TfmMain.h"

// The toolkit's own entry for a key press that may be a shortcut (what its
// test library uses to type keys).
Q_GUI_EXPORT bool qt_sendShortcutOverrideEvent(QObject* o, ulong timestamp, int k, Qt::KeyboardModifiers mods,
                                               const QString& text, bool autorep, ushort count);

namespace varnok {
namespace {

template <class Pred> bool WaitFor(Pred ready, int timeoutMs = 3000) {
    QElapsedTimer clock;
    clock.start();
    while (!ready()) {
        if (clock.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

QByteArray ReadBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class MainWindowWiringTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    testing::TRecordingMessageSink sink;
    TScopedMessageSink scope{sink};
    std::optional<std::string> savedHosts;

    void SetUp() override {
        if (const char* v = std::getenv("INFORMIXSQLHOSTS")) savedHosts = v;
        // Each test's own server list; no file means no servers.
        ::setenv("INFORMIXSQLHOSTS", (Folder() + "sqlhosts").c_str(), 1);
    }
    void TearDown() override {
        savedHosts ? ::setenv("INFORMIXSQLHOSTS", savedHosts->c_str(), 1) : ::unsetenv("INFORMIXSQLHOSTS");
    }

    std::string Folder() const { return dir.path().toStdString() + "/"; }
    QString Path(const char* name) const { return dir.path() + "/" + name; }

    void Write(const char* name, const QByteArray& text) const {
        QFile f(Path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }

    std::unique_ptr<TfmMain> Start() {
        TMainWindowStartup s;
        s.arguments = {"/i", dir.path().toStdString()};
        s.programFolder = Folder() + "program/";
        s.programBaseName = "varnok";
        s.getLocalAppData = [this] { return Folder() + "local/"; };
        auto w = std::make_unique<TfmMain>(s);
        w->Commands().SetFatalHandler([](const QString& m) { FAIL() << "fatal: " << m.toStdString(); });
        w->show();
        WaitFor([] { return false; }, 50);
        return w;
    }

    static void SelectRows(TfmMain& w, std::initializer_list<int> rows) {
        QItemSelectionModel* selection = w.LogTab()->lvLog()->selectionModel();
        selection->clearSelection();
        for (int row : rows)
            selection->select(w.Log().index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
};

// ---- the log commands ----

TEST_F(MainWindowWiringTest, LogCommandsHaveTheirCaptionsHintsAndPlaces) {
    auto w = Start();
    struct TExpected {
        const char* name;
        const char* caption;
        const char* hint;
    };
    const TExpected expected[] = {
        {"acClearLog", "Clear", "Clear Log"},
        {"acCopyLogToClipboard", "Copy", "Copy To Clipboard"},
        {"acSaveLogToFile", "Save To ...", "Save Log To File"},
        {"acLogFontBigger", "Font Bigger", "Font Bigger"},
        {"acLogFontSmaller", "Font Smaller", "Font Smaller"},
    };
    TLogCommands& log = w->LogCommands();
    for (const TExpected& e : expected) {
        TCommand* c = log.Command(e.name);
        ASSERT_NE(c, nullptr) << e.name;
        EXPECT_EQ(c->Caption(), e.caption);
        EXPECT_EQ(c->Hint(), e.hint);
        EXPECT_EQ(c->Category(), "Log");
        // A list of their own: the main list (options window, toolbars) does not hold them.
        EXPECT_EQ(w->Commands().Find(e.name), nullptr) << e.name;
    }
    QStringList toolbar;
    for (QAction* a : w->LogTab()->tbLog()->actions())
        toolbar << a->objectName();
    EXPECT_EQ(toolbar, (QStringList{"acCopyLogToClipboard", "acClearLog", "acSaveLogToFile",
                                    "acLogFontBigger", "acLogFontSmaller"}));
    QStringList menu;
    for (QAction* a : log.pmLog()->actions())
        menu << a->text();
    EXPECT_EQ(menu, (QStringList{"Clear", "Copy", "Save To ..."}));
}

TEST_F(MainWindowWiringTest, LogCommandsEnableByEntriesAndSelection) {
    auto w = Start();
    TLogCommands& log = w->LogCommands();
    const auto enabled = [&](const char* name) {
        log.UpdateCommands();
        return log.Command(name)->isEnabled();
    };
    ASSERT_EQ(w->Log().EntryCount(), 2); // "Program start", "LoadSettings ..."
    SelectRows(*w, {});
    EXPECT_TRUE(enabled("acClearLog"));
    EXPECT_TRUE(enabled("acSaveLogToFile"));
    EXPECT_FALSE(enabled("acCopyLogToClipboard"));
    SelectRows(*w, {1});
    EXPECT_TRUE(enabled("acCopyLogToClipboard"));

    log.Command("acClearLog")->Execute();
    EXPECT_EQ(w->Log().EntryCount(), 0);
    EXPECT_FALSE(enabled("acClearLog"));
    EXPECT_FALSE(enabled("acSaveLogToFile"));
    EXPECT_FALSE(enabled("acCopyLogToClipboard"));
    EXPECT_TRUE(enabled("acLogFontBigger"));
    EXPECT_TRUE(enabled("acLogFontSmaller"));
}

TEST_F(MainWindowWiringTest, CopyPutsTheSelectedEntriesInListOrder) {
    auto w = Start();
    w->Log().AddLogEntryAt("10:00:01", 1500, "first", "select 1", 7);
    w->Log().AddLogEntryAt("10:00:02", 0, "second", "", -1);
    w->Log().AddLogEntryAt("10:00:03", 3723004, "third", "line a\r\nline b", 0);
    QApplication::clipboard()->setText("before");
    // Picked last entry first: the text still follows the list.
    SelectRows(*w, {4, 2});
    w->LogCommands().Command("acCopyLogToClipboard")->Execute();
    EXPECT_EQ(QApplication::clipboard()->text(), "10:00:01\t00:00:01.500\t7\tfirst\tselect 1\t\r\n"
                                                 "10:00:03\t01:02:03.004\t0\tthird\tline a\r\nline b\t\r\n");
}

TEST_F(MainWindowWiringTest, SaveWritesOneEntryWithEmptyAdditionalExactly) {
    auto w = Start();
    w->Log().Clear();
    w->Log().AddLogEntryAt("10:11:12", 0, QString::fromUtf8("Готово"), "", -1);
    const QString path = Path("session.log");
    Write("session.log", "old contents that must go away entirely");
    int asked = 0;
    w->LogCommands().SetSaveDialog([&](QWidget*) {
        ++asked;
        return path;
    });
    w->LogCommands().Command("acSaveLogToFile")->Execute();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(sink.boxes.empty());
    // UTF-8 without a byte-order mark; time, duration, cost, message, additional, each with its tab.
    EXPECT_EQ(ReadBytes(path), QByteArray("10:11:12\t00:00:00.000\t\t\xd0\x93\xd0\xbe\xd1\x82\xd0\xbe\xd0\xb2"
                                          "\xd0\xbe\t\t\r\n"));
}

TEST_F(MainWindowWiringTest, SaveCancelledWritesNothingAndAFailureIsReported) {
    auto w = Start();
    w->LogCommands().SetSaveDialog([](QWidget*) { return QString(); });
    w->LogCommands().Command("acSaveLogToFile")->Execute();
    EXPECT_TRUE(sink.boxes.empty());

    const QString bad = Path("no-such-folder/session.log");
    w->LogCommands().SetSaveDialog([&](QWidget*) { return bad; });
    w->LogCommands().Command("acSaveLogToFile")->Execute();
    ASSERT_EQ(sink.boxes.size(), 1u);
    EXPECT_EQ(sink.boxes[0].kind, "error");
    EXPECT_TRUE(sink.boxes[0].text.startsWith("Cannot create file \"" + bad + "\"."))
        << sink.boxes[0].text.toStdString();
    EXPECT_EQ(w->Log().EntryCount(), 2); // the log itself is untouched
}

TEST_F(MainWindowWiringTest, SelectingShowsAdditionalAndClearEmptiesMmLog) {
    auto w = Start();
    w->Log().AddLogEntryAt("10:00:01", 5, "done", "select tabname\nfrom systables", 3);
    w->LogTab()->lvLog()->setCurrentIndex(w->Log().index(2, 0));
    EXPECT_EQ(w->LogTab()->mmLog()->toPlainText(), "select tabname\nfrom systables");
    w->LogTab()->lvLog()->setCurrentIndex(w->Log().index(0, 0));
    EXPECT_EQ(w->LogTab()->mmLog()->toPlainText(), ""); // "Program start" has none
    w->LogTab()->lvLog()->setCurrentIndex(w->Log().index(2, 0));
    w->LogCommands().Command("acClearLog")->Execute();
    EXPECT_EQ(w->Log().EntryCount(), 0);
    EXPECT_EQ(w->LogTab()->mmLog()->toPlainText(), "");
}

TEST_F(MainWindowWiringTest, FontStepsChangeThePixelHeightByOne) {
    auto w = Start();
    TLogCommands& log = w->LogCommands();
    const int start = log.FontHeight();
    ASSERT_LT(start, 0); // a character height in pixels
    log.Command("acLogFontBigger")->Execute();
    EXPECT_EQ(log.FontHeight(), start - 1);
    EXPECT_EQ(QFontInfo(w->LogTab()->lvLog()->font()).pixelSize(), 1 - start);
    log.Command("acLogFontSmaller")->Execute();
    log.Command("acLogFontSmaller")->Execute();
    EXPECT_EQ(log.FontHeight(), start + 1);
}

TEST_F(MainWindowWiringTest, LogViewLayoutIsReadAndWrittenWithTheChangedFont) {
    Write("varnok.ini", "[LogView]\nfnName=Courier New\nfnSize=11\nColWide0=90\nColWide3=250\n");
    {
        auto w = Start();
        QTreeView* list = w->LogTab()->lvLog();
        EXPECT_EQ(list->header()->sectionSize(3), 250);
        EXPECT_EQ(list->header()->sectionSize(1), 100);
        EXPECT_EQ(list->font().pointSize(), 11);
        for (int i = 0; i < 4; ++i)
            w->LogCommands().Command("acLogFontBigger")->Execute();
        ASSERT_TRUE(w->close());
    }
    const TIniFile ini(Folder() + "varnok.ini");
    EXPECT_EQ(ini.ReadInteger("LogView", "ColWide3", 0), 250);
    EXPECT_EQ(ini.ReadInteger("LogView", "ColWide0", 0), 90);
    // Four pixels larger is more than eleven points, whatever the screen's resolution.
    EXPECT_GT(ini.ReadInteger("LogView", "fnSize", 0), 11);
}

TEST_F(MainWindowWiringTest, ShowingTheLogTabSelectsOnlyTheLastEntry) {
    auto w = Start();
    w->AddLogEntry(10, "one", "select 1");
    w->AddLogEntry(20, "two", "select 2");
    SelectRows(*w, {0, 1});
    w->pcMain()->setCurrentIndex(3);
    QTreeView* list = w->LogTab()->lvLog();
    EXPECT_EQ(list->currentIndex().row(), 3);
    const QModelIndexList selected = list->selectionModel()->selectedRows();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(selected[0].row(), 3);
    EXPECT_EQ(w->LogTab()->mmLog()->toPlainText(), "select 2");
}

TEST_F(MainWindowWiringTest, AppendingNeitherResetsTheListNorResizesItsColumns) {
    auto w = Start();
    w->pcMain()->setCurrentIndex(3);
    QTreeView* list = w->LogTab()->lvLog();
    list->header()->resizeSection(4, 333);
    int resets = 0;
    int layouts = 0;
    QObject::connect(&w->Log(), &QAbstractItemModel::modelReset, [&] { ++resets; });
    QObject::connect(&w->Log(), &QAbstractItemModel::layoutChanged, [&] { ++layouts; });
    int resized = 0;
    QObject::connect(list->header(), &QHeaderView::sectionResized, [&] { ++resized; });
    for (int i = 0; i < 20000; ++i)
        w->AddLogEntry(static_cast<uint32_t>(i), QStringLiteral("statement %1").arg(i), "select 1", i);
    WaitFor([] { return false; }, 50);
    EXPECT_EQ(resets, 0);
    EXPECT_EQ(layouts, 0);
    EXPECT_EQ(resized, 0);
    EXPECT_EQ(list->header()->sectionSize(4), 333);
    EXPECT_EQ(w->Log().EntryCount(), 20002);
}

// ---- the server box ----

TEST_F(MainWindowWiringTest, ServerBoxIsFilledSortedWithTheSavedServerSelected) {
    Write("sqlhosts", "# servers\nzeta onsqlite localhost z\n\nalpha onsqlite localhost a\n"
                      "demo onsqlite localhost d\nzeta onsoctcp elsewhere 9088\n");
    Write("varnok.ini", "[Connection]\nServerName=demo\n");
    auto w = Start();
    QComboBox* box = w->ConnectionBar().cbServerName;
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    EXPECT_EQ(items, (QStringList{"alpha", "demo", "zeta"}));
    EXPECT_EQ(box->currentText(), "demo");
    // The connection parameters window offers the same names.
    EXPECT_EQ(w->fmConParams()->cbServerName()->count(), 3);
    ASSERT_TRUE(w->close());
    EXPECT_EQ(TIniFile(Folder() + "varnok.ini").ReadString("Connection", "ServerName", ""), "demo");
}

TEST_F(MainWindowWiringTest, ServerBoxSelectsTheFirstWhenTheSavedOneIsGone) {
    Write("sqlhosts", "prod onsqlite localhost p\nbeta onsqlite localhost b\n");
    Write("varnok.ini", "[Connection]\nServerName=removed\n");
    auto w = Start();
    EXPECT_EQ(w->ConnectionBar().cbServerName->currentText(), "beta");
}

TEST_F(MainWindowWiringTest, MissingSqlhostsLeavesTheServerBoxEmptyAndKeepsTheSavedName) {
    Write("varnok.ini", "[Connection]\nServerName=demo\n");
    auto w = Start();
    EXPECT_EQ(w->ConnectionBar().cbServerName->count(), 0);
    EXPECT_TRUE(sink.boxes.empty());
    ASSERT_TRUE(w->close());
    EXPECT_EQ(TIniFile(Folder() + "varnok.ini").ReadString("Connection", "ServerName", ""), "demo");
}

// ---- the main tabs ----

TEST_F(MainWindowWiringTest, AltOneToFourSwitchTheMainTabs) {
    auto w = Start();
    w->activateWindow();
    ASSERT_TRUE(WaitFor([&] { return QApplication::activeWindow() == w.get(); }));
    const struct {
        Qt::Key key;
        int tab;
        const char* command;
    } cases[] = {{Qt::Key_4, 3, "acLogBar"},
                 {Qt::Key_2, 1, "acQueryBar"},
                 {Qt::Key_3, 2, "acDataBar"},
                 {Qt::Key_1, 0, "acSQLBar"}};
    for (const auto& c : cases) {
        TCommand* command = w->Commands().Find(c.command);
        ASSERT_NE(command, nullptr) << c.command;
        EXPECT_EQ(command->Caption(), c.command);
        EXPECT_FALSE(command->IsHotkey());
        EXPECT_EQ(command->PictureIndex(), -1);
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : w.get();
        EXPECT_TRUE(qt_sendShortcutOverrideEvent(target, 0, c.key, Qt::AltModifier, QString(), false, 1))
            << c.command;
        EXPECT_EQ(w->pcMain()->currentIndex(), c.tab) << c.command;
    }
    // Back on "Query": the caret is in the active editor page.
    EXPECT_TRUE(WaitFor([&] { return QApplication::focusWidget() == w->EditorPages().ActiveEditor(); }));
}

// ---- the editor pages ----

TEST_F(MainWindowWiringTest, EditorPagesStartWithThreePagesAndWriteTheirFilesAtClose) {
    {
        auto w = Start();
        TEditorPages& pages = w->EditorPages();
        ASSERT_EQ(pages.PageCount(), 3);
        EXPECT_EQ(pages.PageCaption(0), "1");
        EXPECT_EQ(pages.PageCaption(1), "2");
        EXPECT_EQ(pages.PageCaption(2), "3");
        EXPECT_TRUE(w->QueryTab().pnEditorPages->isAncestorOf(&pages));
        EXPECT_NE(w->Commands().Find("acAddPage"), nullptr);
        EXPECT_NE(w->Commands().Find("acUseTab"), nullptr);
        pages.EditorOfPage(1)->setText("select * from systables");
        ASSERT_TRUE(w->close());
    }
    EXPECT_TRUE(ReadBytes(Path("sql2____.$$$")).contains("select * from systables"));
    EXPECT_TRUE(QFile::exists(Path("sql1____.$$$")));
    EXPECT_TRUE(QFile::exists(Path("sql3____.$$$")));
    EXPECT_EQ(TIniFile(Folder() + "varnok.ini").ReadInteger("SQL", "SQLSheetCnt", 0), 3);
    // And back at the next start.
    auto w = Start();
    EXPECT_EQ(w->EditorPages().EditorOfPage(1)->text(), "select * from systables");
}

// ---- the connection windows ----

TEST_F(MainWindowWiringTest, ConnectionWindowSizesHaveOneWriterEach) {
    Write("varnok.ini",
          "[AdvConnectForm]\nWidth=640\nHeight=420\n[ConnectParamForm]\nWidth=520\nHeight=410\n");
    {
        auto w = Start();
        EXPECT_EQ(w->fmAdvConnect()->size(), QSize(640, 420));
        EXPECT_EQ(w->fmConParams()->size(), QSize(520, 410));
        w->fmConParams()->resize(560, 430);
        ASSERT_TRUE(w->close());
    }
    const TIniFile ini(Folder() + "varnok.ini");
    const std::string text = ini.ToText();
    const auto count = [&](const std::string& what) {
        size_t n = 0;
        for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(count("[AdvConnectForm]"), 1u);
    EXPECT_EQ(count("[ConnectParamForm]"), 1u);
    EXPECT_EQ(ini.ReadSectionKeys("ConnectParamForm"), (std::vector<std::string>{"Width", "Height"}));
    EXPECT_EQ(ini.ReadInteger("AdvConnectForm", "Width", 0), 640);
    EXPECT_EQ(ini.ReadInteger("ConnectParamForm", "Width", 0), 560);
    EXPECT_EQ(ini.ReadInteger("ConnectParamForm", "Height", 0), 430);
}

TEST_F(MainWindowWiringTest, QuickConnectMenuIsRebuiltFromTheRegistryEachTimeItOpens) {
    auto w = Start();
    std::vector<std::string> connected;
    w->SetConnectSavedHook([&](const TConnectionsParam& record) { connected.push_back(record.Name); });
    TConnectionRegistry& registry = w->fmAdvConnect()->Registry();
    for (const char* name : {"prod", "test"}) {
        TConnectionsParam record;
        record.Name = name;
        registry.AddConnection(record);
    }
    QMenu* menu = w->pmQuickConnect();
    ASSERT_EQ(w->ConnectionBar().tbQuickConnect->menu(), menu);
    emit menu->aboutToShow();
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions()[0]->text(), "prod");
    menu->actions()[1]->trigger();
    EXPECT_EQ(connected, std::vector<std::string>{"test"});

    TConnectionsParam added;
    added.Name = "added later";
    registry.AddConnection(added);
    emit menu->aboutToShow();
    ASSERT_EQ(menu->actions().size(), 3);
    EXPECT_EQ(menu->actions()[2]->text(), "added later");
}

TEST_F(MainWindowWiringTest, QuickConnectIsDisabledWhileAScriptRuns) {
    auto w = Start();
    QToolButton* button = w->ConnectionBar().tbQuickConnect;
    w->Commands().UpdateCommands();
    EXPECT_TRUE(button->isEnabled());
    w->SetExecuting(true);
    w->Commands().UpdateCommands();
    EXPECT_FALSE(button->isEnabled());
    w->SetExecuting(false);
    w->Commands().UpdateCommands();
    EXPECT_TRUE(button->isEnabled());
}

TEST_F(MainWindowWiringTest, AboutButtonShowsTheAboutWindow) {
    auto w = Start();
    bool shown = false;
    QTimer::singleShot(0, w.get(), [&] {
        shown = w->fmAbout()->isVisible();
        w->fmAbout()->reject();
    });
    w->ConnectionBar().tbAbout->click();
    EXPECT_TRUE(shown);
    EXPECT_FALSE(w->ConnectionBar().tbOptions->isEnabled()); // no options window yet
    bool optionsShown = false;
    w->SetShowOptionsHook([&] { optionsShown = true; });
    EXPECT_TRUE(w->ConnectionBar().tbOptions->isEnabled());
    w->ConnectionBar().tbOptions->click();
    EXPECT_TRUE(optionsShown);
}

TEST_F(MainWindowWiringTest, DeletingASavedConnectionAsksWithAWarning) {
    auto w = Start();
    TConnectionsParam record;
    record.Name = "prod";
    w->fmAdvConnect()->Registry().AddConnection(record);
    w->fmAdvConnect()->RefreshList();
    w->fmAdvConnect()->FocusRow(0);
    sink.answerYes = false;
    w->fmAdvConnect()->DeleteClick();
    ASSERT_EQ(sink.boxes.size(), 1u);
    EXPECT_EQ(sink.boxes[0].kind, "warning question");
    EXPECT_EQ(sink.boxes[0].caption, "Confirm Delete");
    EXPECT_EQ(sink.boxes[0].text, "Are you sure you want to delete the connection: prod");
    EXPECT_FALSE(sink.boxes[0].defaultYes);
    EXPECT_EQ(w->fmAdvConnect()->Registry().ConnectionCount(), 1u);
}

} // namespace
} // namespace varnok
