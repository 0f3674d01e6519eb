// Variants of our own decoders that ImageMagick does not write, built byte by byte.

#include <gtest/gtest.h>

#include "common/byte_io.h"
#include "imaging/cx_image.h"

namespace gd {
namespace {

// A BMP file with a 40-byte info header and an optional colour table.
std::vector<uint8_t> Bmp(int width, int height, int bits, uint32_t compression, const std::vector<RgbQuad>& colours,
                         const std::vector<uint8_t>& pixels) {
    ByteWriter w;
    uint32_t offset = 14 + 40 + uint32_t(colours.size()) * 4;
    w.Text("BM"), w.U32(offset + uint32_t(pixels.size())), w.U32(0), w.U32(offset);
    w.U32(40), w.I32(width), w.I32(height), w.U16(1), w.U16(uint16_t(bits)), w.U32(compression);
    w.U32(uint32_t(pixels.size())), w.U32(2835), w.U32(2835), w.U32(uint32_t(colours.size())), w.U32(0);
    for (const RgbQuad& c : colours) w.U8(c.blue), w.U8(c.green), w.U8(c.red), w.U8(0);
    w.Bytes(pixels);
    return w.Take();
}

std::string Indices(const CxImage& image) {
    std::string s;
    for (int y = 0; y < image.GetHeight(); ++y) {
        if (y) s += '/';
        for (int x = 0; x < image.GetWidth(); ++x) s += char('0' + image.GetPixelIndex(x, y));
    }
    return s;
}

TEST(OwnBmp, TopDownRowsStayInOrder) {
    // Two rows of 24-bit pixels, first row red, second blue, stored top first (rows of 12 bytes).
    std::vector<uint8_t> rows = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0,
                                 255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 0, 0};
    std::vector<uint8_t> file = Bmp(3, -2, 24, 0, {}, rows);
    CxImage image;
    ASSERT_TRUE(image.Decode(file, kFormatNone)) << image.GetLastError();
    EXPECT_EQ(image.GetType(), kFormatBmp);
    EXPECT_EQ(image.GetPixelColor(2, 0), 0xFF0000u);
    EXPECT_EQ(image.GetPixelColor(0, 1), 0x0000FFu);
}

TEST(OwnBmp, Rle4RunsLiteralsAndDeltas) {
    std::vector<RgbQuad> colours(16);
    // Bottom row: run of 3 alternating 1,2 then EOL; next row: move right 1, literal 3,4,5, end.
    std::vector<uint8_t> rle = {3, 0x12, 0, 0, 0, 2, 1, 0, 0, 3, 0x34, 0x50, 0, 1};
    CxImage image;
    ASSERT_TRUE(image.Decode(Bmp(4, 2, 4, 2, colours, rle), kFormatBmp)) << image.GetLastError();
    EXPECT_EQ(image.GetBpp(), 4);
    EXPECT_EQ(Indices(image), "0345/1210");
    // The same literal one pixel further right runs past the edge.
    rle[6] = 2;
    EXPECT_FALSE(image.Decode(Bmp(4, 2, 4, 2, colours, rle), kFormatBmp));
    EXPECT_EQ(image.GetLastError(), "BMP: RLE data runs past the picture");
}

TEST(OwnBmp, SixteenBitDefaultIs555) {
    // One pixel 0x7C00 (pure red in 5-5-5), padded to 4 bytes.
    std::vector<uint8_t> file = Bmp(1, 1, 16, 0, {}, {0x00, 0x7C, 0, 0});
    CxImage image;
    ASSERT_TRUE(image.Decode(file)) << image.GetLastError();
    EXPECT_EQ(image.GetPixelColor(0, 0), 0xFF0000u);
}

// A PCX file: 128-byte header, RLE data of `lines` (one entry per plane line).
std::vector<uint8_t> Pcx(int width, int height, int bits, int planes, int bytes_per_line, const std::vector<RgbQuad>& ega,
                         const std::vector<uint8_t>& raw) {
    ByteWriter w;
    w.U8(0x0A), w.U8(5), w.U8(1), w.U8(uint8_t(bits));
    w.U16(0), w.U16(0), w.U16(uint16_t(width - 1)), w.U16(uint16_t(height - 1)), w.U16(72), w.U16(72);
    for (int i = 0; i < 16; ++i) {
        RgbQuad c = i < int(ega.size()) ? ega[size_t(i)] : RgbQuad{};
        w.U8(c.red), w.U8(c.green), w.U8(c.blue);
    }
    w.U8(0), w.U8(uint8_t(planes)), w.U16(uint16_t(bytes_per_line)), w.U16(1);
    while (w.bytes().size() < 128) w.U8(0);
    for (uint8_t b : raw) {
        if ((b & 0xC0) == 0xC0) w.U8(0xC1);  // a byte that looks like a run goes as a run of one
        w.U8(b);
    }
    return w.Take();
}

TEST(OwnPcx, OneBitAndFourPlanes) {
    CxImage image;
    // 1 bit, 1 plane: 0b10100000 -> white, black, white, black...
    ASSERT_TRUE(image.Decode(Pcx(4, 1, 1, 1, 2, {}, {0xA0, 0x00}), kFormatNone)) << image.GetLastError();
    EXPECT_EQ(image.GetType(), kFormatPcx);
    EXPECT_EQ(image.GetBpp(), 1);
    EXPECT_EQ(Indices(image), "1010");
    EXPECT_EQ(image.GetPixelColor(0, 0), 0xFFFFFFu);

    // 4 planes of 1 bit: pixel 0 has bits in planes 0 and 2 (index 5), pixel 1 in plane 3 (8).
    std::vector<RgbQuad> ega(16);
    ega[5] = MakeQuad(10, 20, 30);
    ASSERT_TRUE(image.Decode(Pcx(2, 1, 1, 4, 2, ega, {0x80, 0, 0, 0, 0x80, 0, 0x40, 0}), kFormatPcx)) << image.GetLastError();
    EXPECT_EQ(image.GetBpp(), 4);
    EXPECT_EQ(image.GetPixelIndex(0, 0), 5);
    EXPECT_EQ(image.GetPixelIndex(1, 0), 8);
    EXPECT_EQ(image.GetPixelColor(0, 0), MakePixel(10, 20, 30));
}

TEST(OwnTga, SixteenBitRightToLeft) {
    ByteWriter w;
    w.U8(0), w.U8(0), w.U8(2), w.U16(0), w.U16(0), w.U8(0), w.U16(0), w.U16(0);
    w.U16(2), w.U16(1), w.U8(16), w.U8(0x10);  // right to left, bottom-up
    w.U16(0x7C00), w.U16(0x001F);              // stored first: red (drawn right), then blue
    CxImage image;
    ASSERT_TRUE(image.Decode(w.Take(), kFormatNone)) << image.GetLastError();
    EXPECT_EQ(image.GetType(), kFormatTga);
    EXPECT_EQ(image.GetPixelColor(1, 0), 0xFF0000u);
    EXPECT_EQ(image.GetPixelColor(0, 0), 0x0000FFu);
}

}  // namespace
}  // namespace gd
