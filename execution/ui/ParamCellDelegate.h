#pragma once
// Creates the parameter grid's cell editors (TInplaceEditDropDown) and hands
// every change of their text to the model at once, so the rows always hold
// what the editor shows.
#include <QStyledItemDelegate>

namespace varnok {

class TParamGridModel;

class TParamCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    TParamCellDelegate(TParamGridModel& model, QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

signals:
    // Enter or Return in a cell editor: the window's default button answers it.
    void EnterPressed();

protected:
    // Escape and Enter belong to the window (Cancel, "Ok"), not to the cell
    // editor, which stays open: its text is in the rows already. Up and Down
    // belong to the grid (the parent given at creation): they change the row.
    bool eventFilter(QObject* editor, QEvent* event) override;

private:
    TParamGridModel& model_;
};

}  // namespace varnok
