#include "editor/ui/EditorCommands.h"
#include "editor/ui/EditorPages.h"
#include "editor/ui/SqlEditor.h"
#include "shell/IniFile.h"
#include "shell/SettingsRegistry.h"
#include "shell/kit/CommandRegistry.h"

#include "editor/gui/RecordingSink.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QTemporaryDir>

using namespace varnok;
using varnok::testing::TRecordingSink;

namespace {

class EditorCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        registry.SetFatalHandler([this](const QString& m) { fatal = m; });
        commands = std::make_unique<TEditorCommands>(pages, registry);
        TEditorDialogs d;
        d.openFile = [this](QWidget*, const QString& start) {
            openStarts << start;
            return openAnswer;
        };
        d.saveFile = [this](QWidget*, const QString& start) {
            saveStarts << start;
            return saveAnswer;
        };
        d.renamePage = [this](QWidget*, const QString& current) {
            renameShown << current;
            return renameAnswer;
        };
        commands->SetDialogs(d);
        pages.LoadPages(TIniFile(), (dir.path() + "/").toStdString());
    }
    TCommand* Cmd(const char* name) { return registry.Find(name); }
    void Run(const char* name) {
        TCommand* c = Cmd(name);
        ASSERT_NE(c, nullptr) << name;
        c->Execute();
    }
    QStringList MenuTexts(QMenu* menu) {
        QStringList out;
        for (QAction* a : menu->actions())
            out << (a->isSeparator() ? "-" : a->text());
        return out;
    }

    QTemporaryDir dir;
    TRecordingSink sink;
    TScopedMessageSink scopedSink{sink};
    TEditorPages pages;
    TCommandRegistry registry;
    std::unique_ptr<TEditorCommands> commands;
    QString fatal;
    QStringList openStarts, saveStarts, renameShown;
    QString openAnswer, saveAnswer;
    std::optional<QString> renameAnswer;
};

TEST_F(EditorCommandsTest, CommandsCarryTheirCaptionsAndShortcuts) {
    struct Row {
        const char* name;
        const char* caption;
        const char* shortcut;
        bool hotkey;
    };
    for (const Row& r :
         {Row{"acAddPage", "Add Page", "", true}, Row{"acOpenFile", "Open", "Ctrl+O", true},
          Row{"acSaveFile", "Save As ...", "Ctrl+S", true}, Row{"acErase", "Erase", "", false},
          Row{"acDeletePage", "Delete Active Page", "", true},
          Row{"acRenamePage", "Rename Active Page", "", false}, Row{"acPageAtLeft", "Left", "", false},
          Row{"acPageAtRight", "Right", "", false}, Row{"acPageAtTop", "Top", "", false},
          Row{"acPageAtBottom", "Bottom", "", false}, Row{"acEditorFontBigger", "Font Bigger", "", true},
          Row{"acEditorFontSmaller", "Font Smaller", "", true}, Row{"acUseTab", "I Use TabKey", "", false}}) {
        TCommand* c = Cmd(r.name);
        ASSERT_NE(c, nullptr) << r.name;
        EXPECT_EQ(c->Caption(), r.caption) << r.name;
        EXPECT_EQ(c->ShortcutText(), r.shortcut) << r.name;
        EXPECT_EQ(c->IsHotkey(), r.hotkey) << r.name;
    }
    EXPECT_TRUE(Cmd("acUseTab")->isCheckable());
    EXPECT_TRUE(Cmd("acUseTab")->isChecked());
}

TEST_F(EditorCommandsTest, AddPageActivatesTheNewPage) {
    Run("acAddPage");
    EXPECT_EQ(pages.PageCount(), 4);
    EXPECT_EQ(pages.currentIndex(), 3);
    EXPECT_EQ(pages.PageCaption(3), "4");
}

TEST_F(EditorCommandsTest, EnablingFollowsPagesAndText) {
    registry.UpdateCommands();
    EXPECT_FALSE(Cmd("acSaveFile")->isEnabled());
    EXPECT_FALSE(Cmd("acErase")->isEnabled());
    EXPECT_TRUE(Cmd("acDeletePage")->isEnabled());
    EXPECT_TRUE(Cmd("acEditorFontBigger")->isEnabled());

    pages.ActiveEditor()->setText("x");
    registry.UpdateCommands();
    EXPECT_TRUE(Cmd("acSaveFile")->isEnabled());
    EXPECT_TRUE(Cmd("acErase")->isEnabled());

    while (pages.PageCount() > 0)
        pages.ClosePage();
    registry.UpdateCommands();
    for (const char* name : {"acSaveFile", "acErase", "acDeletePage", "acRenamePage", "acEditorFontBigger",
                             "acEditorFontSmaller"})
        EXPECT_FALSE(Cmd(name)->isEnabled()) << name;
    for (const char* name : {"acAddPage", "acOpenFile", "acUseTab", "acPageAtLeft"})
        EXPECT_TRUE(Cmd(name)->isEnabled()) << name;
    EXPECT_TRUE(fatal.isEmpty());
}

