#pragma once
// The main window's own sections of the settings file: placement, splitter
// sizes and region visibility (Position), the tab placements (TblProc, FICTD),
// the server box (Connection), the sizes kept for the secondary windows
// (Grid1..3, ViewPosition, TextView), the detail tabs (TabsVisible) and the
// log list's layout (LogView). The connection windows keep their own sizes
// (AdvConnectForm, ConnectParamForm).
//
// Other windows register their own sections with the same registry at the
// positions SettingsRegistry.h lists. The nine list layouts share one slot and
// go in by the offsets below, so their sections stand in the documented order.
#include <QRect>
#include <QString>
#include <array>

class QMainWindow;

namespace varnok {

class TSettingsRegistry;
class TLogTab;
class TPanelVisibility;
class TDetailTabsMenu;
struct TConnectionBar;
struct TQueryTabRegions;

// Offsets within SettingsLoadOrder::ListLayouts / SettingsSaveOrder::ListLayouts.
namespace ListLayoutSlot {
inline constexpr int TableView = 0;
inline constexpr int FieldView = 10;
inline constexpr int IndexView = 20;
inline constexpr int CnstrView = 30;
inline constexpr int TriggView = 40;
inline constexpr int FragsView = 50;
inline constexpr int DependsView = 60;
inline constexpr int ProcView = 70;
inline constexpr int LogView = 80;
} // namespace ListLayoutSlot

// Values read at start-up for windows that take them when they are built
// (result views, value viewer) and written back at close.
struct TMainLayoutValues {
    std::array<int, 3> gridFontHeight{-13, -13, -13}; // Grid1..Grid3/FontHeight
    QRect viewPosition{0, 0, 550, 450};               // value viewer
    int textViewFontHeight = -17;                     // TextView/fnHeight
    QString savedServerName; // Connection/ServerName, for filling the server box
};

struct TMainSettingsTarget {
    QMainWindow* window = nullptr;
    TConnectionBar* connectionBar = nullptr;
    TQueryTabRegions* query = nullptr;
    TLogTab* logTab = nullptr;
    TPanelVisibility* panels = nullptr;
    TDetailTabsMenu* detailTabs = nullptr;
    TMainLayoutValues* values = nullptr;
};

// Defaults of the Position keys.
namespace PositionDefault {
inline constexpr int Left = 0, Top = 0, Width = 750, Height = 550;
inline constexpr int SplTop = 130, SplLeft = 185, SplLeft1 = 120, SplLeft2 = 120, SplLeft3 = 100;
inline constexpr int ComboHeight = 42, LogHeight = 70, SplRight = 52, SplPLeft = 185;
inline constexpr int ButtHeight = 56, MinButtHeight = 10, pnInPlResHeight = 200;
inline constexpr int TblProcSheetPos = 2, FICTDSheetPos = 0;
} // namespace PositionDefault

void RegisterMainWindowSettings(TSettingsRegistry& registry, const TMainSettingsTarget& target);

} // namespace varnok
