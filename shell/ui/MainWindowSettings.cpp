#include "shell/ui/MainWindowSettings.h"

#include <QComboBox>
#include <QMainWindow>
#include <QSplitter>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeView>
#include <algorithm>

#include "shell/IniFile.h"
#include "shell/SettingsRegistry.h"
#include "shell/kit/ListLayoutView.h"
#include "shell/kit/TabPlacement.h"
#include "shell/ui/ConnectionBar.h"
#include "shell/ui/DetailTabsMenu.h"
#include "shell/ui/LogTab.h"
#include "shell/ui/PanelVisibility.h"
#include "shell/ui/QueryTabRegions.h"
#include "shell/ui/SplitterPanes.h"

namespace varnok {

namespace {

namespace D = PositionDefault;
constexpr const char* kPosition = "Position";

// A pane's stored size; a negative value from a hand-edited file counts as 0.
struct TPaneKey {
    const char* key;
    QSplitter* splitter;
    QWidget* pane;
    int def;
};

std::vector<TPaneKey> PaneKeys(const TMainSettingsTarget& t) {
    // In the order the keys are read and written; ComboHeight, LogHeight and
    // ButtHeight have rules of their own and are handled beside these.
    return {
        {"SplLeft", t.query->spTables, t.query->pnTableList, D::SplLeft},
        {"SplLeft1", t.connectionBar->spConnect, t.connectionBar->pnServer, D::SplLeft1},
        {"SplLeft2", t.connectionBar->spConnect, t.connectionBar->pnDatabase, D::SplLeft2},
        {"SplLeft3", t.connectionBar->spConnect, t.connectionBar->pnRole, D::SplLeft3},
    };
}

void LoadPosition(const TMainSettingsTarget& t, const TIniFile& ini) {
    QMainWindow* w = t.window;
    w->move(ini.ReadInteger(kPosition, "Left", D::Left), ini.ReadInteger(kPosition, "Top", D::Top));
    w->resize(std::max(1, ini.ReadInteger(kPosition, "Width", D::Width)),
              std::max(1, ini.ReadInteger(kPosition, "Height", D::Height)));
    // The normal geometry above stays what the window returns to from maximized.
    if (ini.ReadInteger(kPosition, "Maximized", 0) == 1)
        w->setWindowState(w->windowState() | Qt::WindowMaximized);
    SetPaneSize(t.query->spQuery, t.query->pcTblProc,
                std::max(0, ini.ReadInteger(kPosition, "SplTop", D::SplTop)));
    t.panels->SetSchemaVisible(ini.ReadBool(kPosition, "SchemaVisible", true));
}

void LoadSplitters(const TMainSettingsTarget& t, const TIniFile& ini) {
    const auto paneKeys = PaneKeys(t);
    for (const TPaneKey& k : paneKeys)
        SetPaneSize(k.splitter, k.pane, std::max(0, ini.ReadInteger(kPosition, k.key, k.def)));
    t.connectionBar->pnConnectBar->setFixedHeight(
        std::max(0, ini.ReadInteger(kPosition, "ComboHeight", D::ComboHeight)));
    t.logTab->SetDetailHeight(ini.ReadInteger(kPosition, "LogHeight", D::LogHeight));
    SetPaneSize(t.query->spEditor, t.query->tbVertical,
                std::max(0, ini.ReadInteger(kPosition, "SplRight", D::SplRight)));
    SetPaneSize(t.query->spProcs, t.query->pnProcList,
                std::max(0, ini.ReadInteger(kPosition, "SplPLeft", D::SplPLeft)));
    SetPaneSize(t.query->spQuery, t.query->pnPatterns,
                std::max(D::MinButtHeight, ini.ReadInteger(kPosition, "ButtHeight", D::ButtHeight)));
    SetPaneSize(t.query->spQuery, t.query->pnInPlResult,
                std::max(0, ini.ReadInteger(kPosition, "pnInPlResHeight", D::pnInPlResHeight)));
}

void LoadRegionVisibility(const TMainSettingsTarget& t, const TIniFile& ini) {
    t.panels->SetHToolBarVisible(ini.ReadBool(kPosition, "HToolBarVis", true));
    t.panels->SetPatternsVisible(ini.ReadBool(kPosition, "PatternsVis", true));
    t.panels->SetVToolBarVisible(ini.ReadBool(kPosition, "VToolBarVis", true));
    t.panels->SetResultPanelVisible(ini.ReadBool(kPosition, "ShowResultVis", false));
}

void SavePositionHead(const TMainSettingsTarget& t, TIniFile& ini) {
    ini.WriteInteger(kPosition, "SplTop", PaneSize(t.query->pcTblProc, D::SplTop));
    ini.WriteBool(kPosition, "SchemaVisible", t.panels->SchemaVisible());
}

void SavePositionRest(const TMainSettingsTarget& t, TIniFile& ini) {
    const auto paneKeys = PaneKeys(t);
    for (const TPaneKey& k : paneKeys)
        ini.WriteInteger(kPosition, k.key, PaneSize(k.pane, k.def));
    ini.WriteInteger(kPosition, "ComboHeight", t.connectionBar->pnConnectBar->minimumHeight());
    ini.WriteInteger(kPosition, "LogHeight", t.logTab->DetailHeight());
    ini.WriteInteger(kPosition, "SplRight", PaneSize(t.query->tbVertical, D::SplRight));
    ini.WriteInteger(kPosition, "SplPLeft", PaneSize(t.query->pnProcList, D::SplPLeft));
    ini.WriteInteger(kPosition, "ButtHeight", PaneSize(t.query->pnPatterns, D::ButtHeight));
    ini.WriteInteger(kPosition, "pnInPlResHeight", PaneSize(t.query->pnInPlResult, D::pnInPlResHeight));
    ini.WriteBool(kPosition, "PatternsVis", t.panels->PatternsVisible());
    ini.WriteBool(kPosition, "HToolBarVis", t.panels->HToolBarVisible());
    ini.WriteBool(kPosition, "VToolBarVis", t.panels->VToolBarVisible());
    ini.WriteBool(kPosition, "ShowResultVis", t.panels->ResultPanelVisible());
    const QMainWindow* w = t.window;
    ini.WriteInteger(kPosition, "Maximized", w->isMaximized() ? 1 : 0);
    // Placement only in the normal state: a maximized window's geometry is the screen's.
    if (!w->isMaximized() && !w->isMinimized() && !w->isFullScreen()) {
        ini.WriteInteger(kPosition, "Left", w->x());
        ini.WriteInteger(kPosition, "Top", w->y());
        ini.WriteInteger(kPosition, "Width", w->width());
        ini.WriteInteger(kPosition, "Height", w->height());
    }
}

const char* GridSection(size_t i) {
    static const char* const kSections[] = {"Grid1", "Grid2", "Grid3"};
    return kSections[i];
}

void LoadSecondaryWindowSizes(TMainLayoutValues& v, const TIniFile& ini) {
    const QRect& vp = v.viewPosition;
    v.viewPosition = QRect(ini.ReadInteger("ViewPosition", "Left", vp.left()),
                           ini.ReadInteger("ViewPosition", "Top", vp.top()),
                           ini.ReadInteger("ViewPosition", "Width", vp.width()),
                           ini.ReadInteger("ViewPosition", "Height", vp.height()));
}

void RegisterLoadSteps(TSettingsRegistry& r, const TMainSettingsTarget& t) {
    namespace L = SettingsLoadOrder;
    r.AddLoadStep(L::ServerName, "Connection", [t](const TIniFile& ini) {
        t.values->savedServerName = QString::fromStdString(ini.ReadString("Connection", "ServerName", ""));
    });
    r.AddLoadStep(L::Position, "Position", [t](const TIniFile& ini) { LoadPosition(t, ini); });
    r.AddLoadStep(L::TblProc, "TblProc", [t](const TIniFile& ini) {
        ApplyTabPlacement(t.query->pcTblProc, ini.ReadInteger("TblProc", "SheetPos", D::TblProcSheetPos));
    });
    r.AddLoadStep(L::Splitters, "Splitters", [t](const TIniFile& ini) { LoadSplitters(t, ini); });
    r.AddLoadStep(L::RegionVisibility, "RegionVisibility",
                  [t](const TIniFile& ini) { LoadRegionVisibility(t, ini); });
    r.AddLoadStep(L::Grids, "Grids", [t](const TIniFile& ini) {
        for (size_t i = 0; i < 3; ++i)
            t.values->gridFontHeight[i] =
                ini.ReadInteger(GridSection(i), "FontHeight", t.values->gridFontHeight[i]);
    });
    r.AddLoadStep(L::ViewPosition, "ViewPosition",
                  [t](const TIniFile& ini) { LoadSecondaryWindowSizes(*t.values, ini); });
    r.AddLoadStep(L::TextView, "TextView", [t](const TIniFile& ini) {
        t.values->textViewFontHeight = ini.ReadInteger("TextView", "fnHeight", t.values->textViewFontHeight);
    });
    r.AddLoadStep(L::TabsVisible, "TabsVisible", [t](const TIniFile& ini) { t.detailTabs->Build(ini); });
    r.AddLoadStep(L::FICTD, "FICTD", [t](const TIniFile& ini) {
        ApplyTabPlacement(t.query->pcDetails, ini.ReadInteger("FICTD", "SheetPos", D::FICTDSheetPos));
    });
    r.AddLoadStep(L::ListLayouts + ListLayoutSlot::LogView, "LogView",
                  [t](const TIniFile& ini) { ReadListLayout(ini, "LogView", t.logTab->lvLog()); });
}

void RegisterSaveSteps(TSettingsRegistry& r, const TMainSettingsTarget& t) {
    namespace S = SettingsSaveOrder;
    r.AddSaveStep(S::Position, "Position", [t](TIniFile& ini) { SavePositionHead(t, ini); });
    r.AddSaveStep(S::TblProc, "TblProc", [t](TIniFile& ini) {
        ini.WriteInteger("TblProc", "SheetPos", TabPlacementCodeOf(t.query->pcTblProc));
    });
    r.AddSaveStep(S::PositionRest, "PositionRest", [t](TIniFile& ini) { SavePositionRest(t, ini); });
    r.AddSaveStep(S::ServerName, "Connection", [t](TIniFile& ini) {
        // Until the server box has been filled, the name read at start-up stays stored.
        const QComboBox* box = t.connectionBar->cbServerName;
        const QString name =
            box->count() > 0 || box->isEditable() ? box->currentText() : t.values->savedServerName;
        ini.WriteString("Connection", "ServerName", name.toStdString());
    });
    r.AddSaveStep(S::Grids, "Grids", [t](TIniFile& ini) {
        for (size_t i = 0; i < 3; ++i)
            ini.WriteInteger(GridSection(i), "FontHeight", t.values->gridFontHeight[i]);
    });
    r.AddSaveStep(S::ViewPosition, "ViewPosition", [t](TIniFile& ini) {
        const QRect& vp = t.values->viewPosition;
        ini.WriteInteger("ViewPosition", "Left", vp.left());
        ini.WriteInteger("ViewPosition", "Top", vp.top());
        ini.WriteInteger("ViewPosition", "Width", vp.width());
        ini.WriteInteger("ViewPosition", "Height", vp.height());
    });
    r.AddSaveStep(S::TextView, "TextView", [t](TIniFile& ini) {
        ini.WriteInteger("TextView", "fnHeight", t.values->textViewFontHeight);
    });
    r.AddSaveStep(S::TabsVisible, "TabsVisible", [t](TIniFile& ini) { t.detailTabs->Write(ini); });
    r.AddSaveStep(S::FICTD, "FICTD", [t](TIniFile& ini) {
        ini.WriteInteger("FICTD", "SheetPos", TabPlacementCodeOf(t.query->pcDetails));
    });
    r.AddSaveStep(S::ListLayouts + ListLayoutSlot::LogView, "LogView",
                  [t](TIniFile& ini) { WriteListLayout(ini, "LogView", t.logTab->lvLog()); });
}

} // namespace

void RegisterMainWindowSettings(TSettingsRegistry& registry, const TMainSettingsTarget& target) {
    RegisterLoadSteps(registry, target);
    RegisterSaveSteps(registry, target);
}

} // namespace varnok
