// Every format with an alpha channel gives the same straight colour and opacity, is laid
// over a background colour one way, and blends when drawn. The inputs are red at opacity
// 128 (tests/inputs/alpha/README.md).
#include <gtest/gtest.h>

#include "imaging/cx_image.h"
#include "tests/imaging/test_inputs.h"

namespace gd {
namespace {

using gd::testing::InputPath;

const char* const kHalfRed[] = {"alpha/half_red_rgba.png", "alpha/half_red_palette.png", "alpha/half_red.tif",
                                "alpha/half_red.tga",      "alpha/half_red_v3.bmp",      "alpha/half_red_v5.bmp",
                                "alpha/half_red.ico"};

// Every pixel of the picture has this colour.
void ExpectEverywhere(const CxImage& image, Pixel colour, const std::string& name) {
    int wrong = 0;
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x) wrong += image.GetPixelColor(x, y) != colour;
    EXPECT_EQ(wrong, 0) << name << ": e.g. " << std::hex << image.GetPixelColor(0, 0);
}

TEST(Alpha, EveryFormatIsLaidOverTheBackgroundTheSameWay) {
    for (const char* name : kHalfRed) {
        CxImage image;
        ASSERT_TRUE(image.Load(InputPath(name))) << name << ": " << image.GetLastError();
        EXPECT_TRUE(image.HasAlpha()) << name;
        CxImage over_black = image;
        ASSERT_TRUE(image.FlattenAlpha(0x00FF00));  // 0x00BBGGRR: green
        EXPECT_FALSE(image.HasAlpha());
        EXPECT_EQ(image.GetBpp(), 24) << name;
        ExpectEverywhere(image, MakePixel(128, 127, 0), name);
        ASSERT_TRUE(over_black.FlattenAlpha(0));
        ExpectEverywhere(over_black, MakePixel(128, 0, 0), name);
    }
}

TEST(Alpha, OpaquePicturesHaveNoAlphaPlane) {
    // A 32-bit bitmap whose fourth bytes are all zero, a 32-bit TGA with opaque alpha, and
    // PNG and TIFF pictures without alpha.
    for (const char* name : {"bmp/card32.bmp", "tga/card32.tga", "png/rgb.png", "tiff/card.tif", "png/palette_trns.png"}) {
        CxImage image;
        ASSERT_TRUE(image.Load(InputPath(name))) << name << ": " << image.GetLastError();
        EXPECT_FALSE(image.HasAlpha()) << name;
        CxImage before = image;
        ASSERT_TRUE(image.FlattenAlpha(0x00FF00));
        EXPECT_EQ(image.dib().bits, before.dib().bits) << name;  // nothing to lay over anything
    }
}

TEST(Alpha, DrawingBlendsOverWhatIsThere) {
    CxImage image;
    ASSERT_TRUE(image.Load(InputPath("alpha/half_red_rgba.png")));
    Bitmap target(10, 8);
    target.Fill(MakePixel(0, 255, 0));
    ASSERT_TRUE(image.Draw(target, 1, 1, 4, 3));  // scaled too
    EXPECT_EQ(target.pixel(0, 0), MakePixel(0, 255, 0));
    EXPECT_EQ(target.pixel(1, 1), MakePixel(128, 127, 0));
    EXPECT_EQ(target.pixel(4, 3), MakePixel(128, 127, 0));
    EXPECT_EQ(target.pixel(5, 3), MakePixel(0, 255, 0));
}

}  // namespace
}  // namespace gd
