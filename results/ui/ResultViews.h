#pragma once
// The three result views of the main window, created once at start-up,
// borderless and filling their regions: the result view ("Result" tab) and
// the in-place result view (the panel under the editor pages), read-only,
// for the statement data source; the table view ("Data" tab), editable, for
// the table data set. Their grid fonts come from the settings (Grid1, Grid2,
// Grid3 FontHeight) once those are read, and every change goes back to the
// values the settings file saves at close.
//
// The result views count rows themselves (fetching every row, "Rows : %d" in
// the status message pane). Whoever owns the data sources binds them and sets
// the remaining callbacks: refresh of all three, record count of the table
// view, statement generation.
#include <QString>
#include <array>
#include <functional>

class QWidget;

namespace varnok {

class TfmResult;

struct TResultViews {
    TfmResult* result = nullptr;    // "Result" tab
    TfmResult* table = nullptr;     // "Data" tab
    TfmResult* inPlace = nullptr;   // in-place result panel
};

inline constexpr const char* kResultViewName = "fmResultView";
inline constexpr const char* kTableViewName = "fmTableView";
inline constexpr const char* kInPlaceResultViewName = "fmInPlaceResultView";

// What the views need of the main window.
struct TResultViewHost {
    QWidget* tsResult = nullptr;
    QWidget* tsData = nullptr;
    QWidget* pnInPlResult = nullptr;
    // Grid1..Grid3 FontHeight as read from and written to the settings file.
    std::array<int, 3>* gridFontHeights = nullptr;
    // Text for the status bar's message pane.
    std::function<void(const QString&)> showMessage;
    // Runs a step once the settings have been read.
    std::function<void(std::function<void()>)> addAfterLoadStep;
};

TResultViews InstallResultViews(const TResultViewHost& host);

// The views installed under a window (found by their names); null members when missing.
TResultViews ResultViewsOf(const QWidget* window);

}  // namespace varnok
