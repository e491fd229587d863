#pragma once
// Tab placement codes on a QTabWidget: 0 top, 1 left, 2 bottom, 3 right.
#include <QTabWidget>

namespace varnok {

// Puts the tabs on the code's side; a code outside 0..3 changes nothing.
// (Qt draws side tabs with vertical captions itself; the order of the tabs is
// kept, so tab indexes stay valid for the windows that use them.)
void ApplyTabPlacement(QTabWidget* tabs, int code);

// The stored code of the side the tabs are on.
int TabPlacementCodeOf(const QTabWidget* tabs);

} // namespace varnok
