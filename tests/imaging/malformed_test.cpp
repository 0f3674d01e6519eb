#include "tests/imaging/malformed_corpus.h"

#include "imaging/codec.h"

namespace gd {
namespace {

TEST(Malformed, EveryFormatRefusesItsCorpus) {
    const struct {
        const char* folder;
        int format;
        size_t files;
    } kCorpus[] = {
        {"bmp", kFormatBmp, 11}, {"ico", kFormatIco, 3},  {"png", kFormatPng, 4},   {"tiff", kFormatTiff, 2},
        {"tga", kFormatTga, 6},  {"pcx", kFormatPcx, 6},  {"wbmp", kFormatWbmp, 2}, {"wmf", kFormatWmf, 5},  {"j2k", kFormatJ2k, 3},
        {"jbig", kFormatJbig, 2}, {"webp", kFormatWebp, 8},
        {"heif", kFormatHeif, 9}, {"avif", kFormatAvif, 7},
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
    // Regression (found by fuzzing): 16-bit grey counted as 8 bits in the size check, so
    // these 27 bytes made the decoder take 2 GB. (The facade then reads them as a WBMP.)
    Dib dib;
    Status tga = DecodeWith(*FindCodec(kFormatTga), testing::ReadInput("tga/rle_grey16_huge.tga"), dib);
    EXPECT_NE(tga.text().find("too large"), std::string::npos) << tga.text();
    EXPECT_TRUE(image.Load(testing::InputPath("tga/rle_grey16_huge.tga"), kFormatTga));
    EXPECT_EQ(image.GetType(), kFormatWbmp);
    // A picture its run-length data could never fill is refused before its buffer is taken.
    EXPECT_FALSE(image.Load(testing::InputPath("tga/bad_rle_short_data.tga"), kFormatTga));
    EXPECT_EQ(image.GetLastError(), "TGA: truncated RLE data");
    // Regression (found by fuzzing): after a little run-length data, every pixel of an
    // 8960x31488 icon was checked one by one; now only the pixels the data wrote are.
    EXPECT_FALSE(image.Load(testing::InputPath("ico/bad_rle4_huge.ico"), kFormatIco));
    EXPECT_EQ(image.GetLastError(), "BMP: palette index out of range");
    // Regression (found by fuzzing): 311 bytes of lossless WebP announcing 16384 x 16384
    // pixels decoded whole and took 1.8 GB; refused before decoding.
    EXPECT_FALSE(image.Load(testing::InputPath("webp/bad_lossless_too_big_to_decode.webp"), kFormatWebp));
    EXPECT_EQ(image.GetLastError(), "Image too large: 16384x16384 needs more than 1 GiB to decode");
    // Regression (found by fuzzing): 130 bytes announcing 627 MB of run-length rows.
    EXPECT_FALSE(image.Load(testing::InputPath("pcx/bad_rows_beyond_data.pcx"), kFormatPcx));
    EXPECT_EQ(image.GetLastError(), "PCX: truncated pixel data");
}

}  // namespace
}  // namespace gd
