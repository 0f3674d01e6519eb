// Taking paths apart and joining them, with each separator set: what the hand-written
// splitters it replaced did (trailing separators, drive letters, UNC names, names without
// an extension, dots in folders), now pinned in one place.

#include <gtest/gtest.h>

#include <string>

#include "common/path_parts.h"

namespace gd {
namespace {

// A Windows path, and its parts as both separators and the drive split it.
struct WindowsCase {
    const char* path;
    const char* folder;
    const char* name;
    const char* extension;
    const char* stem;
};
constexpr WindowsCase kWindowsCases[] = {
    {"C:\\pics\\a.jpg", "C:\\pics", "a.jpg", "jpg", "a"},
    {"C:/pics/a.JPG", "C:/pics", "a.JPG", "JPG", "a"},
    {"C:\\pics/sub\\a.jpg", "C:\\pics/sub", "a.jpg", "jpg", "a"},
    {"C:\\a.jpg", "C:", "a.jpg", "jpg", "a"},
    {"C:a.jpg", "C:", "a.jpg", "jpg", "a"},                   // relative to drive C:
    {"C:\\pics\\", "C:\\pics", "", "", ""},                 // a trailing separator: no name
    {"\\\\server\\share\\a.wav", "\\\\server\\share", "a.wav", "wav", "a"},
    {"a.jpg", "", "a.jpg", "jpg", "a"},
    {"C:\\my.pics\\photo", "C:\\my.pics", "photo", "", "photo"},  // a dot in a folder is none
    {"song.tar.wav", "", "song.tar.wav", "wav", "song.tar"},  // the last dot
    {"name.", "", "name.", "", "name"},
    {".scr", "", ".scr", "scr", ""},
    {"C:\\Savers\\My Show.scr", "C:\\Savers", "My Show.scr", "scr", "My Show"},
};

TEST(PathParts, WindowsPathsSplitAtBothSeparatorsAndTheDrive) {
    for (const WindowsCase& c : kWindowsCases) {
        EXPECT_EQ(PathFolder(c.path, kWindowsSeparators), c.folder) << c.path;
        EXPECT_EQ(PathName(c.path, kWindowsSeparators), c.name) << c.path;
        EXPECT_EQ(PathExtension(c.path, kWindowsSeparators), c.extension) << c.path;
        EXPECT_EQ(PathStem(c.path, kWindowsSeparators), c.stem) << c.path;
    }
    // Wide paths (the launcher's and the installer's) split alike.
    const std::wstring_view wide = L"D:/x/Show.exe";
    EXPECT_EQ(PathFolder(wide, kWindowsSeparators), L"D:/x");
    EXPECT_EQ(PathName(wide, kWindowsSeparators), L"Show.exe");
    EXPECT_EQ(PathStem(wide, kWindowsSeparators), L"Show");
}

TEST(PathParts, OtherSetsSplitOnlyAtTheirOwnSeparators) {
    // On Linux a backslash is part of a name; so is a colon.
    EXPECT_EQ(PathName("/home/me/odd\\name.jpg", kPosixSeparators), "odd\\name.jpg");
    EXPECT_EQ(PathName("C:name", kPosixSeparators), "C:name");
    EXPECT_EQ(PathFolder("/home/me/a.jpg", kPosixSeparators), "/home/me");
    EXPECT_EQ(PathFolder("/a.jpg", kPosixSeparators), "");
    EXPECT_EQ(PathExtension("/my.music/song", kPosixSeparators), "");
    // A stored project's text separates with backslashes alone.
    EXPECT_EQ(PathName("C:\\pics/a.jpg", kStoredSeparators), "pics/a.jpg");
    EXPECT_EQ(PathName("C:a.jpg", kStoredSeparators), "C:a.jpg");
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
