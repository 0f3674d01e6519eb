// JPEG and GIF decoding through the facade. The same tests run against the maker's full
// set, the runtime's lean set natively, and the lean set under Wine.

#include <gtest/gtest.h>

#include <cstdlib>

#include "imaging/cx_image.h"
#include "tests/imaging/malformed_corpus.h"
#include "tests/imaging/test_card.h"
#include "tests/imaging/test_inputs.h"

namespace gd {
namespace {

using testing::ExpectCard;
using testing::ExpectNear;
using testing::InputPath;
using testing::kCard;
using testing::ReadInput;

TEST(DecodeJpeg, ColourBaselineAndProgressive) {
    for (const char* name : {"jpeg/card.jpg", "jpeg/progressive.jpg", "jpeg/cmyk.jpg"}) {
        SCOPED_TRACE(name);
        CxImage image;
        ASSERT_TRUE(image.Load(InputPath(name), kFormatNone)) << image.GetLastError();
        EXPECT_EQ(image.GetBpp(), 24);
        EXPECT_EQ(image.GetType(), kFormatJpeg);
        ExpectCard(image, 24);
    }
}

TEST(DecodeJpeg, GreyBecomesEightBitRamp) {
    CxImage image;
    ASSERT_TRUE(image.Load(InputPath("jpeg/grey.jpg"))) << image.GetLastError();
    EXPECT_EQ(image.GetBpp(), 8);
    EXPECT_EQ(image.GetNumColors(), 256);
    EXPECT_EQ(image.GetPaletteColor(200), MakeQuad(200, 200, 200));
    // Grey levels of red, green, blue and white as ImageMagick writes them.
    const int levels[] = {54, 182, 18, 255};
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(image.GetPixelIndex(kCard[i].x, kCard[i].y), levels[i], 8);
}

TEST(DecodeJpeg, DetectsContentNotName) {
    CxImage image;
    ASSERT_TRUE(image.Load(InputPath("jpeg/really_jpeg.bmp"), kFormatNone)) << image.GetLastError();
    EXPECT_EQ(image.GetType(), kFormatJpeg);
}

TEST(DecodeJpeg, FromResourceBytesInPlace) {
    std::vector<uint8_t> bytes = ReadInput("jpeg/card.jpg");
    ASSERT_FALSE(bytes.empty());
    CxImage image;
    ASSERT_TRUE(image.LoadResource(bytes, kFormatNone)) << image.GetLastError();
    ExpectCard(image, 24);
    CxImage missing;
    EXPECT_FALSE(missing.LoadResource({}, kFormatNone));
    EXPECT_EQ(missing.GetLastError(), "Unable to load resource!");
}

TEST(DecodeJpeg, TruncatedOrCorruptFails) {
    std::vector<uint8_t> bytes = ReadInput("jpeg/card.jpg");
    ASSERT_GT(bytes.size(), 200u);
    for (size_t keep : {size_t(2), size_t(20), bytes.size() / 2, bytes.size() - 2}) {
        SCOPED_TRACE(keep);
        std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + std::ptrdiff_t(keep));
        CxImage image;
        EXPECT_FALSE(image.Decode(cut, kFormatNone));
        EXPECT_FALSE(image.IsValid());
        EXPECT_FALSE(image.GetLastError().empty());
    }
}

TEST(DecodeGif, PaletteIndicesAndColours) {
    for (const char* name : {"gif/card.gif", "gif/interlaced.gif"}) {
        SCOPED_TRACE(name);
        CxImage image;
        ASSERT_TRUE(image.Load(InputPath(name))) << image.GetLastError();
        EXPECT_EQ(image.GetType(), kFormatGif);
        EXPECT_LE(image.GetBpp(), 8);
        EXPECT_EQ(image.GetTransIndex(), -1);
        ExpectCard(image, 0);
    }
}

TEST(DecodeGif, TransparentIndexLeavesTargetUnchanged) {
    std::vector<uint8_t> bytes = ReadInput("gif/transparent.gif");
    CxImage image;
    ASSERT_TRUE(image.LoadResource(bytes, kFormatNone)) << image.GetLastError();
    ASSERT_GE(image.GetTransIndex(), 0);
    EXPECT_EQ(image.GetPixelIndex(27, 20), image.GetTransIndex());
    // Outside the picture the pixel read gives the transparent index.
    EXPECT_EQ(image.GetPixelIndex(-1, 0), image.GetTransIndex());
    Bitmap target(32, 24, 0xFF00FF);
    ASSERT_TRUE(image.Draw(target, 0, 0));
    EXPECT_EQ(target.pixel(27, 20), 0xFF00FFu);
    EXPECT_EQ(target.pixel(4, 3), 0xFF0000u);
    EXPECT_EQ(target.pixel(4, 20), 0x0000FFu);
}

TEST(DecodeGif, TruncatedFails) {
    std::vector<uint8_t> bytes = ReadInput("gif/card.gif");
    for (size_t keep : {size_t(6), size_t(13), bytes.size() / 2}) {
        std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + std::ptrdiff_t(keep));
        CxImage image;
        EXPECT_FALSE(image.Decode(cut, kFormatNone)) << keep;
        EXPECT_FALSE(image.GetLastError().empty());
    }
}

TEST(Detect, UnknownContentAndIdentifierRules) {
    std::vector<uint8_t> noise(300);
    for (size_t i = 0; i < noise.size(); ++i) noise[i] = uint8_t(i * 37 + 11);
    CxImage image;
    EXPECT_FALSE(image.Decode(noise, kFormatNone));
    EXPECT_EQ(image.GetLastError(), "Decode: Unknown or wrong format");

    // A wrong identifier falls back to detection.
    ASSERT_TRUE(image.Load(InputPath("jpeg/card.jpg"), kFormatGif)) << image.GetLastError();
    EXPECT_EQ(image.GetType(), kFormatJpeg);
    // When both fail, the first attempt's error survives.
    EXPECT_FALSE(image.Decode(noise, kFormatGif));
    EXPECT_EQ(image.GetLastError(), "Not a GIF file");

    EXPECT_FALSE(image.Load(InputPath("no/such/file.jpg")));
    EXPECT_FALSE(image.IsValid());
}

TEST(Detect, MalformedJpegAndGifCorpus) {
    testing::ExpectCorpusRefused("jpeg", kFormatJpeg, 4);
    testing::ExpectCorpusRefused("gif", kFormatGif, 4);
}

}  // namespace
}  // namespace gd
