#pragma once
// The commands of the main log (command list alLog, category "Log") with
// their own enabling rule: acClearLog, acCopyLogToClipboard, acSaveLogToFile,
// acLogFontBigger, acLogFontSmaller. They stand on the log toolbar (Copy,
// Clear, Save, Font Bigger, Font Smaller) and in the list's context menu
// pmLog (Clear, Copy, Save).
#include <QObject>
#include <QString>
#include <functional>

class QMenu;
class QWidget;

namespace varnok {

class TCommand;
class TCommandRegistry;
class TLogModel;
class TLogTab;

class TLogCommands : public QObject {
    Q_OBJECT
public:
    // Asks for the file to save the log to; empty on Cancel.
    using TSaveDialog = std::function<QString(QWidget* parent)>;

    TLogCommands(TLogTab& tab, TLogModel& model, QObject* parent = nullptr);

    TCommandRegistry& alLog() const { return *alLog_; }
    TCommand* Command(const char* name) const;
    QMenu* pmLog() const { return pmLog_; }

    // The enabling rule (also run whenever the program is idle).
    void UpdateCommands();

    // The operations.
    void ClearLog();
    // The selected entries in list order, in the text form, as Unicode text.
    void CopyToClipboard();
    // Asks for a file name, then SaveToFile(path).
    void SaveLogToFile();
    // Every entry in the text form as UTF-8 without a byte-order mark; an
    // existing file is replaced. A file that cannot be created or written
    // raises an error naming it (entries already written stay).
    void SaveToFile(const QString& path) const;
    void FontBigger();  // the list's font height - 1 (one pixel larger)
    void FontSmaller(); // the list's font height + 1

    // Font height in the platform convention: negative = character height in pixels.
    int FontHeight() const;
    void SetFontHeight(int height);

    void SetSaveDialog(TSaveDialog dialog) { saveDialog_ = std::move(dialog); }
    // The real dialog sdLog: default extension "log", filters "Log file
    // (*.log)" and "Any file (*.*)", asks before overwriting.
    static QString AskLogFileName(QWidget* parent);

private:
    void BuildCommands();
    void BuildMenus();

    TLogTab& tab_;
    TLogModel& model_;
    TCommandRegistry* alLog_;
    QMenu* pmLog_ = nullptr;
    TSaveDialog saveDialog_ = AskLogFileName;
};

} // namespace varnok
