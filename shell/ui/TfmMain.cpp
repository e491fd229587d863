#include "shell/ui/TfmMain.h"

#include <QCloseEvent>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "connections/ui/ConnectFlow.h"
#include "connections/ui/ConnectionWindowsSettings.h"
#include "dbaccess/SqlHosts.h"
#include "editor/ui/EditorPages.h"
#include "shell/LogModel.h"
#include "shell/kit/ApplicationTitle.h"
#include "shell/kit/CommandRegistry.h"
#include "shell/kit/MessageSink.h"
#include "shell/kit/StandardErrorBox.h"
#include "shell/ui/DetailTabsMenu.h"
#include "shell/ui/EditorToolBars.h"
#include "shell/ui/ExecutionPart.h"
#include "results/ui/InstallResultViews.h"
#include "shell/ui/LogCommands.h"
#include "shell/ui/LogTab.h"
#include "shell/ui/MainTabCommands.h"
#include "shell/ui/PanelVisibility.h"
#include "shell/ui/ServerBox.h"
#include "shell/ui/StatusPanes.h"

namespace varnok {

namespace {
constexpr int kMinEditorPagesHeight = 20;
} // namespace

TMainWindowStartup TMainWindowStartup::FromProcess(const std::vector<std::string>& arguments) {
    TMainWindowStartup startup;
    startup.arguments = arguments;
    startup.programFolder = ProgramFolder();
    startup.programBaseName = ProgramBaseName();
    startup.parts = ProgramParts();
    return startup;
}

std::vector<std::function<void(TfmMain&)>> TMainWindowStartup::ProgramParts() {
    return {
        [](TfmMain& window) { window.InstallConnectFlow(); },
        [](TfmMain& window) { InstallResultViews(window); },
        InstallExecution,
        InstallEditorToolBars,
    };
}

TfmMain::TfmMain(const TMainWindowStartup& startup, QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("fmMain"));
    // 1. No script runs yet. (The pattern bar keeps its own list of tab toolbars.)
    executing_ = false;
    // 2. Where the settings live.
    ResolveSettings(startup);
    // 3.
    patternsModified_ = false;
    commands_ = new TCommandRegistry(this);
    logModel_ = new TLogModel(this);
    BuildRegions();
    // 4. The secondary windows, once for the run: here the connection
    //    windows; the others come with their subsystems through startup.parts.
    CreateSecondaryWindows();
    // 5.
    setWindowTitle(QLatin1String(kCaption));
    SetApplicationTitle(QLatin1String(kCaption));
    InstallWorkspace();
    // 4., 7.-9. The subsystems build into the regions: secondary windows
    //    (export, value viewer, row filter, pattern editor, options,
    //    parameters), the last-database list, the result views, the
    //    execution confirmation window.
    for (const auto& attach : startup.parts)
        attach(*this);
    // Every command's key works anywhere in the window, not only where a
    // menu or a toolbar shows the command.
    for (TCommand* command : commands_->Commands())
        addAction(command);
    // 6.
    AddLogEntry(0, QStringLiteral("Program start"));
    // 10.-13.
    RegisterSettingsSections();
    LoadSettings();
    // 14. The server box: the installation's server names, sorted, the saved one selected.
    FillServerBox(connectionBar_.cbServerName, serverNames_, layoutValues_.savedServerName);
    // 15.-16. The pattern buttons are loaded, the schema browser's object
    //     lists are created: the subsystems' after-load steps, in order.
    for (const auto& step : afterLoad_)
        step();
    afterLoad_.clear();
    commands_->StartIdleUpdates();
}

TfmMain::~TfmMain() = default;

void TfmMain::ResolveSettings(const TMainWindowStartup& startup) {
    const TSettingsFolderChoice choice =
        ResolveSettingsFolder(startup.arguments, startup.programFolder, startup.getLocalAppData);
    if (choice.error) Messages().Plain(QString::fromStdString(choice.MessageBoxText()));
    settingsFolder_ = choice.folder;
    settingsPath_ = settingsFolder_ + startup.programBaseName + ".ini";
}

