// Every format the maker reads, on sample files made by tests/imaging/make_inputs.sh.

#include <gtest/gtest.h>

#include <algorithm>

#include "imaging/codec_list.h"
#include "imaging/cx_image.h"
#include "tests/imaging/test_inputs.h"

namespace gd {
namespace {

using testing::InputPath;
using testing::ReadInput;

enum class Card { Colour, Grey, BlackWhite };

struct Sample {
    const char* file;
    int format;
    int bpp;  // expected stored depth
    Card card;
    int tolerance;
};

const Sample kSamples[] = {
    {"bmp/card24.bmp", kFormatBmp, 24, Card::Colour, 0},
    {"bmp/card4.bmp", kFormatBmp, 4, Card::Colour, 0},
    {"bmp/card8_rle.bmp", kFormatBmp, 8, Card::Colour, 0},
    {"bmp/bw1.bmp", kFormatBmp, 1, Card::BlackWhite, 0},
    {"bmp/card16_565.bmp", kFormatBmp, 24, Card::Colour, 0},
    {"bmp/card32.bmp", kFormatBmp, 24, Card::Colour, 0},
    {"ico/card.ico", kFormatIco, 24, Card::Colour, 0},
    {"ico/card_two_sizes.ico", kFormatIco, 0, Card::Colour, 0},
    {"png/rgb.png", kFormatPng, 24, Card::Colour, 0},
    {"png/palette.png", kFormatPng, 0, Card::Colour, 0},
    {"png/grey.png", kFormatPng, 8, Card::Grey, 2},
    {"png/rgb16.png", kFormatPng, 24, Card::Colour, 0},
    {"tiff/card.tif", kFormatTiff, 24, Card::Colour, 0},
    {"tiff/two_pages.tif", kFormatTiff, 24, Card::Colour, 0},
    {"tga/card24.tga", kFormatTga, 24, Card::Colour, 0},
    {"tga/card24_rle.tga", kFormatTga, 24, Card::Colour, 0},
    {"tga/card32.tga", kFormatTga, 24, Card::Colour, 0},
    {"tga/palette.tga", kFormatTga, 8, Card::Colour, 0},
    {"tga/grey.tga", kFormatTga, 8, Card::Grey, 2},
    {"pcx/card24.pcx", kFormatPcx, 24, Card::Colour, 0},
    {"pcx/palette.pcx", kFormatPcx, 8, Card::Colour, 0},
    {"pcx/bw.pcx", kFormatPcx, 0, Card::BlackWhite, 0},
    {"wbmp/bw.wbmp", kFormatWbmp, 1, Card::BlackWhite, 0},
    {"j2k/card.j2k", kFormatJ2k, 24, Card::Colour, 8},
    {"j2k/card.jp2", kFormatJ2k, 24, Card::Colour, 8},
    {"j2k/grey.j2k", kFormatJ2k, 8, Card::Grey, 8},
    {"jbig/bw.jbg", kFormatJbig, 1, Card::BlackWhite, 0},
    {"webp/card.webp", kFormatWebp, 24, Card::Colour, 0},
    {"webp/lossy.webp", kFormatWebp, 24, Card::Colour, 12},
    {"webp/animated.webp", kFormatWebp, 24, Card::Colour, 0},  // its first frame
    {"webp/orientation6.webp", kFormatWebp, 24, Card::Colour, 0},
    {"webp/orientation2.webp", kFormatWebp, 24, Card::Colour, 0},
};

struct Probe {
    int x, y;
    Pixel colour, grey, bw;
};
// Quadrant centres with their colour, the grey ImageMagick makes of it, and the bi-level card.
constexpr Probe kProbes[] = {
    {4, 3, 0xFF0000, 0x363636, 0x000000},
    {27, 3, 0x00FF00, 0xB6B6B6, 0xFFFFFF},
    {4, 20, 0x0000FF, 0x121212, 0xFFFFFF},
    {27, 20, 0xFFFFFF, 0xFFFFFF, 0x000000},
};

void ExpectSample(const CxImage& image, const Sample& s) {
    ASSERT_TRUE(image.IsValid());
    EXPECT_EQ(image.GetWidth(), 32);
    EXPECT_EQ(image.GetHeight(), 24);
    if (s.bpp) {
        EXPECT_EQ(image.GetBpp(), s.bpp);
    }
    for (const Probe& p : kProbes) {
        Pixel want = s.card == Card::Colour ? p.colour : s.card == Card::Grey ? p.grey : p.bw;
        Pixel got = image.GetPixelColor(p.x, p.y);
        EXPECT_NEAR(PixelRed(got), PixelRed(want), s.tolerance) << p.x << "," << p.y;
        EXPECT_NEAR(PixelGreen(got), PixelGreen(want), s.tolerance) << p.x << "," << p.y;
        EXPECT_NEAR(PixelBlue(got), PixelBlue(want), s.tolerance) << p.x << "," << p.y;
    }
}

TEST(Formats, EverySampleByDetectionAndByIdentifier) {
    for (const Sample& s : kSamples) {
        SCOPED_TRACE(s.file);
        CxImage detected;
        ASSERT_TRUE(detected.Load(InputPath(s.file), kFormatNone)) << detected.GetLastError();
        EXPECT_EQ(detected.GetType(), s.format);
        ExpectSample(detected, s);
        CxImage named;
        ASSERT_TRUE(named.Load(InputPath(s.file), s.format)) << named.GetLastError();
        EXPECT_EQ(named.GetType(), s.format);
    }
}

TEST(Formats, PngTransparencyAndAlpha) {
    CxImage palette;
    ASSERT_TRUE(palette.Load(InputPath("png/palette_trns.png"))) << palette.GetLastError();
    ASSERT_GE(palette.GetTransIndex(), 0);
    EXPECT_EQ(palette.GetPixelIndex(27, 20), palette.GetTransIndex());
    EXPECT_NE(palette.GetPixelIndex(4, 3), palette.GetTransIndex());
    // A full alpha channel stays beside the colours until it is laid over a background.
    CxImage alpha;
    ASSERT_TRUE(alpha.Load(InputPath("png/alpha.png"))) << alpha.GetLastError();
    EXPECT_TRUE(alpha.HasAlpha());
    ASSERT_TRUE(alpha.FlattenAlpha(0));
    EXPECT_EQ(alpha.GetPixelColor(27, 20), 0u);
    EXPECT_EQ(alpha.GetPixelColor(4, 3), 0xFF0000u);
}

// Alpha beside the colours, turned with them by an EXIF orientation.
TEST(Formats, WebpAlphaStaysBesideTheColoursAndTurnsWithThem) {
    for (const char* file : {"webp/alpha.webp", "webp/alpha_orientation6.webp"}) {
        SCOPED_TRACE(file);
        CxImage image;
        ASSERT_TRUE(image.Load(InputPath(file))) << image.GetLastError();
        ASSERT_EQ(image.GetWidth(), 32);
        EXPECT_TRUE(image.HasAlpha());
        ASSERT_TRUE(image.FlattenAlpha(0x203040));
        EXPECT_EQ(image.GetPixelColor(27, 20), 0x403020u);  // the clear white quadrant, over 0xBBGGRR 0x203040
        EXPECT_EQ(image.GetPixelColor(4, 3), 0xFF0000u);
        EXPECT_EQ(image.GetPixelColor(4, 20), 0x0000FFu);
    }
}

// The codec table's file types and the maker's adapters name the same formats: a type the
// maker takes by name is one it can read, and every format it reads can be added by name.
TEST(Formats, TheFileTypesAndTheAdaptersNameTheSameFormats) {
    for (const PictureFileType& t : kPictureFileTypes) EXPECT_NE(FindCodec(t.format), nullptr) << t.pattern;
    for (const Codec& c : ImageCodecs()) {
        EXPECT_TRUE(std::any_of(std::begin(kPictureFileTypes), std::end(kPictureFileTypes),
                                [&](const PictureFileType& t) { return t.format == c.format; }))
            << c.name;
    }
}

TEST(Formats, IconPicksTheLargestImage) {
    CxImage icon;
    ASSERT_TRUE(icon.Load(InputPath("ico/card_two_sizes.ico")));
    EXPECT_EQ(icon.GetWidth(), 32);
}

// A top-left TGA: the bottom-left sample with its rows reversed and the origin bit set.
TEST(Formats, TgaBothOrigins) {
    std::vector<uint8_t> bytes = ReadInput("tga/card24.tga");
    ASSERT_GE(bytes.size(), 18u + 32 * 24 * 3);
    const size_t start = 18 + bytes[0], row = 32 * 3;
    std::vector<uint8_t> flipped = bytes;
    for (int y = 0; y < 24; ++y)
        std::copy_n(bytes.begin() + std::ptrdiff_t(start + size_t(23 - y) * row), row, flipped.begin() + std::ptrdiff_t(start + size_t(y) * row));
    flipped[17] |= 0x20;
    CxImage image;
    ASSERT_TRUE(image.Decode(flipped, kFormatTga)) << image.GetLastError();
    ExpectSample(image, kSamples[14]);
}

TEST(Formats, WmfRecordsAreDrawn) {
    CxImage image;
    ASSERT_TRUE(image.Load(InputPath("wmf/shapes.wmf"))) << image.GetLastError();
    EXPECT_EQ(image.GetType(), kFormatWmf);
    ASSERT_EQ(image.GetWidth(), 100);
    ASSERT_EQ(image.GetHeight(), 50);
    EXPECT_EQ(image.GetPixelColor(20, 20), 0xFF0000u);  // rectangle
    EXPECT_EQ(image.GetPixelColor(10, 10), 0xFF0000u);  // no outline with the null pen
    EXPECT_EQ(image.GetPixelColor(75, 25), 0x0000FFu);  // ellipse
    EXPECT_EQ(image.GetPixelColor(56, 6), 0xFFFFFFu);   // outside the ellipse's curve
    EXPECT_EQ(image.GetPixelColor(70, 48), 0x00FF00u);  // line
    EXPECT_EQ(image.GetPixelColor(1, 1), 0xFFFF00u);    // stretched DIB, left pixel
    EXPECT_EQ(image.GetPixelColor(3, 0), 0xFF00FFu);    // right pixel
    EXPECT_EQ(image.GetPixelColor(50, 2), 0xFFFFFFu);   // background

    CxImage window;
    ASSERT_TRUE(window.Load(InputPath("wmf/window.wmf"))) << window.GetLastError();
    ASSERT_EQ(window.GetWidth(), 20);
    ASSERT_EQ(window.GetHeight(), 10);
    EXPECT_EQ(window.GetPixelColor(9, 5), 0xFFFFFFu);
    EXPECT_EQ(window.GetPixelColor(10, 5), 0u);

    // Regression (found by fuzzing): a drawing of about 17000 x 14000 pixels held a canvas
    // and a picture of that size at once; it is now drawn at most 4096 pixels a side.
    CxImage big;
    ASSERT_TRUE(big.Load(InputPath("wmf/big_drawing_scaled.wmf"))) << big.GetLastError();
    EXPECT_EQ(std::max(big.GetWidth(), big.GetHeight()), 4096);
}

}  // namespace
}  // namespace gd
