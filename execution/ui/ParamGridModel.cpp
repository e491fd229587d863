#include "execution/ui/ParamGridModel.h"

#include <QApplication>
#include <QPalette>

namespace varnok {

void TParamGridModel::LoadParams(TParamList& params) {
    beginResetModel();
    rows_.LoadParams(params);
    endResetModel();
}

void TParamGridModel::ResetRows() {
    beginResetModel();
    rows_.ResetRows();
    endResetModel();
}

int TParamGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_.RowCount();
}

int TParamGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 3;
}

QVariant TParamGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_.RowCount()) return {};
    const TParamRow& row = rows_.Row(index.row());
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        switch (ColumnOf(index)) {
        case TParamColumn::Name: return QString::fromStdString(row.name);
        case TParamColumn::Type: return QString::fromStdString(row.typeName);
        case TParamColumn::Value: return QString::fromStdString(row.value);
        }
    }
    if (role == Qt::BackgroundRole && ColumnOf(index) == TParamColumn::Value && rows_.IsNullRow(index.row()))
        return QApplication::palette().color(QPalette::ToolTipBase);
    return {};
}

QVariant TParamGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const captions[] = {"Name", "Type", "Value"};
    return (section >= 0 && section < 3) ? QString::fromLatin1(captions[section]) : QVariant();
}

Qt::ItemFlags TParamGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    if (!rows_.CanSelect(index.row(), ColumnOf(index))) return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

bool TParamGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || !rows_.CanSelect(index.row(), ColumnOf(index))) return false;
    const std::string text = value.toString().toStdString();
    if (ColumnOf(index) == TParamColumn::Type) {
        if (text == rows_.Row(index.row()).typeName) return true;
        rows_.SetType(index.row(), text);
        // The whole row repaints: "Null" empties and greys the value.
        emit dataChanged(this->index(index.row(), 0), this->index(index.row(), 2));
        return true;
    }
    if (text == rows_.Row(index.row()).value) return true;
    rows_.SetValue(index.row(), text);
    emit dataChanged(index, index);
    return true;
}

}  // namespace varnok
