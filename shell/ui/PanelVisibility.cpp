#include "shell/ui/PanelVisibility.h"

#include <QMenu>
#include <QSplitter>
#include <QTabWidget>
#include <QToolBar>

#include "shell/ui/QueryTabRegions.h"
#include "shell/ui/SplitterPanes.h"

namespace varnok {

TPanelVisibility::TPanelVisibility(const TQueryTabRegions& regions, QObject* parent)
    : QObject(parent), regions_(regions) {
    pmPanels_ = new QMenu(regions.spQuery);
    pmPanels_->setObjectName(QStringLiteral("pmPanels"));
    miSchema_ = AddItem(QStringLiteral("Show Schema"), true, &TPanelVisibility::SetSchemaVisible);
    miPatterns_ = AddItem(QStringLiteral("Show Patterns"), true, &TPanelVisibility::SetPatternsVisible);
    miHToolBar_ = AddItem(QStringLiteral("Show HToolBar"), true, &TPanelVisibility::SetHToolBarVisible);
    miVToolBar_ = AddItem(QStringLiteral("Show VToolBar"), true, &TPanelVisibility::SetVToolBarVisible);
    miResult_ = AddItem(QStringLiteral("Show Result"), false, &TPanelVisibility::SetResultPanelVisible);
    regions_.pnInPlResult->hide();
    pmPanels_->addSeparator();
    miAll_ = pmPanels_->addAction(QStringLiteral("Show All"));
    connect(miAll_, &QAction::triggered, this, &TPanelVisibility::ShowAll);
}

QAction* TPanelVisibility::AddItem(const QString& caption, bool checked, TSetter setter) {
    QAction* item = pmPanels_->addAction(caption);
    item->setCheckable(true);
    item->setChecked(checked);
    connect(item, &QAction::triggered, this, [this, item, setter](bool nowChecked) {
        // The toolkit has already flipped the mark; the operation decides from the old one.
        item->setChecked(!nowChecked);
        (this->*setter)(nowChecked);
    });
    return item;
}

void TPanelVisibility::SetPaneVisible(QAction* item, QWidget* pane, bool visible) {
    if (item->isChecked() == visible) return;
    pane->setVisible(visible);
    if (visible) RestorePaneSize(regions_.spQuery, pane);
    item->setChecked(visible);
}

void TPanelVisibility::SetSchemaVisible(bool visible) {
    SetPaneVisible(miSchema_, regions_.pcTblProc, visible);
}

void TPanelVisibility::SetPatternsVisible(bool visible) {
    SetPaneVisible(miPatterns_, regions_.pnPatterns, visible);
}

void TPanelVisibility::SetResultPanelVisible(bool visible) {
    SetPaneVisible(miResult_, regions_.pnInPlResult, visible);
}

void TPanelVisibility::SetHToolBarVisible(bool visible) {
    // The horizontal toolbar has no splitter of its own.
    if (miHToolBar_->isChecked() == visible) return;
    regions_.tbHorizontal->setVisible(visible);
    miHToolBar_->setChecked(visible);
}

void TPanelVisibility::SetVToolBarVisible(bool visible) {
    if (miVToolBar_->isChecked() == visible) return;
    regions_.tbVertical->setVisible(visible);
    if (visible) RestorePaneSize(regions_.spEditor, regions_.tbVertical);
    miVToolBar_->setChecked(visible);
}

void TPanelVisibility::ShowAll() {
    SetSchemaVisible(true);
    SetPatternsVisible(true);
    SetHToolBarVisible(true);
    SetVToolBarVisible(true);
    SetResultPanelVisible(true);
}

bool TPanelVisibility::SchemaVisible() const {
    return miSchema_->isChecked();
}
bool TPanelVisibility::PatternsVisible() const {
    return miPatterns_->isChecked();
}
bool TPanelVisibility::HToolBarVisible() const {
    return miHToolBar_->isChecked();
}
bool TPanelVisibility::VToolBarVisible() const {
    return miVToolBar_->isChecked();
}
bool TPanelVisibility::ResultPanelVisible() const {
    return miResult_->isChecked();
}

} // namespace varnok
