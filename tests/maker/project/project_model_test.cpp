#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "maker/project/desktop_folder.h"
#include "maker/project/image_type.h"
#include "maker/project/param_data.h"
#include "maker/project/path_rules.h"
#include "maker/project/screensaver_doc.h"
#include "tests/maker/project/temp_folder.h"

namespace gd {
namespace {

TEST(ProjectModel, NewProjectHasTheDocumentedDefaults) {
    test::TempFolder program;
    CScreenSaverDoc doc(program.path().string());
    const CParamData& p = doc.project();
    EXPECT_EQ(doc.GetTitle(), "Untitled");
    EXPECT_TRUE(p.pictureList.empty());
    EXPECT_TRUE(p.musicList.empty());
    EXPECT_EQ(p.bSelfInstall, 1);
    for (uint8_t flag : p.bEffectOn) EXPECT_EQ(flag, 1);
    EXPECT_EQ(p.nEffectMilliSecond, 2000);
    EXPECT_EQ(p.nPicturePause, 3);
    EXPECT_EQ(p.nAudioPause, 5);
    EXPECT_EQ(p.crBgColor, 0u);
    EXPECT_EQ(p.szBanner, "");
    EXPECT_EQ(p.crBanner, 0xFFFFFFu);
    EXPECT_EQ(p.lfBanner.height, -32);
    EXPECT_EQ(p.lfBanner.weight, 400);
    EXPECT_EQ(p.lfBanner.out_precision, 2);
    EXPECT_EQ(p.lfBanner.face_name, "MS Sans Serif");
    EXPECT_EQ(p.szCopyright, "(C) 2004 My Company");
    EXPECT_EQ(p.szDescription, "Describe here your screensaver!");
    EXPECT_EQ(p.bMouseMove + p.bMouseLeftClick + p.bMouseRightClick + p.bKeyboardEvent, 4);
    EXPECT_EQ(p.bShuffleAudio, 1);
    EXPECT_EQ(p.bShufflePic, 1);
    EXPECT_EQ(p.bMovePicture, 1);
    EXPECT_EQ(p.bMuteMusic, 0);
    EXPECT_EQ(p.bAutoAdjustSize, 0);
    // Without data/param.ini the caption defaults are red, bottom centre, bold 30/20.
    EXPECT_EQ(doc.crDefaultCaptionColor, 255u);
    EXPECT_EQ(doc.nDefaultCaptionPos, 7);
    EXPECT_EQ(doc.lfDefaultCaptionFont.height, 30);
    EXPECT_EQ(doc.lfDefaultCaptionFont.width, 20);
    EXPECT_EQ(doc.lfDefaultCaptionFont.weight, 700);
    EXPECT_EQ(doc.lfDefaultCaptionFont.face_name, "MS Sans Serif");
}

TEST(ProjectModel, SetDefaultsEmptiesListsButKeepsReservedFields) {
    CParamData p;
    p.AddPicture("/a.jpg", {});
    p.AddMusic("/a.mid");
    p.reserved.sz3 = "kept";
    p.reserved.bytes[5] = 9;
    p.nPicturePause = 9;
    p.bEffectOn[3] = 0;
    p.SetDefaults();
    EXPECT_TRUE(p.pictureList.empty());
    EXPECT_TRUE(p.musicList.empty());
    EXPECT_EQ(p.nPicturePause, 3);
    EXPECT_EQ(p.bEffectOn[3], 1);
    EXPECT_EQ(p.reserved.sz3, "kept");
    EXPECT_EQ(p.reserved.bytes[5], 9);
}

TEST(ProjectModel, ImageTypeComesFromTheLastExtensionIgnoringCase) {
    EXPECT_EQ(ImageTypeFromPath("photo.JPEG"), 1);
    EXPECT_EQ(ImageTypeFromPath("scan.tiff"), 5);
    EXPECT_EQ(ImageTypeFromPath("a.b.gif"), 2);
    EXPECT_EQ(ImageTypeFromPath("README"), -1);
    EXPECT_EQ(ImageTypeFromPath("x.bmp"), 0);
    EXPECT_EQ(ImageTypeFromPath("x.Wbm"), 0);
    EXPECT_EQ(ImageTypeFromPath("x.jpe"), 1);
    EXPECT_EQ(ImageTypeFromPath("x.png"), 3);
    EXPECT_EQ(ImageTypeFromPath("x.pcx"), 4);
    EXPECT_EQ(ImageTypeFromPath("x.tga"), 6);
    EXPECT_EQ(ImageTypeFromPath("x.wmf"), 7);
    EXPECT_EQ(ImageTypeFromPath("x.jpg.bak"), -1);
    EXPECT_EQ(ImageTypeFromPath("x."), -1);
    // Pictures the codec table takes that have no type of their own.
    EXPECT_EQ(ImageTypeFromPath("x.webp"), -1);
    EXPECT_TRUE(HasPictureExtension("x.WebP"));
    EXPECT_TRUE(HasPictureExtension("x.dib"));
    EXPECT_FALSE(HasPictureExtension("x.mp3"));
    EXPECT_FALSE(HasPictureExtension("webp"));
    CPictureData picture;
    picture.szFile = "/pics/Holiday.GiF";
    EXPECT_EQ(picture.GetImageType(), 2);
}

TEST(ProjectModel, DuplicatePathsAreRefusedAsTheFileSystemComparesNames) {
    CParamData p;
    CaptionStyle style{LogFont{}, 0x123456, 4};
    EXPECT_TRUE(p.AddPicture("c:\\pics\\a.JPG", style));
#ifdef _WIN32
    EXPECT_FALSE(p.AddPicture("C:\\Pics\\A.jpg", style));
    EXPECT_FALSE(p.AddPicture("c:\\pics\\a.JPG", style));
    EXPECT_TRUE(p.AddPicture("C:\\Köln\\Ä.jpg", style));
    EXPECT_FALSE(p.AddPicture("c:\\KÖLN\\ä.JPG", style));  // every letter's case, not only ASCII's
    p.pictureList.pop_back();
#else
    EXPECT_FALSE(p.AddPicture("c:\\pics\\a.JPG", style));
    EXPECT_TRUE(p.AddPicture("C:\\Pics\\A.jpg", style));  // another file on Linux
    p.pictureList.pop_back();
#endif
    EXPECT_TRUE(p.AddPicture("C:\\Pics\\B.jpg", style));
    ASSERT_EQ(p.pictureList.size(), 2u);
    EXPECT_EQ(p.pictureList[0].szFile, "c:\\pics\\a.JPG");
    EXPECT_EQ(p.pictureList[1].crCaptionColor, 0x123456u);
    EXPECT_EQ(p.pictureList[1].nCaptionPos, 4);
    EXPECT_EQ(p.pictureList[1].szCaption, "");
    EXPECT_TRUE(p.AddMusic("/m/Song.MID"));
    EXPECT_FALSE(p.AddMusic("/m/Song.MID"));
#ifdef _WIN32
    EXPECT_FALSE(p.AddMusic("/M/song.mid"));
    EXPECT_EQ(p.musicList.size(), 1u);
#else
    EXPECT_TRUE(p.AddMusic("/M/song.mid"));
    EXPECT_EQ(p.musicList.size(), 2u);
#endif
}

#ifdef _WIN32
TEST(DesktopFolder, IsAnExistingFolderOfTheUser) {
    std::string desktop = UserDesktopFolder();
    ASSERT_FALSE(desktop.empty());
    EXPECT_TRUE(std::filesystem::is_directory(std::filesystem::u8path(desktop)));
}
#else
TEST(DesktopFolder, ReadsTheUserDirsFileAndFallsBackToHome) {
    EXPECT_EQ(DesktopDirFromUserDirs("# comment\nXDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n", "/home/u"),
              "/home/u/Schreibtisch");
    EXPECT_EQ(DesktopDirFromUserDirs("XDG_DOWNLOAD_DIR=\"$HOME/dl\"\n", "/home/u"), "");
    EXPECT_EQ(DesktopDirFromUserDirs("XDG_DESKTOP_DIR=\"/data/desk\"\n", "/home/u"), "/data/desk");

    test::TempFolder home;
    std::filesystem::create_directories(home.path() / "cfg");
    std::filesystem::create_directories(home.path() / "Desk");
    home.Write("cfg/user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/Desk\"\n");
    std::string old_home = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::setenv("HOME", home.path().c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", home.File("cfg").c_str(), 1);
    ::unsetenv("XDG_DESKTOP_DIR");
    EXPECT_EQ(UserDesktopFolder(), home.File("Desk"));
    // A desktop folder that does not exist falls back to the home folder.
    home.Write("cfg/user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/Gone\"\n");
    EXPECT_EQ(UserDesktopFolder(), home.path().string());
    ::setenv("HOME", old_home.c_str(), 1);
    ::unsetenv("XDG_CONFIG_HOME");
}
#endif

}  // namespace
}  // namespace gd
