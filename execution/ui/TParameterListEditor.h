#pragma once
// TParameterListEditor: the grid of the parameters window. One header row
// ("Name", "Type", "Value"), one row per distinct parameter name, rows 18
// pixels high, the first two columns 75 wide by default and resizable, the
// third taking the rest of the width (client width − first − second − 3).
// The cell editor is always shown on the current cell; the Name column and
// the Value cell of a "Null" row cannot be selected.
#include <QTableView>

#include "execution/ParamRows.h"

namespace varnok {

class TParamGridModel;
class TParamCellDelegate;

class TParameterListEditor : public QTableView {
    Q_OBJECT
public:
    static constexpr int kDefaultColumnWidth = 75;
    static constexpr int kRowHeight = 18;

    explicit TParameterListEditor(QWidget* parent = nullptr);

    // Shows the distinct names of params with their remembered types and
    // values; the current cell becomes the Type cell of the first row.
    void LoadParams(TParamList& params);
    // "Clear": every name with the type "String" and no value.
    void ResetRows();
    // Takes the open editor's text into the rows, then "Ok" of TParamRows.
    TApplyParamsResult ApplyParams();

    const TParamRows& Rows() const;
    TSaveUsedParams& UsedParams();
    TParamGridModel& GridModel() { return *model_; }

    int NameWidth() const { return columnWidth(0); }
    int TypeWidth() const { return columnWidth(1); }
    void SetNameWidth(int width) { setColumnWidth(0, width); }
    void SetTypeWidth(int width) { setColumnWidth(1, width); }

    // Moves to a cell and opens its editor (when the cell can be selected).
    void SelectCell(int row, TParamColumn column);
    // The editor open on the current cell, if any.
    QWidget* CurrentEditor() const;

signals:
    // Enter or Return in the cell editor.
    void EnterPressed();

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    bool CanSelect(const QModelIndex& index) const;
    QModelIndex NextSelectableCell(bool forward) const;
    void CommitEditor();
    void FitValueColumn();

    TParamGridModel* model_;
    TParamCellDelegate* delegate_;
    bool fitting_ = false;
};

}  // namespace varnok
