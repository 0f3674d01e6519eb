#include <gtest/gtest.h>

#include "imaging/cx_image.h"
#include "imaging/exif_orientation.h"
#include "tests/imaging/test_inputs.h"

namespace gd {
namespace {

// A JPEG with an EXIF block (big- or little-endian) carrying `orientation`, spliced in
// right after the start-of-image marker.
std::vector<uint8_t> WithOrientation(std::vector<uint8_t> jpeg, int orientation, bool big_endian) {
    auto u16 = [&](std::vector<uint8_t>& v, int x) {
        if (big_endian) v.insert(v.end(), {uint8_t(x >> 8), uint8_t(x)});
        else v.insert(v.end(), {uint8_t(x), uint8_t(x >> 8)});
    };
    std::vector<uint8_t> tiff = big_endian ? std::vector<uint8_t>{'M', 'M'} : std::vector<uint8_t>{'I', 'I'};
    u16(tiff, 42);
    u16(tiff, 0), u16(tiff, 8);  // IFD at 8 (32-bit, high half first when big-endian)
    if (!big_endian) std::swap(tiff[4], tiff[6]), std::swap(tiff[5], tiff[7]);
    u16(tiff, 2);                                     // two entries
    u16(tiff, 0x010F), u16(tiff, 2), u16(tiff, 0), u16(tiff, 1), u16(tiff, 0), u16(tiff, 0);  // make, ignored
    u16(tiff, 0x0112), u16(tiff, 3), u16(tiff, 0), u16(tiff, 1), u16(tiff, orientation), u16(tiff, 0);
    std::vector<uint8_t> app1 = {0xFF, 0xE1, 0, 0, 'E', 'x', 'i', 'f', 0, 0};
    app1.insert(app1.end(), tiff.begin(), tiff.end());
    size_t length = app1.size() - 2;
    app1[2] = uint8_t(length >> 8), app1[3] = uint8_t(length);
    jpeg.insert(jpeg.begin() + 2, app1.begin(), app1.end());
    return jpeg;
}

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
