#pragma once
// What the search and replace dialogs remember while the program runs,
// shared by every editor page (never stored in the settings file).
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

namespace varnok {

struct TSearchState {
    bool backward = false;
    bool caseSensitive = false;
    bool fromCaret = false;
    bool selectedOnly = false;
    bool wholeWords = false;
    QString searchText;
    QStringList searchHistory; // most recent first, at most kMaxSearchHistory
    QString replaceText;
    QStringList replaceHistory;
};

constexpr int kMaxSearchHistory = 10;

// A drop-down history after a dialog was confirmed with text: a non-empty text
// already there (compared without regard to case) leaves its place and the
// text, as typed, goes to the top; the list is cut to kMaxSearchHistory.
QStringList PushSearchHistory(QStringList history, const QString& text);

// The search text a dialog proposes: the selection when it lies within one
// line, otherwise the word at the caret.
QString ProposedSearchText(const QString& selectedText, const QString& wordAtCaret);

// Where the replace confirmation goes (all in screen coordinates): at the
// match's left edge, moved left so that it does not pass the editor's right
// edge, or centred over the editor when it is at least as wide; 4 pixels
// below the matched line, or 4 pixels above it when the line lies below the
// upper two thirds of the editor.
QPoint ConfirmBoxPosition(const QRect& editor, const QRect& matchLine, int matchX, const QSize& box);

} // namespace varnok
