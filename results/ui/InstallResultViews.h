#pragma once
// InstallResultViews for the main window: a start-up part
// (TMainWindowStartup::parts) that puts the three result views into their
// regions of fmMain.
#include "results/ui/ResultViews.h"
#include "shell/ui/StatusPanes.h"
#include "shell/ui/TfmMain.h"

namespace varnok {

inline TResultViews InstallResultViews(TfmMain& window) {
    TResultViewHost host;
    host.tsResult = window.tsResult();
    host.tsData = window.tsData();
    host.pnInPlResult = window.QueryTab().pnInPlResult;
    host.gridFontHeights = &window.LayoutValues().gridFontHeight;
    host.showMessage = [&window](const QString& text) { window.Status().SetMessage(text); };
    host.addAfterLoadStep = [&window](std::function<void()> step) { window.AddAfterLoadStep(std::move(step)); };
    return InstallResultViews(host);
}

}  // namespace varnok
