// The facade's own rules: creation, pixel access, both scalings, encoding.

#include <gtest/gtest.h>

#include "imaging/cx_image.h"
#include "tests/imaging/test_inputs.h"

namespace gd {
namespace {

// An 8-bit picture whose pixel (x, y) has index y * width + x and palette entry i the
// colour 0x0000ii, so a drawn pixel names the source pixel it came from.
CxImage IndexedPicture(int width, int height) {
    CxImage image;
    EXPECT_NE(image.Create(width, height, 8), nullptr);
    for (int i = 0; i < 256; ++i) image.SetPaletteColor(i, MakeQuad(0, 0, uint8_t(i)));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.GetBits()[size_t(height - 1 - y) * image.GetEffWidth() + size_t(x)] = uint8_t(y * width + x);
    return image;
}

int SourceAt(const Bitmap& target, int x, int y) { return int(target.pixel(x, y)); }

TEST(Create, RoundsBitsAndSizesRows) {
    CxImage image;
    ASSERT_NE(image.Create(100, 50, 3, kFormatNone), nullptr);
    EXPECT_EQ(image.GetBpp(), 4);
    EXPECT_EQ(image.GetNumColors(), 16);
    EXPECT_EQ(image.GetEffWidth(), 52u);
    const int expected[][2] = {{0, 1}, {1, 1}, {2, 4}, {4, 4}, {5, 8}, {8, 8}, {9, 24}, {32, 24}};
    for (auto [bits, bpp] : expected) {
        ASSERT_NE(image.Create(3, 2, bits, kFormatBmp), nullptr) << bits;
        EXPECT_EQ(image.GetBpp(), bpp) << bits;
        EXPECT_EQ(image.GetNumColors(), bpp == 24 ? 0 : 1 << bpp);
        EXPECT_EQ(image.GetType(), kFormatBmp);
        EXPECT_EQ(image.GetPixelIndex(2, 1), 0);
    }
}

TEST(Create, RefusesSizesBeyondTheLimits) {
    CxImage image;
    EXPECT_EQ(image.Create(40000, 10, 24), nullptr);
    EXPECT_FALSE(image.IsValid());
    EXPECT_NE(image.GetLastError().find("too large"), std::string::npos);
    EXPECT_EQ(image.Create(30000, 30000, 24), nullptr);  // 3.4 GB of rows
    EXPECT_EQ(image.Create(0, 10, 24), nullptr);
    EXPECT_EQ(image.Create(10, -1, 8), nullptr);
}

TEST(Accessors, OutsideThePictureOrPalette) {
    CxImage image = IndexedPicture(3, 2);
    EXPECT_EQ(image.GetPixelIndex(2, 1), 5);
    EXPECT_EQ(image.GetPixelIndex(3, 0), 0);
    image.SetTransIndex(7);
    EXPECT_EQ(image.GetPixelIndex(3, 0), 7);
    EXPECT_EQ(image.GetPixelIndex(0, -1), 7);
    EXPECT_EQ(image.GetPaletteColor(256), RgbQuad{});
    EXPECT_EQ(image.GetPaletteColor(-1), RgbQuad{});
    CxImage rgb;
    rgb.Create(2, 2, 24);
    EXPECT_EQ(rgb.GetPixelIndex(0, 0), 0);
    EXPECT_EQ(rgb.GetPaletteColor(0), RgbQuad{});
    CxImage empty;
    EXPECT_FALSE(empty.IsValid());
    EXPECT_EQ(empty.GetJpegQuality(), 75);
    EXPECT_EQ(empty.GetXDPI(), 72);
}

TEST(Draw, TwoByTwoIntoFourByFourRepeatsBlocks) {
    CxImage image = IndexedPicture(2, 2);
    Bitmap target(4, 4, 0xABCDEF);
    ASSERT_TRUE(image.Draw(target, 0, 0, 4, 4));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(SourceAt(target, x, y), (y / 2) * 2 + x / 2) << x << "," << y;
}

TEST(Draw, ColumnsFloorRowsCeilMinusOne) {
    // 3 x 3 into 2 x 2: columns floor(i * 3 / 2) = 0, 1; rows ceil((j + 1) * 3 / 2) - 1 = 1, 2.
    CxImage image = IndexedPicture(3, 3);
    Bitmap target(2, 2);
    ASSERT_TRUE(image.Draw(target, 0, 0, 2, 2));
    EXPECT_EQ(SourceAt(target, 0, 0), 3 * 1 + 0);
    EXPECT_EQ(SourceAt(target, 1, 0), 3 * 1 + 1);
    EXPECT_EQ(SourceAt(target, 0, 1), 3 * 2 + 0);
    EXPECT_EQ(SourceAt(target, 1, 1), 3 * 2 + 1);
    // Enlarging 2 rows to 3: rows ceil(2/3)-1 = 0, ceil(4/3)-1 = 1, ceil(6/3)-1 = 1.
    CxImage two = IndexedPicture(1, 2);
    Bitmap tall(1, 3);
    ASSERT_TRUE(two.Draw(tall, 0, 0, 1, 3));
    EXPECT_EQ(SourceAt(tall, 0, 0), 0);
    EXPECT_EQ(SourceAt(tall, 0, 1), 1);
    EXPECT_EQ(SourceAt(tall, 0, 2), 1);
}

TEST(Draw, OnlyTheVisiblePartChanges) {
    CxImage image = IndexedPicture(4, 4);
    Bitmap target(6, 6, 0xABCDEF);
    Rect clip{1, 1, 3, 6};
    ASSERT_TRUE(image.Draw(target, -2, 1, 8, 8, &clip));  // 2x enlargement, shifted left
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) {
            if (!clip.contains(x, y)) {
                EXPECT_EQ(target.pixel(x, y), 0xABCDEFu) << x << "," << y;
                continue;
            }
            int sx = (x + 2) / 2, sy = (y - 1 + 1 + 1) / 2 - 1;  // ceil((j + 1) / 2) - 1
            EXPECT_EQ(SourceAt(target, x, y), sy * 4 + sx) << x << "," << y;
        }
}

TEST(Draw, OwnSizeNegativeZeroDisabledInvalid) {
    CxImage image = IndexedPicture(3, 2);
    Bitmap target(5, 5, 0xABCDEF);
    ASSERT_TRUE(image.Draw(target, 1, 1, -1, -1));
    EXPECT_EQ(SourceAt(target, 3, 2), 5);
    EXPECT_EQ(target.pixel(4, 2), 0xABCDEFu);
    EXPECT_EQ(target.pixel(1, 3), 0xABCDEFu);

    Bitmap untouched(5, 5, 0xABCDEF);
    EXPECT_FALSE(image.Draw(untouched, 0, 0, 0, 3));
    image.Enable(false);
    EXPECT_FALSE(image.Draw(untouched, 0, 0));
    EXPECT_FALSE(CxImage().Draw(untouched, 0, 0));
    EXPECT_EQ(untouched, Bitmap(5, 5, 0xABCDEF));
    // Far outside or with huge sizes nothing overflows.
    image.Enable(true);
    EXPECT_TRUE(image.Draw(untouched, 2147483000, 2147483000, 2000, 2000));
    EXPECT_TRUE(image.Draw(untouched, -5, -5, 2147483647, 2147483647));
}

TEST(Draw, TwentyFourBitAndPalettesDrawTheSameColours) {
    CxImage rgb;
    uint8_t* bits = rgb.Create(2, 1, 24);
    bits[0] = 0x33, bits[1] = 0x22, bits[2] = 0x11;  // blue, green, red
    bits[3] = 0xCC, bits[4] = 0xBB, bits[5] = 0xAA;
    Bitmap target(2, 1);
    ASSERT_TRUE(rgb.Draw(target, 0, 0));
    EXPECT_EQ(target.pixel(0, 0), 0x112233u);
    EXPECT_EQ(target.pixel(1, 0), 0xAABBCCu);

    CxImage mono;
    mono.Create(9, 1, 1);
    mono.SetPaletteColor(1, MakeQuad(0xFF, 0x80, 0));
    mono.GetBits()[1] = 0x80;  // pixel 8
    Bitmap row(9, 1, 0x123456);
    ASSERT_TRUE(mono.Draw(row, 0, 0));
    EXPECT_EQ(row.pixel(7, 0), 0u);
    EXPECT_EQ(row.pixel(8, 0), 0xFF8000u);
}

TEST(Draw2, DropsAndRepeatsFromTheTop) {
    CxImage image = IndexedPicture(3, 3);
    Bitmap target(2, 2);
    ASSERT_TRUE(image.Draw2(target, 0, 0, 2, 2));
    // floor(j * 3 / 2) = 0, 1 for rows and columns alike.
    EXPECT_EQ(SourceAt(target, 0, 0), 0);
    EXPECT_EQ(SourceAt(target, 1, 1), 4);
    image.SetTransIndex(4);
    Bitmap masked(2, 2, 0xABCDEF);
    ASSERT_TRUE(image.Draw2(masked, 0, 0, 2, 2));
    EXPECT_EQ(masked.pixel(1, 1), 0xABCDEFu);
    EXPECT_EQ(SourceAt(masked, 1, 0), 1);
}

TEST(Encode, JpegRoundTripKeepsSizeAndColours) {
    CxImage image;
    uint8_t* bits = image.Create(24, 16, 24);
    for (size_t i = 0; i < image.GetEffWidth() * 16; i += 3) bits[i] = 200, bits[i + 1] = 100, bits[i + 2] = 50;
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(image.Encode(bytes, kFormatJpeg)) << image.GetLastError();
    ASSERT_GT(bytes.size(), 100u);
    EXPECT_EQ(bytes[6], 'J');  // JFIF marker right after the start of image
    CxImage back;
    ASSERT_TRUE(back.Decode(bytes, kFormatJpeg)) << back.GetLastError();
    EXPECT_EQ(back.GetWidth(), 24);
    EXPECT_EQ(back.GetHeight(), 16);
    Pixel p = back.GetPixelColor(10, 10);
    EXPECT_NEAR(PixelRed(p), 50, 4);
    EXPECT_NEAR(PixelBlue(p), 200, 4);
}

TEST(Encode, JpegAcceptsOnlyGreyRampPalettes) {
    CxImage colour = IndexedPicture(4, 4);
    std::vector<uint8_t> bytes;
    EXPECT_FALSE(colour.Encode(bytes, kFormatJpeg));
    EXPECT_EQ(colour.GetLastError(), "JPEG can save only RGB or GreyScale images");

    CxImage grey;
    grey.Create(4, 4, 8);
    for (int i = 0; i < 256; ++i) grey.SetPaletteColor(i, MakeQuad(uint8_t(i), uint8_t(i), uint8_t(i)));
    std::fill_n(grey.GetBits(), grey.GetEffWidth() * 4, 128);
    ASSERT_TRUE(grey.Encode(bytes, kFormatJpeg)) << grey.GetLastError();
    CxImage back;
    ASSERT_TRUE(back.Decode(bytes));
    EXPECT_EQ(back.GetBpp(), 8);
    EXPECT_NEAR(back.GetPixelIndex(1, 1), 128, 2);

    // A black-and-white picture is a two-entry grey ramp.
    CxImage mono;
    mono.Create(8, 2, 1);
    mono.SetPaletteColor(1, MakeQuad(255, 255, 255));
    mono.GetBits()[0] = 0xF0;
    ASSERT_TRUE(mono.Encode(bytes, kFormatJpeg)) << mono.GetLastError();
    ASSERT_TRUE(back.Decode(bytes));
    EXPECT_GT(back.GetPixelIndex(0, 1), 200);
    EXPECT_LT(back.GetPixelIndex(7, 1), 50);
}

TEST(Encode, GifKeepsPaletteIndicesAndTransparency) {
    CxImage image = IndexedPicture(5, 3);
    image.SetTransIndex(6);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(image.Encode(bytes, kFormatGif)) << image.GetLastError();
    CxImage back;
    ASSERT_TRUE(back.Decode(bytes, kFormatNone)) << back.GetLastError();
    EXPECT_EQ(back.GetType(), kFormatGif);
    EXPECT_EQ(back.GetTransIndex(), 6);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(back.GetPixelIndex(x, y), y * 5 + x);
    EXPECT_EQ(back.GetPaletteColor(14), MakeQuad(0, 0, 14));

    CxImage rgb;
    rgb.Create(2, 2, 24);
    EXPECT_FALSE(rgb.Encode(bytes, kFormatGif));
    EXPECT_FALSE(CxImage().Encode(bytes, kFormatJpeg));
    EXPECT_FALSE(rgb.Encode(bytes, kFormatTga));
}

// Storage handed from a larger picture to a smaller one, of a width whose rows are padded,
// and from a 24-bit to a grey one: each decodes to exactly what a fresh picture holds,
// padding zero, in the same memory.
TEST(Facade, ReusedStorageDecodesAsFreshStorageDoes) {
    CxImage large;
    large.Create(300, 200, 24);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(large.Encode(bytes, kFormatJpeg));
    ASSERT_TRUE(large.Decode(std::span<const uint8_t>(bytes)));
    for (const char* name : {"png/rgb.png", "jpeg/grey.jpg", "png/palette.png", "heif/card.heic", "avif/card.avif",
                             "heif/alpha.heic"}) {
        const std::vector<uint8_t> file = testing::ReadInput(name);
        CxImage fresh;
        ASSERT_TRUE(fresh.Decode(std::span<const uint8_t>(file))) << name;
        std::vector<uint8_t> storage = large.TakeStorage();
        std::fill(storage.begin(), storage.end(), uint8_t(0xEE));  // what a previous picture left
        const uint8_t* memory = storage.data();
        CxImage reused;
        reused.ReuseStorage(std::move(storage));
        ASSERT_TRUE(reused.Decode(std::span<const uint8_t>(file))) << name;
        EXPECT_EQ(reused.dib().bits, fresh.dib().bits) << name;
        EXPECT_EQ(reused.dib().palette, fresh.dib().palette) << name;
        EXPECT_EQ(reused.dib().bits.data(), memory) << name;
        large.ReuseStorage(reused.TakeStorage());
    }
    EXPECT_FALSE(large.IsValid());
    // A picture decoded over another lets the other's storage go, as it always did.
    CxImage over;
    ASSERT_TRUE(over.Decode(std::span<const uint8_t>(bytes)));
    const std::vector<uint8_t> small = testing::ReadInput("png/rgb.png");
    ASSERT_TRUE(over.Decode(std::span<const uint8_t>(small)));
    EXPECT_LT(over.dib().bits.capacity(), size_t(300 * 200 * 3));
}

// A picture shrunk to fit keeps the storage of the whole one, for the next picture its
// encoding thread decodes (the fitted pixels themselves: fit_size_test).
TEST(Facade, ShrinkingToFitKeepsTheWholePicturesStorage) {
    const std::vector<uint8_t> file = testing::ReadInput("heif/card.heic");
    CxImage image;
    ASSERT_TRUE(image.Decode(std::span<const uint8_t>(file)));
    const size_t whole_bytes = image.dib().bits.size();
    const uint8_t* memory = image.dib().bits.data();
    ASSERT_TRUE(image.ShrinkToFit(image.GetWidth() / 3, image.GetHeight() / 3));
    EXPECT_LT(image.dib().bits.size(), whole_bytes);
    EXPECT_EQ(image.dib().bits.data(), memory);
    EXPECT_GE(image.TakeStorage().capacity(), whole_bytes);
}

}  // namespace
}  // namespace gd
