#include "execution/ui/ExecutionCommands.h"

#include <Qsci/qsciscintilla.h>

#include "editor/ui/EditorPages.h"
#include "shell/kit/CommandRegistry.h"

namespace varnok {

namespace {
struct TCommandRow {
    TExecutionCommand command;
    const char* caption;
    const char* hint;
    int picture;
    TShortcut shortcut;
};

constexpr std::uint8_t kKeyF8 = 0x77;
constexpr std::uint8_t kKeyF9 = 0x78;

const TCommandRow kRows[] = {
    {TExecutionCommand::Execute, "Execute", "Execute Script", 16, MakeShortcut('E', kShortcutCtrl)},
    {TExecutionCommand::ExecuteSelected, "Execute Selected", "Execute Selected", 17,
     MakeShortcut('E', kShortcutCtrl | kShortcutShift)},
    {TExecutionCommand::ExecuteAllOrSelected, "Execute All Or Selected", "Execute All Or Selected", 26,
     MakeShortcut(kKeyF9)},
    {TExecutionCommand::CheckSyntax, "Check Syntax", "Check Syntax", 12, 0},
    {TExecutionCommand::CheckSyntaxSelected, "Check Syntax Selected", "Check Syntax Selected", 13, 0},
    {TExecutionCommand::CheckSyntaxAllOrSelected, "Check Syntax All Or Selected", "Check Syntax All or Selected", 12,
     MakeShortcut(kKeyF8)},
    {TExecutionCommand::InterruptSQL, "Interrupt", "Interrupt SQL", 27, 0},
};
} // namespace

TExecutionCommands::TExecutionCommands(TEditorPages& pages, TCommandRegistry& registry, TExecutionCommandHost host,
                                       QObject* parent)
    : QObject(parent), pages_(pages), registry_(registry), host_(std::move(host)) {
    for (const TCommandRow& row : kRows) {
        TCommandSpec spec;
        spec.name = QString::fromLatin1(ExecutionCommandNames()[static_cast<std::size_t>(row.command)]);
        spec.category = QStringLiteral("SQLEditor");
        spec.caption = QString::fromLatin1(row.caption);
        spec.hint = QString::fromLatin1(row.hint);
        spec.picture = row.picture;
        spec.shortcut = row.shortcut;
        spec.hotkey = true;
        const TExecutionCommand command = row.command;
        registry_.Add(spec, [this, command] { Run(command); });
    }
    registry_.AddUpdateHook([this] { UpdateCommands(); });
}

TCommand* TExecutionCommands::Command(TExecutionCommand command) const {
    return registry_.Find(QString::fromLatin1(ExecutionCommandNames()[static_cast<std::size_t>(command)]));
}

TExecutionContext TExecutionCommands::Context() const {
    TExecutionContext context;
    context.connected = host_.connected && host_.connected();
    context.executing = host_.executing && host_.executing();
    if (const TSqlEditor* editor = pages_.ActiveEditor()) {
        // The length, not the text: the rule runs whenever the program idles,
        // and copying a large script each time would slow every key press.
        context.hasText = editor->length() > 0;
        context.hasSelection = editor->hasSelectedText();
    }
    return context;
}

void TExecutionCommands::UpdateCommands() {
    const TExecutionContext context = Context();
    for (std::size_t i = 0; i < kExecutionCommandCount; ++i) {
        const auto command = static_cast<TExecutionCommand>(i);
        if (TCommand* action = Command(command)) action->setEnabled(ExecutionCommandEnabled(command, context));
    }
}

TRunRequest TExecutionCommands::RequestFor(TExecutionCommand command) const {
    TRunRequest request;
    TSqlEditor* editor = pages_.ActiveEditor();
    if (!editor) return request;
    const TRunSource source = RunSourceFor(command, editor->hasSelectedText());
    request.page = pages_.ActivePage();
    request.checkOnly = source.checkOnly;
    // Byte positions of the editor's UTF-8 text: the executor's positions
    // count the same bytes.
    const auto selectionStart =
        static_cast<std::int32_t>(editor->SendScintilla(QsciScintilla::SCI_GETSELECTIONSTART));
    request.textOffset = RunTextOffset(source, selectionStart);
    request.text = (source.selection ? editor->selectedText() : editor->text()).toStdString();
    return request;
}

void TExecutionCommands::Run(TExecutionCommand command) {
    if (command == TExecutionCommand::InterruptSQL) {
        if (host_.interrupt) host_.interrupt();
        return;
    }
    if (host_.startRun) host_.startRun(RequestFor(command));
}

} // namespace varnok
