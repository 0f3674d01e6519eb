#include "tests/imaging/malformed_corpus.h"

namespace gd {
namespace {

TEST(Malformed, EveryFormatRefusesItsCorpus) {
    const struct {
        const char* folder;
        int format;
        size_t files;
    } kCorpus[] = {
        {"bmp", kFormatBmp, 11}, {"ico", kFormatIco, 3},  {"png", kFormatPng, 4},   {"tiff", kFormatTiff, 2},
        {"tga", kFormatTga, 6},  {"pcx", kFormatPcx, 5},  {"wbmp", kFormatWbmp, 2}, {"wmf", kFormatWmf, 4},  {"j2k", kFormatJ2k, 3},
        {"jbig", kFormatJbig, 2},
    };
    for (const auto& c : kCorpus) testing::ExpectCorpusRefused(c.folder, c.format, c.files);
}

TEST(Malformed, ReadableReasons) {
    CxImage image;
    EXPECT_FALSE(image.Load(testing::InputPath("bmp/bad_huge.bmp")));
    EXPECT_NE(image.GetLastError().find("too large"), std::string::npos) << image.GetLastError();
    EXPECT_FALSE(image.Load(testing::InputPath("bmp/bad_index.bmp")));
    EXPECT_EQ(image.GetLastError(), "BMP: palette index out of range");
    EXPECT_FALSE(image.Load(testing::InputPath("tga/bad_rle_overrun.tga"), kFormatTga));
    EXPECT_EQ(image.GetLastError(), "TGA: RLE data runs past the picture");
    // Regression (found by fuzzing): a true-colour TGA with a colour map of 8-bit entries
    // was read as 3 bytes an entry, past the end of the map.
    EXPECT_FALSE(image.Load(testing::InputPath("tga/bad_map_entry_size.tga"), kFormatTga));
}

}  // namespace
}  // namespace gd
