// The whole build with the real image facade and resource editor, read back from the
// made file with the resource reader.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "common/caption_record.h"
#include "common/music_entry.h"
#include "common/resource_types.h"
#include "common/saver_config.h"
#include "imaging/cx_image.h"
#include "maker/project/editor_target.h"
#include "maker/project/picture_encoding.h"
#include "maker/project/saver_builder.h"
#include "resources/byte_source.h"
#include "resources/resource_table.h"
#include "tests/common/host_path.h"
#include "tests/maker/project/build_fakes.h"
#include "tests/maker/project/temp_folder.h"

namespace gd {
namespace {

using gd::testing::HostPath;

std::string Inputs() { return std::getenv("GD_TEST_INPUTS"); }
std::string Input(const std::string& name) { return HostPath(Inputs() + "/project/" + name); }

// The runtime template when the Windows build made it, else a small executable of the
// Windows build's tests.
std::string TemplateFile() {
    for (const char* candidate : {GD_RUNTIME_TEMPLATE, GD_PROBE_EXECUTABLE})
        if (std::filesystem::exists(HostPath(candidate))) return HostPath(candidate);
    return {};
}

class Pipeline : public ::testing::Test {
protected:
    void SetUp() override {
        std::string source = TemplateFile();
        if (source.empty()) GTEST_SKIP() << "no Windows executable in this build to use as the template";
        std::filesystem::create_directories(program.path() / "data");
        std::filesystem::copy_file(source, program.File("data/data1.dat"));
        project.szName = "Pipeline";
        project.szOutputFolder = program.path().string();
        project.bSelfInstall = 0;
    }

    std::vector<std::string> Build() {
        CxPictureEncoder encoder;
        EditorTargetFactory targets;
        test::FakeQuestions questions;
        test::FakePlatform platform;
        BuildLogMailbox log;
        CSaverBuilder builder(project, program.path().string(), log, {encoder, targets, questions, platform, 2});
        auto lines = test::RunBuild(builder, log);
        output = builder.OutputPath();
        return lines;
    }

    std::vector<uint8_t> Entry(const res::PeResources& pe, uint16_t type, uint16_t id) {
        const res::ResourceEntry* e = pe.table.Find(type, id, kSaverResourceLanguage);
        if (!e) return {};
        auto source = res::FileSource::Open(output);
        if (!source) return {};
        auto bytes = res::ReadEntryBytes(*source, *e);
        return bytes ? bytes.value() : std::vector<uint8_t>{};
    }

    // The entry decodes in the given format at the given size.
    void ExpectPicture(const res::PeResources& pe, uint16_t id, int format, int width, int height) {
        std::vector<uint8_t> bytes = Entry(pe, RT_SAVER_PICTURE, id);
        ASSERT_FALSE(bytes.empty()) << id;
        CxImage image;
        ASSERT_TRUE(image.Decode(std::span<const uint8_t>(bytes), format)) << id;
        EXPECT_EQ(image.GetWidth(), width) << id;
        EXPECT_EQ(image.GetHeight(), height) << id;
    }

    test::TempFolder program;
    CParamData project;
    std::string output;
};

TEST_F(Pipeline, EveryEntryIsReadableFromTheMadeFileAndGifStaysByteForByte) {
    for (const char* name : {"truecolor.jpg", "broken.jpg", "photo.gif"}) project.pictureList.push_back({Input(name), {}});
    project.pictureList[2].szCaption = " Gif caption ";
    project.musicList.push_back(program.Write("song.midi", "MThd-bytes"));
    auto lines = Build();
    char size[64];
    std::snprintf(size, sizeof size, "Screensaver final size : %.2f M",
                  double(std::filesystem::file_size(output)) / 1048576.0);
    CxImage broken;
    ASSERT_FALSE(broken.Load(Input("broken.jpg")));
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "Added picture: " + Input("truecolor.jpg"), "Fail to load picture : " + Input("broken.jpg"),
                         "Reason: " + broken.GetLastError(),  // the decoder's own words
                         "Added picture: " + Input("photo.gif"), "Added music: " + project.musicList[0],
                         "Added screensaver configuration!", size,
                         "Make screensaver succeed : " + output,
                         "1 of 3 pictures could not be used: broken.jpg"}));

    auto pe = res::ReadPeResources(output);
    ASSERT_TRUE(pe) << pe.error();
    ExpectPicture(pe.value(), 0, kFormatJpeg, 44, 28);
    ExpectPicture(pe.value(), 1, kFormatGif, 40, 30);
    EXPECT_TRUE(Entry(pe.value(), RT_SAVER_PICTURE, 2).empty());
    EXPECT_EQ(Entry(pe.value(), RT_SAVER_PICTURE, 1), test::ReadBytes(Input("photo.gif")));

    auto caption = DecodeCaptionRecord(Entry(pe.value(), RT_SAVER_CAPTION, 1));
    ASSERT_TRUE(caption);
    EXPECT_EQ(caption->text, "Gif caption");
    EXPECT_TRUE(Entry(pe.value(), RT_SAVER_CAPTION, 0).empty());

    auto music = DecodeMusicEntry(Entry(pe.value(), RT_SAVER_MUSIC, 0));
    ASSERT_TRUE(music);
    EXPECT_EQ(music->extension, "MID");
    EXPECT_EQ(std::string(music->data.begin(), music->data.end()), "MThd-bytes");

    auto config = DecodeSaverConfig(Entry(pe.value(), RT_SAVER_CONFIG, 0));
    ASSERT_TRUE(config);
    EXPECT_EQ(config->picture_count, 2);
    EXPECT_EQ(config->music_count, 1);
    EXPECT_EQ(config->name, "Pipeline");

    // The template's own entries are all still there.
    auto before = res::ReadPeResources(program.File("data/data1.dat"));
    ASSERT_TRUE(before);
    for (const auto& e : before->table.entries) {
        bool found = false;
        for (const auto& a : pe->table.entries) found = found || a.key == e.key;
        EXPECT_TRUE(found);
    }
}

