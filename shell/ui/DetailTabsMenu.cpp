#include "shell/ui/DetailTabsMenu.h"

#include <QMenu>
#include <QTabWidget>

#include "shell/IniFile.h"

namespace varnok {

namespace {
constexpr const char* kSection = "TabsVisible";
}

TDetailTabsMenu::TDetailTabsMenu(QTabWidget* tabs, QMenu* menu, QAction* separator)
    : QObject(menu), tabs_(tabs), menu_(menu), separator_(separator) {}

void TDetailTabsMenu::Clear() {
    for (QAction* item : items_) {
        menu_->removeAction(item);
        item->deleteLater();
    }
    items_.clear();
}

void TDetailTabsMenu::Build(const TIniFile& ini) {
    Clear();
    for (int tab = 0; tab < tabs_->count(); ++tab) {
        const QString hint = tabs_->tabToolTip(tab);
        const bool shown = ini.ReadBool(kSection, hint.toStdString(), true);
        auto* item = new QAction(hint, menu_);
        item->setCheckable(true);
        item->setChecked(shown);
        tabs_->setTabVisible(tab, shown);
        connect(item, &QAction::toggled, tabs_,
                [this, tab](bool checked) { tabs_->setTabVisible(tab, checked); });
        menu_->insertAction(separator_, item);
        items_.push_back(item);
    }
}

void TDetailTabsMenu::Write(TIniFile& ini) const {
    // The check mark and the tab's visibility move together, so the tab tells.
    for (int tab = 0; tab < tabs_->count(); ++tab)
        ini.WriteBool(kSection, tabs_->tabToolTip(tab).toStdString(), tabs_->isTabVisible(tab));
}

} // namespace varnok
