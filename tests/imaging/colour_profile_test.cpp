// Pictures with an embedded colour profile come out in sRGB; the rest keep their colours.
// The inputs (tests/inputs/icc/, made by make_icc_inputs.sh) are one card of four middling
// colours stored without a profile and with Display P3 or Adobe RGB embedded unconverted.
// The reference is lcms2's own transform of the card's stored colours, and for two colours
// the sums of the colour spaces' published primaries, worked out apart from lcms2.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include <lcms2.h>

#include "imaging/cx_image.h"
#include "imaging/heif_decoder.h"
#include "imaging/icc_profile.h"
#include "tests/imaging/jpeg_segments.h"
#include "tests/imaging/test_inputs.h"

namespace gd {
namespace {

using gd::testing::ReadInput;
using gd::testing::WithProfileChunks;

Dib Decoded(const std::vector<uint8_t>& bytes, const std::string& name) {
    CxImage image;
    EXPECT_TRUE(image.Decode(std::span<const uint8_t>(bytes))) << name << ": " << image.GetLastError();
    return image.dib();
}

Dib DecodedInput(const std::string& name) { return Decoded(ReadInput(name), name); }

// lcms2's own conversion of `stored` (the colours as the file holds them) to sRGB, out of
// place, by the intent the maker uses.
Dib LcmsReference(const Dib& stored, const std::vector<uint8_t>& profile) {
    Dib out = stored;
    cmsHPROFILE source = cmsOpenProfileFromMem(profile.data(), cmsUInt32Number(profile.size()));
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    cmsHTRANSFORM t = cmsCreateTransform(source, TYPE_BGR_8, srgb, TYPE_BGR_8, INTENT_PERCEPTUAL, 0);
    EXPECT_NE(t, nullptr);
    if (t)
        for (int y = 0; y < stored.height; ++y) cmsDoTransform(t, stored.top_row(y), out.top_row(y), cmsUInt32Number(stored.width));
    if (t) cmsDeleteTransform(t);
    cmsCloseProfile(srgb);
    cmsCloseProfile(source);
    return out;
}

struct Bgr {
    int blue, green, red;
};
Bgr At(const Dib& dib, int x, int y) {
    const uint8_t* p = dib.top_row(y) + size_t(x) * 3;
    return {p[0], p[1], p[2]};
}

void ExpectNear(const Dib& dib, int x, int y, int red, int green, int blue, int tolerance, const std::string& name) {
    Bgr c = At(dib, x, y);
    EXPECT_LE(std::abs(c.red - red), tolerance) << name << " red " << c.red << " at " << x << "," << y;
    EXPECT_LE(std::abs(c.green - green), tolerance) << name << " green " << c.green;
    EXPECT_LE(std::abs(c.blue - blue), tolerance) << name << " blue " << c.blue;
}

TEST(ColourProfile, DisplayP3InEveryFormatBecomesWhatLcmsMakesOfIt) {
    const std::vector<uint8_t> p3 = ReadInput("icc/display_p3.icc");
    ASSERT_FALSE(p3.empty());
    const Dib stored = DecodedInput("icc/colours.png");
    ASSERT_TRUE(stored.valid());
    const Dib reference = LcmsReference(stored, p3);
    ASSERT_NE(reference.bits, stored.bits);  // the conversion changes these colours
    for (const char* name : {"icc/display_p3.png", "icc/display_p3.webp", "icc/display_p3.tif"}) {
        const Dib dib = DecodedInput(name);
        EXPECT_EQ(dib.bits, reference.bits) << name;
        EXPECT_TRUE(dib.alpha.empty()) << name;
    }
    // The JPEG against the same file with its profile taken out.
    const Dib jpeg_stored = DecodedInput("icc/colours.jpg");
    EXPECT_EQ(DecodedInput("icc/display_p3.jpg").bits, LcmsReference(jpeg_stored, p3).bits);
}

// HEIF and AVIF keep the profile in the container's 'colr' box; their colours as stored
// are what the decoder gives before any conversion.
TEST(ColourProfile, DisplayP3InHeifAndAvifBecomesWhatLcmsMakesOfIt) {
    const std::vector<uint8_t> p3 = ReadInput("icc/display_p3.icc");
    for (auto [name, family] : {std::pair{"icc/display_p3.heic", &kHeifFamily}, std::pair{"icc/display_p3.avif", &kAvifFamily}}) {
        const std::vector<uint8_t> file = ReadInput(name);
        Dib stored;
        ASSERT_TRUE(HeifFamilyDecode(*family, file, stored)) << name;
        const Dib reference = LcmsReference(stored, p3);
        ASSERT_NE(reference.bits, stored.bits) << name;
        EXPECT_EQ(DecodedInput(name).bits, reference.bits) << name;
        ExpectNear(DecodedInput(name), 4, 4, 215, 93, 31, 3, name);
    }
}

TEST(ColourProfile, ColoursMatchThePublishedPrimaries) {
    // P3 (200, 100, 50) and (40, 80, 200) in sRGB by the primaries' matrices; the P3 green
    // (60, 160, 90) lies outside sRGB, its red clipped to 0; grey stays grey.
    const Dib p3 = DecodedInput("icc/display_p3.png");
    ASSERT_TRUE(p3.valid());
    ExpectNear(p3, 4, 4, 215, 93, 31, 2, "P3 orange");
    ExpectNear(p3, 20, 4, 0, 163, 82, 2, "P3 green");
    ExpectNear(p3, 4, 16, 22, 81, 208, 2, "P3 blue");
    ExpectNear(p3, 20, 16, 128, 128, 128, 1, "P3 grey");
    // Adobe RGB (200, 100, 50) and (40, 80, 200), from a JPEG of quality 95.
    const Dib adobe = DecodedInput("icc/adobe_rgb.jpg");
    ASSERT_TRUE(adobe.valid());
    ExpectNear(adobe, 4, 4, 227, 100, 42, 3, "Adobe orange");
    ExpectNear(adobe, 4, 16, 0, 79, 205, 3, "Adobe blue");
    EXPECT_EQ(adobe.bits, LcmsReference(DecodedInput("icc/colours.jpg"), ReadInput("icc/adobe_rgb.icc")).bits);
}

TEST(ColourProfile, JpegChunksAreReassembledInTheirNumberedOrder) {
    const std::vector<uint8_t> plain = ReadInput("icc/colours.jpg");
    const std::vector<uint8_t> p3 = ReadInput("icc/display_p3.icc");
    ASSERT_GT(p3.size(), 3000u);
    const Dib expected = LcmsReference(Decoded(plain, "plain"), p3);
    EXPECT_EQ(Decoded(WithProfileChunks(plain, p3, 65519, {1}), "one chunk").bits, expected.bits);
    EXPECT_EQ(Decoded(WithProfileChunks(plain, p3, 3000, {1, 2, 3}), "in order").bits, expected.bits);
    EXPECT_EQ(Decoded(WithProfileChunks(plain, p3, 3000, {3, 1, 2}), "out of order").bits, expected.bits);
    // A chunk missing or given twice: no profile can be trusted, the colours stay.
    const Dib stored = Decoded(plain, "plain");
    EXPECT_EQ(Decoded(WithProfileChunks(plain, p3, 3000, {3, 1}), "missing").bits, stored.bits);
    EXPECT_EQ(Decoded(WithProfileChunks(plain, p3, 3000, {1, 2, 2, 3}), "twice").bits, stored.bits);
}

// An RGB device link that darkens every channel: a mapping of colours, not a colour space.
std::vector<uint8_t> RgbLink() {
    cmsToneCurve* dark = cmsBuildGamma(nullptr, 3.0);
    cmsToneCurve* curves[3] = {dark, dark, dark};
    cmsHPROFILE link = cmsCreateLinearizationDeviceLink(cmsSigRgbData, curves);
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(link, nullptr, &size);
    std::vector<uint8_t> bytes(size);
    cmsSaveProfileToMem(link, bytes.data(), &size);
    cmsCloseProfile(link);
    cmsFreeToneCurve(dark);
    return bytes;
}

TEST(ColourProfile, UnusableProfilesLeaveThePictureAsItIs) {
    const std::vector<uint8_t> plain = ReadInput("icc/colours.jpg");
    const Dib stored = Decoded(plain, "plain");
    ASSERT_TRUE(stored.valid());
    std::vector<uint8_t> cut = ReadInput("icc/display_p3.icc");
    cut.resize(cut.size() / 2);
    std::vector<uint8_t> scrambled = ReadInput("icc/display_p3.icc");
    for (size_t i = 128; i < scrambled.size(); i += 7) scrambled[i] ^= 0x5A;  // the tag table and tags
    std::vector<uint8_t> noise(600, 0xA5);
    const std::vector<std::pair<const char*, std::vector<uint8_t>>> profiles = {
        {"cut short", cut},   {"scrambled", scrambled},       {"noise", noise}, {"grey", ReadInput("icc/grey.icc")},
        {"link", RgbLink()}};
    for (const auto& [name, profile] : profiles) {
        ASSERT_FALSE(profile.empty()) << name;
        const std::vector<uint8_t> jpeg = WithProfileChunks(plain, profile, 65519, {1});
        EXPECT_EQ(Decoded(jpeg, name).bits, stored.bits) << name;
        Dib dib = stored;
        EXPECT_FALSE(ConvertToSrgb(dib, profile).ok()) << name;
        EXPECT_EQ(dib.bits, stored.bits) << name;
    }
    // A PNG whose profile chunk is damaged is still read, in its stored colours.
    std::vector<uint8_t> png = ReadInput("icc/display_p3.png");
    auto at = std::search(png.begin(), png.end(), std::begin("iCCP"), std::end("iCCP") - 1);
    ASSERT_NE(at, png.end());
    at[40] ^= 0xFF;
    EXPECT_EQ(Decoded(png, "damaged iCCP").bits, DecodedInput("icc/colours.png").bits);
}

TEST(ColourProfile, PalettesAreConvertedAndGreyRampsKept) {
    const std::vector<uint8_t> p3 = ReadInput("icc/display_p3.icc");
    Dib palette;
    ASSERT_TRUE(DibFromIndices(palette, 2, 1, std::vector<uint8_t>{0, 1},
                               std::vector<RgbQuad>{MakeQuad(200, 100, 50), MakeQuad(40, 80, 200)}).ok());
    const std::vector<uint8_t> indices = palette.bits;
    ASSERT_TRUE(ConvertToSrgb(palette, p3).ok());
    EXPECT_EQ(palette.bits, indices);
    EXPECT_NEAR(palette.palette[0].red, 215, 2);
    EXPECT_NEAR(palette.palette[0].green, 93, 2);
    EXPECT_NEAR(palette.palette[0].blue, 31, 2);
    EXPECT_NEAR(palette.palette[1].blue, 208, 2);

    Dib grey;
    ASSERT_TRUE(DibFromIndices(grey, 2, 1, std::vector<uint8_t>{0, 200}, GreyRamp(256)).ok());
    const Dib before = grey;
    EXPECT_TRUE(ConvertToSrgb(grey, p3).ok());
    EXPECT_EQ(grey.palette, before.palette);

    Dib rgb = DecodedInput("icc/colours.png");
    const Dib unchanged = rgb;
    EXPECT_TRUE(ConvertToSrgb(rgb, {}).ok());
    EXPECT_EQ(rgb.bits, unchanged.bits);
}

std::vector<uint8_t> Saved(cmsHPROFILE profile) {
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(profile, nullptr, &size);
    std::vector<uint8_t> bytes(size);
    cmsSaveProfileToMem(profile, bytes.data(), &size);
    cmsCloseProfile(profile);
    return bytes;
}

// A version-2 profile of sRGB's primaries and white with `curve` for every channel, as
// cameras and editors write them.
std::vector<uint8_t> SrgbPrimariesWith(cmsToneCurve* curve) {
    const cmsCIExyY d65 = {0.3127, 0.3290, 1.0};
    const cmsCIExyYTRIPLE primaries = {{0.64, 0.33, 1}, {0.30, 0.60, 1}, {0.15, 0.06, 1}};
    cmsToneCurve* curves[3] = {curve, curve, curve};
    cmsHPROFILE profile = cmsCreateRGBProfile(&d65, &primaries, curves);
    cmsSetProfileVersion(profile, 2.1);
    cmsFreeToneCurve(curve);
    return Saved(profile);
}

// sRGB's curve as a table of 1024 entries.
cmsToneCurve* TabulatedSrgbCurve() {
    std::vector<cmsUInt16Number> table(1024);
    for (size_t i = 0; i < table.size(); ++i) {
        const double v = double(i) / double(table.size() - 1);
        const double linear = v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        table[i] = cmsUInt16Number(std::lround(linear * 65535));
    }
    return cmsBuildTabulatedToneCurve16(nullptr, cmsUInt32Number(table.size()), table.data());
}

// Colours all over the cube, dark ones included, where curves differ most.
Dib ColourSpread() {
    Dib dib;
    EXPECT_TRUE(AllocateDib(dib, 256, 64, 24).ok());
    for (int y = 0; y < dib.height; ++y)
        for (int x = 0; x < dib.width; ++x) {
            uint8_t* p = dib.top_row(y) + size_t(x) * 3;
            p[0] = uint8_t(x), p[1] = uint8_t(x * 7 + y * 13), p[2] = uint8_t(y * 4 + x / 2);
        }
    return dib;
}

// A photo tagged sRGB (the commonest profile) keeps its stored bytes, whichever way the
// profile was written; a profile of sRGB's primaries with another curve is converted.
TEST(ColourProfile, AnSrgbProfileLeavesThePictureByteForByte) {
    const Dib spread = ColourSpread();
    const std::vector<std::pair<const char*, std::vector<uint8_t>>> srgb_profiles = {
        {"lcms2's sRGB", Saved(cmsCreate_sRGBProfile())}, {"tabulated curve", SrgbPrimariesWith(TabulatedSrgbCurve())}};
    for (const auto& [name, profile] : srgb_profiles) {
        Dib dib = spread;
        EXPECT_TRUE(ConvertToSrgb(dib, profile).ok()) << name;
        EXPECT_EQ(dib.bits, spread.bits) << name;
    }
    Dib gamma = spread;
    EXPECT_TRUE(ConvertToSrgb(gamma, SrgbPrimariesWith(cmsBuildGamma(nullptr, 2.2))).ok());
    EXPECT_NE(gamma.bits, spread.bits) << "gamma 2.2 is not sRGB's curve";

    const std::vector<uint8_t> plain = ReadInput("icc/colours.jpg");
    const std::vector<uint8_t> tagged = WithProfileChunks(plain, srgb_profiles[1].second, 65519, {1});
    EXPECT_EQ(Decoded(tagged, "sRGB JPEG").bits, Decoded(plain, "plain").bits);
}

// Told to keep colours as stored, the facade ignores a profile, as the maker did before
// it read them (a project saved then still makes the same pictures).
TEST(ColourProfile, TrueColoursOffKeepsTheStoredColours) {
    for (const char* format : {"jpg", "png"}) {
        const std::string tagged = std::string("icc/display_p3.") + format;
        const std::vector<uint8_t> bytes = ReadInput(tagged);
        CxImage image;
        image.SetTrueColours(false);
        ASSERT_TRUE(image.Decode(std::span<const uint8_t>(bytes))) << tagged;
        const Dib stored = DecodedInput(std::string("icc/colours.") + format);
        EXPECT_EQ(image.dib().bits, stored.bits) << tagged;
        EXPECT_NE(DecodedInput(tagged).bits, stored.bits) << tagged << ": converted by default";
        EXPECT_TRUE(image.dib().colour_profile.empty()) << "the facade lets the profile go";
    }
}

}  // namespace
}  // namespace gd
