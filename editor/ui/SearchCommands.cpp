#include "editor/ui/SearchCommands.h"

#include "editor/ui/EditorPages.h"
#include "editor/ui/FmEditor.h"
#include "editor/ui/SearchDialog.h"
#include "editor/ui/SqlEditor.h"
#include "shell/kit/Command.h"
#include "shell/kit/CommandRegistry.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

namespace varnok {

namespace {

using Sci = QsciScintillaBase;

void LineIndexOf(const TSqlEditor& editor, long position, int& line, int& index) {
    editor.lineIndexFromPosition(int(position), &line, &index);
}

bool FindFirst(TSqlEditor& editor, const TSearchRun& run) {
    const bool forward = !run.backward;
    if (run.selectedOnly)
        return editor.findFirstInSelection(run.text, false, run.caseSensitive, run.wholeWords, forward);
    long start = 0;
    if (run.fromCaret) // from the selection's far side, so the match shown now is not found again
        start = editor.SendScintilla(forward ? Sci::SCI_GETSELECTIONEND : Sci::SCI_GETSELECTIONSTART);
    else if (!forward)
        start = editor.SendScintilla(Sci::SCI_GETLENGTH);
    int line = 0;
    int index = 0;
    LineIndexOf(editor, start, line, index);
    return editor.findFirst(run.text, false, run.caseSensitive, run.wholeWords, false, forward, line, index);
}

} // namespace

TReplaceAnswer AskReplaceNearMatch(TSqlEditor& editor, const QString& searchText) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm replace"),
                    QStringLiteral("Replace this occurence of \"%1\"?").arg(searchText), QMessageBox::NoButton,
                    &editor);
    QPushButton* yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Cancel"), QMessageBox::RejectRole);
    QPushButton* all = box.addButton(QStringLiteral("Yes to &all"), QMessageBox::AcceptRole);
    box.setDefaultButton(no);
    box.setEscapeButton(cancel);

    const long start = editor.SendScintilla(Sci::SCI_GETSELECTIONSTART);
    const int x = int(editor.SendScintilla(Sci::SCI_POINTXFROMPOSITION, 0UL, start));
    const int y = int(editor.SendScintilla(Sci::SCI_POINTYFROMPOSITION, 0UL, start));
    const int height = int(editor.SendScintilla(Sci::SCI_TEXTHEIGHT, 0UL, 0L));
    QWidget* area = editor.viewport();
    const QRect editorRect(editor.mapToGlobal(QPoint(0, 0)), editor.size());
    const QRect lineRect(area->mapToGlobal(QPoint(0, y)), QSize(area->width(), height));
    box.adjustSize();
    box.move(ConfirmBoxPosition(editorRect, lineRect, area->mapToGlobal(QPoint(x, y)).x(), box.sizeHint()));
    box.exec();

    if (box.clickedButton() == yes) return TReplaceAnswer::Yes;
    if (box.clickedButton() == no) return TReplaceAnswer::No;
    if (box.clickedButton() == all) return TReplaceAnswer::YesToAll;
    return TReplaceAnswer::Cancel;
}

int RunSearch(TSqlEditor& editor, const TSearchRun& run, const TReplaceAsker& ask) {
    if (run.text.isEmpty()) return 0;
    if (!FindFirst(editor, run)) {
        QApplication::beep();
        const long at = editor.SendScintilla(run.backward ? Sci::SCI_GETSELECTIONSTART : Sci::SCI_GETSELECTIONEND);
        editor.SendScintilla(Sci::SCI_SETEMPTYSELECTION, static_cast<unsigned long>(at));
        return 0;
    }
    if (!run.replace) return 1;
    int visited = 0;
    bool all = false;
    do {
        ++visited;
        if (run.text == run.replaceText) continue; // nothing would change: not asked
        TReplaceAnswer answer = all ? TReplaceAnswer::Yes : ask(editor, run.text);
        if (answer == TReplaceAnswer::Cancel) break;
        if (answer == TReplaceAnswer::YesToAll) {
            all = true;
            answer = TReplaceAnswer::Yes;
        }
        if (answer == TReplaceAnswer::Yes) editor.replace(run.replaceText);
    } while (editor.findNext());
    return visited;
}

