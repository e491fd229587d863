#pragma once
// The regions of the "Query" tab, top to bottom behind one vertical splitter:
// the schema area, the pattern bar, the editor area (horizontal toolbar,
// editor pages, vertical toolbar behind a splitter) and the in-place result
// panel. Containers are empty; the schema browser, the pattern bar, the
// editor pages and the result view fill them.
#include <QString>
#include <array>

class QMenu;
class QAction;
class QSplitter;
class QTabWidget;
class QToolBar;
class QWidget;

namespace varnok {

// The table detail tabs in tab order: short caption and hint. The hint is the
// tab's key in section TabsVisible.
struct TDetailTabInfo {
    const char* objectName;
    const char* caption;
    const char* hint;
};
inline constexpr std::array<TDetailTabInfo, 7> kDetailTabs{{
    {"tsFields", "Fi", "Fields"},
    {"tsIndexes", "Ix", "Indexes"},
    {"tsConstraints", "Ct", "Constraints"},
    {"tsTriggers", "Tg", "Triggers"},
    {"tsFragments", "Frg", "Fragments"},
    {"tsDepends", "Dpn", "Depends"},
    {"tsDDL", "DDL", "DDL"},
}};

struct TQueryTabRegions {
    QSplitter* spQuery = nullptr; // vertical: schema, patterns, editor area, in-place result

    // Schema area (height SplTop): tabs "T" and "PC".
    QTabWidget* pcTblProc = nullptr;
    QWidget* tsTables = nullptr;
    QWidget* tsProcs = nullptr;
    QSplitter* spTables = nullptr;
    QWidget* pnTableList = nullptr;  // width SplLeft
    QTabWidget* pcDetails = nullptr; // the table detail tabs
    QMenu* pmDetails = nullptr;      // their context menu: tab check items, separator, "Position"
    QAction* miDetailsSeparator = nullptr;
    QMenu* pmTblProc = nullptr; // context menu of the schema area tabs: "Position"
    QSplitter* spProcs = nullptr;
    QWidget* pnProcList = nullptr; // width SplPLeft
    QWidget* pnProcText = nullptr;

    QWidget* pnPatterns = nullptr; // pattern bar, height ButtHeight

    QWidget* pnEditorArea = nullptr;
    QToolBar* tbHorizontal = nullptr;
    QSplitter* spEditor = nullptr;
    QWidget* pnEditorPages = nullptr;
    QToolBar* tbVertical = nullptr; // width SplRight

    QWidget* pnInPlResult = nullptr; // height pnInPlResHeight
};

TQueryTabRegions BuildQueryTab(QWidget* tsQuery);

// Adds the "Position" submenu ("Left", "Right", "Top", "Bottom": placement
// codes 1, 3, 0, 2) to menu, acting on tabs.
QMenu* AddTabPositionMenu(QMenu* menu, QTabWidget* tabs);

} // namespace varnok
