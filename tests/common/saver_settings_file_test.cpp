// Runs with the platform's profile store: natively the portable one, under Wine the
// Windows profile API.
#include "common/saver_settings_file.h"

#include <gtest/gtest.h>

#include "tests/common/temp_folder.h"

namespace gd {
namespace {

constexpr const char* kId = "89ABCDEF0A1B4a1bC0DE0FAB12345EEF";

SaverConfig Embedded() {
    SaverConfig c;
    c.identifier = kId;
    c.bg_color = 0x00102030;
    c.mouse_move = 1;
    c.mouse_left_click = 1;
    c.mouse_right_click = 1;
    c.keyboard_event = 1;
    c.shuffle_audio = 0;
    c.audio_pause = 2;
    c.mute_music = 0;
    c.shuffle_pic = 1;
    c.auto_adjust_size = 1;
    c.move_picture = 0;
    c.effect_millisecond = 1200;
    c.picture_pause = 5;
    c.effect_on.fill(0);
    c.effect_on[3] = 1;
    return c;
}

class SettingsFile : public ::testing::Test {
protected:
    std::string SystemFile() const { return dir.File(std::string("system/") + kId + ".ini"); }
    std::string UserFile() const { return dir.File(std::string("user/") + kId + ".ini"); }
    void WriteSystem(std::string_view text) { dir.Write(std::string("system/") + kId + ".ini", text); }
    void WriteUser(std::string_view text) { dir.Write(std::string("user/") + kId + ".ini", text); }

    testing::TempFolder dir;
    SettingsFolders folders{dir.File("system"), dir.File("user")};
    ProfileStore& store = PlatformProfileStore();

