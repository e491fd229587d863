#pragma once
// The picture list of the connection manager: 32 x 32 pictures a saved
// connection can carry (its Ico). Each comes from the desktop's icon theme
// under a standard name; where the theme cannot give it, a small database
// drum of our own drawing, in a colour of its own, stands in.
#include <QPixmap>
#include <vector>

namespace varnok {

inline constexpr int kConnectionPictureSize = 32;

std::vector<QPixmap> MakeConnectionPictures();

}  // namespace varnok
