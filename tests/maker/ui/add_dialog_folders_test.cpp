#include "maker/ui/add_dialog_folders.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "maker/project/path_rules.h"
#include "tests/maker/project/temp_folder.h"

namespace gd {
namespace {

TEST(AddDialogFolders, FirstTheKnownFolderThenTheLastOneUsedForEachDialog) {
    test::TempFolder temp;
    std::filesystem::create_directories(temp.path() / "Trip" / "Day 1");
    std::filesystem::create_directories(temp.path() / "Songs");
    MemoryUserSettings settings;
    const std::string pictures = temp.File("Pictures"), music = temp.File("Music");
    EXPECT_EQ(AddDialogFolder(settings, AddDialog::kPictures, pictures), pictures);
    EXPECT_EQ(AddDialogFolder(settings, AddDialog::kMusic, music), music);

    RememberAddDialogFolder(settings, AddDialog::kPictures,
                            {JoinPath(temp.File("Trip/Day 1"), "a.jpg"), JoinPath(temp.File("Songs"), "b.jpg")});
    EXPECT_EQ(AddDialogFolder(settings, AddDialog::kPictures, pictures), temp.File("Trip/Day 1"));
    EXPECT_EQ(AddDialogFolder(settings, AddDialog::kMusic, music), music) << "each dialog keeps its own";
    RememberAddDialogFolder(settings, AddDialog::kMusic, {JoinPath(temp.File("Songs"), "tune.mp3")});
    EXPECT_EQ(AddDialogFolder(settings, AddDialog::kMusic, music), temp.File("Songs"));
    EXPECT_EQ(settings.GetString(kAddDialogSection, "AddMusic"), temp.File("Songs"));

    // Nothing chosen changes nothing; a folder since removed gives the known folder again.
    RememberAddDialogFolder(settings, AddDialog::kPictures, {});
    EXPECT_EQ(AddDialogFolder(settings, AddDialog::kPictures, pictures), temp.File("Trip/Day 1"));
    std::filesystem::remove_all(temp.path() / "Trip");
    EXPECT_EQ(AddDialogFolder(settings, AddDialog::kPictures, pictures), pictures);
    // A file where the folder was is no folder either.
    settings.SetString(kAddDialogSection, "AddMusic", temp.Write("Songs/not a folder", std::vector<uint8_t>{1}));
    EXPECT_EQ(AddDialogFolder(settings, AddDialog::kMusic, music), music);
}

TEST(AddDialogFolders, TheFolderOfAFile) {
    EXPECT_EQ(FolderOfFile("/home/ann/Pictures/a.jpg"), "/home/ann/Pictures");
    EXPECT_EQ(FolderOfFile("/a.jpg"), "/");
    EXPECT_EQ(FolderOfFile("a.jpg"), "");
#ifdef _WIN32
    EXPECT_EQ(FolderOfFile("C:\\Users\\Ann\\Music\\song.mp3"), "C:\\Users\\Ann\\Music");
    EXPECT_EQ(FolderOfFile("C:\\song.mp3"), "C:\\");
    EXPECT_EQ(FolderOfFile("\\\\server\\share\\song.mp3"), "\\\\server\\share");
    EXPECT_EQ(FolderOfFile("D:/Music/song.mp3"), "D:/Music");
#else
    EXPECT_EQ(FolderOfFile("/srv/back\\slash.mp3"), "/srv") << "a backslash is part of a Linux name";
#endif
}

}  // namespace
}  // namespace gd
