#pragma once
// The commands of the editor pages and their menus.
//
// TEditorCommands registers into the main window's command registry:
// acAddPage, acOpenFile, acSaveFile, acErase, acDeletePage, acRenamePage,
// acPageAtLeft/Right/Top/Bottom, acEditorFontBigger, acEditorFontSmaller and
// acUseTab ("I Use TabKey"), with their part of the enabling rule. It builds
// the tabs' popup menu and the main editor popup menu, which lists commands
// of other windows too (Undo, Cut, Quot, Search..., ...) by name and fills
// itself from the registry each time it opens, so those may be registered
// later. The page editors leave every key a registered command holds (at the
// moment the key is pressed) to that command. Dialogs go through replaceable functions so tests need no modal
// loop.
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QMenu;
class QWidget;

namespace varnok {

class TCommand;
class TCommandRegistry;
class TEditorPages;

struct TEditorDialogs {
    // Each returns the chosen file name, or an empty text on Cancel; start is
    // the file name the dialog starts with.
    std::function<QString(QWidget* parent, const QString& start)> openFile;
    std::function<QString(QWidget* parent, const QString& start)> saveFile;
    // The new caption, or none on Cancel.
    std::function<std::optional<QString>(QWidget* parent, const QString& current)> renamePage;
};
// The real dialogs: filter "SQL files (*.sql)" / "All files (*)", default
// extension sql, overwrite prompt on save; input box "Pages" / "Input new name".
TEditorDialogs StandardEditorDialogs();

class TEditorCommands : public QObject {
    Q_OBJECT
public:
    TEditorCommands(TEditorPages& pages, TCommandRegistry& registry, QObject* parent = nullptr);

    void SetDialogs(TEditorDialogs dialogs) { dialogs_ = std::move(dialogs); }

    // Names of the main editor popup menu in order; "-" is a separator.
    static const QStringList& EditorPopupItems();

    QMenu* TabsMenu() const { return tabsMenu_; }
    QMenu* EditorPopupMenu() const { return editorPopup_; }
    // Fills the editor popup from the registry now (it also does so on opening).
    void RebuildEditorPopupMenu();

    // The enabling rule of these commands (registered as an update hook).
    void UpdateCommands();

    // The operations, also callable directly.
    void AddPage();
    void OpenFile();
    void SaveFileAs();
    void RenamePage();

    const QString& LastOpenFile() const { return lastOpen_; }
    const QString& LastSaveFile() const { return lastSave_; }

private:
    TCommand* Cmd(const char* name) const;
    void BuildTabsMenu();

    TEditorPages& pages_;
    TCommandRegistry& registry_;
    TEditorDialogs dialogs_;
    QMenu* tabsMenu_ = nullptr;
    QMenu* editorPopup_ = nullptr;
    QString lastOpen_; // the dialogs remember their last file until the program ends
    QString lastSave_;
};

} // namespace varnok
