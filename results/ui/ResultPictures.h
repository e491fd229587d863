#pragma once
// The pictures of a result view's toolbar, indexes 0..20 (see the command
// table); 19 is the Filter button while no filter is on, 20 while one is.
#include <QIcon>

namespace varnok {

QIcon ResultPicture(int index);

}  // namespace varnok
