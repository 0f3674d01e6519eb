#include "raster/blend.h"

#include <algorithm>

namespace gd {
namespace {

// Byte by byte: each product fits 16 bits (255 x 256 + 128 < 65536), so the compiler
// widens the loop to 16-bit vector lanes (eight channels, two pixels, a multiply). The
// unused fourth byte is blended too: both surfaces keep it 0.
void BlendRow(Pixel* out, const Pixel* a, const Pixel* b, int n, uint32_t wb) {
    const uint16_t wa16 = uint16_t(kBlendWhole - wb), wb16 = uint16_t(wb);
    auto* o = reinterpret_cast<uint8_t*>(out);
    const auto* pa = reinterpret_cast<const uint8_t*>(a);
    const auto* pb = reinterpret_cast<const uint8_t*>(b);
    const int bytes = n * 4;
    for (int i = 0; i < bytes; ++i) o[i] = uint8_t(uint16_t(pa[i] * wa16 + pb[i] * wb16 + 128) >> 8);
}

}  // namespace

void BlendPixelRow(Pixel* out, const Pixel* a, const Pixel* b, int n, int weight) {
    BlendRow(out, a, b, n, uint32_t(std::clamp(weight, 0, kBlendWhole)));
}

void BlendSurfaces(Bitmap& out, const Bitmap& a, const Bitmap& b, int weight) {
    const int w = std::min({out.width(), a.width(), b.width()});
    const int h = std::min({out.height(), a.height(), b.height()});
    if (w <= 0 || h <= 0) return;
    const uint32_t wb = uint32_t(std::clamp(weight, 0, kBlendWhole));
    for (int y = 0; y < h; ++y) BlendRow(out.row(y), a.row(y), b.row(y), w, wb);
}

}  // namespace gd
