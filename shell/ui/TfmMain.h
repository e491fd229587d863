#pragma once
// The main window fmMain: its creation runs the start-up sequence, closing it
// the close sequence. It wires the regions, the settings sections and the
// commands together; their rules live in the classes it owns.
#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "shell/SettingsFolder.h"
#include "shell/SettingsRegistry.h"
#include "editor/ui/EditorWorkspace.h"
#include "shell/ui/ConnectionBar.h"
#include "shell/ui/ConnectionWindows.h"
#include "shell/ui/MainWindowSettings.h"
#include "shell/ui/QueryTabRegions.h"

class QTabWidget;

namespace varnok {

class TCommandRegistry;
class TDetailTabsMenu;
class TEditorPages;
class TLogCommands;
class TLogModel;
class TLogTab;
class TPanelVisibility;
class TConnectFlow;
class TStatusPanes;
class TfmMain;

// What the start-up sequence is given from outside the window.
struct TMainWindowStartup {
    std::vector<std::string> arguments; // the command line after the program name
    std::string programFolder;          // the executable's folder
    std::string programBaseName;        // the executable's name without extension
    std::function<std::string()> getLocalAppData = GetLocalAppData;
    // The subsystems that take part in the main window. Each is called once,
    // after the regions exist and before the settings are read: it fills its
    // regions, creates its secondary windows, and registers its commands,
    // UpdateCommands hooks, settings sections and close hooks.
    std::vector<std::function<void(TfmMain&)>> parts;

    // The running program's own values.
    static TMainWindowStartup FromProcess(const std::vector<std::string>& arguments);
    // The subsystems of the running program, in installation order (also what
    // tests and benchmarks use to get the real window).
    static std::vector<std::function<void(TfmMain&)>> ProgramParts();
};

class TfmMain : public QMainWindow {
    Q_OBJECT
public:
    static constexpr const char* kCaption = "Varnok 5.18b";

    explicit TfmMain(const TMainWindowStartup& startup, QWidget* parent = nullptr);
    ~TfmMain() override;

    // ---- run-time state ----
    const std::string& SettingsFolder() const { return settingsFolder_; }
    const std::string& SettingsPath() const { return settingsPath_; }
    bool Executing() const { return executing_; }
    void SetExecuting(bool executing) { executing_ = executing; }
    bool PatternsModified() const { return patternsModified_; }
    void SetPatternsModified(bool modified) { patternsModified_ = modified; }

    // One line of the message log (cost -1: none).
    void AddLogEntry(uint32_t ms, const QString& message, const QString& additional = {}, int32_t cost = -1);

    // ---- region visibility ----
    void SetSchemaVisible(bool visible);
    void SetPatternsVisible(bool visible);
    void SetHToolBarVisible(bool visible);
    void SetVToolBarVisible(bool visible);
    void SetResultPanelVisible(bool visible);

    // ---- what the subsystems build on ----
    TCommandRegistry& Commands() const { return *commands_; }
    TSettingsRegistry& Settings() { return settings_; }
    TLogModel& Log() const { return *logModel_; }
    TMainLayoutValues& LayoutValues() { return layoutValues_; }
    const TConnectionBar& ConnectionBar() const { return connectionBar_; }
    const TQueryTabRegions& QueryTab() const { return query_; }
    QTabWidget* pcMain() const { return pcMain_; }
    QWidget* tsQuery() const { return tsQuery_; }
    QWidget* tsResult() const { return tsResult_; }
    QWidget* tsData() const { return tsData_; }
    TLogTab* LogTab() const { return logTab_; }
    TPanelVisibility& Panels() const { return *panels_; }
    TDetailTabsMenu& DetailTabs() const { return *detailTabs_; }
    TStatusPanes& Status() const { return *status_; }
    TLogCommands& LogCommands() const { return *logCommands_; }

