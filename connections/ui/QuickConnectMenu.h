#pragma once
// The quick-connect button's drop-down menu, rebuilt every time it opens:
// one item per saved connection in registry order, captioned with its Name,
// with its picture (Ico) when it has one; choosing an item hands its
// position to connectSaved.
#include <QPixmap>
#include <cstddef>
#include <functional>
#include <vector>

#include "connections/ConnectionRegistry.h"

class QMenu;

namespace varnok {

void RebuildQuickConnectMenu(QMenu& menu, const TConnectionRegistry& registry, const std::vector<QPixmap>& pictures,
                             std::function<void(std::size_t index)> connectSaved);

}  // namespace varnok
