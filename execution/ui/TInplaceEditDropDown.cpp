#include "execution/ui/TInplaceEditDropDown.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWheelEvent>
#include <chrono>

namespace varnok {

std::uint32_t SystemTick() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

TInplaceEditDropDown::TInplaceEditDropDown(bool canType, QWidget* parent)
    : QComboBox(parent), canType_(canType), tick_(SystemTick) {
    setMaxVisibleItems(10);
    setEditable(canType);
    if (canType) {
        setInsertPolicy(QComboBox::NoInsert);
        setCompleter(nullptr);  // the list is offered, never forced on the text
        connect(lineEdit(), &QLineEdit::textEdited, this, [this] { emit TextEdited(); });
    }
    connect(this, &QComboBox::currentTextChanged, this, [this] {
        if (!filling_) emit TextEdited();
    });
}

void TInplaceEditDropDown::SetPickListAndText(const QStringList& pickList, const QString& text) {
    filling_ = true;
    clear();
    addItems(pickList);
    if (canType_) {
        setCurrentIndex(-1);
        setEditText(text);
    } else {
        setCurrentIndex(findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive));
    }
    filling_ = false;
}

void TInplaceEditDropDown::keyPressEvent(QKeyEvent* event) {
    // A list box would step its entry on these keys (End gives "Null" and
    // wipes the value): the text is only picked from the list or searched.
    if (!canType_ && !view()->isVisible()) {
        switch (event->key()) {
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            event->ignore();
            return;
        default: break;
        }
    }
    const QString typed = event->text();
    const bool character = !typed.isEmpty() && typed.at(0).isPrint() && !(event->modifiers() & Qt::ControlModifier);
    if (canType_ || event->key() == Qt::Key_Backspace || !character) {
        QComboBox::keyPressEvent(event);
        return;
    }
    QStringList entries;
    for (int i = 0; i < count(); ++i) entries << itemText(i);
    if (const auto found = search_.KeyPress(typed.at(0), tick_(), entries)) setCurrentIndex(findText(*found));
    event->accept();  // consumed: the text box itself never takes the character
}

void TInplaceEditDropDown::wheelEvent(QWheelEvent* event) {
    event->ignore();  // on to the grid
}

}  // namespace varnok
