// The runtime's decoders count the memory their library keeps while decoding, not only
// the picture they give, and refuse a picture far larger than its file could fill.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "imaging/cx_image.h"
#include "tests/imaging/test_inputs.h"

namespace gd {
namespace {

// A GIF of a `width` x `height` screen with one black pixel at its corner, padded by a
// comment to `size` bytes when that is more than the picture needs.
std::vector<uint8_t> OnePixelGif(int width, int height, size_t size) {
    std::vector<uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a', uint8_t(width), uint8_t(width >> 8), uint8_t(height),
                                uint8_t(height >> 8), 0x80, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF};
    const std::vector<uint8_t> image = {0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0,  // at 0,0, 1x1, no table
                                        2, 2, 0x44, 0x01, 0,                // clear, 0, end of data
                                        0x3B};
    const size_t fixed = gif.size() + image.size() + 3;  // and the comment's label and end
    if (size > fixed) {
        gif.insert(gif.end(), {0x21, 0xFE});
        for (size_t left = size - fixed; left > 1;) {
            size_t block = std::min<size_t>(left - 1, 255);
            if (left - (block + 1) == 1) --block;  // no one byte left over
            gif.push_back(uint8_t(block));
            gif.insert(gif.end(), block, 'c');
            left -= block + 1;
        }
        gif.push_back(0);
    }
    gif.insert(gif.end(), image.begin(), image.end());
    EXPECT_EQ(gif.size(), std::max(size, fixed - 3));
    return gif;
}

TEST(LeanDecoders, RefuseWhatWouldNeedMoreThanAGigabyteToDecode) {
    // 12000x10000: 120 million pixels, in a file large enough to fill them.
    std::vector<uint8_t> gif = OnePixelGif(12000, 10000, 30000);
    CxImage image;
    EXPECT_FALSE(image.Decode(gif, kFormatGif));
    EXPECT_NE(image.GetLastError().find("needs more than 1 GiB"), std::string::npos) << image.GetLastError();
}

// Regression (found by fuzzing): an 83-byte GIF announcing an 18208x17993 screen, a
// 160-byte one with a 32x24 picture on a 12064x8192 screen and a 374-byte progressive
// JPEG announcing 6176x5376 pixels kept the screensaver busy for seconds making up the
// pixels their data never reached.
TEST(LeanDecoders, RefuseAPictureFarLargerThanItsFileCouldFill) {
    const struct {
        const char* name;
        int format;
    } kTooLarge[] = {{"gif/screen_needs_3gb.gif", kFormatGif},
                     {"gif/screen_100mp_small_frame.gif", kFormatGif},
                     {"jpeg/bad_progressive_33mp_in_374_bytes.jpg", kFormatJpeg}};
    for (const auto& [name, format] : kTooLarge) {
        CxImage image;
        EXPECT_FALSE(image.Load(testing::InputPath(name), format)) << name;
        EXPECT_NE(image.GetLastError().find("bytes cannot hold a picture of"), std::string::npos)
            << name << ": " << image.GetLastError();
    }
    // A screen as large as its file could fill is drawn whole, one pixel more is not.
    const int width = 2048, height = 1024;
    const size_t needed = size_t(width) * height / 4096;
    CxImage image;
    ASSERT_TRUE(image.Decode(OnePixelGif(width, height, needed), kFormatGif)) << image.GetLastError();
    EXPECT_EQ(image.GetWidth(), width);
    EXPECT_EQ(image.GetHeight(), height);
    EXPECT_FALSE(image.Decode(OnePixelGif(width, height, needed - 1), kFormatGif));
    EXPECT_TRUE(image.Decode(OnePixelGif(width, height - 1, needed - 1), kFormatGif)) << image.GetLastError();
}

// Regression (found by fuzzing): a scan that decodes with a table the file never defined
// made stb take its uninitialised memory for the table: for a Huffman table, with indexes
// hundreds of kilobytes past its arrays.
TEST(LeanDecoders, RefuseAScanThatUsesATableTheFileNeverDefined) {
    const struct {
        const char* name;
        const char* error;
    } kUndefined[] = {{"jpeg/bad_scan_uses_undefined_huffman_table.jpg", "Huffman table the file does not define"},
                      {"jpeg/bad_scan_uses_undefined_quantisation_table.jpg",
                       "quantisation table the file does not define"}};
    for (const auto& [name, error] : kUndefined) {
        CxImage image;
        EXPECT_FALSE(image.Load(testing::InputPath(name), kFormatJpeg)) << name;
        EXPECT_NE(image.GetLastError().find(error), std::string::npos) << name << ": " << image.GetLastError();
    }
}

// The runtime draws what the maker wrote, which is sRGB already: it never converts by a
// profile, so a profiled JPEG gives the colours its file stores.
TEST(LeanLimits, ColourProfilesAreNotApplied) {
    CxImage profiled, plain;
    ASSERT_TRUE(profiled.Load(testing::InputPath("icc/display_p3.jpg"))) << profiled.GetLastError();
    ASSERT_TRUE(plain.Load(testing::InputPath("icc/colours.jpg"))) << plain.GetLastError();
    EXPECT_EQ(profiled.dib().bits, plain.dib().bits);
}

}  // namespace
}  // namespace gd
