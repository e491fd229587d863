#include "shell/kit/Command.h"

#include "shell/kit/CommandPictures.h"
#include "shell/kit/CommandRegistry.h"
#include "shell/kit/StandardErrorBox.h"

namespace varnok {

TCommand::TCommand(const TCommandSpec& info, TCommandRegistry& registry)
    : QAction(info.caption, &registry), registry_(registry), name_(info.name), category_(info.category),
      picture_(info.picture), hotkey_(info.hotkey), defaultShortcut_(info.shortcut) {
    setObjectName(info.name);
    setToolTip(info.hint.isEmpty() ? info.caption : info.hint);
    setStatusTip(info.hint);
    if (info.picture >= 0) setIcon(CommandPicture(info.picture));
    setCheckable(info.checkable);
    setChecked(info.checked);
    SetShortcut(info.shortcut);
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
