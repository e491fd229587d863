#include "results/ui/ResultViews.h"

#include <QLayout>
#include <QVBoxLayout>
#include <QWidget>

#include "dbaccess/DataSet.h"
#include "results/DataSetFetch.h"
#include "results/ui/TfmResult.h"

namespace varnok {

namespace {

TfmResult* CreateView(QWidget* region, const char* name) {
    auto* view = new TfmResult(region);
    view->setObjectName(QLatin1String(name));
    QLayout* layout = region->layout();
    if (!layout) layout = new QVBoxLayout(region);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(view);
    return view;
}

void CountRowsOfResult(TfmResult& view, const std::function<void(const QString&)>& showMessage) {
    TDataSet* ds = view.DataSet();
    if (!ds || !ds->Active()) return;
    const int count = CountAllRows(*ds);
    if (showMessage) showMessage(QString::fromStdString(RecordCountText(count)));
}

}  // namespace

TResultViews InstallResultViews(const TResultViewHost& host) {
    TResultViews views;
    views.result = CreateView(host.tsResult, kResultViewName);
    views.table = CreateView(host.tsData, kTableViewName);
    views.inPlace = CreateView(host.pnInPlResult, kInPlaceResultViewName);
    views.table->SetReadOnly(false);
    for (TfmResult* view : {views.result, views.inPlace})
        view->OnRecordCount = [show = host.showMessage](TfmResult& v) { CountRowsOfResult(v, show); };

    if (std::array<int, 3>* heights = host.gridFontHeights) {
        const std::array<TfmResult*, 3> inOrder{views.result, views.table, views.inPlace};
        auto apply = [heights, inOrder] {
            for (std::size_t i = 0; i < inOrder.size(); ++i) inOrder[i]->SetGridFontHeight((*heights)[i]);
        };
        if (host.addAfterLoadStep)
            host.addAfterLoadStep(apply);
        else
            apply();
        for (std::size_t i = 0; i < inOrder.size(); ++i)
            QObject::connect(inOrder[i], &TfmResult::gridFontHeightChanged, inOrder[i],
                             [heights, i](int height) { (*heights)[i] = height; });
    }
    return views;
}

TResultViews ResultViewsOf(const QWidget* window) {
    TResultViews views;
    if (!window) return views;
    views.result = window->findChild<TfmResult*>(QLatin1String(kResultViewName));
    views.table = window->findChild<TfmResult*>(QLatin1String(kTableViewName));
    views.inPlace = window->findChild<TfmResult*>(QLatin1String(kInPlaceResultViewName));
    return views;
}

}  // namespace varnok
