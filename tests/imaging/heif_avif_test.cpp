// HEIF and AVIF pictures, on the samples made by tests/imaging/make_heif_avif_inputs.sh:
// the 32x24 test card (red, green / blue, white) as each encoder stores it, turned and
// mirrored every way the containers can say, at 10 and 12 bits and with alpha.

#include <gtest/gtest.h>

#include <string>

#include "imaging/codec_list.h"
#include "imaging/cx_image.h"
#include "imaging/heif_boxes.h"
#include "tests/imaging/test_card.h"
#include "tests/imaging/test_inputs.h"

namespace gd {
namespace {

using testing::InputPath;
using testing::ReadInput;

// The upright card, as a 24-bit picture.
void ExpectUprightCard(const CxImage& image, int tolerance) {
    testing::ExpectCard(image, tolerance);
    EXPECT_EQ(image.GetBpp(), 24);
}

struct Sample {
    const char* file;
    int format;
    int tolerance;
};

// Lossless AVIF is exact; HEVC's lossless mode still goes through YCbCr, so a step or two;
// the lossy ones at high quality stay within a few steps at the quadrants' centres.
constexpr Sample kSamples[] = {
    {"heif/card.heic", kFormatHeif, 8},       {"heif/card444.heif", kFormatHeif, 2},
    {"heif/ten_bit.heic", kFormatHeif, 8},    {"heif/twelve_bit.heic", kFormatHeif, 8},
    {"avif/card.avif", kFormatAvif, 0},       {"avif/lossy.avif", kFormatAvif, 8},
    {"avif/ten_bit.avif", kFormatAvif, 4},    {"avif/twelve_bit.avif", kFormatAvif, 4},
};

TEST(HeifAvif, SamplesDecodeToTheCardByDetectionAndByName) {
    for (const Sample& s : kSamples) {
        SCOPED_TRACE(s.file);
        CxImage detected;
        ASSERT_TRUE(detected.Load(InputPath(s.file))) << detected.GetLastError();
        EXPECT_EQ(detected.GetType(), s.format);
        EXPECT_FALSE(detected.HasAlpha());
        ExpectUprightCard(detected, s.tolerance);
        CxImage named;
        ASSERT_TRUE(named.Load(InputPath(s.file), s.format)) << named.GetLastError();
        EXPECT_EQ(named.GetType(), s.format);
    }
}

// A grey picture (HEVC 4:0:0) comes as 24 bits, each pixel grey: the card's quadrants as
// ImageMagick makes them grey.
TEST(HeifAvif, AGreyPictureDecodesGrey) {
    CxImage image;
    ASSERT_TRUE(image.Load(InputPath("heif/grey.heic"))) << image.GetLastError();
    ASSERT_EQ(image.GetWidth(), 32);
    ASSERT_EQ(image.GetHeight(), 24);
    EXPECT_EQ(image.GetBpp(), 24);
    constexpr uint32_t kGreys[] = {54, 182, 18, 255};
    for (size_t i = 0; i < std::size(kGreys); ++i) {
        const testing::CardProbe& p = testing::kCard[i];
        const Pixel pixel = image.GetPixelColor(p.x, p.y);
        testing::ExpectNear(pixel, kGreys[i] * 0x010101, 8, "grey quadrant");
        EXPECT_EQ(PixelRed(pixel), PixelGreen(pixel));
        EXPECT_EQ(PixelGreen(pixel), PixelBlue(pixel));
    }
}

// Every orientation the containers can say ('irot' then 'imir'), stored as the card turned
// back: libheif applies them for HEIF (its default, held here), we for AVIF.
TEST(HeifAvif, EveryRotationAndMirroringTurnsThePictureUpright) {
    for (const char* folder : {"heif/orientation", "avif/orientation"}) {
        for (int n = 2; n <= 8; ++n) {
            const std::string file = folder + std::to_string(n) + (folder[0] == 'h' ? ".heic" : ".avif");
            SCOPED_TRACE(file);
            CxImage image;
            ASSERT_TRUE(image.Load(InputPath(file))) << image.GetLastError();
            ExpectUprightCard(image, 2);
        }
    }
    // libheif turns pictures of more than 8 bits wrongly; those are turned by us.
    for (const char* file : {"heif/ten_bit_orientation2.heic", "heif/ten_bit_orientation6.heic",
                             "heif/ten_bit_orientation7.heic"}) {
        SCOPED_TRACE(file);
        CxImage image;
        ASSERT_TRUE(image.Load(InputPath(file))) << image.GetLastError();
        ExpectUprightCard(image, 8);
    }
}

// Our own reading of the container's turns, for the pictures libheif cannot turn: in the
// order the associations give them, none where there are none, refused where the boxes end.
TEST(HeifAvif, TheContainersTurnsAreReadInTheirOrder) {
    std::vector<HeifTransform> turns;
    ASSERT_TRUE(ReadPrimaryTransforms(ReadInput("heif/ten_bit_orientation7.heic"), turns));
    ASSERT_EQ(turns.size(), 2u);
    EXPECT_EQ(turns[0].kind, HeifTransform::kRotate);
    EXPECT_EQ(turns[0].value, 1);
    EXPECT_EQ(turns[1].kind, HeifTransform::kMirror);
    EXPECT_EQ(turns[1].value, 1);
    ASSERT_TRUE(ReadPrimaryTransforms(ReadInput("heif/orientation3.heic"), turns));
    ASSERT_EQ(turns.size(), 1u);
    EXPECT_EQ(turns[0].value, 2);
    ASSERT_TRUE(ReadPrimaryTransforms(ReadInput("heif/card.heic"), turns));
    EXPECT_TRUE(turns.empty());
    EXPECT_FALSE(ReadPrimaryTransforms(ReadInput("heif/bad_truncated_boxes.heic"), turns));
}

// The header read before decoding gives the size the decode will have, turned.
TEST(HeifAvif, TheHeaderGivesTheTurnedSizeBeforeDecoding) {
    for (const char* file : {"heif/orientation6.heic", "avif/orientation6.avif", "avif/orientation5.avif",
                             "avif/exif6_without_irot.avif", "heif/alpha.heic", "avif/alpha.avif"}) {
        SCOPED_TRACE(file);
        const std::vector<uint8_t> data = ReadInput(file);
        const Codec* codec = FindCodec(file[0] == 'h' ? kFormatHeif : kFormatAvif);
        ASSERT_NE(codec, nullptr);
        ASSERT_TRUE(codec->probe(data));
        ImageInfo info;
        ASSERT_TRUE(codec->info(data, info)) << file;
        EXPECT_EQ(info.width, 32);
        EXPECT_EQ(info.height, 24);
        EXPECT_EQ(info.bpp, std::string(file).find("alpha") != std::string::npos ? 32 : 24);
    }
}

// An EXIF orientation: in HEIF the container's properties alone turn the picture; in AVIF
// the EXIF orientation counts only where the container has no 'irot' or 'imir' (avifenc
// writes the matching 'irot' and keeps the EXIF data, which must not turn it twice).
TEST(HeifAvif, ExifOrientationTurnsOnlyWhereTheContainerSaysNothing) {
    CxImage heif;
    ASSERT_TRUE(heif.Load(InputPath("heif/exif6_upright.heic"))) << heif.GetLastError();
    ExpectUprightCard(heif, 8);
    for (const char* file : {"avif/exif6.avif", "avif/exif6_without_irot.avif"}) {
        SCOPED_TRACE(file);
        CxImage avif;
        ASSERT_TRUE(avif.Load(InputPath(file))) << avif.GetLastError();
        ExpectUprightCard(avif, 0);
    }
}

// Alpha stays beside the straight colours until the maker lays it over the background.
TEST(HeifAvif, AlphaIsLaidOverTheBackground) {
    for (const char* file : {"heif/alpha.heic", "avif/alpha.avif"}) {
        SCOPED_TRACE(file);
        CxImage image;
        ASSERT_TRUE(image.Load(InputPath(file))) << image.GetLastError();
        ASSERT_TRUE(image.HasAlpha());
        ASSERT_TRUE(image.FlattenAlpha(0x203040));
        const Pixel clear = image.GetPixelColor(27, 20);  // the white quadrant, see-through
        EXPECT_NEAR(PixelRed(clear), 0x40, 2);
        EXPECT_NEAR(PixelGreen(clear), 0x30, 2);
        EXPECT_NEAR(PixelBlue(clear), 0x20, 2);
        const Pixel red = image.GetPixelColor(4, 3);
        EXPECT_NEAR(PixelRed(red), 0xFF, 8);
        EXPECT_NEAR(PixelGreen(red), 0, 8);
    }
}

// The embedded ICC profile comes out as stored, beside the picture; none where there is none.
TEST(HeifAvif, TheEmbeddedProfileIsReachable) {
    const std::vector<uint8_t> profile = ReadInput("avif/profile.icc");
    ASSERT_EQ(profile.size(), 132u);
    EXPECT_EQ(HeifIccProfile(ReadInput("heif/with_profile.heic")), profile);
    EXPECT_EQ(AvifIccProfile(ReadInput("avif/with_profile.avif")), profile);
    EXPECT_TRUE(HeifIccProfile(ReadInput("heif/card.heic")).empty());
    EXPECT_TRUE(AvifIccProfile(ReadInput("avif/card.avif")).empty());
    EXPECT_TRUE(HeifIccProfile(ReadInput("heif/bad_truncated_boxes.heic")).empty());
    for (const char* file : {"heif/with_profile.heic", "avif/with_profile.avif"}) {
        CxImage image;
        ASSERT_TRUE(image.Load(InputPath(file))) << image.GetLastError();
        ExpectUprightCard(image, 8);  // the colours as stored: converting them is the caller's
    }
}

// A picture whose decode would take more than the limits allow is refused before decoding:
// by its size property, or by the canvas its grid declares (found by fuzzing: a 672-byte
// file whose grid announced 26725 x 30328 pixels behind a 32 x 24 size property took
// 2.2 GB in libheif).
TEST(HeifAvif, APictureTooBigToDecodeIsRefusedFirst) {
    for (const char* file : {"heif/bad_too_big_to_decode.heic", "avif/bad_too_big_to_decode.avif",
                             "heif/bad_grid_canvas_too_big.heic"}) {
        SCOPED_TRACE(file);
        CxImage image;
        EXPECT_FALSE(image.Load(InputPath(file)));
        EXPECT_NE(image.GetLastError().find("needs more than 1 GiB"), std::string::npos) << image.GetLastError();
    }
    HeifLayout layout;
    ASSERT_TRUE(ReadPrimaryLayout(ReadInput("heif/bad_grid_canvas_too_big.heic"), layout));
    EXPECT_TRUE(layout.derived);
    EXPECT_EQ(layout.canvas_width, 26725);
    EXPECT_EQ(layout.canvas_height, 30328);
    ASSERT_TRUE(ReadPrimaryLayout(ReadInput("heif/card.heic"), layout));  // heif-enc writes a grid of one tile
    EXPECT_EQ(layout.canvas_width, 32);
    EXPECT_EQ(layout.canvas_height, 24);
    ASSERT_TRUE(ReadPrimaryLayout(ReadInput("avif/card.avif"), layout));  // a coded picture
    EXPECT_FALSE(layout.derived);
    EXPECT_TRUE(layout.has_data);
}

// A coded picture without data is refused by us, before the AV1 decoder sees it (found
// by fuzzing: dav1d printed a line on stderr and libheif lost the memory it had given it).
TEST(HeifAvif, APictureWithoutDataIsRefused) {
    HeifLayout layout;
    ASSERT_TRUE(ReadPrimaryLayout(ReadInput("avif/bad_empty_picture.avif"), layout));
    EXPECT_FALSE(layout.derived);
    EXPECT_FALSE(layout.has_data);
    CxImage image;
    EXPECT_FALSE(image.Load(InputPath("avif/bad_empty_picture.avif")));
    EXPECT_EQ(image.GetLastError(), "AVIF: the picture holds no coded data");
}

// Found by fuzzing, both declaring a 32 x 24 picture: a 628-byte file whose grid of one
// 64 x 64 tile sat on a canvas of 3843 x 8192 made libheif give 8192 x 3843 (after 377 MB
// and a second), which went into the show as it came; a 1557-byte one whose alpha plane,
// a grid too, declared a canvas of 28009 x 24934 made it allocate 2 GB. Every picture of
// the file is held to the size it declares before anything is decoded.
TEST(HeifAvif, ACanvasLargerThanItsPictureDeclaresIsRefused) {
    HeifLayout layout;
    ASSERT_TRUE(ReadPrimaryLayout(ReadInput("heif/bad_canvas_larger_than_declared.heic"), layout));
    EXPECT_EQ(layout.canvas_width, 3843);
    EXPECT_EQ(layout.canvas_height, 8192);
    std::vector<HeifItemSizes> items;
    ASSERT_TRUE(ReadPictureItemSizes(ReadInput("heif/bad_alpha_canvas_larger_than_declared.heic"), items));
    ASSERT_EQ(items.size(), 4u);  // the picture, its tile, the alpha plane, its tile
    EXPECT_TRUE(items[3].derived);
    ASSERT_EQ(items[3].made.size(), 1u);
    EXPECT_EQ(items[3].made[0].width, 28009);
    EXPECT_EQ(items[3].made[0].height, 24934);
    CxImage image;
    for (const char* file : {"heif/bad_canvas_larger_than_declared.heic", "heif/bad_alpha_canvas_larger_than_declared.heic"}) {
        EXPECT_FALSE(image.Load(InputPath(file))) << file;
        EXPECT_EQ(image.GetLastError(), "HEIF: a canvas in the file is larger than the size it declares") << file;
    }
    // Every good picture, turned or not, of every depth, stays within what it declares.
    for (const char* file : {"heif/card.heic", "heif/orientation6.heic", "heif/ten_bit_orientation6.heic",
                             "heif/twelve_bit.heic", "avif/card.avif"})
        EXPECT_TRUE(image.Load(InputPath(file))) << file << ": " << image.GetLastError();
}

// The two probes tell the families apart by their brands: an AVIF file lists 'mif1' too.
TEST(HeifAvif, EachProbeTakesOnlyItsOwnFiles) {
    for (const char* file : {"heif/card.heic", "heif/card444.heif"}) {
        EXPECT_TRUE(ProbeHeif(ReadInput(file))) << file;
        EXPECT_FALSE(ProbeAvif(ReadInput(file))) << file;
    }
    for (const char* file : {"avif/card.avif", "avif/alpha.avif"}) {
        EXPECT_TRUE(ProbeAvif(ReadInput(file))) << file;
        EXPECT_FALSE(ProbeHeif(ReadInput(file))) << file;
    }
    std::vector<uint8_t> mp4 = ReadInput("heif/card.heic");
    std::copy_n("isom", 4, mp4.begin() + 8);  // a video's brand: major isom, compatible mif1, heic
    EXPECT_TRUE(ProbeHeif(mp4));              // still lists heic
    std::vector<uint8_t> cut(mp4.begin(), mp4.begin() + 12);
    EXPECT_FALSE(ProbeHeif(cut));
    EXPECT_FALSE(ProbeAvif(ReadInput("webp/card.webp")));
}

}  // namespace
}  // namespace gd
