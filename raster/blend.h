#pragma once
// Blending two surfaces into a third, for the cross-fade: each channel of the result is
// (a x (256 - weight) + b x weight + 128) / 256, so weight 0 gives `a`, 256 gives `b`,
// and 128 the mean of both rounded up, exact to the last bit on every channel.

#include "raster/bitmap.h"

namespace gd {

constexpr int kBlendWhole = 256;  // the weight that gives all of `b`

// One pixel blended; the reference the row worker is checked against.
constexpr Pixel BlendPixel(Pixel a, Pixel b, int weight) {
    const uint32_t wa = uint32_t(kBlendWhole - weight), wb = uint32_t(weight);
    const uint32_t rb = (((a & 0xFF00FFu) * wa + (b & 0xFF00FFu) * wb + 0x800080u) >> 8) & 0xFF00FFu;
    const uint32_t g = (((a & 0x00FF00u) * wa + (b & 0x00FF00u) * wb + 0x008000u) >> 8) & 0x00FF00u;
    return rb | g;
}

// One row of n pixels: out[i] = blend of a[i] and b[i]; `out` may be `a` or `b`.
void BlendPixelRow(Pixel* out, const Pixel* a, const Pixel* b, int n, int weight);

// out = blend of `a` and `b` over the rectangle all three share (their common size),
// weight clamped to 0..256. `out` may be `a` or `b` itself.
void BlendSurfaces(Bitmap& out, const Bitmap& a, const Bitmap& b, int weight);

}  // namespace gd