void TfmMain::BuildRegions() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("pnMain"));
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    setCentralWidget(central);

    connectionBar_ = BuildConnectionBar(central);
    layout->addWidget(connectionBar_.pnConnectBar);

    pcMain_ = new QTabWidget(central);
    pcMain_->setObjectName(QStringLiteral("pcMain"));
    pcMain_->setTabPosition(QTabWidget::South);
    layout->addWidget(pcMain_, 1);
    tsQuery_ = new QWidget(pcMain_);
    tsQuery_->setObjectName(QStringLiteral("tsQuery"));
    query_ = BuildQueryTab(tsQuery_);
    tsResult_ = new QWidget(pcMain_);
    tsResult_->setObjectName(QStringLiteral("tsResult"));
    tsData_ = new QWidget(pcMain_);
    tsData_->setObjectName(QStringLiteral("tsData"));
    for (QWidget* page : {tsResult_, tsData_})
        new QVBoxLayout(page); // the result views go in here
    logTab_ = new TLogTab(*logModel_, pcMain_);
    pcMain_->addTab(tsQuery_, QStringLiteral("Query"));
    pcMain_->addTab(tsResult_, QStringLiteral("Result"));
    pcMain_->addTab(tsData_, QStringLiteral("Data"));
    pcMain_->addTab(logTab_, QStringLiteral("Log"));
    connect(pcMain_, &QTabWidget::currentChanged, this, &TfmMain::ShowingMainTab);
    logCommands_ = new TLogCommands(*logTab_, *logModel_, this);

    panels_ = new TPanelVisibility(query_, this);
    connectionBar_.tbShowHidePanels->setMenu(panels_->Menu());
    detailTabs_ = new TDetailTabsMenu(query_.pcDetails, query_.pmDetails, query_.miDetailsSeparator);
    status_ = new TStatusPanes(statusBar());
}

void TfmMain::CreateSecondaryWindows() {
    // GetServerNames: the names the installation's sqlhosts file lists; a
    // missing file gives none.
    ReadSqlHostsServerNames(SqlHostsPath(), serverNames_);
    connectionWindows_ = CreateConnectionWindows(this, serverNames_);
    WireConnectionBarButtons(connectionBar_, connectionWindows_, [this] { return connectSaved_; });
    // A running script holds the connection: no other connection may be chosen meanwhile.
    commands_->AddUpdateHook([this] { connectionBar_.tbQuickConnect->setEnabled(!executing_); });
    connectionBar_.tbOptions->setEnabled(false); // until the options window exists
}

void TfmMain::InstallWorkspace() {
    editor_ =
        InstallEditorPages(query_.pnEditorPages, *commands_, settings_, [this] { return SettingsFolder(); });
    // The stored heights of the schema area, the pattern bar and the result
    // panel rule; the editor pages take what is left, even when that is little.
    editor_.pages->setMinimumHeight(kMinEditorPagesHeight);
    RegisterMainTabCommands(*commands_, pcMain_);
}

void TfmMain::InstallConnectFlow() {
    if (connectFlow_) return;
    TConnectFlowHost host;
    host.window = this;
    host.bar = connectionBar_;
    host.login = connectionWindows_.login;
    host.log = [this](const QString& message, const QString& additional) { AddLogEntry(0, message, additional); };
    host.blinkMessage = [this](const QString& text) { status_->SetMessage(text, true); };
    host.clearStatus = [this] {
        status_->SetCost(QString());
        status_->SetMessage(QString()); // also ends the blinking
    };
    host.executing = [this] { return executing_; };
    connectFlow_ = new TConnectFlow(std::move(host), this);
    connectFlow_->RegisterSettings(settings_);
    connectFlow_->RegisterUpdateHook(*commands_);
    TConnectFlow* flow = connectFlow_;
    SetConnectSavedHook([flow](const TConnectionsParam& record) {
        try {
            flow->ConnectSaved(record);
        } catch (...) {
            ShowCurrentException();
        }
        flow->UpdateConnectionBar();
    });
    SetCloseConnectionHook([flow] { return flow->CloseForExit(); });
}

