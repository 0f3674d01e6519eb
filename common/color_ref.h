#pragma once
// Colours as stored in records, settings files and project files: 0x00BBGGRR, red in the
// low byte. raster/pixel.h converts them to and from Bitmap pixels.

#include <cstdint>

namespace gd {

using ColorRef = uint32_t;  // 0x00BBGGRR

constexpr ColorRef MakeColorRef(uint8_t r, uint8_t g, uint8_t b) {
    return uint32_t(r) | (uint32_t(g) << 8) | (uint32_t(b) << 16);
}

}  // namespace gd
