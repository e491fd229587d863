#pragma once
// The editor page control: the tabs of SQL editor pages in the "Query" tab.
//
// The main window owns one TEditorPages and reaches the editors through it:
// ActiveEditor / EditorOfPage for the text, InsertIntoEditor for names and
// scripts, NewPage / ClosePage, the run marks of the execution commands, and
// the page set in the settings file (sections "SQL", "SQL<n>") with one page
// file "sql<n>____.$$$" per page in the settings folder.
#include "editor/PageSetSettings.h"
#include "editor/ui/FmEditor.h"
#include "editor/ui/SqlEditor.h"

#include <QPointer>
#include <QTabWidget>

#include <functional>
#include <string>

#include <QMenu>
class QToolButton;

namespace varnok {

class TIniFile;
class TSettingsRegistry;

class TEditorPages : public QTabWidget {
    Q_OBJECT
public:
    static constexpr const char* kCloseRefusedText = "Window cannot be closed, Query is still executed.";

    explicit TEditorPages(QWidget* parent = nullptr);

    // ---- pages ----
    int PageCount() const { return count(); }
    TfmEditor* PageAt(int index) const; // nullptr out of range
    TfmEditor* ActivePage() const;
    int IndexOfPage(const TfmEditor* page) const;
    TSqlEditor* ActiveEditor() const;          // nullptr when there are no pages
    TSqlEditor* EditorOfPage(int index) const; // 0-based; nullptr out of range

    // A new page at the end, captioned with its position, with no run mark;
    // it is not activated. It follows the current "I Use TabKey" state.
    TfmEditor* NewPage();
    void ActivatePage(int index);
    // Ctrl+Tab / Ctrl+Shift+Tab: the next / previous page, wrapping around.
    void ShowNextPage(bool forward);

    // Closes the active page unless it is running (then the error box
    // "Window cannot be closed, Query is still executed." and false). The tab
    // at the same index is activated, or the last one.
    bool ClosePage();

    // The caption is free text on one line (an "&" is shown as it is, empty
    // is allowed, a line break becomes a blank).
    QString PageCaption(int index) const;
    void SetPageCaption(int index, const QString& caption);
    void RenameActivePage(const QString& caption);

    void SetRunMark(TfmEditor* page, TRunMark mark);

    // ---- text ----
    // Focus to the active editor and replace its selection, as one undo step.
    void InsertIntoEditor(const QString& text);
    // NewPage, load the file, activate it. A read failure throws
    // ETextFileError; the new page then stays, empty and not active.
    TfmEditor* OpenFile(const QString& path);
    void SaveActiveEditorAs(const QString& path) const; // throws ETextFileError
    void EraseActiveEditor();
    void ActiveFontBigger();  // font height one less
    void ActiveFontSmaller(); // font height one more

    // ---- switches ----
    bool WantTab() const { return wantTab_; }
    void SetWantTab(bool want);     // every existing page and the pages to come
    void SetTabPlacement(int code); // a code outside 0..3 changes nothing
    int TabPlacement() const;

    // Popup menus (not owned): the main editor popup of every page's editor,
    // and the menu of the tabs.
    void SetEditorPopupMenu(QMenu* menu);
    void SetTabsMenu(QMenu* menu) { tabsMenu_ = menu; }
    // Which keys the editors leave to the program's commands (all pages,
    // now and to come).
    void SetKeyReservation(TSqlEditor::TKeyReservation reserved);

    // ---- settings ----
    TPageSetSettings CurrentSettings() const;
    // Start-up: placement, the pages with font height, caption and page file
    // (a missing file leaves the page empty), the first page active, then
    // "I Use TabKey". Pages that exist already are kept. Files that cannot be
    // read are reported together in one ETextFileError after all pages are
    // made; such a page is empty and its file is not overwritten while it stays so.
    // A stored page count above kMaxPageCount is reported the same way.
    void LoadPages(const TIniFile& ini, const std::string& settingsFolder);
    // Writes the keys and every page's file. Files that cannot be written
    // are reported together in one ETextFileError after all the others are written.
    void SavePages(TIniFile& ini, const std::string& settingsFolder) const;
    // Registers load and save steps; failures of page files show in the
    // standard error box and do not stop the rest of the settings.
    void RegisterSettings(TSettingsRegistry& registry, std::function<std::string()> settingsFolder);

signals:
    void WantTabChanged(bool want);
    void PageCountChanged(int count);

protected:
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void tabInserted(int index) override;
    void tabRemoved(int index) override;

private:
    void UpdateRunMarkIcon(TfmEditor* page);
    void PlaceCloseButton();
    void LimitSideTabBar(int controlHeight);
    void MoveSideCloseButton();
    void ApplyPage(TfmEditor* page);

    bool wantTab_ = true;
    QPointer<QMenu> editorPopup_;
    QPointer<QMenu> tabsMenu_;
    TSqlEditor::TKeyReservation reserved_;
    QToolButton* closeButton_ = nullptr;
};

} // namespace varnok
