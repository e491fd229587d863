#pragma once
// TDataSource and TDataLink: how the widgets layer observes a data set. A
// data source points at one data set; any number of data links attach to a
// data source and hear, in the data set's order, when it opens or closes
// (active changed), when its rows change as a whole or its current row moves
// (data set changed / scrolled), when a field of the current row changes
// (record changed) and when its state changes (state changed).
//
// Both ends unregister themselves when destroyed, so a link never calls into
// a destroyed source or data set.
#include <vector>

namespace varnok {

class TDataSet;
class TDataLink;
class TField;

class TDataSource {
public:
    TDataSource() = default;
    explicit TDataSource(TDataSet* dataSet) { SetDataSet(dataSet); }
    ~TDataSource();
    TDataSource(const TDataSource&) = delete;
    TDataSource& operator=(const TDataSource&) = delete;

    TDataSet* DataSet() const { return dataSet_; }
    void SetDataSet(TDataSet* dataSet);
    // A disabled source passes nothing on.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

private:
    friend class TDataSet;
    friend class TDataLink;
    void DataSetDestroyed();
    void NotifyActiveChanged();
    void NotifyDataSetChanged();
    void NotifyDataSetScrolled();
    void NotifyRecordChanged(TField* field);
    void NotifyStateChanged();

    TDataSet* dataSet_ = nullptr;
    bool enabled_ = true;
    std::vector<TDataLink*> links_;
};

class TDataLink {
public:
    TDataLink() = default;
    virtual ~TDataLink();
    TDataLink(const TDataLink&) = delete;
    TDataLink& operator=(const TDataLink&) = delete;

    TDataSource* DataSource() const { return source_; }
    void SetDataSource(TDataSource* source);
    TDataSet* DataSet() const { return source_ ? source_->DataSet() : nullptr; }
    // The data set is there and open.
    bool Active() const;

protected:
    virtual void ActiveChanged() {}
    virtual void DataSetChanged() {}
    virtual void DataSetScrolled() { DataSetChanged(); }
    // field is null when the whole record changed.
    virtual void RecordChanged(TField* field) { (void)field; }
    virtual void StateChanged() {}

private:
    friend class TDataSource;
    TDataSource* source_ = nullptr;
};

}  // namespace varnok
