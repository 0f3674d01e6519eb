#pragma once
// The test card of the sample pictures (tests/imaging/make_inputs.sh): 32x24, red, green /
// blue, white quadrants of 16x12 each, probed at the quadrants' centres.

#include <gtest/gtest.h>

#include "imaging/cx_image.h"

namespace gd::testing {

struct CardProbe {
    int x, y;
    Pixel colour;
};
inline constexpr CardProbe kCard[] = {{4, 3, 0xFF0000}, {27, 3, 0x00FF00}, {4, 20, 0x0000FF}, {27, 20, 0xFFFFFF}};

inline void ExpectNear(Pixel actual, Pixel expected, int tolerance, const char* where) {
    EXPECT_NEAR(PixelRed(actual), PixelRed(expected), tolerance) << where;
    EXPECT_NEAR(PixelGreen(actual), PixelGreen(expected), tolerance) << where;
    EXPECT_NEAR(PixelBlue(actual), PixelBlue(expected), tolerance) << where;
}

// The picture is the upright card, each quadrant's centre within `tolerance` a channel.
inline void ExpectCard(const CxImage& image, int tolerance) {
    ASSERT_TRUE(image.IsValid());
    ASSERT_EQ(image.GetWidth(), 32);
    ASSERT_EQ(image.GetHeight(), 24);
    for (const CardProbe& p : kCard) ExpectNear(image.GetPixelColor(p.x, p.y), p.colour, tolerance, "card quadrant");
}

}  // namespace gd::testing
