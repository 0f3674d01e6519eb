#include "maker/project/caption_defaults.h"

#include <gtest/gtest.h>

#include "common/native_path.h"
#include "common/profile_portable.h"
#include "tests/common/temp_folder.h"

namespace gd {
namespace {

class CaptionDefaultsStore : public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::create_directories(dir.path() / "data"); }
    std::string folder() const { return dir.path().string(); }
    void WriteParam(std::string_view text) { dir.Write("data/param.ini", text); }

    testing::TempFolder dir;
    PortableProfileStore store;
};

TEST_F(CaptionDefaultsStore, MissingFileGivesRedBottomCentreSansSerif) {
    CaptionDefaults d = LoadCaptionDefaults(folder(), store);
    EXPECT_EQ(d.color, 255u);
    EXPECT_EQ(d.position, 7);
    EXPECT_EQ(d.font.face_name, "MS Sans Serif");
    EXPECT_EQ(d.font.height, 30);
    EXPECT_EQ(d.font.width, 20);
    EXPECT_EQ(d.font.weight, 700);
    EXPECT_EQ(d.font.out_precision, 2);
    EXPECT_EQ(d.font.pitch_and_family, 30);
    EXPECT_EQ(d.font.clip_precision, 0);
    EXPECT_EQ(d.font.quality, 0);
    EXPECT_EQ(d, CaptionDefaults{});
}

TEST_F(CaptionDefaultsStore, SavedLookLoadsBack) {
    LogFont f;
    f.height = -12;
    f.width = 0;
    f.weight = 400;
    f.italic = 1;
    f.char_set = 204;
    f.pitch_and_family = 34;
    f.clip_precision = 9;  // not stored
    f.quality = 9;         // not stored
    f.face_name = "Deja Vu";
    ASSERT_TRUE(SaveCaptionDefaults(folder(), f, 0, 0x00FF8000, store));

    std::string path = CaptionDefaultsPath(folder());
    EXPECT_EQ(store.ReadString(path, "CaptionFont", "lfWeight", "", 64), "400");
    EXPECT_EQ(store.ReadString(path, "CaptionFont", "nDefaultCaptionPos", "", 64), "0");
    EXPECT_EQ(store.ReadString(path, "CaptionFont", "lfCharSet", "", 64), "204");

    CaptionDefaults d = LoadCaptionDefaults(folder(), store);
    f.clip_precision = 0;
    f.quality = 0;
    EXPECT_EQ(d.font, f);
    EXPECT_EQ(d.position, 0);
    EXPECT_EQ(d.color, 0x00FF8000u);
}

TEST_F(CaptionDefaultsStore, KeysAreWrittenInTheirOrder) {
    ASSERT_TRUE(SaveCaptionDefaults(folder(), CaptionDefaults{}.font, 7, 255, store));
    std::string text = dir.Read("data/param.ini");
    const char* keys[] = {"crDefaultCaptionColor", "nDefaultCaptionPos", "lfHeight",   "lfWidth",
                          "lfEscapement",          "lfOrientation",      "lfWeight",   "lfItalic",
                          "lfUnderline",           "lfStrikeOut",        "lfCharSet",  "lfOutPrecision",
                          "lfPitchAndFamily",      "lfFaceName"};
    size_t at = text.find("[CaptionFont]");
    ASSERT_NE(at, std::string::npos);
    for (const char* key : keys) {
        size_t next = text.find(std::string("\n") + key + "=", at);
        ASSERT_NE(next, std::string::npos) << key;
        at = next;
    }
}

TEST_F(CaptionDefaultsStore, ReadsValuesThePlatformWay) {
    WriteParam("[captionfont]\r\nlfHeight=big\r\nlfWeight=\r\nlfItalic=257\r\nlfCharSet=-1\r\n"
               "lfFaceName=" + std::string(40, 'F') + "\r\n");
    CaptionDefaults d = LoadCaptionDefaults(folder(), store);
    EXPECT_EQ(d.font.height, 0);              // not a number: 0, not the default 30
    EXPECT_EQ(d.font.weight, 700);            // empty value: the default
    EXPECT_EQ(d.font.italic, 1);              // low 8 bits of 257
    EXPECT_EQ(d.font.char_set, 255);          // low 8 bits of -1
    EXPECT_EQ(d.font.face_name, std::string(31, 'F'));
    EXPECT_EQ(d.position, 7);
}

