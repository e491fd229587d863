#pragma once
// The table model of a result grid: TResultRows turned into Qt's model
// protocol. Rows are the data set's cached rows, read in place; canFetchMore
// and fetchMore bring further packets from the open cursor as the grid
// scrolls to the end. Null cells carry the tooltip background colour. Edits
// go through the data set: Edit, the field's SetAsString; the row is posted
// when the grid leaves it or the Post command runs.
#include <QAbstractTableModel>
#include <QHash>
#include <QString>

#include "results/ResultRows.h"

namespace varnok {

class TResultTableModel : public QAbstractTableModel, private TRowIndexListener {
    Q_OBJECT
public:
    // Data role telling whether a cell holds a null (bool).
    static constexpr int NullRole = Qt::UserRole + 1;

    explicit TResultTableModel(QObject* parent = nullptr);

    void SetDataSource(TDataSource* source);
    TDataSource* DataSource() const { return rows_.DataSource(); }
    TDataSet* DataSet() const { return rows_.DataSet(); }
    TResultRows& Rows() { return rows_; }
    const TResultRows& Rows() const { return rows_; }

    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }

    // A column title other than the field name (" ^", " v" after a sort
    // click); kept while the data set shows the same columns.
    void SetColumnCaption(const QString& fieldName, const QString& caption);
    void ClearColumnCaptions();
    QString FieldNameOf(int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

signals:
    // The data set's current row is now this row (-1: none).
    void currentRowMoved(int row);

private:
    void BeginReset() override;
    void EndReset() override;
    void BeginInsertRows(int first, int last) override;
    void EndInsertRows() override;
    void BeginRemoveRows(int first, int last) override;
    void EndRemoveRows() override;
    void RowsChanged(int first, int last) override;
    void CurrentRowMoved(int row) override;
    QStringList ColumnNames() const;

    TResultRows rows_;
    bool readOnly_ = true;
    QHash<QString, QString> captions_;
    QStringList captionColumns_;   // the columns the captions were given for
};

}  // namespace varnok
