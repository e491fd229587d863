// Search and replace through the commands, with the dialog and the
// confirmation answered by the test.
#include "editor/ui/EditorPages.h"
#include "editor/ui/EditorWorkspace.h"
#include "editor/ui/SearchCommands.h"
#include "editor/ui/SearchDialog.h"
#include "editor/ui/SqlEditor.h"
#include "shell/IniFile.h"
#include "shell/SettingsRegistry.h"
#include "shell/kit/CommandRegistry.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QWidget>

#include <deque>

using namespace varnok;

namespace {

class SearchCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        w = InstallEditorPages(&host, registry, settings, [this] { return (dir.path() + "/").toStdString(); });
        w.pages->LoadPages(TIniFile(), (dir.path() + "/").toStdString());
        editor = w.pages->ActiveEditor();
        w.search->SetDialogRunner([this](TfmSearchDialog& d) {
            proposed << d.SearchBox()->currentText();
            if (!answerDialog) return false;
            answerDialog(d);
            return true;
        });
        w.search->SetReplaceAsker([this](TSqlEditor&, const QString&) {
            ++asked;
            if (answers.empty()) return TReplaceAnswer::Cancel;
            const TReplaceAnswer a = answers.front();
            answers.pop_front();
            return a;
        });
    }
    bool Enabled(const char* name) {
        registry.UpdateCommands();
        return registry.Find(name)->isEnabled();
    }
    void Run(const char* name) { registry.Find(name)->Execute(); }
    // A dialog answered with this text and options.
    void Answer(const QString& text, bool fromCaret = false, const QString& replaceWith = {}) {
        answerDialog = [=](TfmSearchDialog& d) {
            d.SearchBox()->setEditText(text);
            d.FromCaret()->setChecked(fromCaret);
            if (d.ReplaceBox()) d.ReplaceBox()->setEditText(replaceWith);
        };
    }
    int SelectionStart() { return int(editor->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART)); }

    QTemporaryDir dir;
    QWidget host;
    TCommandRegistry registry;
    TSettingsRegistry settings;
    TEditorWorkspace w;
    TSqlEditor* editor = nullptr;
    std::function<void(TfmSearchDialog&)> answerDialog;
    QStringList proposed;
    std::deque<TReplaceAnswer> answers;
    int asked = 0;
};

TEST_F(SearchCommandsTest, CommandsCarryTheirCaptionsAndKeys) {
    struct Row {
        const char* name;
        const char* caption;
        const char* hint;
        const char* keys;
    };
    for (const Row& r : {Row{"acSearch", "Search...", "Search Text", "Ctrl+F"},
                         Row{"acSearchNext", "Search Next", "Search Next", "Ctrl+L"},
                         Row{"acSearchPrev", "Search Prior", "Search Prior", "Shift+Ctrl+L"},
                         Row{"acSearchReplace", "Replace...", "Replace Text", "Ctrl+R"}}) {
        const TCommand* c = registry.Find(r.name);
        ASSERT_NE(c, nullptr) << r.name;
        EXPECT_EQ(c->Caption(), r.caption);
        EXPECT_EQ(c->Hint(), r.hint);
        EXPECT_EQ(c->ShortcutText(), r.keys);
        EXPECT_TRUE(c->IsHotkey());
    }
}

TEST_F(SearchCommandsTest, EnablingNeedsTextAndForNextAPreviousSearch) {
    EXPECT_FALSE(Enabled("acSearch"));
    EXPECT_FALSE(Enabled("acSearchReplace"));
    editor->setText("select 1");
    EXPECT_TRUE(Enabled("acSearch"));
    EXPECT_TRUE(Enabled("acSearchReplace"));
    EXPECT_FALSE(Enabled("acSearchNext"));
    Answer("1");
    Run("acSearch");
    EXPECT_TRUE(Enabled("acSearchNext"));
    EXPECT_TRUE(Enabled("acSearchPrev"));
    while (w.pages->PageCount() > 0)
        w.pages->ClosePage();
    EXPECT_FALSE(Enabled("acSearchNext"));
}

TEST_F(SearchCommandsTest, FirstSearchCoversTheWholeTextThenNextGoesOn) {
    editor->setText("a x\r\nb x\r\nc x");
    editor->setCursorPosition(2, 3); // below every match
    Answer("x");
    Run("acSearch");
    EXPECT_EQ(SelectionStart(), 2);
    EXPECT_EQ(editor->selectedText(), "x");
    Run("acSearchNext");
    EXPECT_EQ(SelectionStart(), 7);
    Run("acSearchNext");
    EXPECT_EQ(SelectionStart(), 12);
    Run("acSearchPrev");
    EXPECT_EQ(SelectionStart(), 7);
    // Nothing further: the selection collapses to its end, the caret there.
    Run("acSearchNext");
    Run("acSearchNext");
    EXPECT_FALSE(editor->hasSelectedText());
    EXPECT_EQ(int(editor->SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS)), 13);
}

TEST_F(SearchCommandsTest, DialogProposesAOneLineSelectionOrTheWordAtTheCaret) {
    editor->setText("select tabname\r\nfrom systables");
    editor->setSelection(0, 7, 0, 14);
    Run("acSearch"); // cancelled
    editor->setSelection(0, 2, 1, 2); // over two lines; the caret in "from"
    Run("acSearch");
    EXPECT_EQ(proposed, (QStringList{"tabname", "from"}));
    EXPECT_TRUE(w.search->State().searchText.isEmpty()); // Cancel changes nothing
}

TEST_F(SearchCommandsTest, SameTextInOtherLettersKeepsOneHistoryEntry) {
    editor->setText("Tab tab");
    Answer("tab");
    Run("acSearch");
    Answer("TAB");
    Run("acSearch");
    EXPECT_EQ(w.search->State().searchHistory, (QStringList{"TAB"}));
}

TEST_F(SearchCommandsTest, ReplaceAsksForEachMatchUnlessYesToAll) {
    editor->setText("a1 a2 a3 a4");
    answers = {TReplaceAnswer::Yes, TReplaceAnswer::No, TReplaceAnswer::YesToAll};
    Answer("a", false, "b");
    Run("acSearchReplace");
    EXPECT_EQ(editor->text(), "b1 a2 b3 b4");
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(w.search->State().replaceHistory, (QStringList{"b"}));

    editor->setText("a1 a2");
    answers = {TReplaceAnswer::Cancel};
    asked = 0;
    Answer("a", false, "b");
    Run("acSearchReplace");
    EXPECT_EQ(editor->text(), "a1 a2");
    EXPECT_EQ(asked, 1);
}

TEST_F(SearchCommandsTest, ReplacingATextByItselfNeverAsks) {
    editor->setText("a a a");
    Answer("a", false, "a");
    Run("acSearchReplace");
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(editor->text(), "a a a");
}

} // namespace