    // ---- the secondary windows, created once at start-up ----
    TfmConnect* fmConnect() const { return connectionWindows_.login; }
    TfmAbout* fmAbout() const { return connectionWindows_.about; }
    TfmConParams* fmConParams() const { return connectionWindows_.conParams; }
    TfmAdvConnect* fmAdvConnect() const { return connectionWindows_.manager; }
    QMenu* pmQuickConnect() const { return connectionWindows_.pmQuickConnect; }

    // ---- the editor pages in the "Query" tab ----
    TEditorPages& EditorPages() const { return *editor_.pages; }
    TEditorCommands& EditorCommands() const { return *editor_.commands; }

    // The main connection `Database` with its connect flow (a start-up part of
    // the running program; none until InstallConnectFlow ran).
    TConnectFlow* ConnectFlow() const { return connectFlow_; }
    void InstallConnectFlow();

    // The server names the installation knows (its sqlhosts file), as read at start-up.
    const std::vector<std::string>& ServerNames() const { return serverNames_; }

    // ---- close hooks, filled by the subsystems that own the work ----
    // Closes the database connection; false keeps the main window open (a
    // Cancel in the commit question). Unset: nothing to close.
    void SetCloseConnectionHook(std::function<bool()> hook) { closeConnection_ = std::move(hook); }
    // Ends the run under way when the user chose to terminate the application
    // at close; returns once the run has let go of the data set and the
    // connection, so the window can be torn down. Unset: nothing runs.
    void SetEndRunHook(std::function<void()> hook) { endRun_ = std::move(hook); }
    // Writes the pattern file; runs at close when the patterns-modified flag is set.
    void SetSavePatternsHook(std::function<void()> hook) { savePatterns_ = std::move(hook); }
    // Connects with a saved connection chosen in the connection manager or
    // the quick-connect menu (ConnectSaved of the connect flow). Unset:
    // choosing one does nothing.
    void SetConnectSavedHook(TConnectSaved hook) { connectSaved_ = std::move(hook); }
    // Shows the options window (the options button). Unset: the button is disabled.
    void SetShowOptionsHook(std::function<void()> hook);

    // Start-up steps that need the settings read (filling the server box,
    // loading the pattern buttons, ...); run in the order added. For parts.
    void AddAfterLoadStep(std::function<void()> step) { afterLoad_.push_back(std::move(step)); }

    // Writes the settings file now ("Saving Params" reports a failure); the
    // close sequence's first step.
    void SaveParams();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ResolveSettings(const TMainWindowStartup& startup);
    void BuildRegions();
    void CreateSecondaryWindows();
    void InstallWorkspace();
    void ShowingMainTab(int index);
    void RegisterSettingsSections();
    void LoadSettings();

    std::string settingsFolder_;
    std::string settingsPath_;
    bool executing_ = false;
    bool patternsModified_ = false;

    TSettingsRegistry settings_;
    TMainLayoutValues layoutValues_;
    TCommandRegistry* commands_ = nullptr; // children of this window
    TLogModel* logModel_ = nullptr;
    TConnectionBar connectionBar_;
    QTabWidget* pcMain_ = nullptr;
    QWidget* tsQuery_ = nullptr;
    QWidget* tsResult_ = nullptr;
    QWidget* tsData_ = nullptr;
    TQueryTabRegions query_;
    TLogTab* logTab_ = nullptr;
    TPanelVisibility* panels_ = nullptr;
    TDetailTabsMenu* detailTabs_ = nullptr;
    TStatusPanes* status_ = nullptr;
    TLogCommands* logCommands_ = nullptr;
    TConnectionWindows connectionWindows_;
    TEditorWorkspace editor_;
    std::vector<std::string> serverNames_;
    TConnectFlow* connectFlow_ = nullptr; // child of this window

    std::vector<std::function<void()>> afterLoad_;
    std::function<bool()> closeConnection_;
    std::function<void()> endRun_;
    std::function<void()> savePatterns_;
    TConnectSaved connectSaved_;
    std::function<void()> showOptions_;
};

} // namespace varnok