TSearchCommands::TSearchCommands(TEditorPages& pages, TCommandRegistry& registry, QObject* parent)
    : QObject(parent), pages_(pages), registry_(registry),
      runDialog_([](TfmSearchDialog& dialog) { return dialog.exec() == QDialog::Accepted; }) {
    const QPointer<TSearchCommands> guard(this);
    const auto add = [&](const char* name, const char* caption, const char* hint, int picture,
                         TShortcut shortcut, std::function<void(TSearchCommands&)> run) {
        TCommandSpec spec;
        spec.name = QString::fromLatin1(name);
        spec.category = QStringLiteral("SQLEditor");
        spec.caption = QString::fromLatin1(caption);
        spec.hint = QString::fromLatin1(hint);
        spec.picture = picture;
        spec.shortcut = shortcut;
        spec.hotkey = true;
        registry_.Add(spec, [guard, run] {
            if (guard) run(*guard);
        });
    };
    add("acSearch", "Search...", "Search Text", 4, MakeShortcut('F', kShortcutCtrl),
        [](TSearchCommands& c) { c.OpenDialog(false); });
    add("acSearchNext", "Search Next", "Search Next", 5, MakeShortcut('L', kShortcutCtrl),
        [](TSearchCommands& c) { c.SearchAgain(false); });
    add("acSearchPrev", "Search Prior", "Search Prior", 6, MakeShortcut('L', kShortcutCtrl | kShortcutShift),
        [](TSearchCommands& c) { c.SearchAgain(true); });
    add("acSearchReplace", "Replace...", "Replace Text", 7, MakeShortcut('R', kShortcutCtrl),
        [](TSearchCommands& c) { c.OpenDialog(true); });
    registry_.AddUpdateHook([guard] {
        if (guard) guard->UpdateCommands();
    });
}

void TSearchCommands::UpdateCommands() {
    const TSqlEditor* editor = pages_.ActiveEditor();
    const bool hasText = editor != nullptr && editor->length() > 0; // no copy of the text at every idle update
    const auto set = [this](const char* name, bool on) {
        if (TCommand* c = registry_.Find(QString::fromLatin1(name))) c->setEnabled(on);
    };
    set("acSearch", hasText);
    set("acSearchReplace", hasText);
    set("acSearchNext", hasText && !state_.searchText.isEmpty());
    set("acSearchPrev", hasText && !state_.searchText.isEmpty());
}

void TSearchCommands::OpenDialog(bool replace) {
    TfmEditor* page = pages_.ActivePage();
    if (!page) return;
    TSqlEditor& editor = *page->Editor();
    TfmSearchDialog dialog(replace, pages_.window());
    int line = 0;
    int index = 0;
    editor.getCursorPosition(&line, &index);
    dialog.Load(state_, ProposedSearchText(editor.selectedText(), editor.wordAtLineIndex(line, index)));
    if (!runDialog_(dialog)) return;
    dialog.Store(state_);
    page->SetSearchFromCaret(state_.fromCaret);
    if (state_.searchText.isEmpty()) return;
    TSearchRun run{state_.searchText, state_.caseSensitive, state_.wholeWords, state_.backward,
                   state_.selectedOnly, page->SearchFromCaret(), replace, state_.replaceText};
    RunSearch(editor, run, ask_);
    page->SetSearchFromCaret(true); // later searches of this page go on from the caret
}

void TSearchCommands::SearchAgain(bool backward) {
    TfmEditor* page = pages_.ActivePage();
    if (!page || state_.searchText.isEmpty()) return;
    TSearchRun run{state_.searchText, state_.caseSensitive, state_.wholeWords, backward,
                   state_.selectedOnly, page->SearchFromCaret(), false, {}};
    RunSearch(*page->Editor(), run, ask_);
}

} // namespace varnok
