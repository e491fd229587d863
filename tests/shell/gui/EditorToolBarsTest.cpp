// The two editor toolbars of the main window: the buttons of their stored
// command-name lists, their pictures and layout, the context menu, the
// settings they write, and a click on Execute running the page's SQL.
#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <memory>

#include "connections/ui/ConnectFlow.h"
#include "editor/ui/EditorPages.h"
#include "editor/ui/SqlEditor.h"
#include "results/ui/InstallResultViews.h"
#include "shell/CommandNameList.h"
#include "shell/IniFile.h"
#include "shell/gui/ExecutionTestFixture.h"
#include "shell/gui/RecordingMessageSink.h"
#include "shell/kit/CommandRegistry.h"
#include "shell/ui/EditorToolBars.h"
#include "shell/ui/ExecutionPart.h"
#include "shell/ui/PanelVisibility.h"
#include "shell/ui/TfmMain.h"

namespace varnok {
namespace {

using Names = std::vector<std::string>;

const Names kHDefault = {"acAddPage",       "acOpenFile",  "acSaveFile",         "acErase",
                         "acSeparator",     "acSearch",    "acSearchNext",       "acSearchPrev",
                         "acSearchReplace", "acSeparator", "acEditorFontBigger", "acEditorFontSmaller"};
const Names kVDefault = {"acUndo",        "acRedo",                "acExecute",     "acExecuteSelected",
                         "acCheckSyntax", "acCheckSyntaxSelected", "acInterruptSQL"};

void Settle() {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 50)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

QToolButton* Button(const TEditorToolBar& bar, int index) {
    return qobject_cast<QToolButton*>(bar.ButtonWidget(index));
}

// Every button's command and picture size, every separator 8 pixels along
// the toolbar; the buttons one column on a vertical toolbar, one row on a
// horizontal one.
void ExpectButtons(const TfmMain& window, const TEditorToolBar& bar, const Names& names, int pictureSize) {
    ASSERT_EQ(bar.CommandNames(), names);
    ASSERT_EQ(bar.ButtonCount(), static_cast<int>(names.size()));
    const bool vertical = bar.ToolBar()->orientation() == Qt::Vertical;
    int along = -1;
    for (int i = 0; i < bar.ButtonCount(); ++i) {
        SCOPED_TRACE(names[static_cast<size_t>(i)]);
        QWidget* widget = bar.ButtonWidget(i);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->parentWidget(), bar.ToolBar());
        if (names[static_cast<size_t>(i)] == kSeparatorCommand) {
            EXPECT_EQ(Button(bar, i), nullptr);
            EXPECT_EQ(vertical ? widget->height() : widget->width(), 8);
        } else {
            QToolButton* button = Button(bar, i);
            ASSERT_NE(button, nullptr);
            TCommand* command = window.Commands().Find(QString::fromStdString(names[static_cast<size_t>(i)]));
            ASSERT_NE(command, nullptr);
            EXPECT_EQ(button->defaultAction(), command);
            EXPECT_EQ(button->toolTip(), command->Hint());
            EXPECT_EQ(button->size(), QSize(pictureSize, pictureSize));
            EXPECT_EQ(button->iconSize(), QSize(pictureSize, pictureSize));
            EXPECT_FALSE(button->icon().isNull());
        }
        if (!widget->isVisible()) continue; // beyond the toolbar's end
        const QPoint at = widget->mapTo(bar.ToolBar(), QPoint(0, 0));
        EXPECT_GT(vertical ? at.y() : at.x(), along) << "out of order";
        along = vertical ? at.y() : at.x();
        if (i > 0) {
            const QPoint first = bar.ButtonWidget(0)->mapTo(bar.ToolBar(), QPoint(0, 0));
            const QPoint firstCentre = first + bar.ButtonWidget(0)->rect().center();
            const QPoint centre = at + widget->rect().center();
            // One column (or one row): the same centre across the toolbar.
            EXPECT_NEAR(vertical ? centre.x() : centre.y(), vertical ? firstCentre.x() : firstCentre.y(), 1);
        }
    }
}

class EditorToolBarsTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    testing::TRecordingMessageSink sink;
    TScopedMessageSink scope{sink};
    std::unique_ptr<TfmMain> window;

    std::string IniPath() const { return dir.path().toStdString() + "/varnok.ini"; }

    // The main window with the parts of the running program.
    // keepSize: the window as the settings open it (750 x 550 on a first start).
    TfmMain& Start(bool keepSize = false) {
        TMainWindowStartup s = TMainWindowStartup::FromProcess({"/i", dir.path().toStdString()});
        s.programBaseName = "varnok";
        s.getLocalAppData = [this] { return dir.path().toStdString() + "/local/"; };
        window = std::make_unique<TfmMain>(s);
        window->Commands().SetFatalHandler([](const QString& m) { FAIL() << "fatal: " << m.toStdString(); });
        if (!keepSize) window->resize(1000, 1000); // room for every button
        window->show();
        Settle();
        return *window;
    }

