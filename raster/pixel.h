#pragma once
// Pixel values. A Bitmap pixel is 0x00RRGGBB (stored B, G, R, X in memory, the layout of
// a 32-bit DIB). Colours in records and settings are 0x00BBGGRR (red in the low byte);
// the two conversions below are the only place where one becomes the other.

#include <cstdint>

#include "common/color_ref.h"

namespace gd {

using Pixel = uint32_t;    // 0x00RRGGBB

constexpr Pixel PixelFromColorRef(ColorRef c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
constexpr ColorRef ColorRefFromPixel(Pixel p) {
    return ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16);
}
constexpr Pixel MakePixel(uint8_t r, uint8_t g, uint8_t b) { return (uint32_t(r) << 16) | (uint32_t(g) << 8) | b; }
constexpr uint8_t PixelRed(Pixel p) { return uint8_t(p >> 16); }
constexpr uint8_t PixelGreen(Pixel p) { return uint8_t(p >> 8); }
constexpr uint8_t PixelBlue(Pixel p) { return uint8_t(p); }

}  // namespace gd
