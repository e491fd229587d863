#include "shell/kit/Command.h"

#include "shell/kit/CommandPictures.h"
#include "shell/kit/CommandRegistry.h"
#include "shell/kit/StandardErrorBox.h"

namespace varnok {

TCommand::TCommand(const TCommandSpec& spec, TCommandRegistry& registry)
    : QAction(spec.caption, &registry), registry_(registry), name_(spec.name), category_(spec.category),
      picture_(spec.picture), hotkey_(spec.hotkey), defaultShortcut_(spec.shortcut) {
    setObjectName(spec.name);
    setToolTip(spec.hint.isEmpty() ? spec.caption : spec.hint);
    setStatusTip(spec.hint);
    if (spec.picture >= 0) setIcon(CommandPicture(spec.picture));
    setCheckable(spec.checkable);
    setChecked(spec.checked);
    SetShortcut(spec.shortcut);
    // Menus, buttons and keys all come here.
    connect(this, &QAction::triggered, this, &TCommand::OnTriggered);
}

void TCommand::SetShortcut(TShortcut shortcut) {
    shortcut_ = shortcut;
    setShortcut(ShortcutToKeySequence(shortcut));
}

void TCommand::Execute() {
    registry_.UpdateCommands();
    trigger(); // flips a check mark and emits triggered, as a click does; nothing when disabled
}

void TCommand::OnTriggered() {
    // The enabling rule runs before every command: a stale enabled state must
    // not let a command run against a connection that has gone.
    registry_.UpdateCommands();
    if (!isEnabled() || !operation_) return;
    try {
        operation_();
    } catch (...) {
        ShowCurrentException();
    }
}

} // namespace varnok
