#include "results/DataSetFetch.h"

namespace varnok {

namespace {

bool Editing(const TDataSet& ds) {
    return ds.State() == TDataSetState::dsEdit || ds.State() == TDataSetState::dsInsert;
}

// Disables the controls for its lifetime and returns to a remembered row.
class TKeepPlace {
public:
    explicit TKeepPlace(TDataSet& ds) : ds_(ds), here_(ds.GetBookmark()) { ds_.DisableControls(); }
    ~TKeepPlace() {
        try {
            if (here_ && ds_.Active() && ds_.BookmarkValid(here_) && ds_.GetBookmark() != here_)
                ds_.GotoBookmark(here_);
        } catch (...) {
            // The row stays where the failed step left it; the error that ended
            // the step is the one reported.
        }
        ds_.EnableControls();
    }
    TKeepPlace(const TKeepPlace&) = delete;
    TKeepPlace& operator=(const TKeepPlace&) = delete;

private:
    TDataSet& ds_;
    TBookmark here_;
};

}  // namespace

bool CanFetchNextPacket(const TDataSet& ds) {
    return ds.Active() && !ds.UniDirectional() && !ds.AllRowsFetched() && !Editing(ds);
}

int FetchNextPacket(TDataSet& ds) {
    if (!CanFetchNextPacket(ds)) return 0;
    return ds.FetchMore();
}

int CountAllRows(TDataSet& ds) {
    if (!ds.Active()) return 0;
    TKeepPlace place(ds);
    ds.Last();
    return ds.RecordCount();
}

std::string RecordCountText(int count) { return "Rows : " + std::to_string(count); }

}  // namespace varnok
