#include "effects/placement.h"

#include <gtest/gtest.h>

#include "common/random15.h"

namespace gd {
namespace {

constexpr bool kAdjust = true, kNoAdjust = false, kMove = true, kStill = false;

TEST(PlacePicture, ScreenSizedPictureIsStretchedWhateverTheMoveFlag) {
    EXPECT_EQ(PlacePicture(1024, 768, 1024, 768, kAdjust, kMove), (Rect{0, 0, 1024, 768}));
    // 1100 x 900: q = 768 x 1100 / (1024 x 900) = 0.9166, inside (0.7, 1.3).
    EXPECT_EQ(PlacePicture(1024, 768, 1100, 900, kAdjust, kStill), (Rect{0, 0, 1024, 768}));
}

TEST(PlacePicture, SmallerPictureKeepsItsSizeOrIsEnlarged) {
    // 800 x 600 without adjustment: native size, centred.
    EXPECT_EQ(PlacePicture(1024, 768, 800, 600, kNoAdjust, kStill), (Rect{112, 84, 912, 684}));
    // With adjustment rx = ry = 0.78125 >= 0.7: fitted to the whole screen.
    EXPECT_EQ(PlacePicture(1024, 768, 800, 600, kAdjust, kStill), (Rect{0, 0, 1024, 768}));
    // 600 x 400: rx = 0.586 < 0.7 keeps the native size.
    EXPECT_EQ(PlacePicture(1024, 768, 600, 400, kAdjust, kStill), (Rect{212, 184, 812, 584}));
}

TEST(PlacePicture, ThresholdsAreExclusiveForStretchAndInclusiveForEnlarging) {
    // rx = ry = 0.7 exactly: fitted (enlarged).
    EXPECT_EQ(PlacePicture(1000, 100, 700, 70, kAdjust, kStill), (Rect{0, 0, 1000, 100}));
    // rx just below 0.7: native.
    EXPECT_EQ(PlacePicture(1000, 100, 699, 70, kAdjust, kStill), (Rect{150, 15, 849, 85}));
    // q exactly 1.3 (1300 x 1000 on 1000 x 1000): fitted, not stretched.
    EXPECT_EQ(PlacePicture(1000, 1000, 1300, 1000, kAdjust, kStill).width(), 1000);
    EXPECT_EQ(PlacePicture(1000, 1000, 1300, 1000, kAdjust, kStill).height(), 769);
    // q exactly 0.7 (700 x 1000 on 1000 x 1000 is smaller in x only): also fitted.
    EXPECT_EQ(PlacePicture(1000, 1000, 1400, 2000, kAdjust, kStill), (Rect{150, 0, 850, 1000}));
    // Without adjustment a picture as wide as the screen is fitted, not kept.
    EXPECT_EQ(PlacePicture(100, 100, 100, 50, kNoAdjust, kStill), (Rect{0, 25, 100, 75}));
}

TEST(PlacePicture, WidePictureIsFittedAndMovesOnlyAlongItsFreeAxis) {
    EXPECT_EQ(PlacePicture(1024, 768, 2000, 500, kAdjust, kStill), (Rect{0, 256, 1024, 512}));
    SeedRandom(5);
    int expected_y = NextRandom() % 512;  // x fills the width: only y is drawn
    SeedRandom(5);
    EXPECT_EQ(PlacePicture(1024, 768, 2000, 500, kAdjust, kMove), (Rect{0, expected_y, 1024, expected_y + 256}));
}

TEST(PlacePicture, NativeMoveDrawsXThenY) {
    SeedRandom(99);
    int x = NextRandom() % (1024 - 600);
    int y = NextRandom() % (768 - 400);
    SeedRandom(99);
    EXPECT_EQ(PlacePicture(1024, 768, 600, 400, kAdjust, kMove), (Rect{x, y, x + 600, y + 400}));
}

// Regression: 1 / rx rounded down made 1122 x 300 fit to 1023 wide, leaving a background
// column at the right edge.
TEST(PlacePicture, FittedSideFillsTheScreenExactly) {
    EXPECT_EQ(PlacePicture(1024, 768, 1122, 300, kAdjust, kStill), (Rect{0, 247, 1024, 520}));
}

TEST(PlacePicture, EmptyPictureAndEmptyStageDoNotDivideByZero) {
    SeedRandom(1);
    Rect r = PlacePicture(64, 48, 0, 0, kAdjust, kMove);
    EXPECT_TRUE(r.is_empty());
    EXPECT_TRUE(Rect({0, 0, 64, 48}).contains(r.left, r.top));
    EXPECT_EQ(PlacePicture(0, 0, 10, 10, kAdjust, kMove), (Rect{0, 0, 0, 0}));
}

}  // namespace
}  // namespace gd
