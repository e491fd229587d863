#pragma once
// A command: one named user action of the main window. Menus, toolbar buttons
// and keys refer to commands, never to operations directly. Built on QAction,
// so the toolkit keeps the caption, hint, picture, shortcut, enabled state and
// check mark in step wherever the command is shown.
#include <QAction>
#include <QString>
#include <functional>

#include "shell/kit/ShortcutText.h"

namespace varnok {

class TCommandRegistry;

struct TCommandSpec {
    QString name;     // as the settings file and toolbar lists write it, e.g. "acExecute"
    QString category; // "SQLEditor", "Pages", ...
    QString caption;
    QString hint;
    int picture = -1; // index into the small and large picture sets; -1 none
    TShortcut shortcut = 0;
    bool hotkey = false;    // shortcut configurable in the options window
    bool checkable = false; // carries a check mark
    bool checked = false;
};

class TCommand : public QAction {
    Q_OBJECT
public:
    TCommand(const TCommandSpec& info, TCommandRegistry& registry);

    const QString& Name() const { return name_; }
    const QString& Category() const { return category_; }
    QString Caption() const { return text(); }
    QString Hint() const { return toolTip(); }
    int PictureIndex() const { return picture_; }
    bool IsHotkey() const { return hotkey_; }

    TShortcut Shortcut() const { return shortcut_; }
    QString ShortcutText() const { return ShortcutToText(shortcut_); }
    void SetShortcut(TShortcut shortcut);
    // A text that is not a shortcut leaves the command without one.
    void SetShortcutText(const QString& text) { SetShortcut(TextToShortcut(text)); }
    TShortcut DefaultShortcut() const { return defaultShortcut_; }

    void SetOperation(std::function<void()> operation) { operation_ = std::move(operation); }
    bool HasOperation() const { return static_cast<bool>(operation_); }

    // Runs the command as a click would: the enabling rule first, then the
    // operation when the command is still enabled. Errors go to the standard
    // error box.
    void Execute();

private:
    void OnTriggered();

    TCommandRegistry& registry_;
    QString name_;
    QString category_;
    int picture_;
    bool hotkey_;
    TShortcut shortcut_ = 0;
    TShortcut defaultShortcut_;
    std::function<void()> operation_;
};

} // namespace varnok
