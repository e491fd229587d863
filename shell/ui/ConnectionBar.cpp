#include "shell/ui/ConnectionBar.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QSplitter>
#include <QToolButton>

#include "shell/ui/SplitterPanes.h"

namespace varnok {

namespace {

QToolButton* AddButton(QWidget* parent, QHBoxLayout* row, const char* name, const QString& text, const QString& hint) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setText(text);
    button->setToolTip(hint);
    button->setAutoRaise(true);
    row->addWidget(button);
    return button;
}

// A panel of the splitter holding one box, optionally followed by buttons.
QWidget* BoxPanel(QSplitter* splitter, const char* panelName, const char* boxName, QComboBox*& box,
                  QHBoxLayout*& row) {
    auto* panel = new QWidget(splitter);
    panel->setObjectName(QLatin1String(panelName));
    row = new QHBoxLayout(panel);
    row->setContentsMargins(2, 0, 2, 0);
    row->setSpacing(2);
    box = new QComboBox(panel);
    box->setObjectName(QLatin1String(boxName));
    box->setMinimumWidth(30);
    row->addWidget(box, 1);
    splitter->addWidget(panel);
    return panel;
}

}  // namespace

TConnectionBar BuildConnectionBar(QWidget* parent) {
    TConnectionBar bar;
    bar.pnConnectBar = new QWidget(parent);
    bar.pnConnectBar->setObjectName(QStringLiteral("pnConnectBar"));
    auto* row = new QHBoxLayout(bar.pnConnectBar);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(2);

    bar.tbQuickConnect = AddButton(bar.pnConnectBar, row, "tbQuickConnect", QStringLiteral("Quick"),
                                   QStringLiteral("Quick Connect"));
    bar.tbQuickConnect->setPopupMode(QToolButton::InstantPopup);

    bar.spConnect = new QSplitter(Qt::Horizontal, bar.pnConnectBar);
    bar.spConnect->setObjectName(QStringLiteral("spConnect"));
    bar.spConnect->setChildrenCollapsible(false);
    QHBoxLayout* serverRow = nullptr;
    QHBoxLayout* databaseRow = nullptr;
    QHBoxLayout* roleRow = nullptr;
    bar.pnServer = BoxPanel(bar.spConnect, "pnServer", "cbServerName", bar.cbServerName, serverRow);
    bar.tbConnect = AddButton(bar.pnServer, serverRow, "tbConnect", QStringLiteral("Connect"),
                              QStringLiteral("Connect"));
    bar.tbDisconnect = AddButton(bar.pnServer, serverRow, "tbDisconnect", QStringLiteral("Disconnect"),
                                 QStringLiteral("Disconnect"));
    bar.pnDatabase = BoxPanel(bar.spConnect, "pnDatabase", "cbDatabase", bar.cbDatabase, databaseRow);
    bar.pnRole = BoxPanel(bar.spConnect, "pnRole", "cbRole", bar.cbRole, roleRow);
    // The panes after the role box take what the window has left.
    auto* rest = new QWidget(bar.spConnect);
    rest->setObjectName(QStringLiteral("pnConnectRest"));
    auto* restRow = new QHBoxLayout(rest);
    restRow->setContentsMargins(2, 0, 2, 0);
    restRow->setSpacing(2);
    bar.tbBeginTrans = AddButton(rest, restRow, "tbBeginTrans", QStringLiteral("Begin"),
                                 QStringLiteral("Start Transaction"));
    bar.tbCommit = AddButton(rest, restRow, "tbCommit", QStringLiteral("Commit"), QStringLiteral("Commit Transaction"));
    bar.tbRollback = AddButton(rest, restRow, "tbRollback", QStringLiteral("Rollback"),
                               QStringLiteral("Rollback Transaction"));
    restRow->addStretch(1);
    bar.tbShowHidePanels = AddButton(rest, restRow, "tbShowHidePanels", QStringLiteral("Show/Hide Panels"),
                                     QStringLiteral("Show/Hide Panels"));
    bar.tbShowHidePanels->setPopupMode(QToolButton::InstantPopup);
    bar.tbOptions = AddButton(rest, restRow, "tbOptions", QStringLiteral("Options"), QStringLiteral("Options"));
    bar.tbAbout = AddButton(rest, restRow, "tbAbout", QStringLiteral("About"), QStringLiteral("About"));
    bar.spConnect->addWidget(rest);
    for (int i = 0; i < 3; ++i) bar.spConnect->setStretchFactor(i, 0);
    bar.spConnect->setStretchFactor(3, 1);
    TrackPaneSizes(bar.spConnect);
    row->addWidget(bar.spConnect, 1);
    return bar;
}

}  // namespace varnok
