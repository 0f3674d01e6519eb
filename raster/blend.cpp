#include "raster/blend.h"

#include <algorithm>

namespace gd {
namespace {

// Two channels per 32-bit lane (red and blue, then green): 255 x 256 still fits a
// channel's 16 bits, so one multiply serves two channels and the compiler can widen the
// loop to vector registers.
void BlendRow(Pixel* out, const Pixel* a, const Pixel* b, int n, uint32_t wb) {
    const uint32_t wa = kBlendWhole - wb;
    for (int x = 0; x < n; ++x) {
        const uint32_t pa = a[x], pb = b[x];
        const uint32_t rb = (((pa & 0xFF00FFu) * wa + (pb & 0xFF00FFu) * wb + 0x800080u) >> 8) & 0xFF00FFu;
        const uint32_t g = (((pa & 0x00FF00u) * wa + (pb & 0x00FF00u) * wb + 0x008000u) >> 8) & 0x00FF00u;
        out[x] = rb | g;
    }
}

}  // namespace

void BlendSurfaces(Bitmap& out, const Bitmap& a, const Bitmap& b, int weight) {
    const int w = std::min({out.width(), a.width(), b.width()});
    const int h = std::min({out.height(), a.height(), b.height()});
    if (w <= 0 || h <= 0) return;
    const uint32_t wb = uint32_t(std::clamp(weight, 0, kBlendWhole));
    for (int y = 0; y < h; ++y) BlendRow(out.row(y), a.row(y), b.row(y), w, wb);
}

}  // namespace gd