void TfmMain::SetShowOptionsHook(std::function<void()> hook) {
    const bool first = !showOptions_;
    showOptions_ = std::move(hook);
    connectionBar_.tbOptions->setEnabled(static_cast<bool>(showOptions_));
    if (first && showOptions_)
        connect(connectionBar_.tbOptions, &QToolButton::clicked, this, [this] {
            if (showOptions_) showOptions_();
        });
}

void TfmMain::ShowingMainTab(int index) {
    QWidget* page = pcMain_->widget(index);
    if (page == tsQuery_) {
        // The user comes to write: the caret goes to the active editor page.
        if (TSqlEditor* editor = editor_.pages ? editor_.pages->ActiveEditor() : nullptr) editor->setFocus();
    } else if (page == logTab_) {
        logTab_->SelectLastEntry();
    }
}

void TfmMain::RegisterSettingsSections() {
    RegisterMainWindowSettings(
        settings_, {this, &connectionBar_, &query_, logTab_, panels_, detailTabs_, &layoutValues_});
    // The connection windows: their sizes, the saved connections and the
    // login history. Problems met in stored connections go to the log.
    AddConnectionWindowsSettingsSteps(
        settings_, *connectionWindows_.manager, *connectionWindows_.conParams, *connectionWindows_.login,
        [this](const std::string& problem) { AddLogEntry(0, QString::fromStdString(problem)); });
    // The editor pages registered theirs when they were installed; the
    // other subsystems register at the positions of SettingsRegistry.h
    // (from startup.parts).
}

void TfmMain::LoadSettings() {
    AddLogEntry(0, QStringLiteral("LoadSettings ") + QString::fromStdString(settingsPath_));
    try {
        settings_.LoadSettings(settingsPath_);
    } catch (...) {
        // A section that cannot be applied must not keep the program from
        // starting: the error is shown and the sections read so far stay applied.
        ShowCurrentException();
    }
}

void TfmMain::AddLogEntry(uint32_t ms, const QString& message, const QString& additional, int32_t cost) {
    logModel_->AddLogEntry(ms, message, additional, cost);
}

void TfmMain::SetSchemaVisible(bool visible) {
    panels_->SetSchemaVisible(visible);
}
void TfmMain::SetPatternsVisible(bool visible) {
    panels_->SetPatternsVisible(visible);
}
void TfmMain::SetHToolBarVisible(bool visible) {
    panels_->SetHToolBarVisible(visible);
}
void TfmMain::SetVToolBarVisible(bool visible) {
    panels_->SetVToolBarVisible(visible);
}
void TfmMain::SetResultPanelVisible(bool visible) {
    panels_->SetResultPanelVisible(visible);
}

void TfmMain::SaveParams() {
    try {
        settings_.SaveSettings(settingsPath_);
        // A failed settings write skips the pattern file.
        if (patternsModified_ && savePatterns_) savePatterns_();
    } catch (const std::exception& e) {
        Messages().Error(QStringLiteral("Saving Params"),
                         QStringLiteral("Error on Saving Params: %1").arg(QString::fromUtf8(e.what())));
    }
}

void TfmMain::closeEvent(QCloseEvent* event) {
    // 1. The settings are written whatever the answers below.
    SaveParams();
    // 2. A running script: Yes ends the application, No keeps it open.
    if (executing_) {
        const bool terminate = Messages().AskYesNo(
            QLatin1String(kCaption),
            QStringLiteral(
                "Application cannot be closed, Query is still executed.\r\nTerminate application?"),
            false);
        if (!terminate) {
            event->ignore();
            return;
        }
        // The run's worker still uses the statement data set and the
        // connection, both owned by this window: it must be done first.
        if (endRun_) endRun_();
        event->accept();
        return;
    }
    // 3. The connection closes; a Cancel in its commit question keeps the window open.
    if (closeConnection_ && !closeConnection_()) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace varnok