    void WriteIni(const std::string& text) const {
        QFile f(QString::fromStdString(IniPath()));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.c_str());
    }

    TEditorToolBar& H() const { return *EditorToolBarsOf(*window).horizontal; }
    TEditorToolBar& V() const { return *EditorToolBarsOf(*window).vertical; }
    QToolButton* CommandButton(const TEditorToolBar& bar, const char* name) const {
        const Names names = bar.CommandNames();
        const auto at = std::find(names.begin(), names.end(), name);
        return at == names.end() ? nullptr : Button(bar, static_cast<int>(at - names.begin()));
    }
};

TEST_F(EditorToolBarsTest, AFirstStartShowsTheDefaultButtonsSmallInARowAndLargeInAColumn) {
    TfmMain& w = Start(true);
    const TEditorToolBars bars = EditorToolBarsOf(w);
    ASSERT_NE(bars.horizontal, nullptr);
    ASSERT_NE(bars.vertical, nullptr);
    EXPECT_EQ(bars.horizontal->ToolBar(), w.QueryTab().tbHorizontal);
    EXPECT_EQ(bars.vertical->ToolBar(), w.QueryTab().tbVertical);

    EXPECT_FALSE(H().LargeIcons());
    ExpectButtons(w, H(), kHDefault, 20);
    EXPECT_EQ(std::count(kHDefault.begin(), kHDefault.end(), std::string(kSeparatorCommand)), 2);
    EXPECT_EQ(H().ButtonWidget(4)->width(), 8);
    EXPECT_EQ(H().ButtonWidget(9)->width(), 8);
    EXPECT_EQ(Button(H(), 0)->toolTip(), "Add Editor Page");

    EXPECT_TRUE(V().LargeIcons());
    ExpectButtons(w, V(), kVDefault, 32);
    EXPECT_EQ(CommandButton(V(), "acExecute")->toolTip(), "Execute Script");
    // The default window has room for every default button.
    for (TEditorToolBar* bar : {&H(), &V()})
        for (int i = 0; i < bar->ButtonCount(); ++i)
            EXPECT_TRUE(bar->ButtonWidget(i)->isVisible()) << bar->CommandNames()[static_cast<size_t>(i)];
    EXPECT_TRUE(sink.boxes.empty());
}

TEST_F(EditorToolBarsTest, ButtonsFollowTheirCommandsEnabledState) {
    TfmMain& w = Start();
    QToolButton* save = CommandButton(H(), "acSaveFile");
    QToolButton* addPage = CommandButton(H(), "acAddPage");
    QToolButton* execute = CommandButton(V(), "acExecute");
    ASSERT_TRUE(save && addPage && execute);
    w.Commands().UpdateCommands();
    EXPECT_FALSE(save->isEnabled()); // the page holds no text
    EXPECT_TRUE(addPage->isEnabled());
    w.EditorPages().ActiveEditor()->setText("select 1 from systables");
    w.Commands().UpdateCommands();
    EXPECT_TRUE(save->isEnabled());
    EXPECT_FALSE(execute->isEnabled()); // not connected
    w.EditorPages().ActiveEditor()->setText("");
    w.Commands().UpdateCommands();
    EXPECT_FALSE(save->isEnabled());
}

TEST_F(EditorToolBarsTest, AStoredListWithQuotesBlanksAndUnknownNamesLoadsTheNamedButtons) {
    WriteIni("[HToolBar]\n"
             "Buttons= \"acUndo\" , acNoSuchCommand  acExecute,,\"acSeparator\",acSQLBar,acSeparator,acredo,\n"
             "LargeIcons=1\n"
             "[VToolBar]\n"
             "Buttons=\n"
             "LargeIcons=0\n");
    TfmMain& w = Start();
    ExpectButtons(w, H(), {"acUndo", "acExecute", "acSeparator", "acSeparator", "acRedo"}, 32);
    EXPECT_TRUE(H().LargeIcons());
    // An empty stored list is an empty toolbar, not the default one.
    EXPECT_EQ(V().ButtonCount(), 0);
    EXPECT_FALSE(V().LargeIcons());

    // A list without the keys takes the defaults.
    w.Settings().LoadSettings(TIniFile());
    ExpectButtons(w, H(), kHDefault, 20);
    ExpectButtons(w, V(), kVDefault, 32);
}

