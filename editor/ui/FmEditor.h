#pragma once
// One editor page: the SQL text editor and, under a movable splitter, the
// page log of its runs; plus the page's run mark.
#include <QWidget>

class QSplitter;

namespace varnok {

class TPageLogList;
class TSqlEditor;

// Shown as a small picture on the page's tab: none, running, finished.
enum class TRunMark { None, Running, Finished };

class TfmEditor : public QWidget {
    Q_OBJECT
public:
    explicit TfmEditor(QWidget* parent = nullptr);

    TSqlEditor* Editor() const { return editor_; }
    TPageLogList* PageLog() const { return pageLog_; }
    QSplitter* Splitter() const { return splitter_; }

    // The page's caption (free text; the tab shows it as it is).
    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& caption) { caption_ = caption; }

    // The page file that existed but could not be read at start-up: it is
    // not overwritten while the page stays empty, so a passing read failure
    // cannot wipe a stored script.
    const QString& UnreadFile() const { return unreadFile_; }
    void SetUnreadFile(const QString& path) { unreadFile_ = path; }

    TRunMark RunMark() const { return runMark_; }
    void SetRunMark(TRunMark mark);

    // Search state of the page (text commands): later searches go on from the caret.
    bool SearchFromCaret() const { return searchFromCaret_; }
    void SetSearchFromCaret(bool on) { searchFromCaret_ = on; }

signals:
    void RunMarkChanged(TRunMark mark);

private:
    TSqlEditor* editor_ = nullptr;
    TPageLogList* pageLog_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QString caption_;
    QString unreadFile_;
    TRunMark runMark_ = TRunMark::None;
    bool searchFromCaret_ = false;
};

} // namespace varnok
