#include "raster/blit.h"

#include <gtest/gtest.h>

#include <string>

#include "common/random15.h"

namespace gd {
namespace {

Pixel Pattern(int x, int y, Pixel salt) { return (Pixel(y & 0xFFF) << 12 | Pixel(x & 0xFFF)) ^ salt; }

Bitmap Patterned(int w, int h, Pixel salt) {
    Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.set_pixel(x, y, Pattern(x, y, salt));
    return b;
}

// Spans of every width from one pixel up, several per row: the clips of ring and strip
// effects.
Region Comb(int w, int h) {
    Region r;
    for (int y = 0; y < h; ++y) {
        int x = int(NextRandom() % 4);
        while (x < w) {
            const int n = 1 + int(NextRandom() % 20);
            r = r.Union(Region::FromRect({x, y, x + n, y + 1}));
            x += n + 1 + int(NextRandom() % 6);
        }
    }
    return r;
}

// CopyPixels through a clip against a pixel-by-pixel copy, between two bitmaps and
// between two views of the same memory, where the copy must read each source pixel
// before it is written over.
TEST(CopyPixels, MatchesAPixelByPixelCopyForSpansOfEveryWidth) {
    SeedRandom(3);
    const int w = 70, h = 24;
    for (int round = 0; round < 30; ++round) {
        const Region clip = Comb(w, h);
        const int dx = int(NextRandom() % 9) - 4, dy = int(NextRandom() % 5) - 2;
        const Rect src_rect = Rect::FromSize(int(NextRandom() % 6), int(NextRandom() % 4), w - 3, h - 2);
        const std::string what = "round " + std::to_string(round);

        const Bitmap src = Patterned(w, h, 0x00A00000);
        Bitmap dst = Patterned(w, h, 0x00500000), want = dst;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const int sx = x - dx, sy = y - dy;
                if (clip.contains(x, y) && src_rect.contains(sx, sy) && src.rect().contains(sx, sy))
                    want.set_pixel(x, y, src.pixel(sx, sy));
            }
        CopyPixels(dst, dx + src_rect.left, dy + src_rect.top, src, src_rect, &clip);
        ASSERT_TRUE(dst == want) << what;

        // The same memory: a window shifted by a pixel over its own rows.
        std::vector<Pixel> memory(size_t(w + 1) * h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x <= w; ++x) memory[size_t(y) * (w + 1) + x] = Pattern(x, y, 0);
        Bitmap from = Bitmap::View(memory.data(), w, h, w + 1), to = Bitmap::View(memory.data() + 1, w, h, w + 1);
        Bitmap before(w, h), expected(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) before.set_pixel(x, y, from.pixel(x, y));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) expected.set_pixel(x, y, to.pixel(x, y));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (clip.contains(x, y)) expected.set_pixel(x, y, before.pixel(x, y));
        CopyPixels(to, 0, 0, from, from.rect(), &clip);
        Bitmap got(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) got.set_pixel(x, y, to.pixel(x, y));
        ASSERT_TRUE(got == expected) << what << " (overlapping views)";
    }
}

}  // namespace
}  // namespace gd
