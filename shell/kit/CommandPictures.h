#pragma once
// The two picture sets of the commands: small pictures of 20 x 20 and large
// ones of 32 x 32 pixels, in the same order (a command's picture index
// addresses both). Each picture comes from the desktop's icon theme under a
// standard name; where no standard name fits, or the theme cannot give it,
// a small picture of our own drawing stands in.
#include <QIcon>
#include <QString>

namespace varnok {

inline constexpr int kSmallPictureSize = 20;
inline constexpr int kLargePictureSize = 32;

// Number of pictures in each set (indexes 0 .. count-1).
int CommandPictureCount();

// The picture with both sizes; a null icon for -1 ("none") or an index out of range.
QIcon CommandPicture(int index);

// A picture outside the command sets: the theme's icon themeName when it can
// be drawn, else our own drawing of glyph, in both sizes.
QIcon ThemedPicture(const QString& themeName, const QString& glyph);

// The icon-theme name tried first for an index; empty when only our own drawing fits.
QString CommandPictureThemeName(int index);

// Picks an installed icon theme when the desktop named none (plain X sessions,
// the offscreen platform), so that QIcon::fromTheme finds the standard names.
void EnsureIconTheme();

} // namespace varnok
