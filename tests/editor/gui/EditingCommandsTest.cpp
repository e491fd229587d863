// The plain editing commands: what they do to the active editor, when they are
// enabled, and their place in the editor popup menu.
#include "editor/ui/EditingCommands.h"
#include "editor/ui/EditorCommands.h"
#include "editor/ui/EditorPages.h"
#include "editor/ui/EditorWorkspace.h"
#include "editor/ui/SqlEditor.h"
#include "shell/IniFile.h"
#include "shell/SettingsRegistry.h"
#include "shell/kit/CommandRegistry.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QTemporaryDir>
#include <QWidget>

using namespace varnok;

namespace {

class EditingCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        w = InstallEditorPages(&host, registry, settings, [this] { return (dir.path() + "/").toStdString(); });
        w.pages->LoadPages(TIniFile(), (dir.path() + "/").toStdString());
        editor = w.pages->ActiveEditor();
    }
    bool Enabled(const char* name) {
        registry.UpdateCommands();
        return registry.Find(name)->isEnabled();
    }
    void Run(const char* name) { registry.Find(name)->Execute(); }

    QTemporaryDir dir;
    QWidget host;
    TCommandRegistry registry;
    TSettingsRegistry settings;
    TEditorWorkspace w;
    TSqlEditor* editor = nullptr;
};

TEST_F(EditingCommandsTest, CommandsCarryTheirCaptionsHintsAndPictures) {
    struct Row {
        const char* name;
        const char* caption;
        const char* hint;
        int picture;
    };
    for (const Row& r : {Row{"acUndo", "Undo", "UnDo", 15}, Row{"acRedo", "Redo", "ReDo", 14},
                         Row{"acCopyToClipboard", "Copy", "Copy To Clipboard", 18},
                         Row{"acCutToClipboard", "Cut", "Cut To Clipboard", 11},
                         Row{"acPasteFromClipboard", "Paste", "Paste From Clipboard", 19},
                         Row{"acSelectAll", "Select All", "Select All (CTRL+A )", -1},
                         Row{"acDeleteSelected", "Delete", "Delete Selected", -1},
                         Row{"acUpperCase", "Upper Case", "Upper Case", 22},
                         Row{"acLowerCase", "Lower Case", "Lower Case", 23},
                         Row{"acCapitalCase", "Capital Case", "Capital Case", 24},
                         Row{"acInversCase", "InversCase", "Invers Case", 25},
                         Row{"acAddQuot", "Quot", "Add Quot", 20}, Row{"acDeleteQuot", "UnQuot", "Delete Quot", 21}}) {
        const TCommand* c = registry.Find(r.name);
        ASSERT_NE(c, nullptr) << r.name;
        EXPECT_EQ(c->Caption(), r.caption);
        EXPECT_EQ(c->Hint(), r.hint);
        EXPECT_EQ(c->Category(), "SQLEditor");
        EXPECT_EQ(c->PictureIndex(), r.picture) << r.name;
        EXPECT_EQ(c->Shortcut(), 0) << r.name; // the editor's own keys stay in force
    }
}

TEST_F(EditingCommandsTest, EnablingFollowsTextSelectionAndUndo) {
    const char* selectionCommands[] = {"acCopyToClipboard", "acCutToClipboard", "acDeleteSelected", "acAddQuot",
                                       "acDeleteQuot", "acUpperCase", "acLowerCase", "acCapitalCase",
                                       "acInversCase"};
    EXPECT_FALSE(Enabled("acSelectAll"));
    EXPECT_FALSE(Enabled("acUndo"));
    EXPECT_FALSE(Enabled("acRedo"));
    EXPECT_TRUE(Enabled("acPasteFromClipboard"));
    editor->insert("select 1"); // typed: it can be undone
    EXPECT_TRUE(Enabled("acSelectAll"));
    EXPECT_TRUE(Enabled("acUndo"));
    for (const char* name : selectionCommands)
        EXPECT_FALSE(Enabled(name)) << name;
    editor->setSelection(0, 0, 0, 6);
    for (const char* name : selectionCommands)
        EXPECT_TRUE(Enabled(name)) << name;
    editor->undo();
    EXPECT_TRUE(Enabled("acRedo"));
    editor->setReadOnly(true);
    EXPECT_FALSE(Enabled("acPasteFromClipboard"));
    editor->setReadOnly(false);

    // No page: nothing to edit.
    while (w.pages->PageCount() > 0)
        w.pages->ClosePage();
    for (const char* name : {"acUndo", "acRedo", "acCopyToClipboard", "acCutToClipboard", "acPasteFromClipboard",
                             "acSelectAll", "acDeleteSelected", "acAddQuot", "acDeleteQuot", "acUpperCase"})
        EXPECT_FALSE(Enabled(name)) << name;
    Run("acSelectAll"); // and running one anyway does nothing
}

