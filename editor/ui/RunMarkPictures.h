#pragma once
// The pictures of the run marks on the editor page tabs.
#include "editor/ui/FmEditor.h"

#include <QIcon>

namespace varnok {

// None: a null icon (no picture); running and finished: two distinct pictures.
QIcon RunMarkPicture(TRunMark mark);

} // namespace varnok
