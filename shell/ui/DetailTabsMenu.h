#pragma once
// The check items of the table detail tabs: one per tab, captioned with the
// tab's hint, standing in the detail tabs' context menu ahead of its separator
// and "Position" submenu. The check mark says whether the tab is shown; it is
// kept in section TabsVisible under the hint.
#include <QObject>
#include <vector>

class QAction;
class QMenu;
class QTabWidget;

namespace varnok {

class TIniFile;

class TDetailTabsMenu : public QObject {
    Q_OBJECT
public:
    TDetailTabsMenu(QTabWidget* tabs, QMenu* menu, QAction* separator);

    // Builds the items from TabsVisible (a missing key means shown).
    void Build(const TIniFile& ini);
    // Each tab's shown state under its hint.
    void Write(TIniFile& ini) const;

    const std::vector<QAction*>& Items() const { return items_; }

private:
    void Clear();

    QTabWidget* tabs_;
    QMenu* menu_;
    QAction* separator_;
    std::vector<QAction*> items_; // children of menu_, in tab order
};

} // namespace varnok
