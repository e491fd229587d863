#include "editor/ui/EditingCommands.h"

#include "editor/CaseConversions.h"
#include "editor/QuoteLines.h"
#include "editor/ui/EditorPages.h"
#include "editor/ui/SqlEditor.h"
#include "shell/kit/Command.h"
#include "shell/kit/CommandRegistry.h"

#include <QApplication>
#include <QCursor>
#include <QPointer>

namespace varnok {

namespace {

struct TEditingCommandInfo {
    const char* name;
    const char* caption;
    const char* hint;
    int picture;
    void (*run)(TSqlEditor&);
    bool (*enabled)(const TSqlEditor&);
    bool hotkey = false;
};

bool HasSelection(const TSqlEditor& e) {
    return e.hasSelectedText();
}

// The case commands: the selected text converted, in place of the selection
// as one undoable step.
void ReplaceSelectedText(TSqlEditor& e, QString (*convert)(const QString&)) {
    e.ReplaceSelection(convert(e.selectedText()));
}

// Quot / UnQuot: the selected lines transformed, in place of the selection as
// one undoable step; the editor keeps the focus.
void ReplaceSelectedLines(TSqlEditor& e, std::string (*transform)(const std::string&)) {
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    const std::string text = transform(e.selectedText().toStdString());
    e.ReplaceSelection(QString::fromStdString(text));
    QApplication::restoreOverrideCursor();
    e.setFocus();
}

// In the order of the main command list.
const TEditingCommandInfo kCommands[] = {
    {"acUndo", "Undo", "UnDo", 15, [](TSqlEditor& e) { e.undo(); },
     [](const TSqlEditor& e) { return e.isUndoAvailable(); }},
    {"acRedo", "Redo", "ReDo", 14, [](TSqlEditor& e) { e.redo(); },
     [](const TSqlEditor& e) { return e.isRedoAvailable(); }},
    {"acCopyToClipboard", "Copy", "Copy To Clipboard", 18, [](TSqlEditor& e) { e.copy(); }, HasSelection},
    {"acCutToClipboard", "Cut", "Cut To Clipboard", 11, [](TSqlEditor& e) { e.cut(); }, HasSelection},
    {"acPasteFromClipboard", "Paste", "Paste From Clipboard", 19, [](TSqlEditor& e) { e.paste(); },
     [](const TSqlEditor& e) {
         return const_cast<TSqlEditor&>(e).SendScintilla(QsciScintillaBase::SCI_CANPASTE) != 0;
     }},
    {"acSelectAll", "Select All", "Select All (CTRL+A )", -1, [](TSqlEditor& e) { e.selectAll(true); },
     [](const TSqlEditor& e) { return e.length() > 0; }},
    {"acDeleteSelected", "Delete", "Delete Selected", -1, [](TSqlEditor& e) { e.removeSelectedText(); },
     HasSelection},
    {"acUpperCase", "Upper Case", "Upper Case", 22, [](TSqlEditor& e) { ReplaceSelectedText(e, UpperCaseText); },
     HasSelection, true},
    {"acLowerCase", "Lower Case", "Lower Case", 23, [](TSqlEditor& e) { ReplaceSelectedText(e, LowerCaseText); },
     HasSelection, true},
    {"acCapitalCase", "Capital Case", "Capital Case", 24,
     [](TSqlEditor& e) { ReplaceSelectedText(e, CapitalCaseText); }, HasSelection, true},
    {"acInversCase", "InversCase", "Invers Case", 25, [](TSqlEditor& e) { ReplaceSelectedText(e, InverseCaseText); },
     HasSelection, true},
    {"acAddQuot", "Quot", "Add Quot", 20, [](TSqlEditor& e) { ReplaceSelectedLines(e, QuoteLines); },
     HasSelection, true},
    {"acDeleteQuot", "UnQuot", "Delete Quot", 21, [](TSqlEditor& e) { ReplaceSelectedLines(e, UnquoteLines); },
     HasSelection, true},
};

} // namespace

TEditingCommands::TEditingCommands(TEditorPages& pages, TCommandRegistry& registry, QObject* parent)
    : QObject(parent), pages_(pages), registry_(registry) {
    // The registry may outlive the pages: an operation checks they are still there.
    const QPointer<TEditingCommands> guard(this);
    for (const TEditingCommandInfo& info : kCommands) {
        TCommandSpec spec;
        spec.name = QString::fromLatin1(info.name);
        spec.category = QStringLiteral("SQLEditor");
        spec.caption = QString::fromLatin1(info.caption);
        spec.hint = QString::fromLatin1(info.hint);
        spec.picture = info.picture;
        spec.hotkey = info.hotkey;
        registry_.Add(spec, [guard, run = info.run] {
            if (!guard) return;
            if (TSqlEditor* editor = guard->pages_.ActiveEditor()) run(*editor);
        });
    }
    registry_.AddUpdateHook([guard] {
        if (guard) guard->UpdateCommands();
    });
}

void TEditingCommands::UpdateCommands() {
    const TSqlEditor* editor = pages_.ActiveEditor();
    for (const TEditingCommandInfo& info : kCommands)
        if (TCommand* command = registry_.Find(QString::fromLatin1(info.name)))
            command->setEnabled(editor != nullptr && info.enabled(*editor));
}

} // namespace varnok
