#include "effects/placement.h"

#include "common/random15.h"

namespace gd {
namespace {

// A random offset below `room`; no room, no choice (a stage no larger than the picture
// would otherwise divide by zero).
int RandomOffset(int room) { return room > 0 ? NextRandom() % room : 0; }

}  // namespace

Rect PlacePicture(int W, int H, int w0, int h0, bool auto_adjust, bool move) {
    const double rx = double(w0) / W, ry = double(h0) / H;
    bool fit;
    if (!auto_adjust) {
        fit = !(w0 < W && h0 < H);
    } else if (rx < 1 && ry < 1) {
        fit = !(rx < 0.7 || ry < 0.7);
    } else {
        double q = (double(H) * w0) / (double(W) * h0);
        if (q > 0.7 && q < 1.3) return {0, 0, W, H};
        fit = true;
    }
    int w = w0, h = h0;
    if (fit) {
        // The tiny allowance keeps a side that scales to exactly W or H from truncating to
        // one pixel less through rounding of s (a background line along the edge).
        double s = 1.0 / (rx > ry ? rx : ry);
        w = int(s * w0 + 1e-9);
        h = int(s * h0 + 1e-9);
    }
    int x, y;
    if (!move) {
        x = (W - w) / 2;
        y = (H - h) / 2;
    } else if (!fit) {
        x = RandomOffset(W - w);
        y = RandomOffset(H - h);
    } else {
        x = w == W ? 0 : RandomOffset(W - w);
        y = h == H ? 0 : RandomOffset(H - h);
    }
    return {x, y, x + w, y + h};
}

}  // namespace gd
