#include "shell/ui/QueryTabRegions.h"

#include <QMenu>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include "shell/kit/TabPlacement.h"
#include "shell/ui/SplitterPanes.h"

namespace varnok {

namespace {

QWidget* NamedPane(QWidget* parent, const char* name) {
    auto* pane = new QWidget(parent);
    pane->setObjectName(QLatin1String(name));
    auto* layout = new QVBoxLayout(pane); // the subsystem that fills the pane adds to it
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return pane;
}

QSplitter* NamedSplitter(Qt::Orientation orientation, QWidget* parent, const char* name) {
    auto* splitter = new QSplitter(orientation, parent);
    splitter->setObjectName(QLatin1String(name));
    splitter->setChildrenCollapsible(false);
    TrackPaneSizes(splitter);
    return splitter;
}

// Right-clicking the tab row opens menu.
void UseTabMenu(QTabWidget* tabs, QMenu* menu) {
    QTabBar* bar = tabs->tabBar();
    bar->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(bar, &QWidget::customContextMenuRequested, menu,
                     [bar, menu](const QPoint& at) { menu->popup(bar->mapToGlobal(at)); });
}

void BuildSchemaArea(TQueryTabRegions& q) {
    q.pcTblProc = new QTabWidget(q.spQuery);
    q.pcTblProc->setObjectName(QStringLiteral("pcTblProc"));

    q.tsTables = NamedPane(q.pcTblProc, "tsTables");
    q.spTables = NamedSplitter(Qt::Horizontal, q.tsTables, "spTables");
    q.tsTables->layout()->addWidget(q.spTables);
    q.pnTableList = NamedPane(q.spTables, "pnTableList");
    q.spTables->addWidget(q.pnTableList);
    q.pcDetails = new QTabWidget(q.spTables);
    q.pcDetails->setObjectName(QStringLiteral("pcDetails"));
    for (const TDetailTabInfo& tab : kDetailTabs) {
        const int index =
            q.pcDetails->addTab(NamedPane(q.pcDetails, tab.objectName), QLatin1String(tab.caption));
        q.pcDetails->setTabToolTip(index, QLatin1String(tab.hint));
    }
    q.spTables->addWidget(q.pcDetails);
    q.spTables->setStretchFactor(0, 0);
    q.spTables->setStretchFactor(1, 1);

    q.tsProcs = NamedPane(q.pcTblProc, "tsProcs");
    q.spProcs = NamedSplitter(Qt::Horizontal, q.tsProcs, "spProcs");
    q.tsProcs->layout()->addWidget(q.spProcs);
    q.pnProcList = NamedPane(q.spProcs, "pnProcList");
    q.pnProcText = NamedPane(q.spProcs, "pnProcText");
    q.spProcs->addWidget(q.pnProcList);
    q.spProcs->addWidget(q.pnProcText);
    q.spProcs->setStretchFactor(0, 0);
    q.spProcs->setStretchFactor(1, 1);

    q.pcTblProc->addTab(q.tsTables, QStringLiteral("T"));
    q.pcTblProc->addTab(q.tsProcs, QStringLiteral("PC"));
    q.pcTblProc->setTabToolTip(0, QStringLiteral("Tables"));
    q.pcTblProc->setTabToolTip(1, QStringLiteral("Procedures"));

    // The detail tabs' check items go in ahead of the separator (start-up step 12).
    q.pmDetails = new QMenu(q.pcDetails);
    q.pmDetails->setObjectName(QStringLiteral("pmDetails"));
    q.miDetailsSeparator = q.pmDetails->addSeparator();
    AddTabPositionMenu(q.pmDetails, q.pcDetails);
    UseTabMenu(q.pcDetails, q.pmDetails);

    q.pmTblProc = new QMenu(q.pcTblProc);
    q.pmTblProc->setObjectName(QStringLiteral("pmTblProc"));
    AddTabPositionMenu(q.pmTblProc, q.pcTblProc);
    UseTabMenu(q.pcTblProc, q.pmTblProc);
}

void BuildEditorArea(TQueryTabRegions& q) {
    q.pnEditorArea = NamedPane(q.spQuery, "pnEditorArea");
    q.tbHorizontal = new QToolBar(q.pnEditorArea);
    q.tbHorizontal->setObjectName(QStringLiteral("tbHorizontal"));
    q.tbHorizontal->setOrientation(Qt::Horizontal);
    q.pnEditorArea->layout()->addWidget(q.tbHorizontal);
    q.spEditor = NamedSplitter(Qt::Horizontal, q.pnEditorArea, "spEditor");
    q.pnEditorPages = NamedPane(q.spEditor, "pnEditorPages");
    q.tbVertical = new QToolBar(q.spEditor);
    q.tbVertical->setObjectName(QStringLiteral("tbVertical"));
    q.tbVertical->setOrientation(Qt::Vertical);
    q.spEditor->addWidget(q.pnEditorPages);
    q.spEditor->addWidget(q.tbVertical);
    q.spEditor->setStretchFactor(0, 1);
    q.spEditor->setStretchFactor(1, 0);
    q.pnEditorArea->layout()->addWidget(q.spEditor);
}

} // namespace

QMenu* AddTabPositionMenu(QMenu* menu, QTabWidget* tabs) {
    QMenu* position = menu->addMenu(QStringLiteral("Position"));
    const std::array<std::pair<const char*, int>, 4> items{
        {{"Left", 1}, {"Right", 3}, {"Top", 0}, {"Bottom", 2}}};
    for (const auto& [caption, code] : items) {
        const int placement = code;
        QObject::connect(position->addAction(QLatin1String(caption)), &QAction::triggered, tabs,
                         [tabs, placement] { ApplyTabPlacement(tabs, placement); });
    }
    return position;
}

TQueryTabRegions BuildQueryTab(QWidget* tsQuery) {
    TQueryTabRegions q;
    auto* layout = new QVBoxLayout(tsQuery);
    layout->setContentsMargins(0, 0, 0, 0);
    q.spQuery = NamedSplitter(Qt::Vertical, tsQuery, "spQuery");
    layout->addWidget(q.spQuery);

    BuildSchemaArea(q);
    q.spQuery->addWidget(q.pcTblProc);
    q.pnPatterns = NamedPane(q.spQuery, "pnPatterns");
    q.spQuery->addWidget(q.pnPatterns);
    BuildEditorArea(q);
    q.spQuery->addWidget(q.pnEditorArea);
    q.pnInPlResult = NamedPane(q.spQuery, "pnInPlResult");
    q.spQuery->addWidget(q.pnInPlResult);
    // The editor area takes whatever height the other regions leave.
    for (int i = 0; i < q.spQuery->count(); ++i)
        q.spQuery->setStretchFactor(i, q.spQuery->widget(i) == q.pnEditorArea ? 1 : 0);
    return q;
}

} // namespace varnok
