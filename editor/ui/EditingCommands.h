#pragma once
// The plain editing commands of the active editor page: acUndo, acRedo,
// acCutToClipboard, acCopyToClipboard, acPasteFromClipboard,
// acDeleteSelected and acSelectAll, the case conversions acUpperCase,
// acLowerCase, acCapitalCase and acInversCase, and the quote conversions
// acAddQuot ("Quot") and acDeleteQuot ("UnQuot"), with their part of the
// enabling rule.
// They stand in the main editor popup menu and may be put on the toolbars.
// With no editor page every one of them is disabled.
#include <QObject>

namespace varnok {

class TCommandRegistry;
class TEditorPages;

class TEditingCommands : public QObject {
    Q_OBJECT
public:
    TEditingCommands(TEditorPages& pages, TCommandRegistry& registry, QObject* parent = nullptr);

    // The enabling rule of these commands (registered as an update hook).
    void UpdateCommands();

private:
    TEditorPages& pages_;
    TCommandRegistry& registry_;
};

} // namespace varnok
