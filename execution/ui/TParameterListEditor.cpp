#include "execution/ui/TParameterListEditor.h"

#include <QHeaderView>
#include <QMouseEvent>

#include "execution/ParamsDialogSettings.h"
#include "execution/ui/ParamCellDelegate.h"
#include "execution/ui/ParamGridModel.h"

namespace varnok {

TParameterListEditor::TParameterListEditor(QWidget* parent)
    : QTableView(parent), model_(new TParamGridModel(this)), delegate_(new TParamCellDelegate(*model_, this)) {
    setModel(model_);
    setItemDelegate(delegate_);
    setEditTriggers(QAbstractItemView::AllEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(true);
    verticalHeader()->hide();  // no fixed column
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(kRowHeight);
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setDefaultSectionSize(kDefaultColumnWidth);
    setColumnWidth(0, kDefaultColumnWidth);
    setColumnWidth(1, kDefaultColumnWidth);
    connect(delegate_, &TParamCellDelegate::EnterPressed, this, &TParameterListEditor::EnterPressed);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int section) {
        if (section < 2) FitValueColumn();
    });
}

const TParamRows& TParameterListEditor::Rows() const {
    return model_->Rows();
}

TSaveUsedParams& TParameterListEditor::UsedParams() {
    return model_->Rows().UsedParams();
}

void TParameterListEditor::LoadParams(TParamList& params) {
    model_->LoadParams(params);
    SelectCell(0, TParamColumn::Type);
}

void TParameterListEditor::ResetRows() {
    model_->ResetRows();
    SelectCell(0, TParamColumn::Type);
}

TApplyParamsResult TParameterListEditor::ApplyParams() {
    CommitEditor();
    return model_->Rows().ApplyParams(QLocale());  // the system locale unless the program set another
}

void TParameterListEditor::SelectCell(int row, TParamColumn column) {
    const QModelIndex index = model_->index(row, static_cast<int>(column));
    if (!CanSelect(index)) return;
    if (index != currentIndex()) {
        setCurrentIndex(index);
        return;
    }
    if (QWidget* editor = indexWidget(index)) editor->setFocus();
    else if (state() != QAbstractItemView::EditingState) edit(index);
}

QWidget* TParameterListEditor::CurrentEditor() const {
    return currentIndex().isValid() ? indexWidget(currentIndex()) : nullptr;
}

bool TParameterListEditor::CanSelect(const QModelIndex& index) const {
    return index.isValid() && model_->Rows().CanSelect(index.row(), TParamGridModel::ColumnOf(index));
}

void TParameterListEditor::CommitEditor() {
    if (QWidget* editor = CurrentEditor()) delegate_->setModelData(editor, model_, currentIndex());
}

void TParameterListEditor::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    // The cell editor is always shown on the current cell.
    if (CanSelect(current) && !indexWidget(current) && state() != QAbstractItemView::EditingState) edit(current);
}

QModelIndex TParameterListEditor::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) {
    if (cursorAction == MoveNext || cursorAction == MovePrevious) return NextSelectableCell(cursorAction == MoveNext);
    const QModelIndex target = QTableView::moveCursor(cursorAction, modifiers);
    // A cell that cannot be selected keeps the current cell where it is.
    return CanSelect(target) ? target : currentIndex();
}

QModelIndex TParameterListEditor::NextSelectableCell(bool forward) const {
    // Tab and Shift+Tab walk the cells row by row, wrapping at the ends, past
    // the names and the locked values: from a row's value to the next row's type.
    const int columns = model_->columnCount();
    const int cells = model_->rowCount() * columns;
    const QModelIndex current = currentIndex();
    if (cells == 0 || !current.isValid()) return current;
    const int from = current.row() * columns + current.column();
    for (int step = 1; step < cells; ++step) {
        const int at = ((from + (forward ? step : -step)) % cells + cells) % cells;
        const QModelIndex candidate = model_->index(at / columns, at % columns);
        if (CanSelect(candidate)) return candidate;
    }
    return current;
}

void TParameterListEditor::mousePressEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && !CanSelect(index)) {
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

void TParameterListEditor::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    FitValueColumn();
}

void TParameterListEditor::showEvent(QShowEvent* event) {
    QTableView::showEvent(event);
    FitValueColumn();
}

void TParameterListEditor::FitValueColumn() {
    if (fitting_) return;  // setting the width reports a resize of its own
    fitting_ = true;
    setColumnWidth(2, ValueColumnWidth(viewport()->width(), columnWidth(0), columnWidth(1),
                                       horizontalHeader()->minimumSectionSize()));
    fitting_ = false;
}

}  // namespace varnok