TEST_F(EditorCommandsTest, RenameOffersTheCaptionAndAcceptsEmpty) {
    pages.ActivatePage(2);
    renameAnswer = QString();
    Run("acRenamePage");
    EXPECT_EQ(renameShown, QStringList{"3"});
    EXPECT_EQ(pages.PageCaption(2), "");

    renameAnswer = std::nullopt; // Cancel
    pages.ActivatePage(0);
    Run("acRenamePage");
    EXPECT_EQ(pages.PageCaption(0), "1");
}

TEST_F(EditorCommandsTest, OpenThenSaveAsStartsWithTheOpenedName) {
    const QString file = dir.path() + "/in.sql";
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("select 1");
    }
    openAnswer = file;
    Run("acOpenFile");
    EXPECT_EQ(pages.PageCount(), 4);
    EXPECT_EQ(pages.ActiveEditor()->text(), "select 1");

    saveAnswer = dir.path() + "/out.sql";
    Run("acSaveFile");
    EXPECT_EQ(saveStarts, QStringList{file});
    QFile out(saveAnswer);
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_EQ(out.readAll(), "select 1");

    Run("acSaveFile");
    EXPECT_EQ(saveStarts.last(), saveAnswer); // later the dialog keeps its own last name
    Run("acOpenFile");
    EXPECT_EQ(openStarts.last(), file);
}

TEST_F(EditorCommandsTest, CancelledOpenMakesNoPage) {
    openAnswer.clear();
    Run("acOpenFile");
    EXPECT_EQ(pages.PageCount(), 3);
}

TEST_F(EditorCommandsTest, FailedOpenIsReportedAndKeepsTheEmptyPage) {
    openAnswer = dir.path() + "/missing.sql";
    Run("acOpenFile");
    EXPECT_EQ(pages.PageCount(), 4);
    EXPECT_EQ(pages.currentIndex(), 0);
    ASSERT_EQ(sink.boxes.size(), 1);
    EXPECT_TRUE(sink.boxes[0].startsWith("error|")) << sink.boxes[0].toStdString();
    EXPECT_TRUE(sink.boxes[0].contains("missing.sql")) << sink.boxes[0].toStdString();
}

TEST_F(EditorCommandsTest, UseTabTogglesEveryEditor) {
    Run("acUseTab");
    EXPECT_FALSE(Cmd("acUseTab")->isChecked());
    for (int i = 0; i < pages.PageCount(); ++i)
        EXPECT_FALSE(pages.EditorOfPage(i)->WantTab());
    Run("acUseTab");
    for (int i = 0; i < pages.PageCount(); ++i)
        EXPECT_TRUE(pages.EditorOfPage(i)->WantTab());
}

TEST_F(EditorCommandsTest, StoredWantTabSetsTheCheckMark) {
    TIniFile ini;
    ini.LoadFromText("[SQL]\nWantTab=0\n");
    pages.LoadPages(ini, (dir.path() + "/").toStdString());
    EXPECT_FALSE(Cmd("acUseTab")->isChecked());
}

TEST_F(EditorCommandsTest, PositionCommandsUseThePlacementCodes) {
    struct Row {
        const char* name;
        int code;
    };
    for (const Row& r :
         {Row{"acPageAtLeft", 1}, Row{"acPageAtRight", 3}, Row{"acPageAtTop", 0}, Row{"acPageAtBottom", 2}}) {
        Run(r.name);
        EXPECT_EQ(pages.TabPlacement(), r.code) << r.name;
        TIniFile ini;
        pages.SavePages(ini, (dir.path() + "/").toStdString());
        EXPECT_EQ(ini.ReadInteger("SQL", "SQLSheetPos", -1), r.code) << r.name;
    }
}

TEST_F(EditorCommandsTest, FontAndEraseCommandsActOnTheActiveEditor) {
    pages.ActivatePage(1);
    Run("acEditorFontBigger");
    EXPECT_EQ(pages.EditorOfPage(1)->FontHeight(), -18);
    EXPECT_EQ(pages.EditorOfPage(0)->FontHeight(), -17);
    Run("acEditorFontSmaller");
    Run("acEditorFontSmaller");
    EXPECT_EQ(pages.EditorOfPage(1)->FontHeight(), -16);

    pages.ActiveEditor()->setText("abc");
    Run("acErase");
    EXPECT_EQ(pages.ActiveEditor()->text(), "");
}