TEST_F(CaptionDefaultsStore, UnwritableFolderKeepsDefaults) {
    std::string missing = (dir.path() / "nowhere").string();
    EXPECT_FALSE(SaveCaptionDefaults(missing, LogFont{}, 1, 1, store));
    EXPECT_EQ(LoadCaptionDefaults(missing, store), CaptionDefaults{});
}

// An installed program folder the user may not write (here "data" is a file, so nothing
// can be made inside it whatever rights the test runs with): the save goes to the user's
// own copy, which is read first from then on; once the program folder takes a save
// again, the stale copy goes.
TEST_F(CaptionDefaultsStore, ReadOnlyProgramFolderSavesAPerUserCopyThatIsReadFirst) {
    testing::TempFolder installed;
    installed.Write("data", "not a folder");
    const std::string user = (dir.path() / "user settings").string();
    LogFont f;
    f.face_name = "Verdana";
    ASSERT_TRUE(SaveCaptionDefaults(installed.path().string(), f, 2, 0x123456, store, user));
    EXPECT_TRUE(store.Exists(UserCaptionDefaultsPath(user)));
    CaptionDefaults d = LoadCaptionDefaults(installed.path().string(), store, user);
    EXPECT_EQ(d.font.face_name, "Verdana");
    EXPECT_EQ(d.position, 2);

    // The user's copy wins over the program folder's file...
    WriteParam("[CaptionFont]\nnDefaultCaptionPos=5\n");
    store.WriteString(UserCaptionDefaultsPath(user), "CaptionFont", "nDefaultCaptionPos", "3");
    EXPECT_EQ(LoadCaptionDefaults(folder(), store, user).position, 3);
    // ...until a save reaches the program folder and removes it.
    ASSERT_TRUE(SaveCaptionDefaults(folder(), f, 4, 0, store, user));
    EXPECT_FALSE(store.Exists(UserCaptionDefaultsPath(user)));
    EXPECT_EQ(LoadCaptionDefaults(folder(), store, user).position, 4);
}

TEST_F(CaptionDefaultsStore, ProgramFolderWithLettersOutsideTheCodePage) {
    const std::string program = PathText(dir.path() / NativePath("Zo\u00eb \u5199\u771f"));
    std::filesystem::create_directories(NativePath(program) / "data");
    LogFont f;
    f.face_name = "Ar\u00efal";
    ASSERT_TRUE(SaveCaptionDefaults(program, f, 6, 7, store));
    EXPECT_TRUE(std::filesystem::exists(NativePath(program) / "data" / "param.ini"));
    CaptionDefaults d = LoadCaptionDefaults(program, store);
    EXPECT_EQ(d.font.face_name, "Ar\u00efal");
    EXPECT_EQ(d.position, 6);

    // A face name in any language comes back whole, a long one cut between characters;
    // an older file's code-page bytes are read as the Western text they are.
    f.face_name = "ＭＳ ゴシック";
    ASSERT_TRUE(SaveCaptionDefaults(program, f, 6, 7, store));
    EXPECT_EQ(LoadCaptionDefaults(program, store).font.face_name, "ＭＳ ゴシック");
    f.face_name = std::string(20, 'x') + "東京東京東京東京東京東京東京";  // 34 characters
    ASSERT_TRUE(SaveCaptionDefaults(program, f, 6, 7, store));
    EXPECT_EQ(LoadCaptionDefaults(program, store).font.face_name, std::string(20, 'x') + "東京東京東京東京東京東");
    store.WriteString(CaptionDefaultsPath(program), "CaptionFont", "lfFaceName", "Fa\xE7" "ade");
    EXPECT_EQ(LoadCaptionDefaults(program, store).font.face_name, "Façade");
}

}  // namespace
}  // namespace gd
