#pragma once
// The "Log" tab: the log toolbar, the log list lvLog over the log model, and
// mmLog, the full text of the selected entry, below a splitter (height LogHeight).
#include <QWidget>

class QPlainTextEdit;
class QSplitter;
class QToolBar;
class QTreeView;

namespace varnok {

class TLogModel;

class TLogTab : public QWidget {
    Q_OBJECT
public:
    TLogTab(TLogModel& model, QWidget* parent);

    QToolBar* tbLog() const { return tbLog_; }
    QTreeView* lvLog() const { return lvLog_; }
    QPlainTextEdit* mmLog() const { return mmLog_; }
    QSplitter* spLog() const { return spLog_; }

    int DetailHeight() const; // LogHeight
    void SetDetailHeight(int height);

    // Showing the tab: the last entry becomes the one selected, focused and in view.
    void SelectLastEntry();

private:
    void ShowSelectedEntry();

    TLogModel& model_;
    QToolBar* tbLog_;
    QSplitter* spLog_;
    QTreeView* lvLog_;
    QPlainTextEdit* mmLog_;
};

} // namespace varnok
