#pragma once
// Showing and hiding the regions of the "Query" tab, and the "Show/Hide
// Panels" menu whose check marks are the stored truth of what is shown.
//
// Each Set...Visible does nothing when the region's menu item already shows
// that state; otherwise it shows or hides the region (its splitter handle goes
// with it) and sets the check mark. Clicking a menu item calls its operation
// with the opposite of its check mark; "Show All" calls all five with true.
#include <QObject>

class QAction;
class QMenu;

namespace varnok {

struct TQueryTabRegions;

class TPanelVisibility : public QObject {
    Q_OBJECT
public:
    // Regions start shown, the in-place result panel hidden, as on a first run.
    TPanelVisibility(const TQueryTabRegions& regions, QObject* parent);

    QMenu* Menu() const { return pmPanels_; }

    void SetSchemaVisible(bool visible);
    void SetPatternsVisible(bool visible);
    void SetHToolBarVisible(bool visible);
    void SetVToolBarVisible(bool visible);
    void SetResultPanelVisible(bool visible);
    void ShowAll();

    bool SchemaVisible() const;
    bool PatternsVisible() const;
    bool HToolBarVisible() const;
    bool VToolBarVisible() const;
    bool ResultPanelVisible() const;

    QAction* miShowSchema() const { return miSchema_; }
    QAction* miShowPatterns() const { return miPatterns_; }
    QAction* miShowHToolBar() const { return miHToolBar_; }
    QAction* miShowVToolBar() const { return miVToolBar_; }
    QAction* miShowResult() const { return miResult_; }
    QAction* miShowAll() const { return miAll_; }

private:
    using TSetter = void (TPanelVisibility::*)(bool);
    QAction* AddItem(const QString& caption, bool checked, TSetter setter);
    // Shows or hides pane of the Query splitter, bringing back its stored size.
    void SetPaneVisible(QAction* item, QWidget* pane, bool visible);

    const TQueryTabRegions& regions_;
    QMenu* pmPanels_;
    QAction* miSchema_;
    QAction* miPatterns_;
    QAction* miHToolBar_;
    QAction* miVToolBar_;
    QAction* miResult_;
    QAction* miAll_;
};

} // namespace varnok
