#pragma once
// The connection bar at the top of the main window: quick-connect button,
// server box, connect and disconnect buttons, database box, role box, the
// transaction buttons, the "Show/Hide Panels" button, options and about.
// The three boxes sit in panels separated by splitters. The controls are laid
// out here; the connect flow fills and wires them.
class QComboBox;
class QSplitter;
class QToolButton;
class QWidget;

namespace varnok {

struct TConnectionBar {
    QWidget* pnConnectBar = nullptr; // height ComboHeight
    QToolButton* tbQuickConnect = nullptr;
    QSplitter* spConnect = nullptr;
    QWidget* pnServer = nullptr;   // width SplLeft1
    QWidget* pnDatabase = nullptr; // width SplLeft2
    QWidget* pnRole = nullptr;     // width SplLeft3
    QComboBox* cbServerName = nullptr;
    QComboBox* cbDatabase = nullptr;
    QComboBox* cbRole = nullptr;
    QToolButton* tbConnect = nullptr;
    QToolButton* tbDisconnect = nullptr;
    QToolButton* tbBeginTrans = nullptr;
    QToolButton* tbCommit = nullptr;
    QToolButton* tbRollback = nullptr;
    QToolButton* tbShowHidePanels = nullptr;
    QToolButton* tbOptions = nullptr;
    QToolButton* tbAbout = nullptr;
};

TConnectionBar BuildConnectionBar(QWidget* parent);

} // namespace varnok
