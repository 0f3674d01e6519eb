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

// Refuses a picture that `file_bytes` of data cannot fill when the format's coding gives
// at most `pixels_per_byte` pixels for each byte: such a file ends far short of its
// picture, and decoding it would only take and paint memory its data never reaches.
Status CheckDataCanFill(int64_t width, int64_t height, uint64_t file_bytes, uint64_t pixels_per_byte,
                        const char* format);

// JPEG: every 8x8 block of every component takes at least one bit, its first DC code;
// with sampling factors up to 4 that is at least a bit for each 256 pixels.
constexpr uint64_t kJpegMostPixelsPerByte = 8 * 256;
// GIF: an LZW code (3 to 12 bits) stands for at most 4096 pixels. The screen, even where
// no image covers it, is held to what the file could fill.
constexpr uint64_t kGifMostPixelsPerByte = 4096;
// An animated WebP's canvas: a lossless frame of one colour packs tens of thousands of
// pixels into a byte, so the bound is looser than GIF's; a real animation of any screen
// size is far above it.
constexpr uint64_t kWebpAnimationMostPixelsPerByte = 65536;

}  // namespace gd