// A box to fit: larger pictures shrink into it keeping their aspect, smaller ones and GIF
// files stay as they are; a WebP picture becomes a JPEG like the others.
TEST_F(Pipeline, PicturesLargerThanTheBoxAreFittedAndNoneIsEnlarged) {
    for (const char* name : {"truecolor.jpg", "photo.gif"}) project.pictureList.push_back({Input(name), {}});
    project.pictureList.push_back({HostPath(Inputs() + "/webp/card.webp"), {}});
    project.pictureList.push_back({HostPath(Inputs() + "/webp/lossy.webp"), {}});
    project.nFitWidth = 22;  // any height
    project.nFitHeight = 0;
    Build();
    auto pe = res::ReadPeResources(output);
    ASSERT_TRUE(pe) << pe.error();
    ExpectPicture(pe.value(), 0, kFormatJpeg, 22, 14);  // 44 x 28 halved
    EXPECT_EQ(Entry(pe.value(), RT_SAVER_PICTURE, 1), test::ReadBytes(Input("photo.gif")));
    ExpectPicture(pe.value(), 2, kFormatJpeg, 22, 17);  // 32 x 24 scaled by 22/32: 16.5 rounds up

    project.nFitWidth = 100;  // both pictures fit: nothing changes
    project.nFitHeight = 20;  // ... but this side limits: 28 -> 20, and 24 -> 20
    Build();
    pe = res::ReadPeResources(output);
    ASSERT_TRUE(pe) << pe.error();
    ExpectPicture(pe.value(), 0, kFormatJpeg, 31, 20);  // 44 x 20/28 = 31.4
    ExpectPicture(pe.value(), 3, kFormatJpeg, 27, 20);  // 32 x 20/24 = 26.7

    project.nFitWidth = 4000;
    project.nFitHeight = 3000;
    Build();
    pe = res::ReadPeResources(output);
    ASSERT_TRUE(pe) << pe.error();
    ExpectPicture(pe.value(), 0, kFormatJpeg, 44, 28);  // never enlarged
    ExpectPicture(pe.value(), 3, kFormatJpeg, 32, 24);
}

// A Display P3 photo is made in sRGB when the project follows colour profiles; a project
// that does not (one saved before it could) makes it from its stored colours, the same
// picture as one without a profile.
TEST_F(Pipeline, TrueColoursDecideWhetherAProfileIsFollowed) {
    for (const char* name : {"display_p3.jpg", "colours.jpg"})
        project.pictureList.push_back({HostPath(Inputs() + "/icc/" + name), {}});
    for (int32_t on : {0, 1}) {
        project.bTrueColours = on;
        Build();
        auto pe = res::ReadPeResources(output);
        ASSERT_TRUE(pe) << pe.error();
        const std::vector<uint8_t> tagged = Entry(pe.value(), RT_SAVER_PICTURE, 0);
        ASSERT_FALSE(tagged.empty());
        EXPECT_EQ(tagged == Entry(pe.value(), RT_SAVER_PICTURE, 1), on == 0) << "bTrueColours=" << on;
    }
}

