#include "dbaccess/DataSource.h"

#include <algorithm>

#include "dbaccess/DataSet.h"
#include "dbaccess/IfxExceptions.h"

namespace varnok {

TDataSource::~TDataSource() {
    SetDataSet(nullptr);
    for (TDataLink* link : std::vector<TDataLink*>(links_)) link->source_ = nullptr;
}

void TDataSource::SetDataSet(TDataSet* dataSet) {
    if (dataSet == dataSet_) return;
    // A data set whose chain of masters runs through this source would lead
    // itself: every move would re-run it, without end.
    int steps = 0;   // the limit guards against a cycle built behind our back
    for (const TDataSet* ds = dataSet; ds && steps < 1000; ++steps) {
        const TDataSource* master = ds->MasterSource();
        if (!master) break;
        if (master == this) throw EDatabaseError("Circular datalinks are not allowed");
        ds = master->DataSet();
    }
    if (dataSet_) {
        auto& list = dataSet_->sources_;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
    dataSet_ = dataSet;
    if (dataSet_) dataSet_->sources_.push_back(this);
    NotifyActiveChanged();
}

void TDataSource::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    NotifyActiveChanged();
}

void TDataSource::DataSetDestroyed() {
    dataSet_ = nullptr;
    NotifyActiveChanged();
}

// Each notification walks a copy: a handler may detach its link.
#define VARNOK_FOR_EACH_LINK(call)                                       \
    if (!enabled_) return;                                               \
    for (TDataLink* link : std::vector<TDataLink*>(links_)) link->call;

void TDataSource::NotifyActiveChanged() {
    for (TDataLink* link : std::vector<TDataLink*>(links_)) link->ActiveChanged();
}
void TDataSource::NotifyDataSetChanged() { VARNOK_FOR_EACH_LINK(DataSetChanged()) }
void TDataSource::NotifyDataSetScrolled() { VARNOK_FOR_EACH_LINK(DataSetScrolled()) }
void TDataSource::NotifyRecordChanged(TField* field) { VARNOK_FOR_EACH_LINK(RecordChanged(field)) }
void TDataSource::NotifyStateChanged() { VARNOK_FOR_EACH_LINK(StateChanged()) }

#undef VARNOK_FOR_EACH_LINK

TDataLink::~TDataLink() { SetDataSource(nullptr); }

void TDataLink::SetDataSource(TDataSource* source) {
    if (source == source_) return;
    if (source_) {
        auto& list = source_->links_;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
    source_ = source;
    if (source_) source_->links_.push_back(this);
}

bool TDataLink::Active() const {
    TDataSet* ds = DataSet();
    return source_ && source_->Enabled() && ds && ds->Active();
}

}  // namespace varnok