TEST_F(EditorToolBarsTest, SavingWritesEachButtonsNameWithACommaAndThePictureSetInTheirPlace) {
    WriteIni("[HToolBar]\nButtons=acUndo acNoSuchCommand \"acSeparator\" acExecute\nLargeIcons=1\n"
             "[VToolBar]\nLargeIcons=x\n");
    TfmMain& w = Start();
    w.SaveParams();
    const TIniFile stored(IniPath());
    EXPECT_EQ(stored.ReadString("HToolBar", "Buttons", "?"), "acUndo,acSeparator,acExecute,");
    EXPECT_EQ(stored.ReadString("HToolBar", "LargeIcons", "?"), "1");
    EXPECT_EQ(stored.ReadString("VToolBar", "Buttons", "?"), kVToolBarDefaultButtons);
    EXPECT_EQ(stored.ReadString("VToolBar", "LargeIcons", "?"), "1"); // not a number: the default

    // The sections stand after the editor pages (and the histories), ahead of the options.
    const std::vector<std::string> sections = stored.ReadSections();
    const auto at = [&](const char* name) { return std::find(sections.begin(), sections.end(), name) - sections.begin(); };
    EXPECT_LT(at("SQL"), at("HToolBar")) << ::testing::PrintToString(sections);
    EXPECT_EQ(at("VToolBar"), at("HToolBar") + 1);
    EXPECT_LT(at("VToolBar"), at("eOptions"));

    // And so they are read: between the histories and the options.
    const std::vector<std::string> loads = w.Settings().LoadStepNames();
    const auto loadAt = [&](const char* name) { return std::find(loads.begin(), loads.end(), name) - loads.begin(); };
    EXPECT_LT(loadAt("SQL"), loadAt("HToolBar")) << ::testing::PrintToString(loads);
    EXPECT_EQ(loadAt("VToolBar"), loadAt("HToolBar") + 1);
    EXPECT_LT(loadAt("VToolBar"), loadAt("eOptions"));
}

TEST_F(EditorToolBarsTest, TheContextMenuOffersCustomizeDisabledAndHideWhichHidesThatToolbar) {
    TfmMain& w = Start();
    for (TEditorToolBar* bar : {&H(), &V()}) {
        QStringList captions;
        for (QAction* item : bar->ContextMenu()->actions())
            captions << item->text();
        EXPECT_EQ(captions, (QStringList{"Customize", "Hide"}));
        EXPECT_FALSE(bar->miCustomize()->isEnabled());
        EXPECT_TRUE(bar->miHide()->isEnabled());
    }

    // A right click on a button opens its toolbar's menu.
    QWidget* button = Button(V(), 2);
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), button->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(button, &click);
    Settle();
    EXPECT_TRUE(V().ContextMenu()->isVisible());
    EXPECT_FALSE(H().ContextMenu()->isVisible());
    V().ContextMenu()->close();

    H().miHide()->trigger();
    EXPECT_FALSE(w.QueryTab().tbHorizontal->isVisibleTo(&w));
    EXPECT_TRUE(w.QueryTab().tbVertical->isVisibleTo(&w));
    EXPECT_FALSE(w.Panels().miShowHToolBar()->isChecked());
    w.SaveParams();
    EXPECT_EQ(TIniFile(IniPath()).ReadString("Position", "HToolBarVis", "?"), "0");
    EXPECT_EQ(TIniFile(IniPath()).ReadString("Position", "VToolBarVis", "?"), "1");

    V().miHide()->trigger();
    EXPECT_FALSE(w.QueryTab().tbVertical->isVisibleTo(&w));
    EXPECT_FALSE(w.Panels().miShowVToolBar()->isChecked());
    w.SaveParams();
    EXPECT_EQ(TIniFile(IniPath()).ReadString("Position", "VToolBarVis", "?"), "0");
    // The buttons stay in the stored list while their toolbar is hidden.
    EXPECT_EQ(TIniFile(IniPath()).ReadString("VToolBar", "Buttons", "?"), kVToolBarDefaultButtons);

    // "Show All" brings both back with their buttons.
    w.Panels().ShowAll();
    EXPECT_TRUE(w.QueryTab().tbHorizontal->isVisibleTo(&w));
    EXPECT_TRUE(w.QueryTab().tbVertical->isVisibleTo(&w));
    EXPECT_EQ(V().CommandNames(), kVDefault);
}

} // namespace

namespace testing {
namespace {

TEST_F(ExecutionTest, TheVerticalToolbarsExecuteButtonRunsTheActivePagesSql) {
    const TEditorToolBar* vertical = EditorToolBarsOf(*window_).vertical;
    ASSERT_NE(vertical, nullptr);
    const Names names = vertical->CommandNames();
    const auto at = std::find(names.begin(), names.end(), "acExecute");
    ASSERT_NE(at, names.end());
    auto* execute = qobject_cast<QToolButton*>(vertical->ButtonWidget(static_cast<int>(at - names.begin())));
    ASSERT_NE(execute, nullptr);

    Editor()->setText("");
    window_->Commands().UpdateCommands();
    EXPECT_FALSE(execute->isEnabled()); // nothing to run

    Editor()->setText("select * from small");
    window_->Commands().UpdateCommands();
    ASSERT_TRUE(execute->isEnabled());
    const int before = Log().EntryCount();
    execute->click();
    ASSERT_TRUE(WaitUntil([this] { return !window_->Executing(); })) << "the run did not end";
    EXPECT_EQ(Message(), "3 row(s) retrieved.");
    ASSERT_GT(Log().EntryCount(), before);
    EXPECT_EQ(LastLogMessage(), "3 row(s) retrieved.");
    EXPECT_EQ(runner_->LastStatementText(), "select * from small");
}

} // namespace
} // namespace testing
} // namespace varnok
