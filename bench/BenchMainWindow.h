#pragma once
// The real main window for the timed programs and the screenshot: started
// in a settings folder of its own (thrown away at the end), with the connect
// flow, the result views and the script execution, and without any box
// stopping it (boxes go to standard error, questions are answered No; the
// run warnings are off).
#include <QSize>
#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "shell/kit/MessageSink.h"

class QTableView;

namespace varnok {

struct TConnectionsParam;
class TfmMain;
class TfmResult;
class TScriptRunner;
class TSqlEditor;

class TBenchMainWindow {
public:
    explicit TBenchMainWindow(QSize size);
    ~TBenchMainWindow();

    // Opens the main connection; raises what the connect flow raises.
    void Connect(const QString& server, const QString& database, const QString& user);
    // Connects as the quick-connect menu does with a saved connection, and
    // waits for its after-connect script.
    void ConnectSaved(const TConnectionsParam& record);
    // Puts text into the active editor page and gives the Execute command,
    // as the toolbar button does. Returns at once.
    void StartExecute(const QString& text);
    // Processes events until the run has ended; false after timeoutMs.
    bool WaitForRunEnd(int timeoutMs = 600000);
    // Shows the main tab at index (0 Query, 1 Result, 2 Data, 3 Log).
    void ShowMainTab(int index);

    TfmMain& Window() const { return *window_; }
    TScriptRunner& Runner() const { return *runner_; }
    TfmResult& Result() const { return *result_; } // the "Result" tab's view
    QTableView* ResultGrid() const;
    TSqlEditor* Editor() const;
    QString StatusMessage() const;

private:
    class TStderrSink final : public TMessageSink {
    public:
        void Plain(const QString& text) override;
        void Information(const QString& caption, const QString& text) override;
        void Error(const QString& caption, const QString& text) override;
        bool AskYesNo(const QString& caption, const QString& text, bool defaultYes) override;
    };

    QTemporaryDir settings_;
    TStderrSink sink_;
    TScopedMessageSink scope_{sink_};
    std::unique_ptr<TfmMain> window_;
    TScriptRunner* runner_ = nullptr;
    TfmResult* result_ = nullptr;
};

} // namespace varnok
