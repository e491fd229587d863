#include "results/ui/ResultTableModel.h"

#include <QGuiApplication>
#include <QPalette>

#include "dbaccess/DataSetField.h"
#include "shell/kit/StandardErrorBox.h"

namespace varnok {

namespace {
bool IsNumericKind(TFieldType kind) {
    switch (kind) {
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftWord:
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
    case TFieldType::ftBCD:
    case TFieldType::ftAutoInc:
    case TFieldType::ftLargeint:
    case TFieldType::ftFMTBcd: return true;
    default: return false;
    }
}
}  // namespace

TResultTableModel::TResultTableModel(QObject* parent) : QAbstractTableModel(parent), rows_(*this) {}

void TResultTableModel::SetDataSource(TDataSource* source) { rows_.Attach(source); }

void TResultTableModel::SetColumnCaption(const QString& fieldName, const QString& caption) {
    captionColumns_ = ColumnNames();
    captions_.insert(fieldName, caption);
    const int n = columnCount();
    for (int c = 0; c < n; ++c)
        if (FieldNameOf(c) == fieldName) emit headerDataChanged(Qt::Horizontal, c, c);
}

void TResultTableModel::ClearColumnCaptions() {
    if (captions_.isEmpty()) return;
    captions_.clear();
    if (columnCount() > 0) emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

QString TResultTableModel::FieldNameOf(int column) const {
    const TField* field = rows_.Column(column);
    return field ? QString::fromStdString(field->FieldName()) : QString();
}

QStringList TResultTableModel::ColumnNames() const {
    QStringList names;
    for (int c = 0; c < rows_.ColumnCount(); ++c) names << FieldNameOf(c);
    return names;
}

int TResultTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_.RowCount();
}

int TResultTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_.ColumnCount();
}

QVariant TResultTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    switch (role) {
    case Qt::DisplayRole: {
        const TResultCell cell = rows_.Cell(index.row(), index.column());
        return cell.isNull ? QString() : QString::fromStdString(cell.text);
    }
    case Qt::EditRole: {
        TField* field = rows_.Column(index.column());
        QString text;
        if (field) rows_.ReadRow(index.row(), [&] { text = QString::fromStdString(field->EditText()); });
        return text;
    }
    case Qt::BackgroundRole:
        if (rows_.Cell(index.row(), index.column()).isNull)
            return QGuiApplication::palette().brush(QPalette::ToolTipBase);
        return {};
    case Qt::TextAlignmentRole: {
        // Numbers line up on the right, as in any grid of figures.
        const TField* field = rows_.Column(index.column());
        if (field && IsNumericKind(field->DataType())) return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    }
    case NullRole: return rows_.Cell(index.row(), index.column()).isNull;
    default: return {};
    }
}

QVariant TResultTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    const QString name = FieldNameOf(section);
    return captions_.value(name, name);
}

Qt::ItemFlags TResultTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    const TField* field = rows_.Column(index.column());
    const TDataSet* ds = rows_.DataSet();
    if (!readOnly_ && field && ds && !field->ReadOnly() && !field->Calculated() && ds->CanModify())
        f |= Qt::ItemIsEditable;
    return f;
}

bool TResultTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) return false;
    TField* field = rows_.Column(index.column());
    TDataSet* ds = rows_.DataSet();
    try {
        rows_.MoveTo(index.row());
        if (rows_.CurrentRow() != index.row()) return false;
        ds->Edit();
        const QString text = value.toString();
        // An emptied cell holds a null, except in text columns, where the
        // empty text is a value of its own.
        if (text.isEmpty() && !IsStringKind(field->DataType()))
            field->Clear();
        else
            field->SetEditText(text.toStdString());
    } catch (...) {
        // The row keeps its edit state and every value typed so far.
        ShowCurrentException();
        return false;
    }
    return true;
}

bool TResultTableModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && rows_.CanFetchMore();
}

void TResultTableModel::fetchMore(const QModelIndex& parent) {
    if (parent.isValid()) return;
    try {
        rows_.FetchMore();
    } catch (...) {
        ShowCurrentException();
    }
}

void TResultTableModel::BeginReset() { beginResetModel(); }

void TResultTableModel::EndReset() {
    // Another table or another column set: its titles start plain.
    if (!captions_.isEmpty() && ColumnNames() != captionColumns_) captions_.clear();
    endResetModel();
}

void TResultTableModel::BeginInsertRows(int first, int last) { beginInsertRows({}, first, last); }
void TResultTableModel::EndInsertRows() { endInsertRows(); }
void TResultTableModel::BeginRemoveRows(int first, int last) { beginRemoveRows({}, first, last); }
void TResultTableModel::EndRemoveRows() { endRemoveRows(); }

void TResultTableModel::RowsChanged(int first, int last) {
    const int columns = columnCount();
    if (columns > 0) emit dataChanged(index(first, 0), index(last, columns - 1));
}

void TResultTableModel::CurrentRowMoved(int row) { emit currentRowMoved(row); }

}  // namespace varnok
