#pragma once
// The font height of a result grid, as the settings file keeps it: negative,
// the character height in pixels (-11 at creation, -13 by default in the
// settings). Bigger makes the number more negative without a bound; Smaller
// stops at one pixel, since past zero the number would mean a cell height
// and the text would grow again.
namespace varnok {

inline constexpr int kGridFontHeightAtCreation = -11;
inline constexpr const char* kGridFontFamily = "Verdana";

int GridFontBigger(int height);
int GridFontSmaller(int height);
// The pixel size a height stands for (a zero or positive value, which only a
// hand-edited settings file holds, reads as its magnitude, at least one pixel).
int GridFontPixelSize(int height);

}  // namespace varnok