    void SetUp() override {
        std::filesystem::create_directories(folders.system_dir);
        std::filesystem::create_directories(folders.user_dir);
    }
};

TEST_F(SettingsFile, MissingFileKeepsEveryEmbeddedValue) {
    SaverConfig c = Embedded();
    ApplyIniOverrides(c, store, folders);
    EXPECT_EQ(c, Embedded());
}

TEST_F(SettingsFile, OneKeyOverridesItsFieldAndAMissingEffectKeyEnablesAll) {
    WriteSystem("[param]\r\nnPicturePause=7\r\n");
    SaverConfig c = Embedded();
    ApplyIniOverrides(c, store, folders);
    SaverConfig expected = Embedded();
    expected.picture_pause = 7;
    for (size_t i = 0; i < 63; ++i) expected.effect_on[i] = 1;
    expected.effect_on[63] = 0;
    EXPECT_EQ(c, expected);
}

TEST_F(SettingsFile, ShortEffectValueLeavesLaterFlagsOn) {
    WriteSystem("[PARAM]\r\nszEffect=0000\r\nbMouseMove=0\r\ncrBgColor=255\r\nnAudioPause=abc\r\n");
    SaverConfig c = Embedded();
    ApplyIniOverrides(c, store, folders);
    for (size_t i = 0; i <= 4; ++i) EXPECT_EQ(c.effect_on[i], 0) << i;
    for (size_t i = 5; i < 64; ++i) EXPECT_EQ(c.effect_on[i], 1) << i;
    EXPECT_EQ(c.mouse_move, 0);
    EXPECT_EQ(c.bg_color, 255u);
    EXPECT_EQ(c.audio_pause, 0);  // present but not a number: 0, not the embedded 2
}

TEST_F(SettingsFile, LongEffectValueKeepsSixtyThreeFlags) {
    WriteSystem("[param]\r\nszEffect=" + std::string(70, '1') + "\r\n");
    SaverConfig c = Embedded();
    ApplyIniOverrides(c, store, folders);
    for (size_t i = 0; i < 63; ++i) EXPECT_EQ(c.effect_on[i], 1) << i;
    EXPECT_EQ(c.effect_on[63], 0);
}

TEST_F(SettingsFile, SaveThenApplyRestoresTheSettings) {
    SaverConfig saved = Embedded();
    saved.picture_pause = 11;
    saved.bg_color = 0x00FFEEDD;
    saved.effect_on[10] = 1;
    saved.effect_on[11] = 2;  // only exactly 1 counts as on
    ASSERT_TRUE(SaveIniSettings(saved, store, folders));
    ASSERT_TRUE(store.Exists(SystemFile()));
    EXPECT_FALSE(store.Exists(UserFile()));
    EXPECT_EQ(store.ReadString(SystemFile(), "param", "szEffect", "", 100),
              "00010000001" + std::string(53, '0'));

    SaverConfig c = Embedded();
    c.identifier = kId;
    c.picture_pause = 1;
    c.effect_on.fill(1);
    ApplyIniOverrides(c, store, folders);
    saved.effect_on[11] = 0;
    EXPECT_EQ(c, saved);
}

// The keys of a new file, in their order, as the settings file has always been written,
// then the show's newer options (which only a screensaver that knows them reads).
TEST_F(SettingsFile, ANewFileHoldsEveryKeyInTheRecordsOrder) {
    SaverConfig saved = Embedded();
    saved.bg_color = 0xFFFFFFFF;  // written as the signed number it is in 32 bits
    ASSERT_TRUE(SaveIniSettings(saved, store, folders));
    std::string text = dir.Read(std::string("system/") + kId + ".ini");
    std::erase(text, '\r');
    EXPECT_EQ(text, "[param]\ncrBgColor=-1\nbMouseMove=1\nbMouseLeftClick=1\nbMouseRightClick=1\nbKeyboardEvent=1\n"
                    "bShuffleAudio=0\nnAudioPause=2\nbMuteMusic=0\nbShufflePic=1\nbAutoAdjustSize=1\nbMovePicture=0\n"
                    "nEffectMilliSecond=1200\nnPicturePause=5\nszEffect=0001" +
                        std::string(60, '0') +
                        "\nbSmoothScaling=0\nbShuffleRounds=0\nbPanZoom=0\nnPanZoom=15\nnBackdrop=0\nnMonitorMode=0\n"
                        "bScaleTexts=0\n");
    SaverConfig c = Embedded();
    ApplyIniOverrides(c, store, folders);
    EXPECT_EQ(c.bg_color, 0xFFFFFFFFu);
}

TEST_F(SettingsFile, RefusedSystemFolderFallsBackToTheUserFile) {
    SettingsFolders refused{dir.File("no/such/system"), folders.user_dir};
    SaverConfig saved = Embedded();
    saved.picture_pause = 9;
    ASSERT_TRUE(SaveIniSettings(saved, store, refused));
    EXPECT_EQ(store.ReadInt(UserFile(), "param", "nPicturePause", -1), 9);

    SaverConfig c = Embedded();
    ApplyIniOverrides(c, store, refused);
    EXPECT_EQ(c.picture_pause, 9);
}

TEST_F(SettingsFile, UserFileWinsUntilASystemSaveReplacesIt) {
    WriteSystem("[param]\r\nnPicturePause=3\r\nnAudioPause=4\r\n");
    WriteUser("[param]\r\nnPicturePause=9\r\n");
    SaverConfig c = Embedded();
    ApplyIniOverrides(c, store, folders);
    EXPECT_EQ(c.picture_pause, 9);
    EXPECT_EQ(c.audio_pause, 4);

    c.picture_pause = 6;
    ASSERT_TRUE(SaveIniSettings(c, store, folders));
    EXPECT_FALSE(store.Exists(UserFile()));
    SaverConfig again = Embedded();
    ApplyIniOverrides(again, store, folders);
    EXPECT_EQ(again.picture_pause, 6);
}

TEST_F(SettingsFile, IdentifierThatIsNotAPlainNameUsesNoFile) {
    for (const char* id : {"", "..\\..\\evil", "../x", "C:x", "a b"}) {
        EXPECT_EQ(SettingsFilesFor(folders, id).system_file, "") << id;
        SaverConfig c = Embedded();
        c.identifier = id;
        EXPECT_FALSE(SaveIniSettings(c, store, folders)) << id;
    }
    EXPECT_TRUE(std::filesystem::is_empty(folders.system_dir));
}

}  // namespace
}  // namespace gd
