#include <gtest/gtest.h>

#include "maker/ui/picture_fit.h"

namespace gd {
namespace {

TEST(FitPictureInBox, SmallPicturesKeepTheirSizeCentred) {
    EXPECT_EQ(FitPictureInBox(40, 30, 120, 90), Rect::FromSize(40, 30, 40, 30));
    EXPECT_EQ(FitPictureInBox(120, 90, 120, 90), Rect::FromSize(0, 0, 120, 90));
}

TEST(FitPictureInBox, LargePicturesShrinkByTheSideThatOverflowsMost) {
    EXPECT_EQ(FitPictureInBox(640, 480, 120, 90), Rect::FromSize(0, 0, 120, 90));
    EXPECT_EQ(FitPictureInBox(300, 600, 120, 90), Rect::FromSize(37, 0, 45, 90));  // tall
    EXPECT_EQ(FitPictureInBox(1200, 300, 120, 90), Rect::FromSize(0, 30, 120, 30));  // wide
    // Wider than high, narrower than the box, but taller: fitted to the height, so
    // nothing is cut at the top and bottom.
    EXPECT_EQ(FitPictureInBox(100, 99, 120, 90), Rect::FromSize(15, 0, 90, 90));
}

TEST(FitPictureInBox, ExtremeShapesKeepAPixelAndEmptyInputsDrawNothing) {
    EXPECT_EQ(FitPictureInBox(100000, 1, 120, 90), Rect::FromSize(0, 44, 120, 1));
    EXPECT_TRUE(FitPictureInBox(0, 10, 120, 90).is_empty());
    EXPECT_TRUE(FitPictureInBox(10, 10, 0, 90).is_empty());
}

}  // namespace
}  // namespace gd
