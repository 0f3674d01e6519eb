// The picture entries the build embeds: a project without a box makes the bytes it always
// made, and a JPEG far larger than its box is decoded at a reduced size, then filtered.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "imaging/cx_image.h"
#include "maker/project/image_type.h"
#include "maker/project/picture_encoding.h"
#include "tests/common/host_path.h"
#include "tests/imaging/jpeg_segments.h"
#include "tests/maker/project/temp_folder.h"

namespace gd {
namespace {

std::string InputFile(const std::string& name) { return testing::HostPath(std::string(std::getenv("GD_TEST_INPUTS")) + "/" + name); }

uint64_t Fnv1a(const std::vector<uint8_t>& bytes) {
    uint64_t h = 0xcbf29ce484222325ull;
    for (uint8_t b : bytes) h = (h ^ b) * 0x100000001b3ull;
    return h;
}

// A 640 x 480 photo-like picture: smooth gradients under fine stripes, as JPEG.
std::vector<uint8_t> PatternJpeg() {
    CxImage image;
    uint8_t* bits = image.Create(640, 480, 24);
    EXPECT_NE(bits, nullptr);
    for (int y = 0; y < 480; ++y) {
        uint8_t* row = bits + size_t(479 - y) * image.GetEffWidth();
        for (int x = 0; x < 640; ++x, row += 3) {
            const int stripe = (x / 3 + y / 5) % 2 ? 24 : 0;
            row[0] = uint8_t(x * 200 / 640 + stripe);
            row[1] = uint8_t(y * 200 / 480 + stripe);
            row[2] = uint8_t((x + y) * 100 / 1120 + 100);
        }
    }
    std::vector<uint8_t> jpeg;
    EXPECT_TRUE(image.Encode(jpeg, kFormatJpeg)) << image.GetLastError();
    return jpeg;
}

PictureEntry Encode(const std::string& path, int type, int box_width = 0, int box_height = 0) {
    return CxPictureEncoder().Encode(path, type, PictureShape{0x00336699, box_width, box_height});
}

CxImage Decoded(const PictureEntry& entry) {
    CxImage image;
    EXPECT_TRUE(image.Decode(std::span<const uint8_t>(entry.bytes))) << image.GetLastError();
    return image;
}

// The entries below were made before pictures could be decoded at a reduced size or
// converted from a colour profile: without a box, and with one they fit, the build still
// makes them byte for byte.
TEST(PictureEncoding, UnfittedPicturesKeepTheBytesTheyAlwaysHad) {
    test::TempFolder folder;
    const std::string pattern = folder.Write("pattern.jpg", PatternJpeg());
    struct Pinned {
        std::string path;
        int type;
        size_t size;
        uint64_t hash;
    };
    const Pinned pinned[] = {
        {pattern, kImageJpeg, 60169, 0xdba014179ee11ca7},
        {InputFile("jpeg/card.jpg"), kImageJpeg, 743, 0xd1b218e815afc441},
        {InputFile("jpeg/grey.jpg"), kImageJpeg, 392, 0x4488a758409059be},
        {InputFile("jpeg/cmyk.jpg"), kImageJpeg, 742, 0x2f5774c63a2460ca},
        {InputFile("png/alpha.png"), kImagePng, 739, 0xcf6b72f750ff721b},
        {InputFile("icc/colours.jpg"), kImageJpeg, 708, 0xb9259306b052bedb},
    };
    for (const Pinned& p : pinned) {
        const PictureEntry entry = Encode(p.path, p.type);
        ASSERT_EQ(entry.outcome, PictureOutcome::kOk) << p.path << ": " << entry.reason;
        EXPECT_EQ(entry.bytes.size(), p.size) << p.path;
        EXPECT_EQ(Fnv1a(entry.bytes), p.hash) << p.path << " " << std::hex << Fnv1a(entry.bytes);
        EXPECT_EQ(Encode(p.path, p.type, 640, 480).bytes, entry.bytes) << p.path;  // it fits: no change
    }
}

TEST(PictureEncoding, LargeJpegsAreDecodedReducedThenFiltered) {
    test::TempFolder folder;
    const std::string pattern = folder.Write("pattern.jpg", PatternJpeg());
    // Decoded at a quarter (2/8) for a box a quarter of its size, at half for one a bit
    // under half, whole for one more than half.
    for (auto [box_width, decoded_width] : {std::pair{160, 160}, std::pair{300, 320}, std::pair{400, 640}}) {
        CxImage image;
        image.SetDecodeBox(box_width, box_width);
        ASSERT_TRUE(image.Load(pattern)) << image.GetLastError();
        EXPECT_EQ(image.GetWidth(), decoded_width) << box_width;
        EXPECT_EQ(image.GetHeight(), decoded_width * 3 / 4) << box_width;
    }
    // The made entry has the fitted size and, within the filters' difference, the pixels of
    // the whole picture shrunk.
    const PictureEntry fitted = Encode(pattern, kImageJpeg, 160, 160);
    ASSERT_EQ(fitted.outcome, PictureOutcome::kOk) << fitted.reason;
    const CxImage reduced = Decoded(fitted);
    ASSERT_EQ(reduced.GetWidth(), 160);
    ASSERT_EQ(reduced.GetHeight(), 120);
    CxImage whole;
    ASSERT_TRUE(whole.Load(pattern));
    ASSERT_TRUE(whole.ShrinkToFit(160, 160));
    long total = 0;
    int worst = 0;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 160; ++x) {
            const Pixel a = reduced.GetPixelColor(x, y), b = whole.GetPixelColor(x, y);
            for (int shift : {0, 8, 16}) {
                const int d = std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF));
                total += d;
                worst = std::max(worst, d);
            }
        }
    EXPECT_LT(double(total) / (160 * 120 * 3), 3.0);
    EXPECT_LT(worst, 40);
    // Less than twice the box: decoded whole, the same bytes as before reduced decoding.
    const PictureEntry near = Encode(pattern, kImageJpeg, 400, 400);
    CxImage shrunk;
    ASSERT_TRUE(shrunk.Load(pattern));
    ASSERT_TRUE(shrunk.ShrinkToFit(400, 400));
    std::vector<uint8_t> expected;
    ASSERT_TRUE(shrunk.Encode(expected, kFormatJpeg));
    EXPECT_EQ(near.bytes, expected);
}

TEST(PictureEncoding, APictureOnItsSideIsReducedForItsUprightBox) {
    // Stored 640 x 480 and turned a quarter (EXIF 6): upright 480 x 640. Into a width of
    // 240 it fits as 240 x 320, which its half decode covers; a box read in the stored
    // orientation would have allowed 3/8, 180 pixels wide once upright.
    test::TempFolder folder;
    const std::string turned = folder.Write("turned.jpg", testing::WithOrientation(PatternJpeg(), 6, false));
    CxImage image;
    image.SetDecodeBox(240, 0);
    ASSERT_TRUE(image.Load(turned)) << image.GetLastError();
    EXPECT_EQ(image.GetWidth(), 240);
    EXPECT_EQ(image.GetHeight(), 320);
    const CxImage made = Decoded(Encode(turned, kImageJpeg, 240, 0));
    EXPECT_EQ(made.GetWidth(), 240);
    EXPECT_EQ(made.GetHeight(), 320);
}

}  // namespace
}  // namespace gd
