#include "maker/ui/picture_fit.h"

#include <cstdint>

namespace gd {

Rect FitPictureInBox(int width, int height, int box_width, int box_height) {
    if (width <= 0 || height <= 0 || box_width <= 0 || box_height <= 0) return {};
    int w = width;
    int h = height;
    // Scale by the side that overflows most, in integer arithmetic; a side that the
    // scaling rounds to nothing keeps one pixel.
    if (int64_t(w) * box_height > int64_t(h) * box_width) {
        if (w > box_width) {
            h = int(int64_t(h) * box_width / w);
            w = box_width;
        }
    } else if (h > box_height) {
        w = int(int64_t(w) * box_height / h);
        h = box_height;
    }
    w = w < 1 ? 1 : w;
    h = h < 1 ? 1 : h;
    return Rect::FromSize((box_width - w) / 2, (box_height - h) / 2, w, h);
}

}  // namespace gd
