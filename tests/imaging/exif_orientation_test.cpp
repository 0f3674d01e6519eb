#include <gtest/gtest.h>

#include "imaging/cx_image.h"
#include "imaging/exif_orientation.h"
#include "tests/imaging/jpeg_segments.h"
#include "tests/imaging/test_inputs.h"

namespace gd {
namespace {

using gd::testing::WithOrientation;

TEST(ExifOrientation, ReadsBothByteOrders) {
    std::vector<uint8_t> card = testing::ReadInput("jpeg/card.jpg");
    ASSERT_FALSE(card.empty());
    EXPECT_EQ(ReadExifOrientation(card), 1);
    for (int o = 1; o <= 8; ++o) {
        EXPECT_EQ(ReadExifOrientation(WithOrientation(card, o, true)), o);
        EXPECT_EQ(ReadExifOrientation(WithOrientation(card, o, false)), o);
    }
    EXPECT_EQ(ReadExifOrientation(WithOrientation(card, 9, false)), 1);
}

TEST(ExifOrientation, DecodedJpegIsUpright) {
    // Orientation 6: the stored rows must turn 90 degrees clockwise; the red top-left
    // quadrant ends up top-right and the picture becomes 24 x 32.
    CxImage image;
    std::vector<uint8_t> bytes = WithOrientation(testing::ReadInput("jpeg/card.jpg"), 6, false);
    ASSERT_TRUE(image.Decode(bytes, kFormatNone)) << image.GetLastError();
    ASSERT_EQ(image.GetWidth(), 24);
    ASSERT_EQ(image.GetHeight(), 32);
    EXPECT_GT(PixelRed(image.GetPixelColor(20, 4)), 200);
    EXPECT_LT(PixelGreen(image.GetPixelColor(20, 4)), 60);
    EXPECT_GT(PixelBlue(image.GetPixelColor(3, 4)), 200);  // blue came from bottom-left
}

TEST(ExifOrientation, EveryOrientationMovesCornersRight) {
    // A 3 x 2 picture "abc/def"; the expected upright rows for each orientation.
    const char* expected[] = {"", "abc/def", "cba/fed", "fed/cba", "def/abc", "ad/be/cf", "da/eb/fc", "fc/eb/da", "cf/be/ad"};
    for (int o = 1; o <= 8; ++o) {
        Dib dib;
        ASSERT_TRUE(AllocateDib(dib, 3, 2, 8));
        for (int i = 0; i < 6; ++i) dib.set_index(i % 3, i / 3, 'a' + i);
        ASSERT_TRUE(OrientDib(dib, o));
        std::string rows;
        for (int y = 0; y < dib.height; ++y) {
            if (y) rows += '/';
            for (int x = 0; x < dib.width; ++x) rows += char(dib.index_at(x, y));
        }
        EXPECT_EQ(rows, expected[o]) << "orientation " << o;
    }
}

}  // namespace
}  // namespace gd
