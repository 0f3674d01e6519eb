#pragma once
// Limits on decoded pictures. A file that announces more is refused before any pixel
// memory is taken, so hostile headers cannot make the decoders allocate without bound.
//   - at most 32767 pixels a side;
//   - at most 1 GiB of stored pixel rows (24 bits per pixel counted as 4 bytes, the
//     size of the widest buffer a decoder keeps while working).

#include <cstdint>

#include "imaging/status.h"

namespace gd {

constexpr int kMaxImageSide = 32767;
constexpr uint64_t kMaxImageBytes = uint64_t(1) << 30;

// Accepts width x height at `bpp` bits when both are positive and within the limits.
Status CheckImageSize(int64_t width, int64_t height, int bpp = 24);

// Accepts a decode that holds `bytes_per_pixel` bytes a pixel at its peak (every buffer
// it keeps at once, a library's own included) when that stays within kMaxImageBytes.
Status CheckWorkingMemory(int64_t width, int64_t height, int bytes_per_pixel);

}  // namespace gd
