#pragma once
// The parameter grid's table model: shows the rows of TParamRows (Name,
// Type, Value), tells the view which cells can be selected and edited, and
// paints a Value cell of a "Null" row on the tooltip background colour.
#include <QAbstractTableModel>

#include "execution/ParamRows.h"

namespace varnok {

class TParamGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    TParamRows& Rows() { return rows_; }
    const TParamRows& Rows() const { return rows_; }

    void LoadParams(TParamList& params);
    void ResetRows();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    static TParamColumn ColumnOf(const QModelIndex& index) { return static_cast<TParamColumn>(index.column()); }

private:
    TParamRows rows_;
};

}  // namespace varnok