TEST_F(EditingCommandsTest, CommandsActOnTheActiveEditor) {
    w.pages->ActivatePage(1);
    TSqlEditor* second = w.pages->ActiveEditor();
    second->setText("select tabname from systables");
    second->setSelection(0, 7, 0, 14); // "tabname"
    Run("acCopyToClipboard");
    EXPECT_EQ(QApplication::clipboard()->text(), "tabname");
    Run("acCutToClipboard");
    EXPECT_EQ(second->text(), "select  from systables");
    Run("acPasteFromClipboard");
    EXPECT_EQ(second->text(), "select tabname from systables");
    Run("acUndo");
    EXPECT_EQ(second->text(), "select  from systables");
    Run("acRedo");
    EXPECT_EQ(second->text(), "select tabname from systables");
    Run("acSelectAll");
    EXPECT_EQ(second->selectedText(), "select tabname from systables");
    second->setSelection(0, 0, 0, 7);
    Run("acDeleteSelected");
    EXPECT_EQ(second->text(), "tabname from systables");
    EXPECT_EQ(editor->text(), ""); // the first page is untouched
}

TEST_F(EditingCommandsTest, QuotAndUnQuotReplaceTheSelectionAsOneUndoStep) {
    editor->setText("-- head\r\nselect *\r\nfrom t\r\n-- tail");
    editor->setSelection(1, 0, 2, 6); // "select *" to "from t"
    Run("acAddQuot");
    EXPECT_EQ(editor->text(), "-- head\r\n'select * '+\r\n'from t '+\r\n\r\n-- tail");
    Run("acUndo");
    EXPECT_EQ(editor->text(), "-- head\r\nselect *\r\nfrom t\r\n-- tail");

    editor->setText("x = + 'a'\r\n");
    editor->setSelection(0, 4, 0, 9); // "+ 'a'"
    Run("acDeleteQuot");
    EXPECT_EQ(editor->text(), "x = a\r\n\r\n");
}

TEST_F(EditingCommandsTest, CaseCommandsConvertOnlyTheSelection) {
    editor->setText("select tabname from systables");
    editor->setSelection(0, 7, 0, 14);
    Run("acUpperCase");
    EXPECT_EQ(editor->text(), "select TABNAME from systables");
    editor->setSelection(0, 15, 0, 29);
    Run("acCapitalCase");
    EXPECT_EQ(editor->text(), "select TABNAME From Systables");
    Run("acUndo");
    EXPECT_EQ(editor->text(), "select TABNAME from systables");
}

TEST_F(EditingCommandsTest, EditorPopupMenuHoldsTheEditingCommandsInOrder) {
    QMenu* popup = w.commands->EditorPopupMenu();
    emit popup->aboutToShow();
    QStringList items;
    for (QAction* a : popup->actions())
        items << (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(items, (QStringList{"Undo", "Redo", "-", "Cut", "Copy", "Paste", "Delete", "-", "Select All", "-",
                                  "Erase", "-", "Open", "Save As ...", "-", "Quot", "UnQuot", "-",
                                  "I Use TabKey", "-", "Search...", "Replace...", "Search Next",
                                  "Search Prior"}));
}

} // namespace
