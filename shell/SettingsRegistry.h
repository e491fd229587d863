#pragma once
// The settings file's readers and writers, run in the documented order.
//
// Each window or Part registers a load step and/or a save step with a position
// key; LoadSettings runs the load steps by ascending position, SaveSettings
// erases every section of the file, runs the save steps by ascending position
// (which is also the order of the sections in the new file) and then replaces
// the file atomically. Steps with the same position run in the order they were
// added. The positions of the documented order are listed below so that
// adding a Part's sections never means editing one long function.
#include <functional>
#include <string>
#include <vector>

#include "shell/IniFile.h"

namespace varnok {

// Load order (start-up sequence).
namespace SettingsLoadOrder {
inline constexpr int ServerName = 100; // Connection/ServerName
inline constexpr int Position = 200;   // Position: Left, Top, Width, Height, Maximized, SplTop, SchemaVisible
inline constexpr int TblProc = 300;    // TblProc/SheetPos
inline constexpr int Splitters = 400;  // Position: SplLeft .. pnInPlResHeight
inline constexpr int RegionVisibility = 500; // Position: HToolBarVis, PatternsVis, VToolBarVis, ShowResultVis
inline constexpr int Grids = 600;            // Grid1, Grid2, Grid3
inline constexpr int ViewPosition = 700;
inline constexpr int AdvConnectForm = 800;
inline constexpr int TextView = 900;
inline constexpr int Connections = 1000; // saved connections, QuickConnectionsView
inline constexpr int LastOpenDB = 1100;
inline constexpr int ParamsDialog = 1200; // ParamsDialogForm, ParamsDialogGName, ParamsDialogGType
inline constexpr int TabsVisible = 1300;  // detail-tab menu built from TabsVisible
inline constexpr int FICTD = 1400;        // FICTD/SheetPos
inline constexpr int ListLayouts = 1500;  // TableView .. ProcView, LogView
inline constexpr int EditorPages = 1600;  // SQL, SQL<n>, page files
inline constexpr int WantTab = 1700;      // SQL/WantTab
inline constexpr int ExportHistories =
    1800; // EHeaderQuots, EDataQuots, ERowDividers, EColDividers, EFileNames
inline constexpr int WildCardHistories = 1900; // TableWildCards, ProcWildCards
inline constexpr int Logins = 2000;            // uLogins
inline constexpr int ToolBars = 2100;          // HToolBar, VToolBar
inline constexpr int Options = 2200;           // eOptions
inline constexpr int HotKeys = 2300;           // HotKeys
inline constexpr int HotKeysView = 2400;
} // namespace SettingsLoadOrder

// Save order (also the section order of the written file).
namespace SettingsSaveOrder {
inline constexpr int Position = 100;     // Position: SplTop, SchemaVisible
inline constexpr int TblProc = 200;      // TblProc/SheetPos
inline constexpr int PositionRest = 300; // Position: SplLeft .. Maximized, Left/Top/Width/Height
inline constexpr int ServerName = 400;   // Connection/ServerName
inline constexpr int LastOpenDB = 500;
inline constexpr int Grids = 600; // Grid1, Grid2, Grid3
inline constexpr int ViewPosition = 700;
inline constexpr int AdvConnectForm = 800;
inline constexpr int ConnectParamForm = 900;
inline constexpr int TextView = 1000;
inline constexpr int Connections = 1100; // saved connections, QuickConnectionsView
inline constexpr int TabsVisible = 1200;
inline constexpr int FICTD = 1300;
inline constexpr int ParamsDialog = 1400;
inline constexpr int ListLayouts = 1500; // TableView .. ProcView, LogView
inline constexpr int EditorPages = 1600;
inline constexpr int WantTab = 1700;
inline constexpr int WildCardHistories = 1800; // TableWildCards, ProcWildCards
inline constexpr int Logins = 1900;            // uLogins
inline constexpr int ExportHistories = 2000;   // EHeaderQuots .. EFileNames
inline constexpr int ToolBars = 2100;          // HToolBar, VToolBar
inline constexpr int Options = 2200;           // eOptions
inline constexpr int HotKeys = 2300;
inline constexpr int HotKeysView = 2400;
} // namespace SettingsSaveOrder

class TSettingsRegistry {
public:
    using TLoadStep = std::function<void(const TIniFile&)>;
    using TSaveStep = std::function<void(TIniFile&)>;

    // name identifies the step in error texts and tests ("Position", "LogView", ...).
    void AddLoadStep(int position, std::string name, TLoadStep step);
    void AddSaveStep(int position, std::string name, TSaveStep step);

    // Runs every load step on ini, in order. A step's exception propagates.
    void LoadSettings(const TIniFile& ini) const;
    // Reads the file at path (a missing file reads as empty) and runs the load steps.
    void LoadSettings(const std::string& path) const;

    // Builds the new contents of ini: erases every section, then runs every save step.
    void WriteSettings(TIniFile& ini) const;
    // Rewrites the whole file at path: reads it, WriteSettings, Save. Throws
    // EIniWriteError "Unable to write to <path>" when the file cannot be
    // replaced; the previous file is then left as it was. A save step's
    // exception propagates and leaves the file untouched as well.
    void SaveSettings(const std::string& path) const;

    // Step names in the order they run (for checks and tests).
    std::vector<std::string> LoadStepNames() const;
    std::vector<std::string> SaveStepNames() const;

private:
    template <class Fn> struct Step {
        int position;
        std::string name;
        Fn run;
    };
    std::vector<Step<TLoadStep>> load_; // kept sorted by position, stable
    std::vector<Step<TSaveStep>> save_;
};

} // namespace varnok
