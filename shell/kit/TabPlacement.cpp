#include "shell/kit/TabPlacement.h"

#include "shell/IniConventions.h"

namespace varnok {

void ApplyTabPlacement(QTabWidget* tabs, int code) {
    const auto placement = TabPlacementForCode(code);
    if (!tabs || !placement) return;
    switch (placement->side) {
    case TTabSide::Top:
        tabs->setTabPosition(QTabWidget::North);
        break;
    case TTabSide::Left:
        tabs->setTabPosition(QTabWidget::West);
        break;
    case TTabSide::Bottom:
        tabs->setTabPosition(QTabWidget::South);
        break;
    case TTabSide::Right:
        tabs->setTabPosition(QTabWidget::East);
        break;
    }
}

int TabPlacementCodeOf(const QTabWidget* tabs) {
    switch (tabs->tabPosition()) {
    case QTabWidget::West:
        return TabPlacementCode(TTabSide::Left);
    case QTabWidget::South:
        return TabPlacementCode(TTabSide::Bottom);
    case QTabWidget::East:
        return TabPlacementCode(TTabSide::Right);
    case QTabWidget::North:
        break;
    }
    return TabPlacementCode(TTabSide::Top);
}

} // namespace varnok
