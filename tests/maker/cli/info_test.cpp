#include <gtest/gtest.h>

#include <cstdio>

#include "common/caption_record.h"
#include "common/caption_texts.h"
#include "common/music_entry.h"
#include "common/resource_types.h"
#include "common/saver_config.h"
#include "common/saver_extras.h"
#include "imaging/cx_image.h"
#include "maker/cli/command.h"
#include "maker/cli/exe_info.h"
#include "resources/icon_file.h"
#include "resources/resource_editor.h"
#include "tests/resources/sample_files.h"

namespace gd::cli {
int RunInfoTo(std::span<const std::string_view> args, std::FILE* out, std::FILE* err);
namespace {

std::vector<uint8_t> Picture(int width, int height, int bits, int format) {
    CxImage image;
    EXPECT_NE(image.Create(width, height, bits), nullptr);
    std::vector<uint8_t> out;
    EXPECT_TRUE(image.Encode(out, format)) << image.GetLastError();
    return out;
}

// Runs the command and returns its exit code, standard output and error.
struct InfoRun {
    int code;
    std::string out, err;
};
InfoRun Info(std::vector<std::string_view> args) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    int code = RunInfoTo(args, out, err);
    auto text = [](std::FILE* f) {
        std::string s;
        std::rewind(f);
        for (int c; (c = std::fgetc(f)) != EOF;) s.push_back(char(c));
        std::fclose(f);
        return s;
    };
    return {code, text(out), text(err)};
}

class InfoOnASaver : public ::testing::Test {
protected:
    void SetUp() override {
        std::string sample = res::test::SamplePath("resource_probe.exe");
        if (sample.empty()) GTEST_SKIP() << "no Windows build, so no sample executable";
        path_ = dir_.Copy(sample, "show.scr");
        res::ResourceEditor editor;
        ASSERT_TRUE(editor.Open(path_));
        ASSERT_TRUE(res::StageIcon(res::test::InputPath("ico/three_images.ico"), editor));
        auto w = [&](uint16_t type, uint16_t id, const std::vector<uint8_t>& b) {
            ASSERT_TRUE(editor.Write(type, id, kSaverResourceLanguage, b));
        };
        w(RT_SAVER_PICTURE, 0, Picture(40, 30, 24, kFormatJpeg));
        w(RT_SAVER_PICTURE, 1, Picture(7, 5, 8, kFormatGif));
        w(RT_SAVER_PICTURE, 2, {1, 2, 3});
        CaptionRecord caption;
        caption.text = "Quote \" and\ttab";
        caption.position = 7;
        caption.color = 0x00112233;
        caption.font.face_name = "Arial";
        w(RT_SAVER_CAPTION, 0, EncodeCaptionRecord(caption));
        w(RT_SAVER_CAPTION, 1, std::vector<uint8_t>(135, 0));
        w(RT_SAVER_MUSIC, 0, EncodeMusicEntry({"MID", std::vector<uint8_t>(1000, 7)}));
        SaverConfig config;
        config.name = "Harbour Lights";
        config.picture_count = 3;
        config.bg_color = 0x00FF0000;
        config.effect_on[2] = config.effect_on[44] = 1;
        w(RT_SAVER_CONFIG, 0, EncodeSaverConfig(config));
        // The show extras: bMovePicture, and entries of a later maker.
        w(RT_SAVER_EXTRAS, 0,
          EncodeKeyedRecord(kSaverExtrasMagic, {Int32Entry("bMovePicture", 0), Int32Entry("nLater", 7),
                                                KeyedEntry{"szLater", uint8_t(EntryType::kText16), {'h', 0, 'i', 0}}}));
        ASSERT_TRUE(editor.Commit()) << editor.error();
    }
    void ReplaceExtras(const std::vector<uint8_t>& bytes) {
        res::ResourceEditor editor;
        ASSERT_TRUE(editor.Open(path_));
        ASSERT_TRUE(editor.Write(RT_SAVER_EXTRAS, 0, kSaverResourceLanguage, bytes));
        ASSERT_TRUE(editor.Commit()) << editor.error();
    }
    res::test::ScratchDir dir_;
    std::string path_;
};

TEST_F(InfoOnASaver, DecodesThePayload) {
    auto info = ReadExeInfo(path_);
    ASSERT_TRUE(info) << info.error();
    ASSERT_EQ(info->pictures.size(), 3u);
    EXPECT_EQ(info->pictures[0].format, "JPEG");
    EXPECT_EQ(info->pictures[0].width, 40);
    EXPECT_EQ(info->pictures[0].height, 30);
    EXPECT_EQ(info->pictures[1].format, "GIF");
    EXPECT_EQ(info->pictures[1].width, 7);
    EXPECT_EQ(info->pictures[2].format, "unknown");
    EXPECT_EQ(info->pictures[2].width, 0);
    ASSERT_EQ(info->captions.size(), 2u);
    ASSERT_TRUE(info->captions[0].record);
    EXPECT_EQ(info->captions[0].record->position, 7);
    EXPECT_FALSE(info->captions[1].record) << "a 135-byte caption is not a record";
    ASSERT_EQ(info->music.size(), 1u);
    EXPECT_EQ(info->music[0].extension, "MID");
    EXPECT_EQ(info->music[0].data_size, 1000u);
    ASSERT_TRUE(info->config);
    EXPECT_EQ(info->config->name, "Harbour Lights");
    ASSERT_EQ(info->icon_images.size(), 3u);
    EXPECT_EQ(info->icon_images[0].width, 48);
    EXPECT_TRUE(info->icon_images[2].present);
}

TEST_F(InfoOnASaver, PrintsTextAndJson) {
    InfoRun text = Info({path_});
    ASSERT_EQ(text.code, kExitOk) << text.err;
    // The field names and the colour notation of 'glimmerdeck show'.
    const std::string effects = "001" + std::string(41, '0') + "1" + std::string(19, '0');
    for (const std::string& line : {std::string("  szName: \"Harbour Lights\"\n"), std::string("  crBgColor: #0000FF\n"),
                                   "  bEffectOn: " + effects + "\n", std::string("crCaptionColor #332211"),
                                   std::string("  0: JPEG 40x30, "), std::string("  1: GIF 7x5, "),
                                   std::string("  2: unknown undecodable, 3 bytes\n"),
                                   std::string("  1: 135 bytes, not a 136-byte record\n"), std::string("  0: \"MID\", 1000 bytes\n"),
                                   std::string("icon group 128: 3 images\n"), std::string("  1: 48x48, 32 bits, "),
                                   std::string("show extras: 67 bytes\n  bMovePicture: 0\n  nLater: int32 7 (not known to "
                                               "this version)\n  szLater: \"hi\" (not known to this version)\n"),
                                   std::string("texts in Unicode: none (the configuration's texts are shown as ANSI text)\n")})
        EXPECT_NE(text.out.find(line), std::string::npos) << line << "\n" << text.out;

    InfoRun json = Info({path_, "--json"});
    ASSERT_EQ(json.code, kExitOk) << json.err;
    for (const char* part : {"\"szName\":\"Harbour Lights\"", "\"crBgColor\":\"#0000FF\"", "\"format\":\"GIF\",\"width\":7,\"height\":5",
                             "\"szCaption\":\"Quote \\\" and\\u0009tab\"", "\"crCaptionColor\":\"#332211\"",
                             "\"extension\":\"MID\",\"size\":1000", "\"lfBanner\":{\"lfHeight\":0,",
                             "\"icon_group\":[{\"id\":1,\"width\":48,\"height\":48",
                             "\"show_extras\":{\"size\":67,\"valid\":true,\"entries\":{\"bMovePicture\":0,\"nLater\":7,"
                             "\"szLater\":\"hi\"}}", "\"texts\":null,"})
        EXPECT_NE(json.out.find(part), std::string::npos) << part << "\n" << json.out;
}

TEST_F(InfoOnASaver, PrintsTheTextsInUnicode) {
    SaverConfig config;
    config.name = "?????? 2026";
    config.banner = "??????";
    config.texts = SaverTexts{"Ελλάδα 2026", "Zoë", "", "", "", "Zimowe\r\nzdjęcia", "Москва", "Шрифт"};
    ReplaceExtras(EncodeSaverExtras(config));
    {
        res::ResourceEditor editor;
        ASSERT_TRUE(editor.Open(path_));
        ASSERT_TRUE(editor.Write(RT_SAVER_CAPTION_TEXTS, 0, kSaverResourceLanguage,
                                 EncodeCaptionTexts({"Łódź — zima", "ＭＳ ゴシック"})));
        ASSERT_TRUE(editor.Commit()) << editor.error();
    }
    auto info = ReadExeInfo(path_);
    ASSERT_TRUE(info) << info.error();
    EXPECT_EQ(info->texts, config.texts);
    EXPECT_EQ(info->config->name, "Harbour Lights") << "the record's own field as it is";
    ASSERT_TRUE(info->captions[0].record);
    EXPECT_EQ(info->captions[0].record->texts, (CaptionTexts{"Łódź — zima", "ＭＳ ゴシック"}));

    InfoRun text = Info({path_});
    for (const char* line :
         {"texts in Unicode:\n  szName: \"Ελλάδα 2026\"\n  szAuthor: \"Zoë\"\n", "  szBanner: \"Москва\"\n",
          "  lfBanner.lfFaceName: \"Шрифт\"\n", "  szName: \"Ελλάδα 2026\"\n  szAuthor: \"Zoë\"\n",
          "     in Unicode: szCaption \"Łódź — zima\" lfFaceName \"ＭＳ ゴシック\"\n"})
        EXPECT_NE(text.out.find(line), std::string::npos) << line << "\n" << text.out;
    InfoRun json = Info({path_, "--json"});
    for (const char* part :
         {"\"texts\":{\"szName\":\"Ελλάδα 2026\",\"szAuthor\":\"Zoë\",\"szEmail\":\"\",\"szHomePage\":\"\",",
          "\"szDescription\":\"Zimowe\\u000d\\u000azdjęcia\",\"szBanner\":\"Москва\",\"lfBanner.lfFaceName\":\"Шрифт\"}",
          "\"texts\":{\"szCaption\":\"Łódź — zima\",\"lfFaceName\":\"ＭＳ ゴシック\"}"})
        EXPECT_NE(json.out.find(part), std::string::npos) << part << "\n" << json.out;
}

TEST_F(InfoOnASaver, SaysWhenTheShowExtrasAreDamagedOrMissing) {
    std::vector<uint8_t> damaged = EncodeKeyedRecord(kSaverExtrasMagic, {Int32Entry("bMovePicture", 0)});
    damaged.pop_back();
    ReplaceExtras(damaged);
    InfoRun text = Info({path_});
    EXPECT_NE(text.out.find("show extras: 33 bytes, damaged (the screensaver ignores it)\n"), std::string::npos) << text.out;
    EXPECT_NE(Info({path_, "--json"}).out.find("\"show_extras\":{\"size\":33,\"valid\":false,\"entries\":{}}"),
              std::string::npos);

    // An executable without them, as a screensaver made before them.
    const std::string plain = dir_.Copy(res::test::SamplePath("resource_probe.exe"), "plain.exe");
    EXPECT_NE(Info({plain}).out.find("show extras: none\n"), std::string::npos);
    EXPECT_NE(Info({plain, "--json"}).out.find("\"show_extras\":null"), std::string::npos);
}

TEST(Info, AFileThatIsNotAnExecutableIsAUsageError) {
    res::test::ScratchDir dir;
    std::string text = dir.Path("notes.txt");
    res::test::WriteAll(text, std::vector<uint8_t>(200, 'a'));
    InfoRun r = Info({text});
    EXPECT_EQ(r.code, kExitUsage);
    EXPECT_NE(r.err.find("not an executable"), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());
    EXPECT_EQ(Info({dir.Path("missing.exe")}).code, kExitUsage);
    EXPECT_EQ(Info({}).code, kExitUsage);
    EXPECT_EQ(Info({text, "--bogus"}).code, kExitUsage);
}

}  // namespace
}  // namespace gd::cli
