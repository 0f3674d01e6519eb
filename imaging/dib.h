#pragma once
// The device-independent picture the facade keeps: 1, 4, 8 or 24 bits per pixel, a
// palette of 2, 16 or 256 entries (none at 24 bits), rows stored bottom-up and padded
// to a multiple of 4 bytes, 24-bit pixels in blue, green, red order. A picture whose
// format has an alpha channel keeps its straight (not premultiplied) colours and, beside
// them, one opacity per pixel; the maker lays it over the show's background colour
// (FlattenAlpha), drawing blends it over what is there.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "imaging/status.h"

namespace gd {

struct RgbQuad {
    uint8_t blue = 0;
    uint8_t green = 0;
    uint8_t red = 0;
    uint8_t reserved = 0;
    friend bool operator==(const RgbQuad&, const RgbQuad&) = default;
};

constexpr RgbQuad MakeQuad(uint8_t r, uint8_t g, uint8_t b) { return {b, g, r, 0}; }

// Bytes in one stored row: ((width x bits + 31) / 32) x 4.
constexpr size_t DibRowSize(int width, int bpp) {
    return ((size_t(width) * size_t(bpp) + 31) / 32) * 4;
}

// Bits rounded up to a stored depth: 1 for 0..1, 4 for 2..4, 8 for 5..8, 24 above.
constexpr int RoundDibBits(int bits) { return bits <= 1 ? 1 : bits <= 4 ? 4 : bits <= 8 ? 8 : 24; }

// The palette size that goes with a stored depth.
constexpr int DibPaletteSize(int bpp) { return bpp == 1 ? 2 : bpp == 4 ? 16 : bpp == 8 ? 256 : 0; }

struct Dib {
    int width = 0;
    int height = 0;
    int bpp = 0;
    std::vector<RgbQuad> palette;
    std::vector<uint8_t> bits;  // bottom-up rows of row_size() bytes
    int transparent = -1;       // palette index drawn as transparent, -1 = none
    std::vector<uint8_t> alpha; // one opacity per pixel, rows top-down, 255 opaque; empty: opaque
    // The ICC profile the picture's file embeds, as an adapter found it (empty: none); the
    // facade converts the colours by it and lets it go (imaging/icc_profile.h).
    std::vector<uint8_t> colour_profile;

    bool valid() const { return width > 0 && height > 0 && bpp > 0 && !bits.empty(); }
    size_t row_size() const { return DibRowSize(width, bpp); }
    // Row y counted from the top of the picture.
    uint8_t* top_row(int y) { return bits.data() + size_t(height - 1 - y) * row_size(); }
    const uint8_t* top_row(int y) const { return bits.data() + size_t(height - 1 - y) * row_size(); }
    // The palette index of a pixel in a palette picture (callers keep x, y inside).
    int index_at(int x, int y) const;
    void set_index(int x, int y, int index);
};

// Allocates a zeroed picture within the size limits (imaging/limits.h); the depth is
// rounded as by RoundDibBits and the palette zeroed. The picture's pixel storage is reused
// when it is large enough; when memory is short the picture is left empty.
Status AllocateDib(Dib& dib, int width, int height, int bits);

// A palette picture from one index byte per pixel, rows top-down; the depth is the
// smallest of 1, 4, 8 that holds the palette. Indices beyond the palette are kept;
// drawing treats a missing palette entry as black.
Status DibFromIndices(Dib& dib, int width, int height, std::span<const uint8_t> indices,
                      std::span<const RgbQuad> palette);

// Fails when a pixel of a palette picture uses an index at or beyond `colours`, the
// number of colours its file defined: such a file is damaged.
Status CheckPaletteIndices(const Dib& dib, size_t colours, const char* format);

// A colour channel `c` with opacity `a` laid over `under`, rounded.
constexpr uint8_t BlendChannel(int c, int under, int a) { return uint8_t((c * a + under * (255 - a) + 127) / 255); }

// Drops an alpha plane that makes nothing see-through. With `zero_is_unused`, a plane that
// is 0 everywhere is dropped too: formats whose fourth byte is often left unset (32-bit
// BMP and TGA) mean an opaque picture by it.
void DropUnusedAlpha(Dib& dib, bool zero_is_unused);

// Lays a picture with an alpha plane over a solid colour; a palette picture becomes 24-bit
// first. Afterwards the picture has no alpha plane. A picture without one is unchanged.
Status FlattenAlpha(Dib& dib, RgbQuad background);

// True when the palette is a grey ramp: entry i is grey level i x 255 / (n - 1).
bool IsGreyRamp(std::span<const RgbQuad> palette);
std::vector<RgbQuad> GreyRamp(int entries);

}  // namespace gd
