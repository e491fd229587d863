#include "results/RowsText.h"

namespace varnok {

std::string RowsAsTabText(TDataSet& ds) {
    std::string text;
    if (!ds.Active()) return text;
    for (int i = 0; i < ds.FieldCount(); ++i) {
        if (i) text += '\t';
        text += ds.Field(i).FieldName();
    }
    text += "\r\n";
    const TBookmark here = ds.GetBookmark();
    ds.DisableControls();
    try {
        for (ds.First(); !ds.Eof(); ds.Next()) {
            for (int i = 0; i < ds.FieldCount(); ++i) {
                if (i) text += '\t';
                const TField& f = ds.Field(i);
                if (!f.IsNull()) text += f.DisplayText();
            }
            text += "\r\n";
        }
        if (here && ds.BookmarkValid(here)) ds.GotoBookmark(here);
    } catch (...) {
        ds.EnableControls();
        throw;
    }
    ds.EnableControls();
    return text;
}

}  // namespace varnok
