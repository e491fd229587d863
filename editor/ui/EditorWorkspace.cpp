#include "editor/ui/EditorWorkspace.h"

#include "editor/ui/EditingCommands.h"
#include "editor/ui/EditorCommands.h"
#include "editor/ui/EditorPages.h"
#include "editor/ui/SearchCommands.h"

#include <QLayout>
#include <QVBoxLayout>

namespace varnok {

TEditorWorkspace InstallEditorPages(QWidget* host, TCommandRegistry& commands, TSettingsRegistry& settings,
                                    std::function<std::string()> settingsFolder) {
    TEditorWorkspace w;
    w.pages = new TEditorPages(host);
    QLayout* layout = host->layout();
    if (!layout) {
        layout = new QVBoxLayout(host);
        layout->setContentsMargins(0, 0, 0, 0);
    }
    layout->addWidget(w.pages);
    w.commands = new TEditorCommands(*w.pages, commands, w.pages);
    w.editing = new TEditingCommands(*w.pages, commands, w.pages);
    w.search = new TSearchCommands(*w.pages, commands, w.pages);
    w.pages->RegisterSettings(settings, std::move(settingsFolder));
    return w;
}

} // namespace varnok
