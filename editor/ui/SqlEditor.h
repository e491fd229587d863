#pragma once
// The SQL text editor of one editor page.
//
// On top of the editing component it adds what the pages need: the Informix
// highlighter, the page font height (settings convention, negative = pixels),
// the encoding its text was loaded in (kept for saving), the Tab-key switch,
// F1 left to the application and Ctrl+F1 as context help, Ctrl+wheel font
// steps, drops of names from the schema lists, and replacing the selection as
// one undoable step.
#include "editor/PageFile.h"

#include <Qsci/qsciscintilla.h>

#include <QKeyCombination>
#include <QKeySequence>
#include <QList>

#include <functional>
#include <QPointer>

#include <QMenu>

namespace varnok {

class TIfxSqlLexer;

class TSqlEditor : public QsciScintilla {
    Q_OBJECT
public:
    explicit TSqlEditor(QWidget* parent = nullptr);

    int FontHeight() const { return fontHeight_; }
    void SetFontHeight(int height);

    // With the switch on, Tab inserts a tab; off, Tab moves the focus.
    bool WantTab() const { return wantTab_; }
    void SetWantTab(bool want) { wantTab_ = want; }

    TTextEncoding TextEncoding() const { return encoding_; }
    void SetTextEncoding(TTextEncoding encoding) { encoding_ = encoding; }

    // File routines with the page-file encoding rule; both throw ETextFileError.
    // Loading replaces the text, remembers the file's encoding and starts a
    // fresh undo history.
    void LoadFromFile(const QString& path);
    void SaveToFile(const QString& path) const;

    // Replaces the selection (or inserts at the caret) as one undoable step.
    void ReplaceSelection(const QString& text);
    // Selects all and deletes it, as one undoable step.
    void Erase();
    // Moves the caret (and collapses the selection) to the character nearest
    // to a point of the text area.
    void MoveCaretToPoint(const QPoint& viewportPos);

    // The popup menu shown on right click (not owned); none: no menu.
    void SetPopupMenu(QMenu* menu) { popup_ = menu; }
    QMenu* PopupMenu() const { return popup_; }

    // Removes these keys from the component's own key table for good.
    void ReleaseKeys(const QList<QKeySequence>& keys);
    // Keys the program's commands hold at the moment: the editor neither
    // claims them before the shortcuts nor runs its own command on them, so a
    // changed hotkey is respected at once (and a disabled command's key does
    // not fall through to an unrelated editing command).
    using TKeyReservation = std::function<bool(QKeyCombination)>;
    void SetKeyReservation(TKeyReservation reserved) { reserved_ = std::move(reserved); }

    TIfxSqlLexer* SqlLexer() const { return lexer_; }

signals:
    void ContextHelpRequested();            // Ctrl+F1
    void PageSwitchRequested(bool forward); // Ctrl+Tab / Ctrl+Shift+Tab
    void FontHeightChanged(int height);

protected:
    bool event(QEvent* e) override;
    bool focusNextPrevChild(bool next) override;
    void keyPressEvent(QKeyEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    bool IsOwnDrag(const QDropEvent* e) const;
    bool IsReserved(const QKeyEvent* e) const;
    void UpdateMarginWidth();

    TIfxSqlLexer* lexer_ = nullptr;
    int fontHeight_ = 0;
    bool wantTab_ = true;
    int wheelRemainder_ = 0; // part of a wheel notch not yet turned into a font step
    TTextEncoding encoding_ = TTextEncoding::Utf8;
    QPointer<QMenu> popup_;
    TKeyReservation reserved_;
};

} // namespace varnok
