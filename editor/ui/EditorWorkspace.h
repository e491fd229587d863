#pragma once
// One call that puts the editor pages into the main window: the page control
// in its pane of the "Query" tab, the page and editing commands in the command registry,
// and the "SQL" sections in the settings order.
#include <functional>
#include <string>

class QWidget;

namespace varnok {

class TCommandRegistry;
class TEditingCommands;
class TEditorCommands;
class TEditorPages;
class TSearchCommands;
class TSettingsRegistry;

struct TEditorWorkspace {
    TEditorPages* pages = nullptr;       // child of the host pane
    TEditorCommands* commands = nullptr; // child of the page control
    TEditingCommands* editing = nullptr; // Undo, Cut, Paste, ...; child of the page control
    TSearchCommands* search = nullptr;   // search and replace; child of the page control
};

// host: the pane the pages fill (its layout is used, or one is made).
// settingsFolder: the settings folder, ending with "/", asked when the
// settings are read and written.
TEditorWorkspace InstallEditorPages(QWidget* host, TCommandRegistry& commands, TSettingsRegistry& settings,
                                    std::function<std::string()> settingsFolder);

} // namespace varnok