TEST_F(Pipeline, OtherFormatsBecomeJpeg) {
    for (const char* name : {"truecolor.png", "truecolor.tif", "truecolor.pcx", "truecolor.tga"})
        project.pictureList.push_back({Input(name), {}});
    auto lines = Build();
    ASSERT_GE(lines.size(), 4u);
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(lines[i], "Added picture: " + project.pictureList[i].szFile);
    auto pe = res::ReadPeResources(output);
    ASSERT_TRUE(pe) << pe.error();
    ExpectPicture(pe.value(), 0, kFormatJpeg, 40, 30);
    for (uint16_t id = 1; id < 4; ++id) ExpectPicture(pe.value(), id, kFormatJpeg, 36, 20);
}

// Palette pictures whose palette is not a grey ramp, which JPEG refuses, are kept as GIF
// whatever their type, pixel for pixel; none is lost.
TEST_F(Pipeline, PalettePicturesJpegRefusesBecomeGifWithTheSamePixels) {
    const std::vector<std::string> sources = {Input("palette.bmp"),       Input("palette.png"),
                                              Input("grey_unsorted.png"), HostPath(Inputs() + "/jbig/bw.jbg"),
                                              Input("palette16.tga"),     Input("palette16.pcx")};
    for (const std::string& path : sources) project.pictureList.push_back({path, {}});
    auto lines = Build();
    ASSERT_GE(lines.size(), sources.size());
    auto pe = res::ReadPeResources(output);
    ASSERT_TRUE(pe) << pe.error();
    for (size_t i = 0; i < sources.size(); ++i) {
        EXPECT_EQ(lines[i], "Added picture: " + sources[i]);
        CxImage source, embedded;
        ASSERT_TRUE(source.Load(sources[i])) << sources[i];
        ASSERT_LE(source.GetBpp(), 8) << sources[i];
        std::vector<uint8_t> bytes = Entry(pe.value(), RT_SAVER_PICTURE, uint16_t(i));
        ASSERT_TRUE(embedded.Decode(std::span<const uint8_t>(bytes), kFormatGif)) << sources[i];
        ASSERT_EQ(embedded.GetWidth(), source.GetWidth());
        ASSERT_EQ(embedded.GetHeight(), source.GetHeight());
        int differing = 0;
        for (int y = 0; y < source.GetHeight(); ++y)
            for (int x = 0; x < source.GetWidth(); ++x) differing += embedded.GetPixelColor(x, y) != source.GetPixelColor(x, y);
        EXPECT_EQ(differing, 0) << sources[i];
    }
}

// A see-through picture of any format sits on the show's background colour.
TEST_F(Pipeline, AlphaIsLaidOverTheBackgroundColourForEveryFormat) {
    const std::vector<std::string> names = {"half_red_rgba.png", "half_red_palette.png", "half_red.tif", "half_red.tga",
                                            "half_red_v3.bmp",   "half_red_v5.bmp",      "half_red.ico"};
    for (const std::string& name : names) project.pictureList.push_back({HostPath(Inputs() + "/alpha/" + name), {}});
    project.crBgColor = 0xFF0000;  // 0x00BBGGRR: blue
    auto lines = Build();
    ASSERT_GE(lines.size(), names.size());
    auto pe = res::ReadPeResources(output);
    ASSERT_TRUE(pe) << pe.error();
    for (size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(lines[i], "Added picture: " + project.pictureList[i].szFile);
        std::vector<uint8_t> bytes = Entry(pe.value(), RT_SAVER_PICTURE, uint16_t(i));
        CxImage embedded;
        ASSERT_TRUE(embedded.Decode(std::span<const uint8_t>(bytes), kFormatJpeg)) << names[i];
        Pixel p = embedded.GetPixelColor(2, 2);
        // Half red over blue: 128, 0, 127, give or take what JPEG does to colours.
        EXPECT_NEAR(PixelRed(p), 128, 4) << names[i];
        EXPECT_NEAR(PixelGreen(p), 0, 4) << names[i];
        EXPECT_NEAR(PixelBlue(p), 127, 4) << names[i];
    }
}

// The template ships stripped, so a made screensaver carries only what it runs.
TEST(RuntimeTemplate, HasNoDebuggingSectionsOrSymbolTable) {
    const std::string path = HostPath(GD_RUNTIME_TEMPLATE);
    if (!std::filesystem::exists(path)) GTEST_SKIP() << "no runtime template in this build";
    auto pe = res::ReadPeResources(path);
    ASSERT_TRUE(pe) << pe.error();
    EXPECT_EQ(pe->headers.symbol_table_offset, 0u);
    for (const auto& section : pe->headers.sections) {
        std::string name(section.name.begin(), section.name.end());
        EXPECT_NE(name.rfind(".debug", 0), 0u) << name;
        EXPECT_NE(name.rfind("/", 0), 0u) << name;  // a long (debugging) name in the string table
    }
}

}  // namespace
}  // namespace gd
