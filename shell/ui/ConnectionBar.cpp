#include "shell/ui/ConnectionBar.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QSplitter>
#include <QToolButton>

#include "shell/kit/CommandPictures.h"
#include "shell/ui/SplitterPanes.h"

namespace varnok {

namespace {

constexpr int kMinPanelWidth = 20;

// A picture button: the bar must fit the smallest main window (750 pixels).
QToolButton* AddButton(QWidget* parent, QHBoxLayout* row, const char* name, const char* themeName,
                       const QString& glyph, const QString& hint) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setText(hint);
    button->setToolTip(hint);
    button->setIcon(ThemedPicture(QLatin1String(themeName), glyph));
    button->setIconSize(QSize(kSmallPictureSize, kSmallPictureSize));
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
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
    // The stored panel width rules, not the contents' wishes.
    panel->setMinimumWidth(kMinPanelWidth);
    row->addWidget(box, 1);
    splitter->addWidget(panel);
    return panel;
}

} // namespace

TConnectionBar BuildConnectionBar(QWidget* parent) {
    TConnectionBar bar;
    bar.pnConnectBar = new QWidget(parent);
    bar.pnConnectBar->setObjectName(QStringLiteral("pnConnectBar"));
    auto* row = new QHBoxLayout(bar.pnConnectBar);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(2);

    bar.tbQuickConnect = AddButton(bar.pnConnectBar, row, "tbQuickConnect", "network-workgroup",
                                   QStringLiteral("Q"), QStringLiteral("Quick Connect"));
    bar.tbQuickConnect->setPopupMode(QToolButton::InstantPopup);

    bar.spConnect = new QSplitter(Qt::Horizontal, bar.pnConnectBar);
    bar.spConnect->setObjectName(QStringLiteral("spConnect"));
    bar.spConnect->setChildrenCollapsible(false);
    QHBoxLayout* serverRow = nullptr;
    QHBoxLayout* databaseRow = nullptr;
    QHBoxLayout* roleRow = nullptr;
    bar.pnServer = BoxPanel(bar.spConnect, "pnServer", "cbServerName", bar.cbServerName, serverRow);
    bar.tbConnect = AddButton(bar.pnServer, serverRow, "tbConnect", "network-connect", QStringLiteral("C"),
                              QStringLiteral("Connect"));
    bar.tbDisconnect = AddButton(bar.pnServer, serverRow, "tbDisconnect", "network-disconnect",
                                 QStringLiteral("D"), QStringLiteral("Disconnect"));
    bar.pnDatabase = BoxPanel(bar.spConnect, "pnDatabase", "cbDatabase", bar.cbDatabase, databaseRow);
    bar.pnRole = BoxPanel(bar.spConnect, "pnRole", "cbRole", bar.cbRole, roleRow);
    // The panes after the role box take what the window has left.
    auto* rest = new QWidget(bar.spConnect);
    rest->setObjectName(QStringLiteral("pnConnectRest"));
    auto* restRow = new QHBoxLayout(rest);
    restRow->setContentsMargins(2, 0, 2, 0);
    restRow->setSpacing(2);
    rest->setMinimumWidth(kMinPanelWidth);
    bar.tbBeginTrans = AddButton(rest, restRow, "tbBeginTrans", "", QStringLiteral("B"),
                                 QStringLiteral("Start Transaction"));
    bar.tbCommit =
        AddButton(rest, restRow, "tbCommit", "", QStringLiteral("Ct"), QStringLiteral("Commit Transaction"));
    bar.tbRollback = AddButton(rest, restRow, "tbRollback", "", QStringLiteral("Rb"),
                               QStringLiteral("Rollback Transaction"));
    restRow->addStretch(1);
    bar.tbShowHidePanels = AddButton(rest, restRow, "tbShowHidePanels", "view-choose", QStringLiteral("P"),
                                     QStringLiteral("Show/Hide Panels"));
    bar.tbShowHidePanels->setPopupMode(QToolButton::InstantPopup);
    bar.tbOptions =
        AddButton(rest, restRow, "tbOptions", "configure", QStringLiteral("O"), QStringLiteral("Options"));
    bar.tbAbout =
        AddButton(rest, restRow, "tbAbout", "help-about", QStringLiteral("i"), QStringLiteral("About"));
    bar.spConnect->addWidget(rest);
    for (int i = 0; i < 3; ++i)
        bar.spConnect->setStretchFactor(i, 0);
    bar.spConnect->setStretchFactor(3, 1);
    TrackPaneSizes(bar.spConnect);
    row->addWidget(bar.spConnect, 1);
    return bar;
}

} // namespace varnok
