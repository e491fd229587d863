#include "shell/ui/ConnectionWindows.h"

#include <QMenu>
#include <QStringList>
#include <QToolButton>

#include "connections/ConnectionTester.h"
#include "connections/ui/QuickConnectMenu.h"
#include "connections/ui/TfmAbout.h"
#include "connections/ui/TfmAdvConnect.h"
#include "connections/ui/TfmConParams.h"
#include "connections/ui/TfmConnect.h"
#include "shell/ui/ConnectionBar.h"

namespace varnok {

TConnectionWindows CreateConnectionWindows(QWidget* parent, const std::vector<std::string>& serverNames) {
    TConnectionWindows w;
    w.login = new TfmConnect(parent);
    w.about = new TfmAbout(parent);
    w.conParams = new TfmConParams(parent);
    QStringList names;
    for (const std::string& name : serverNames)
        names << QString::fromStdString(name);
    w.conParams->SetServerNames(names);
    // "Test" opens a temporary connection of its own.
    w.conParams->SetConnectionTester(IfxConnectionTester());
    w.manager = new TfmAdvConnect(*w.conParams, parent);
    return w;
}

void WireConnectionBarButtons(const TConnectionBar& bar, TConnectionWindows& windows,
                              std::function<TConnectSaved()> connectSaved) {
    TfmAdvConnect* manager = windows.manager;
    // The button itself opens the manager; its arrow opens the menu.
    bar.tbQuickConnect->setPopupMode(QToolButton::MenuButtonPopup);
    windows.pmQuickConnect = new QMenu(bar.tbQuickConnect);
    windows.pmQuickConnect->setObjectName(QStringLiteral("pmQuickConnect"));
    bar.tbQuickConnect->setMenu(windows.pmQuickConnect);
    QMenu* menu = windows.pmQuickConnect;
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu, manager, connectSaved] {
        // Rebuilt on every opening: connections added in the manager during the run show up.
        RebuildQuickConnectMenu(*menu, manager->Registry(), manager->Pictures(),
                                [manager, connectSaved](std::size_t index) {
                                    if (index >= manager->Registry().ConnectionCount()) return;
                                    const TConnectionsParam record = manager->Registry().ConnectionAt(index);
                                    if (const TConnectSaved connect = connectSaved()) connect(record);
                                });
    });
    QObject::connect(bar.tbQuickConnect, &QToolButton::clicked, manager, [manager, connectSaved] {
        const auto chosen = manager->ShowConnectionManager();
        if (!chosen) return; // closed with "Cancel", or no connection focused
        if (const TConnectSaved connect = connectSaved()) connect(*chosen);
    });
    TfmAbout* about = windows.about;
    QObject::connect(bar.tbAbout, &QToolButton::clicked, about, [about] { about->ShowAbout(); });
}

} // namespace varnok
