#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "raster/blend.h"
#include "raster/resample.h"

namespace gd {
namespace {

int Channel(Pixel p, int c) { return int((p >> (8 * c)) & 0xFF); }
constexpr Pixel kSentinelPixel = 0x00FF00FF;

TEST(Blend, EndsAreExactAndTheMiddleIsTheMeanOnEveryChannel) {
    for (Pixel a : {0x000000u, 0xFFFFFFu, 0x123456u, 0xFE01A7u})
        for (Pixel b : {0x000000u, 0xFFFFFFu, 0x80FF00u, 0x0102FFu}) {
            EXPECT_EQ(BlendPixel(a, b, 0), a);
            EXPECT_EQ(BlendPixel(a, b, kBlendWhole), b);
            const Pixel mid = BlendPixel(a, b, kBlendWhole / 2);
            for (int c = 0; c < 3; ++c)
                EXPECT_EQ(Channel(mid, c), (Channel(a, c) + Channel(b, c) + 1) / 2) << std::hex << a << " " << b;
        }
}

TEST(Blend, SurfacesMatchThePixelRuleAndMayBlendInPlace) {
    Bitmap a(13, 5), b(13, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 13; ++x) {
            a.set_pixel(x, y, Pixel(std::rand()) & 0xFFFFFF);
            b.set_pixel(x, y, Pixel(std::rand()) & 0xFFFFFF);
        }
    for (int weight : {0, 1, 77, 128, 255, 256}) {
        Bitmap out = a;
        BlendSurfaces(out, out, b, weight);  // in place, as the stage does with the window
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 13; ++x) ASSERT_EQ(out.pixel(x, y), BlendPixel(a.pixel(x, y), b.pixel(x, y), weight));
    }
}

Bitmap Checkerboard(int w, int h, Pixel a, Pixel b) {
    Bitmap bitmap(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) bitmap.set_pixel(x, y, (x + y) % 2 ? b : a);
    return bitmap;
}

Bitmap Shrunk(const Bitmap& src, int w, int h) {
    Bitmap out(w, h, 0x00FF00FF);
    ResampleInto(out, out.rect(), RowsOf(src), out.rect());
    return out;
}

TEST(Resample, ShrinkingByWholeFactorsGivesTheExactAverageOfEachBlock) {
    // Blocks of known values: each 2 x 2 (4 x 4) block must become its mean, rounded.
    Bitmap src(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) src.set_pixel(x, y, MakePixel(uint8_t(x * 30 + y), uint8_t(255 - y * 31), uint8_t((x * y * 7) & 0xFF)));
    for (int factor : {2, 4, 8}) {
        Bitmap out = Shrunk(src, 8 / factor, 8 / factor);
        for (int by = 0; by < 8 / factor; ++by)
            for (int bx = 0; bx < 8 / factor; ++bx)
                for (int c = 0; c < 3; ++c) {
                    int sum = 0;
                    for (int y = 0; y < factor; ++y)
                        for (int x = 0; x < factor; ++x) sum += Channel(src.pixel(bx * factor + x, by * factor + y), c);
                    const int n = factor * factor;
                    EXPECT_EQ(Channel(out.pixel(bx, by), c), (sum + n / 2) / n) << factor << " " << bx << "," << by;
                }
    }
}

TEST(Resample, AFinePatternShrunkByAnyFactorIsItsMeanNotAMoire) {
    const Bitmap board = Checkerboard(97, 61, 0x000000, 0xFFFFFF);
    for (auto [w, h] : {std::pair{40, 25}, {33, 20}, {64, 40}, {13, 9}}) {
        Bitmap out = Shrunk(board, w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                for (int c = 0; c < 3; ++c) {
                    const int v = Channel(out.pixel(x, y), c);
                    // Any area of a checkerboard is half black, half white, give or
                    // take part of one pixel: at these factors a third of the range.
                    EXPECT_NEAR(v, 128, 128 / 3 + 1) << w << "x" << h << " at " << x << "," << y;
                }
    }
    // Without filtering (the old rule keeps one source pixel each) the same shrink shows
    // pure black and white: that is the pattern smooth scaling removes.
}

TEST(Resample, EnlargingInterpolatesBetweenNeighboursAndKeepsTheEnds) {
    Bitmap src(2, 1);
    src.set_pixel(0, 0, 0x000000);
    src.set_pixel(1, 0, 0x0000C8);  // blue 200
    Bitmap out(8, 1);
    ResampleInto(out, out.rect(), RowsOf(src), out.rect());
    // Centres of the destination pixels at source x = -0.375, -0.125, ..., 1.375: those
    // beyond the outer centres hold the edge colours, between them blue climbs 50 a pixel.
    const int expect[8] = {0, 0, 25, 75, 125, 175, 200, 200};
    for (int x = 0; x < 8; ++x) EXPECT_EQ(Channel(out.pixel(x, 0), 0), expect[x]) << x;
}

TEST(Resample, TheOwnSizeCopiesAndOnlyTheClippedPartIsDrawn) {
    const Bitmap board = Checkerboard(9, 7, 0x102030, 0xA0B0C0);
    Bitmap out(9, 7, 0x00FF00FF);
    ResampleInto(out, out.rect(), RowsOf(board), out.rect());
    EXPECT_TRUE(out == board);

    Bitmap part(20, 20, 0x00FF00FF);
    ResampleInto(part, Rect{-5, -5, 15, 15}, RowsOf(board), Rect{0, 0, 10, 10});
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            if (x >= 10 || y >= 10) ASSERT_EQ(part.pixel(x, y), 0x00FF00FFu) << x << "," << y;
}

// The quick bilinear draw against the rule written out pixel by pixel: rows blended
// first, then the two columns, each with its 8-bit weight.
TEST(Resample, TheQuickBilinearDrawFollowsItsRuleForEveryPixel) {
    Bitmap src(37, 23);
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 37; ++x) src.set_pixel(x, y, Pixel(std::rand()) & 0xFFFFFF);
    auto locate = [](double start, double scale, int d, int length, int& k, int& w) {
        const double c = start + (d + 0.5) * scale - 0.5;
        k = int(std::clamp(std::floor(c), 0.0, double(length - 2)));
        w = int(std::lround(std::clamp(c - k, 0.0, 1.0) * 256));
    };
    BilinearScratch scratch;
    for (const SourceWindow& window : {SourceWindow{0, 0, 37, 23}, SourceWindow{3.25, 1.5, 30.5, 19.75},
                                       SourceWindow{0, 4.4, 31, 12}, SourceWindow{5, 0.5, 17, 11}}) {
        const Rect dst{2, 1, 33, 21};
        Bitmap out(36, 24, kSentinelPixel);
        DrawBilinear(out, dst, src, window, scratch);
        const double sx = window.width / dst.width(), sy = window.height / dst.height();
        for (int y = dst.top; y < dst.bottom; ++y)
            for (int x = dst.left; x < dst.right; ++x) {
                int kx, wx, ky, wy;
                locate(window.x, sx, x - dst.left, 37, kx, wx);
                locate(window.y, sy, y - dst.top, 23, ky, wy);
                const Pixel l = BlendPixel(src.pixel(kx, ky), src.pixel(kx, ky + 1), wy);
                const Pixel r = BlendPixel(src.pixel(kx + 1, ky), src.pixel(kx + 1, ky + 1), wy);
                ASSERT_EQ(out.pixel(x, y), BlendPixel(l, r, wx)) << window.x << " at " << x << "," << y;
            }
        EXPECT_EQ(out.pixel(0, 0), kSentinelPixel) << "nothing outside the destination";
    }
}

TEST(Resample, EveryFilterSumsToOneWithTapsInsideTheSource) {
    for (int src = 1; src < 40; src += 3)
        for (int dst = 1; dst < 60; dst += 7) {
            AxisFilter f = MakeAxisFilter(0, src, src, dst, 0, dst);
            ASSERT_EQ(f.first.size(), size_t(dst));
            for (size_t i = 0; i < f.first.size(); ++i) {
                int32_t sum = 0;
                for (int k = 0; k < f.count[i]; ++k) sum += f.weights[i * size_t(f.taps) + size_t(k)];
                EXPECT_EQ(sum, AxisFilter::kWeightOne);
                EXPECT_GE(f.first[i], 0);
                EXPECT_LE(f.first[i] + f.count[i], src);
                EXPECT_LE(f.first[i] + f.taps, src) << "the zero taps after them too";
            }
        }
}

}  // namespace
}  // namespace gd
