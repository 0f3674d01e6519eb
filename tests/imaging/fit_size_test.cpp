// Fitting a picture into a box before it is encoded: the size and the pixels.

#include "imaging/fit_size.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "imaging/cx_image.h"
#include "tests/imaging/test_inputs.h"

namespace gd {
namespace {

bool operator==(const FittedSize& a, const FittedSize& b) { return a.width == b.width && a.height == b.height; }

TEST(FitSize, KeepsTheAspectAndNeverEnlarges) {
    // A 12-megapixel photo into full HD: the height limits.
    EXPECT_TRUE((FitIntoBox(4000, 3000, 1920, 1080) == FittedSize{1440, 1080}));
    // Portrait into the same box.
    EXPECT_TRUE((FitIntoBox(3000, 4000, 1920, 1080) == FittedSize{810, 1080}));
    // A wide panorama: the width limits.
    EXPECT_TRUE((FitIntoBox(8000, 2000, 1920, 1080) == FittedSize{1920, 480}));
    // Smaller than the box, on one side or both: unchanged.
    EXPECT_TRUE((FitIntoBox(1000, 700, 1920, 1080) == FittedSize{1000, 700}));
    EXPECT_TRUE((FitIntoBox(1920, 1080, 1920, 1080) == FittedSize{1920, 1080}));
    // No box, or one side only.
    EXPECT_TRUE((FitIntoBox(4000, 3000, 0, 0) == FittedSize{4000, 3000}));
    EXPECT_TRUE((FitIntoBox(4000, 3000, 0, 1500) == FittedSize{2000, 1500}));
    EXPECT_TRUE((FitIntoBox(4000, 3000, 1000, 0) == FittedSize{1000, 750}));
    // A thin line keeps at least one pixel.
    EXPECT_TRUE((FitIntoBox(10000, 2, 100, 100) == FittedSize{100, 1}));
    // Every result stays inside the box.
    for (int w = 1; w < 400; w += 7)
        for (int h = 1; h < 400; h += 11) {
            FittedSize f = FitIntoBox(w, h, 64, 48);
            EXPECT_LE(f.width, std::max(64, 1));
            EXPECT_LE(f.height, 48);
            EXPECT_LE(f.width, w);
            EXPECT_LE(f.height, h);
        }
}

TEST(FitSize, ShrinkingAveragesAndKeepsTheQuadrants) {
    CxImage image;
    ASSERT_TRUE(image.Load(testing::InputPath("png/rgb.png"))) << image.GetLastError();
    ASSERT_TRUE(image.ShrinkToFit(16, 16));
    ASSERT_EQ(image.GetWidth(), 16);
    ASSERT_EQ(image.GetHeight(), 12);
    EXPECT_EQ(image.GetBpp(), 24);
    // Each quadrant halves exactly: 2 x 2 blocks of one colour.
    EXPECT_EQ(image.GetPixelColor(2, 2), 0xFF0000u);
    EXPECT_EQ(image.GetPixelColor(13, 2), 0x00FF00u);
    EXPECT_EQ(image.GetPixelColor(2, 9), 0x0000FFu);
    EXPECT_EQ(image.GetPixelColor(13, 9), 0xFFFFFFu);
    // A palette picture becomes 24-bit when it shrinks, and stays as it was when it fits.
    CxImage palette;
    ASSERT_TRUE(palette.Load(testing::InputPath("png/palette.png"))) << palette.GetLastError();
    ASSERT_TRUE(palette.ShrinkToFit(100, 100));
    EXPECT_LE(palette.GetBpp(), 8);
    ASSERT_TRUE(palette.ShrinkToFit(8, 0));
    EXPECT_EQ(palette.GetWidth(), 8);
    EXPECT_EQ(palette.GetHeight(), 6);
    EXPECT_EQ(palette.GetBpp(), 24);
    EXPECT_EQ(palette.GetPixelColor(1, 1), 0xFF0000u);
}

}  // namespace
}  // namespace gd

namespace gd {
namespace {

TEST(FitSize, ReducedDecodingStillCoversTheFit) {
    // A 12-megapixel photo into full HD: 1440 x 1080; 3/8 gives 1500 x 1125, 2/8 too little.
    EXPECT_EQ(ReducedEighths(4000, 3000, 1920, 1080), 3);
    EXPECT_EQ(ReducedEighths(640, 480, 160, 120), 2);  // exactly a quarter
    EXPECT_EQ(ReducedEighths(640, 480, 320, 240), 4);  // exactly twice the box
    EXPECT_EQ(ReducedEighths(640, 480, 321, 0), 8);    // less than twice: decoded whole
    EXPECT_EQ(ReducedEighths(3000, 2000, 1920, 1080), 8);
    EXPECT_EQ(ReducedEighths(4000, 3000, 0, 0), 8);  // no box
    EXPECT_EQ(ReducedEighths(16000, 16000, 100, 100), 1);
    // Whatever the sizes, the reduced picture (each side rounded up) covers the fit.
    for (int w = 1; w < 900; w += 13)
        for (int h = 1; h < 900; h += 17) {
            const int m = ReducedEighths(w, h, 100, 70);
            const FittedSize fit = FitIntoBox(w, h, 100, 70);
            EXPECT_GE((w * m + 7) / 8, fit.width) << w << "x" << h;
            EXPECT_GE((h * m + 7) / 8, fit.height) << w << "x" << h;
            // ... and one eighth less would not: the reduction is the largest that does.
            if (m > 1 && m < 8)
                EXPECT_TRUE((w * (m - 1) + 7) / 8 < fit.width || (h * (m - 1) + 7) / 8 < fit.height) << w << "x" << h;
        }
}

}  // namespace
}  // namespace gd
