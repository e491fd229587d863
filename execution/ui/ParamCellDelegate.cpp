#include "execution/ui/ParamCellDelegate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>

#include "execution/ui/ParamGridModel.h"
#include "execution/ui/TInplaceEditDropDown.h"

namespace varnok {

namespace {

QStringList ToQStringList(const std::vector<std::string>& texts) {
    QStringList list;
    for (const auto& text : texts) list << QString::fromStdString(text);
    return list;
}

}  // namespace

TParamCellDelegate::TParamCellDelegate(TParamGridModel& model, QObject* parent)
    : QStyledItemDelegate(parent), model_(model) {}

QWidget* TParamCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const {
    auto* editor = new TInplaceEditDropDown(model_.Rows().CanType(index.row(), TParamGridModel::ColumnOf(index)), parent);
    editor->setObjectName(QStringLiteral("InplaceEditor"));
    connect(editor, &TInplaceEditDropDown::TextEdited, this, [this, editor] {
        emit const_cast<TParamCellDelegate*>(this)->commitData(editor);
    });
    return editor;
}

void TParamCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* dropDown = static_cast<TInplaceEditDropDown*>(editor);
    const QString text = index.data(Qt::EditRole).toString();
    const QStringList pickList = ToQStringList(model_.Rows().PickList(index.row(), TParamGridModel::ColumnOf(index)));
    // Refilling while the user types would move the caret to the end.
    if (dropDown->count() > 0 && dropDown->Text() == text) return;
    dropDown->SetPickListAndText(pickList, text);
}

void TParamCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
    model->setData(index, static_cast<TInplaceEditDropDown*>(editor)->Text(), Qt::EditRole);
}

bool TParamCellDelegate::eventFilter(QObject* editor, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        const int key = keyEvent->key();
        if (key == Qt::Key_Escape) return false;
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit EnterPressed();
            return true;
        }
        // Up and Down move to the row above or below, as in any grid: left
        // to the drop-down they would step its type or value to the
        // neighbouring entry ("Money" to "Null" wipes the value). The list
        // itself opens with Alt+Down or F4.
        const auto* dropDown = qobject_cast<const TInplaceEditDropDown*>(editor);
        auto* grid = qobject_cast<QAbstractItemView*>(parent());
        if ((key == Qt::Key_Up || key == Qt::Key_Down) && !(keyEvent->modifiers() & Qt::AltModifier) && dropDown &&
            grid && !dropDown->view()->isVisible()) {
            QApplication::sendEvent(grid, keyEvent);
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(editor, event);
}

}  // namespace varnok
