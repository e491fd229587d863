#include "shell/ui/ExecutionPart.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "connections/ui/ConnectFlow.h"
#include "editor/ui/EditorPages.h"
#include "execution/ExecutionOptions.h"
#include "execution/ui/ExecutionCommands.h"
#include "execution/ui/ScriptRunner.h"
#include "execution/ui/TfmParamsDialog.h"
#include "results/ui/ResultViews.h"
#include "results/ui/TfmResult.h"
#include "shell/SettingsRegistry.h"
#include "shell/ui/StatusPanes.h"
#include "shell/ui/TfmMain.h"

namespace varnok {

namespace {

// How long the close waits for a cancelled statement to end.
constexpr int kEndRunForCloseMs = 30000;

// eOptions also holds the options of other windows; the keys this part does
// not read are written back as they were read, so no option is lost at close.
class TOtherOptionKeys {
public:
    void Read(const TIniFile& ini) {
        keys_.clear();
        for (const std::string& key : ini.ReadSectionKeys(kOptionsSection))
            if (!IsExecutionOptionKey(key)) keys_.emplace_back(key, ini.ReadString(kOptionsSection, key, {}));
    }
    void Write(TIniFile& ini) const {
        for (const auto& [key, value] : keys_)
            ini.WriteString(kOptionsSection, key, value);
    }

private:
    std::vector<std::pair<std::string, std::string>> keys_;
};

TScriptRunnerHost RunnerHost(TfmMain& window) {
    TScriptRunnerHost host;
    host.window = &window;
    host.executing = [&window] { return window.Executing(); };
    host.setExecuting = [&window](bool on) { window.SetExecuting(on); };
    host.log = [&window](uint32_t ms, const QString& message, const QString& additional, int32_t cost) {
        window.AddLogEntry(ms, message, additional, cost);
    };
    host.setCost = [&window](const QString& text) { window.Status().SetCost(text); };
    host.setMessage = [&window](const QString& text, bool blink) { window.Status().SetMessage(text, blink); };
    host.setRunMark = [&window](TfmEditor* page, TRunMark mark) { window.EditorPages().SetRunMark(page, mark); };
    host.pageShowing = [](TfmEditor* page) { return page->isVisible(); };
    return host;
}

} // namespace

void InstallExecution(TfmMain& window) {
    auto* runner = new TScriptRunner(RunnerHost(window), &window);
    runner->setObjectName(QStringLiteral("ScriptRunner"));
    TConnectFlow* flow = window.ConnectFlow();
    if (flow) {
        runner->SetDatabase(flow->Database());
        // A saved connection's script runs as a run without page.
        flow->SetRunAfterConnectScript([runner](const std::string& text) { runner->RunScriptWithoutPage(text); });
    }

    window.SetEndRunHook([runner] {
        if (runner->EndRunForClose(kEndRunForCloseMs)) return;
        // The server does not let go of the statement: tearing the window
        // down under the worker would crash. The user chose to terminate and
        // the settings are written: the program ends here.
        std::fputs("Varnok: the running statement did not end; the program ends without it.\n", stderr);
        std::_Exit(EXIT_FAILURE);
    });

    TExecutionCommandHost commandHost;
    commandHost.connected = [flow] { return flow && flow->Database().Connected(); };
    commandHost.executing = [&window] { return window.Executing(); };
    commandHost.startRun = [runner](const TRunRequest& request) { runner->StartRun(request); };
    commandHost.interrupt = [runner] { runner->RequestInterrupt(); };
    auto* commands = new TExecutionCommands(window.EditorPages(), window.Commands(), commandHost, &window);
    commands->setObjectName(QStringLiteral("ExecutionCommands"));

    auto others = std::make_shared<TOtherOptionKeys>();
    window.Settings().AddLoadStep(SettingsLoadOrder::Options, "eOptions", [runner, others](const TIniFile& ini) {
        others->Read(ini);
        runner->SetOptions(ReadExecutionOptions(ini));
    });
    window.Settings().AddSaveStep(SettingsSaveOrder::Options, "eOptions", [runner, others](TIniFile& ini) {
        others->Write(ini);
        WriteExecutionOptions(ini, runner->Options());
    });
    AddParamsDialogSettingsSteps(window.Settings(), *runner->fmParamsDialog());

    // The result views of the statement data source (installed before this
    // part) show what the last good run left in qQueryExec; their refresh
    // runs its last statement again. They count their rows themselves.
    const TResultViews views = ResultViewsOf(&window);
    for (TfmResult* view : {views.result, views.inPlace}) {
        if (!view) continue;
        view->SetDataSource(&runner->DataSource1());
        view->OnRefresh = [runner](TfmResult&) { runner->RefreshLastStatement(); };
    }
}

TScriptRunner* ScriptRunnerOf(const TfmMain& window) {
    return window.findChild<TScriptRunner*>(QStringLiteral("ScriptRunner"), Qt::FindDirectChildrenOnly);
}

TExecutionCommands* ExecutionCommandsOf(const TfmMain& window) {
    return window.findChild<TExecutionCommands*>(QStringLiteral("ExecutionCommands"), Qt::FindDirectChildrenOnly);
}

} // namespace varnok
