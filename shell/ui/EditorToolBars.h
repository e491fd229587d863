#pragma once
// The two editor toolbars of the "Query" tab as a start-up part of the main
// window: the horizontal toolbar tbHorizontal above the editor pages and the
// vertical toolbar tbVertical at the right. Each shows buttons bound to
// commands of the main list, in the order of its stored command-name list
// (sections HToolBar and VToolBar), with the small or the large picture set,
// and has the context menu "Customize", "Hide".
#include <QObject>
#include <functional>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QToolBar;
class QWidget;

namespace varnok {

class TCommandRegistry;
class TIniFile;
class TfmMain;

class TEditorToolBar : public QObject {
    Q_OBJECT
public:
    // hide hides the toolbar's region (its visibility is the window's).
    TEditorToolBar(QToolBar* toolbar, TCommandRegistry& commands, std::function<void()> hide, QObject* parent);

    QToolBar* ToolBar() const { return toolbar_; }

    // Removes every button, then adds one per name that names a registered
    // command of the main list, in order; the separator command becomes an
    // 8-pixel gap. Buttons and gaps take the picture size (32 large, 20 small).
    void SetButtons(const std::vector<std::string>& names, bool largeIcons);

    // The command names of the buttons in order, separators included.
    std::vector<std::string> CommandNames() const;
    bool LargeIcons() const { return largeIcons_; }
    int PictureSize() const;

    // The widget of button index (a tool button, or the separator's gap).
    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    QWidget* ButtonWidget(int index) const;

    QMenu* ContextMenu() const { return menu_; }
    QAction* miCustomize() const { return miCustomize_; }
    QAction* miHide() const { return miHide_; }

private:
    struct TButton {
        std::string name;
        QAction* item; // the toolbar's entry; owns the widget
        QWidget* widget;
    };
    void RemoveButtons();
    void BuildMenu(std::function<void()> hide);

    QToolBar* toolbar_;
    TCommandRegistry& commands_;
    std::vector<TButton> buttons_;
    bool largeIcons_ = false;
    QMenu* menu_ = nullptr;
    QAction* miCustomize_ = nullptr;
    QAction* miHide_ = nullptr;
};

// Reads Buttons and LargeIcons of section into toolbar (defaults when missing).
void LoadToolBar(const TIniFile& ini, const std::string& section, TEditorToolBar& toolbar,
                 const std::string& defaultList, bool defaultLarge);
// Writes Buttons ("name," per button) and LargeIcons of toolbar into section.
void SaveToolBar(TIniFile& ini, const std::string& section, const TEditorToolBar& toolbar);

// Registers acSeparator ("Separator": marks a toolbar gap, runs nothing)
// unless the registry has it already.
void RegisterSeparatorCommand(TCommandRegistry& commands);

// Installs the part: the two toolbars, their context menus and their
// settings sections HToolBar and VToolBar.
void InstallEditorToolBars(TfmMain& window);

struct TEditorToolBars {
    TEditorToolBar* horizontal = nullptr;
    TEditorToolBar* vertical = nullptr;
};
// What InstallEditorToolBars made (null members before).
TEditorToolBars EditorToolBarsOf(const TfmMain& window);

} // namespace varnok