TEST_F(EditorCommandsTest, TabsMenuItemsInOrder) {
    EXPECT_EQ(MenuTexts(commands->TabsMenu()),
              (QStringList{"Add Page", "Rename Active Page", "Delete Active Page", "-", "Position"}));
    QMenu* position = commands->TabsMenu()->actions().last()->menu();
    ASSERT_NE(position, nullptr);
    EXPECT_EQ(MenuTexts(position), (QStringList{"Left", "Right", "Top", "Bottom"}));
}

TEST_F(EditorCommandsTest, EditorPopupListsTheRegisteredCommandsInOrder) {
    // Commands of the text-command window arrive later; the menu picks them up.
    TCommandSpec undo;
    undo.name = "acUndo";
    undo.caption = "Undo";
    registry.Add(undo);
    TCommandSpec search;
    search.name = "acSearch";
    search.caption = "Search...";
    registry.Add(search);
    commands->RebuildEditorPopupMenu();
    QStringList visible;
    for (QAction* a : commands->EditorPopupMenu()->actions())
        visible << (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(visible, (QStringList{"Undo", "-", "-", "-", "Erase", "-", "Open", "Save As ...", "-", "-",
                                    "I Use TabKey", "-", "Search..."}));
    EXPECT_EQ(pages.ActiveEditor()->PopupMenu(), commands->EditorPopupMenu());
    EXPECT_EQ(pages.NewPage()->Editor()->PopupMenu(), commands->EditorPopupMenu());
}

TEST_F(EditorCommandsTest, EditorsLeaveTheCommandKeysToTheCommands) {
    // Ctrl+L cuts a line in the editing component and is "Search Next" here.
    auto claims = [](TSqlEditor* editor) {
        QKeyEvent over(QEvent::ShortcutOverride, Qt::Key_L, Qt::ControlModifier);
        over.ignore();
        QApplication::sendEvent(editor, &over);
        return over.isAccepted();
    };
    ASSERT_TRUE(claims(pages.ActiveEditor()));
    TCommandSpec next;
    next.name = "acSearchNext";
    next.caption = "Search Next";
    next.shortcut = MakeShortcut('L', kShortcutCtrl);
    TCommand* cmd = registry.Add(next);
    EXPECT_FALSE(claims(pages.ActiveEditor()));
    EXPECT_FALSE(claims(pages.NewPage()->Editor())); // pages made later too

    // A disabled command's key does not fall through to the line cut.
    pages.ActiveEditor()->setText("one\r\ntwo");
    QKeyEvent press(QEvent::KeyPress, Qt::Key_L, Qt::ControlModifier);
    QApplication::sendEvent(pages.ActiveEditor(), &press);
    EXPECT_EQ(pages.ActiveEditor()->text(), "one\r\ntwo");

    // A hotkey moved elsewhere gives the key back to the editor.
    cmd->SetShortcut(MakeShortcut('K', kShortcutCtrl));
    EXPECT_TRUE(claims(pages.ActiveEditor()));
}

TEST_F(EditorCommandsTest, SettingsStepsReportPageFileFailuresAndGoOn) {
    TSettingsRegistry settings;
    const std::string folder = (dir.path() + "/").toStdString();
    TEditorPages fresh;
    fresh.RegisterSettings(settings, [folder] { return folder; });
    ASSERT_TRUE(QDir(dir.path()).mkdir("sql2____.$$$"));
    EXPECT_NO_THROW(settings.LoadSettings(TIniFile()));
    EXPECT_EQ(fresh.PageCount(), 3);
    ASSERT_EQ(sink.boxes.size(), 1);
    EXPECT_TRUE(sink.boxes[0].contains("sql2____.$$$")) << sink.boxes[0].toStdString();
    TIniFile out;
    EXPECT_NO_THROW(settings.WriteSettings(out));
    EXPECT_EQ(out.ReadInteger("SQL", "SQLSheetCnt", 0), 3);
}

} // namespace

namespace {

TEST(EditorCommandsLifetime, RegistryOutlivingThePagesRunsNothing) {
    TCommandRegistry registry;
    QString fatal;
    registry.SetFatalHandler([&fatal](const QString& m) { fatal = m; });
    {
        TEditorPages pages;
        TEditorCommands commands(pages, registry);
        pages.NewPage();
    }
    registry.UpdateCommands(); // the page commands' rule has nothing left to look at
    registry.Find("acAddPage")->trigger();
    registry.Find("acUseTab")->trigger();
    EXPECT_TRUE(fatal.isEmpty()) << fatal.toStdString(); // and no crash on the freed pages
}

} // namespace
