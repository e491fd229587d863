#include "results/GridFontHeight.h"

namespace varnok {

int GridFontBigger(int height) { return height - 1; }

int GridFontSmaller(int height) { return height < -1 ? height + 1 : height; }

int GridFontPixelSize(int height) {
    const int size = height < 0 ? -height : height;
    return size < 1 ? 1 : size;
}

}  // namespace varnok
