#pragma once
// The connection windows of the main window, created once for the run
// (start-up step 4): the login window, the about window, the connection
// parameters window and the connection manager, which owns the saved
// connections. Also wires the connection bar's quick-connect button (the
// manager) with its drop-down menu (the saved connections, rebuilt each time
// it opens) and the about button.
#include <functional>
#include <string>
#include <vector>

#include "connections/ConnectionsParam.h"

class QMenu;
class QWidget;

namespace varnok {

class TfmAbout;
class TfmAdvConnect;
class TfmConParams;
class TfmConnect;
class TSettingsRegistry;
struct TConnectionBar;

struct TConnectionWindows {
    TfmConnect* login = nullptr;       // "Connect To DB"
    TfmAbout* about = nullptr;         // "About"
    TfmConParams* conParams = nullptr; // "Edit Connection"
    TfmAdvConnect* manager = nullptr;  // "Quick Connections"
    QMenu* pmQuickConnect = nullptr;   // the quick-connect button's drop-down
};

// The four windows as children of parent (created before the manager, the
// parameters window gets the manager's pictures); the "Server Name" box of
// the parameters window lists serverNames.
TConnectionWindows CreateConnectionWindows(QWidget* parent, const std::vector<std::string>& serverNames);

// A saved connection chosen to connect with (from the manager or the menu).
using TConnectSaved = std::function<void(const TConnectionsParam& record)>;

// Quick-connect: the button shows the manager and hands the chosen record
// to connectSaved(); the drop-down is rebuilt from the registry each time it
// opens and hands the chosen item's record over. The about button shows the
// about window. connectSaved is asked each time, so it may be set later.
void WireConnectionBarButtons(const TConnectionBar& bar, TConnectionWindows& windows,
                              std::function<TConnectSaved()> connectSaved);

} // namespace varnok
