#pragma once
// The page log under an editor: one line per statement run from the page
// (duration, result, start of the statement, separated by tabs), with the
// context menu "AutoClear" (check item, off on a new page, not stored) and
// "Clear".
#include <QListWidget>

#include <cstdint>

class QAction;
class QMenu;

namespace varnok {

class TPageLogList : public QListWidget {
    Q_OBJECT
public:
    static constexpr int kDefaultHeight = 54;

    explicit TPageLogList(QWidget* parent = nullptr);

    void AddLine(const QString& line); // appended at the end
    // One statement of a run: duration, result or error text, start of the statement.
    void AddEntry(uint32_t milliseconds, const QString& message, const QString& statement);
    void Clear() { clear(); }
    // Selects the last line (the run's end handler asks for it).
    void SelectLast();

    bool AutoClear() const;
    void SetAutoClear(bool on);
    // Empties the log when "AutoClear" is checked; called when a run starts.
    void ClearIfAutoClear();

    QMenu* ContextMenu() const { return menu_; }
    QAction* AutoClearAction() const { return acAutoClear_; }
    QAction* ClearAction() const { return acClear_; }

private:
    QMenu* menu_ = nullptr;
    QAction* acAutoClear_ = nullptr;
    QAction* acClear_ = nullptr;
};

} // namespace varnok
