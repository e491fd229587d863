#include "editor/ui/SqlEditor.h"

#include "editor/PageSetSettings.h"
#include "editor/SchemaDrag.h"
#include "editor/ui/IfxSqlLexer.h"

#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QWheelEvent>

namespace varnok {

namespace {
std::vector<std::string> ToStd(const QStringList& list) {
    std::vector<std::string> out;
    out.reserve(size_t(list.size()));
    for (const QString& s : list)
        out.push_back(s.toStdString());
    return out;
}
} // namespace

TSqlEditor::TSqlEditor(QWidget* parent) : QsciScintilla(parent) {
    setUtf8(true);
    setEolMode(EolWindows); // stored texts use CR LF
    lexer_ = new TIfxSqlLexer(this);
    setLexer(lexer_);
    setCaretLineVisible(true);
    setCaretLineBackgroundColor(palette().color(QPalette::ToolTipBase));
    setMarginType(0, NumberMargin);
    setMarginLineNumbers(0, true);
    setFolding(NoFoldStyle);
    // The horizontal scroll bar follows the longest line shown instead of a
    // fixed width, so a page of short lines has none.
    setScrollWidth(1);
    setScrollWidthTracking(true);
    // F1 belongs to the application; context help is on Ctrl+F1 (keyPressEvent).
    ReleaseKeys({QKeySequence(Qt::Key_F1)});
    SetFontHeight(kNewPageFontHeight);
}

void TSqlEditor::SetFontHeight(int height) {
    fontHeight_ = height;
    lexer_->SetPixelSize(FontPixelSize(height));
    setMarginsFont(lexer_->defaultFont(QsciLexerSQL::Default));
    UpdateMarginWidth();
    emit FontHeightChanged(height);
}

void TSqlEditor::UpdateMarginWidth() {
    setMarginWidth(0, QStringLiteral("00000"));
}

void TSqlEditor::LoadFromFile(const QString& path) {
    const TPageText page = ReadTextFile(path.toStdString());
    setText(QString::fromStdString(page.text));
    encoding_ = page.encoding;
    SendScintilla(SCI_EMPTYUNDOBUFFER);
    setModified(false);
}

void TSqlEditor::SaveToFile(const QString& path) const {
    WriteTextFile(path.toStdString(), text().toStdString(), encoding_);
}

void TSqlEditor::ReplaceSelection(const QString& text) {
    beginUndoAction();
    replaceSelectedText(text); // with no selection: inserted at the caret, caret after it
    endUndoAction();
}

void TSqlEditor::Erase() {
    beginUndoAction();
    selectAll(true);
    removeSelectedText();
    endUndoAction();
}

void TSqlEditor::MoveCaretToPoint(const QPoint& viewportPos) {
    const long pos = SendScintilla(SCI_POSITIONFROMPOINT, static_cast<unsigned long>(viewportPos.x()),
                                   static_cast<long>(viewportPos.y()));
    SendScintilla(SCI_GOTOPOS, static_cast<unsigned long>(pos < 0 ? 0 : pos));
}

void TSqlEditor::ReleaseKeys(const QList<QKeySequence>& keys) {
    QList<int> codes;
    for (const QKeySequence& k : keys)
        if (!k.isEmpty()) codes.append(k[0].toCombined());
    for (QsciCommand* cmd : standardCommands()->commands()) {
        if (codes.contains(cmd->key())) cmd->setKey(0);
        if (codes.contains(cmd->alternateKey())) cmd->setAlternateKey(0);
    }
}

bool TSqlEditor::IsReserved(const QKeyEvent* e) const {
    if (!reserved_ || e->key() == 0 || e->key() == Qt::Key_unknown) return false;
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    return reserved_(QKeyCombination(mods, Qt::Key(e->key())));
}

bool TSqlEditor::event(QEvent* e) {
    if (e->type() == QEvent::ShortcutOverride && IsReserved(static_cast<QKeyEvent*>(e))) {
        e->ignore(); // not ours: the program's shortcut takes the key
        return true;
    }
    return QsciScintilla::event(e);
}

bool TSqlEditor::focusNextPrevChild(bool next) {
    // The component keeps Tab for itself; without the switch it moves the focus.
    if (wantTab_) return QsciScintilla::focusNextPrevChild(next);
    return QWidget::focusNextPrevChild(next);
}

void TSqlEditor::keyPressEvent(QKeyEvent* e) {
    if (IsReserved(e)) {
        e->ignore();
        return;
    }
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    if (e->key() == Qt::Key_F1) {
        if (mods == Qt::ControlModifier) {
            emit ContextHelpRequested();
            e->accept();
        } else {
            e->ignore(); // not the editor's key: let the window see it
        }
        return;
    }
    if (!wantTab_ && (e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab) &&
        !(mods & (Qt::ControlModifier | Qt::AltModifier))) {
        e->ignore(); // Tab moves the focus, it never becomes text
        return;
    }
    if (e->key() == Qt::Key_Tab && mods == Qt::ControlModifier) {
        emit PageSwitchRequested(true);
        e->accept();
        return;
    }
    if ((e->key() == Qt::Key_Backtab || e->key() == Qt::Key_Tab) &&
        mods == (Qt::ControlModifier | Qt::ShiftModifier)) {
        emit PageSwitchRequested(false);
        e->accept();
        return;
    }
    QsciScintilla::keyPressEvent(e);
}

void TSqlEditor::wheelEvent(QWheelEvent* e) {
    if (e->modifiers() != Qt::ControlModifier) {
        QsciScintilla::wheelEvent(e);
        return;
    }
    // Towards the user (down) makes the font larger, away makes it smaller.
    // Fine-grained wheels send parts of a notch: they add up to whole steps.
    wheelRemainder_ += e->angleDelta().y();
    const int notches = wheelRemainder_ / QWheelEvent::DefaultDeltasPerStep;
    wheelRemainder_ -= notches * QWheelEvent::DefaultDeltasPerStep;
    if (notches != 0) SetFontHeight(fontHeight_ + notches);
    e->accept();
}

void TSqlEditor::contextMenuEvent(QContextMenuEvent* e) {
    if (popup_) {
        popup_->exec(e->globalPos());
        e->accept();
    }
}

bool TSqlEditor::IsOwnDrag(const QDropEvent* e) const {
    // Moving selected text inside this editor stays possible.
    return e->source() != nullptr && (e->source() == this || e->source() == viewport());
}

void TSqlEditor::dragEnterEvent(QDragEnterEvent* e) {
    if (SchemaNamesOf(e->mimeData())) {
        setFocus();
        MoveCaretToPoint(e->position().toPoint());
        e->acceptProposedAction();
    } else if (IsOwnDrag(e)) {
        QsciScintilla::dragEnterEvent(e);
    } else {
        e->ignore();
    }
}

void TSqlEditor::dragMoveEvent(QDragMoveEvent* e) {
    if (SchemaNamesOf(e->mimeData())) {
        MoveCaretToPoint(e->position().toPoint());
        e->acceptProposedAction();
    } else if (IsOwnDrag(e)) {
        QsciScintilla::dragMoveEvent(e);
    } else {
        e->ignore();
    }
}

void TSqlEditor::dropEvent(QDropEvent* e) {
    if (const auto names = SchemaNamesOf(e->mimeData())) {
        const std::string text = SchemaDropText(ToStd(*names));
        if (text.empty()) {
            e->ignore();
            return;
        }
        setFocus();
        MoveCaretToPoint(e->position().toPoint());
        ReplaceSelection(QString::fromStdString(text));
        e->acceptProposedAction();
    } else if (IsOwnDrag(e)) {
        QsciScintilla::dropEvent(e);
    } else {
        e->ignore();
    }
}

} // namespace varnok
