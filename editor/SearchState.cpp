#include "editor/SearchState.h"

namespace varnok {

QStringList PushSearchHistory(QStringList history, const QString& text) {
    if (!text.isEmpty()) {
        history.removeIf([&text](const QString& entry) { return entry.compare(text, Qt::CaseInsensitive) == 0; });
        history.prepend(text);
    }
    while (history.size() > kMaxSearchHistory)
        history.removeLast();
    return history;
}

QString ProposedSearchText(const QString& selectedText, const QString& wordAtCaret) {
    const bool oneLine = !selectedText.isEmpty() && !selectedText.contains(QLatin1Char('\n')) &&
                         !selectedText.contains(QLatin1Char('\r'));
    return oneLine ? selectedText : wordAtCaret;
}

QPoint ConfirmBoxPosition(const QRect& editor, const QRect& matchLine, int matchX, const QSize& box) {
    int x = matchX;
    if (box.width() >= editor.width())
        x = editor.left() + (editor.width() - box.width()) / 2;
    else if (x + box.width() > editor.left() + editor.width())
        x = editor.left() + editor.width() - box.width();
    const bool lowerThird = (matchLine.top() - editor.top()) * 3 > editor.height() * 2;
    const int y = lowerThird ? matchLine.top() - 4 - box.height() : matchLine.bottom() + 1 + 4;
    return {x, y};
}

} // namespace varnok
