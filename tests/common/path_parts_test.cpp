// Taking paths apart and joining them, with each separator set: what the hand-written
// splitters it replaced did (trailing separators, drive letters, UNC names, names without
// an extension, dots in folders), now pinned in one place.

#include <gtest/gtest.h>

#include <string>

#include "common/path_parts.h"

namespace gd {
namespace {

TEST(PathParts, WindowsNamesAndFoldersAcceptBothSeparatorsAndTheDrive) {
    EXPECT_EQ(PathName("C:\\pics\\a.jpg", kWindowsSeparators), "a.jpg");
    EXPECT_EQ(PathName("C:/pics/a.jpg", kWindowsSeparators), "a.jpg");
    EXPECT_EQ(PathName("C:\\pics/sub\\a.jpg", kWindowsSeparators), "a.jpg");
    EXPECT_EQ(PathName("a.jpg", kWindowsSeparators), "a.jpg");
    EXPECT_EQ(PathName("C:a.jpg", kWindowsSeparators), "a.jpg") << "relative to drive C:";
    EXPECT_EQ(PathName("C:\\pics\\", kWindowsSeparators), "") << "a trailing separator: no name";
    EXPECT_EQ(PathName("\\\\server\\share\\a.wav", kWindowsSeparators), "a.wav");

    EXPECT_EQ(PathFolder("C:\\pics\\a.jpg", kWindowsSeparators), "C:\\pics");
    EXPECT_EQ(PathFolder("C:\\a.jpg", kWindowsSeparators), "C:");
    EXPECT_EQ(PathFolder("C:a.jpg", kWindowsSeparators), "C:");
    EXPECT_EQ(PathFolder("C:\\pics\\", kWindowsSeparators), "C:\\pics");
    EXPECT_EQ(PathFolder("\\\\server\\share\\a.wav", kWindowsSeparators), "\\\\server\\share");
    EXPECT_EQ(PathFolder("a.jpg", kWindowsSeparators), "");

    // Wide paths (the launcher's and the installer's) split alike.
    EXPECT_EQ(PathName(std::wstring_view(L"C:\\Windows\\x.scr"), kWindowsSeparators), L"x.scr");
    EXPECT_EQ(PathFolder(std::wstring_view(L"C:\\Windows\\x.scr"), kWindowsSeparators), L"C:\\Windows");
}

TEST(PathParts, OtherSetsSplitOnlyAtTheirOwnSeparators) {
    // On Linux a backslash is part of a name; so is a colon.
    EXPECT_EQ(PathName("/home/me/odd\\name.jpg", kPosixSeparators), "odd\\name.jpg");
    EXPECT_EQ(PathName("C:name", kPosixSeparators), "C:name");
    EXPECT_EQ(PathFolder("/home/me/a.jpg", kPosixSeparators), "/home/me");
    EXPECT_EQ(PathFolder("/a.jpg", kPosixSeparators), "");
    // A stored project's text separates with backslashes alone.
    EXPECT_EQ(PathName("C:\\pics/a.jpg", kStoredSeparators), "pics/a.jpg");
    EXPECT_EQ(PathName("C:a.jpg", kStoredSeparators), "C:a.jpg");
}

TEST(PathParts, ExtensionsAndStemsComeFromTheNameAlone) {
    EXPECT_EQ(PathExtension("C:\\pics\\a.JPG", kWindowsSeparators), "JPG");
    EXPECT_EQ(PathExtension("C:\\my.pics\\photo", kWindowsSeparators), "") << "a dot in a folder is no extension";
    EXPECT_EQ(PathExtension("/my.music/song", kPosixSeparators), "");
    EXPECT_EQ(PathExtension("song.tar.wav", kWindowsSeparators), "wav") << "the last dot";
    EXPECT_EQ(PathExtension("name.", kWindowsSeparators), "");
    EXPECT_EQ(PathExtension(".scr", kWindowsSeparators), "scr");
    EXPECT_EQ(PathExtension("C:\\pics\\", kWindowsSeparators), "");

    EXPECT_EQ(PathStem("C:\\Savers\\My Show.scr", kWindowsSeparators), "My Show");
    EXPECT_EQ(PathStem("C:\\Savers.d\\noext", kWindowsSeparators), "noext");
    EXPECT_EQ(PathStem("a.b.scr", kWindowsSeparators), "a.b");
    EXPECT_EQ(PathStem(".scr", kWindowsSeparators), "");
    EXPECT_EQ(PathStem(std::wstring_view(L"D:/x/Show.exe"), kWindowsSeparators), L"Show");
}

TEST(PathParts, JoiningPutsExactlyOneSeparatorBetween) {
    EXPECT_EQ(JoinPathParts("C:\\out", "a.scr", kWindowsSeparators), "C:\\out\\a.scr");
    EXPECT_EQ(JoinPathParts("C:\\out\\", "a.scr", kWindowsSeparators), "C:\\out\\a.scr");
    EXPECT_EQ(JoinPathParts("C:/out/", "a.scr", kWindowsSeparators), "C:/out/a.scr") << "either kind ends a folder";
    EXPECT_EQ(JoinPathParts("", "a.scr", kWindowsSeparators), "a.scr");
    EXPECT_EQ(JoinPathParts("/home/me", "a.jpg", kPosixSeparators), "/home/me/a.jpg");
    EXPECT_EQ(JoinPathParts("/", "a.jpg", kPosixSeparators), "/a.jpg");
    EXPECT_EQ(JoinPathParts(std::wstring_view(L"C:\\dir"), std::wstring_view(L"x.scr"), kWindowsSeparators),
              L"C:\\dir\\x.scr");

    // A stored output folder always ends with a backslash, even after a slash.
    EXPECT_EQ(WithTrailingSeparator("C:\\out", kStoredSeparators), "C:\\out\\");
    EXPECT_EQ(WithTrailingSeparator("C:\\out\\", kStoredSeparators), "C:\\out\\");
    EXPECT_EQ(WithTrailingSeparator("C:/out/", kStoredSeparators), "C:/out/\\");
    EXPECT_EQ(WithTrailingSeparator("", kStoredSeparators), "");
    EXPECT_EQ(WithTrailingSeparator(std::wstring_view(L"C:\\dir"), kWindowsSeparators), L"C:\\dir\\");
}

TEST(PathParts, WindowsRootsOfDrivesAndSharedFolders) {
    EXPECT_EQ(WindowsRootLength("C:\\pics\\a.jpg"), 3u);
    EXPECT_EQ(WindowsRootLength("C:/pics"), 3u);
    EXPECT_EQ(WindowsRootLength("C:pics"), 0u) << "relative to the drive's folder";
    EXPECT_EQ(WindowsRootLength("\\\\server\\share\\pics\\a.jpg"), std::string("\\\\server\\share\\").size());
    EXPECT_EQ(WindowsRootLength("\\\\server\\share"), std::string("\\\\server\\share").size());
    EXPECT_EQ(WindowsRootLength("\\\\server"), std::string("\\\\server").size());
    EXPECT_EQ(WindowsRootLength("\\pics\\a.jpg"), 1u);
    EXPECT_EQ(WindowsRootLength("pics\\a.jpg"), 0u);
    EXPECT_EQ(WindowsRootLength(""), 0u);
}

}  // namespace
}  // namespace gd
