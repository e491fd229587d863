#pragma once
// The command list alDataResult of a result view: names, categories,
// captions, hints, pictures (indexes into the view's own picture list, 0..20)
// and the toolbar row of each, in toolbar order.
#include <array>
#include <string_view>

namespace varnok {

struct TResultCommandInfo {
    std::string_view name;
    std::string_view category;
    std::string_view caption;
    std::string_view hint;   // empty: none
    int picture;
    int toolbarRow;          // 0 first row, 1 second row
};

inline constexpr int kFilterOffPicture = 19;
inline constexpr int kFilterOnPicture = 20;
inline constexpr int kResultPictureCount = 21;

inline constexpr std::array<TResultCommandInfo, 20> kResultCommands{{
    {"DataSetFirst", "Dataset", "First Record", "First Record", 0, 0},
    {"DataSetPrior", "Dataset", "Prior Record", "Prior Record", 1, 0},
    {"DataSetNext", "Dataset", "Next Record", "Next Record", 2, 0},
    {"DataSetLast", "Dataset", "Last Record", "Last Record", 3, 0},
    {"DataSetInsert", "Dataset", "Add Record", "", 4, 0},
    {"DataSetDelete", "Dataset", "Delete Record", "Delete Record", 5, 0},
    {"DataSetEdit", "Dataset", "Edit Record", "Edit Record", 6, 0},
    {"DataSetPost", "Dataset", "Post Edit", "Post Edit", 7, 0},
    {"DataSetCancel", "Dataset", "Cancel Edit", "Cancel Edit", 8, 0},
    {"acRefresh", "ViewQueryResult", "Refresh", "ReQuery", 9, 0},
    {"acCopy", "ViewQueryResult", "Copy", "Copy Data To Clipboard", 10, 0},
    {"acExportToHtml", "ViewQueryResult", "Export To Html", "Export To Html", 11, 1},
    {"acExportToExcel", "ViewQueryResult", "Export To Excel", "Export To Excel", 12, 1},
    {"acExportToXLSFile", "ViewQueryResult", "Export To XLS File", "Export To Text File", 13, 1},
    {"acGetRecordCount", "ViewQueryResult", "Record Count", "Record Count", 14, 1},
    {"acFontBigger", "ViewQueryResult", "Font Bigger", "Font Bigger", 15, 1},
    {"acFontSmaller", "ViewQueryResult", "Font Smaller", "Font Smaller", 16, 1},
    {"acShowViewer", "ViewQueryResult", "Show Viewer", "Show Viewer", 17, 1},
    {"acGenerateSIUD", "ViewQueryResult", "acGenerateSIUD", "Generate Select Insert Update Delete", 18, 1},
    {"acFilter", "ViewQueryResult", "Filter", "Filter Records", kFilterOffPicture, 1},
}};

// The commands that change rows, and Filter: shown only in an editable view.
inline constexpr std::array<std::string_view, 6> kEditableOnlyCommands{
    "DataSetInsert", "DataSetDelete", "DataSetEdit", "DataSetPost", "DataSetCancel", "acFilter"};

}  // namespace varnok
