#include "dbaccess/IfxUpdateRow.h"

#include "dbaccess/IfxCustomSQL.h"
#include "dbaccess/TextUtils.h"

namespace varnok {

namespace {

bool SameValue(const TParam& a, const TParam& b) {
    if (a.IsNull() || b.IsNull()) return a.IsNull() == b.IsNull();
    return a.AsString() == b.AsString();
}

}  // namespace

bool IsBlobKind(TFieldType kind) {
    using F = TFieldType;
    switch (kind) {
    case F::ftBlob:
    case F::ftMemo:
    case F::ftGraphic:
    case F::ftFmtMemo:
    case F::ftTypedBinary:
    case F::ftSmartBlob:
    case F::ftSmartClob: return true;
    default: return false;
    }
}

int TIfxUpdateRow::IndexOf(const std::string& fieldName) const {
    for (std::size_t i = 0; i < fieldNames.size(); ++i)
        if (SameText(fieldNames[i], fieldName)) return static_cast<int>(i);
    return -1;
}

TIfxUpdateRow CaptureUpdateRow(TIfxCustomDataSet& dataSet, TIfxUpdateKind kind) {
    TIfxUpdateRow row;
    row.kind = kind;
    row.row = dataSet.GetBookmark();
    const TField* rowIdField = dataSet.RowIdField();
    std::vector<TField*> fields;
    for (int i = 0; i < dataSet.FieldCount(); ++i) {
        TField& field = dataSet.Field(i);
        if (field.Calculated() || &field == rowIdField) continue;
        fields.push_back(&field);
        row.fieldNames.push_back(field.FieldName());
        row.writable.push_back(!field.ReadOnly());
        row.comparable.push_back(!IsBlobKind(field.DataType()));
        TParam value(field.FieldName());
        value.AssignField(field);
        row.newValues.push_back(std::move(value));
    }
    if (kind == ukInsert) {
        for (const TField* field : fields) {
            TParam none(field->FieldName());
            none.SetDataType(field->DataType());
            row.oldValues.push_back(std::move(none));
        }
    } else {
        dataSet.ReadOriginalRow([&] {
            for (const TField* field : fields) {
                TParam old(field->FieldName());
                old.AssignField(*field);
                row.oldValues.push_back(std::move(old));
            }
            if (rowIdField && !rowIdField->IsNull()) {
                row.hasRowId = true;
                row.rowId = rowIdField->AsInteger();
            }
        });
    }
    if (kind == ukDelete) row.newValues = row.oldValues;
    return row;
}

std::vector<TUpdateColumn> UpdateColumns(const TIfxUpdateRow& row, const std::vector<std::string>& keyFields,
                                         bool forReRead) {
    std::vector<TUpdateColumn> columns;
    for (std::size_t i = 0; i < row.fieldNames.size(); ++i) {
        TUpdateColumn column;
        column.fieldName = row.fieldNames[i];
        column.inUpdate = row.writable[i];
        column.inWhere = row.comparable[i];
        for (const std::string& key : keyFields)
            if (SameText(key, column.fieldName)) column.inKey = true;
        column.changed = !SameValue(row.oldValues[i], row.newValues[i]);
        if (forReRead) {
            // A posted empty text went out as a parameter, which makes it a null.
            const TParam& posted = row.newValues[i];
            column.oldIsNull = posted.IsNull() || (IsStringKind(posted.DataType()) && posted.AsString().empty());
            // An insert left the column to the server's default: its value is unknown here.
            if (row.kind == ukInsert && posted.IsNull()) column.inWhere = false;
        } else {
            // A fetched empty text is not null (a blank CHAR, an empty VARCHAR).
            const TParam& old = row.oldValues[i];
            column.oldIsNull = old.IsNull();
            column.oldIsEmpty = !old.IsNull() && IsStringKind(old.DataType()) && old.AsString().empty();
        }
        column.hasNewValue = !row.newValues[i].IsNull();
        columns.push_back(std::move(column));
    }
    return columns;
}

void BindUpdateParams(TIfxCustomSQL& sql, const TIfxUpdateRow& row, bool forReRead) {
    const std::vector<std::string> names = sql.ParamNames();
    const auto sources = MapUpdateParams(names, row.fieldNames, row.hasRowId);
    TIfxParams& inputs = sql.InputParams();
    for (int i = 0; i < inputs.Count() && i < static_cast<int>(sources.size()); ++i) {
        TParam& param = inputs[i].Param();
        const TUpdateParamSource& source = sources[static_cast<std::size_t>(i)];
        const auto field = static_cast<std::size_t>(source.field);
        switch (source.source) {
        case TUpdateValueSource::svRowId: param.SetAsInteger(row.rowId); break;
        case TUpdateValueSource::svOldValue:
            param.AssignValue(forReRead ? row.newValues[field] : row.oldValues[field]);
            break;
        case TUpdateValueSource::svNewValue: param.AssignValue(row.newValues[field]); break;
        case TUpdateValueSource::svSkip: break;
        }
    }
}

}  // namespace varnok
