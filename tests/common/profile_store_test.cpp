#include <gtest/gtest.h>

#include "common/profile_portable.h"
#include "tests/common/profile_cases.h"
#include "tests/common/temp_folder.h"

namespace gd {
namespace {

using profile_cases::kFallbackInt;
using profile_cases::kReadCases;

TEST(PortableProfileStore, ReadsTrickyInputsLikeThePlatform) {
    testing::TempFolder dir;
    PortableProfileStore store;
    for (const auto& c : kReadCases) {
        std::string path = dir.Write("case.ini", c.file);
        EXPECT_EQ(store.ReadString(path, c.section, c.key, c.fallback, c.capacity), c.text) << c.name;
        EXPECT_EQ(store.ReadInt(path, c.section, c.key, kFallbackInt), c.number) << c.name;
    }
}

TEST(PortableProfileStore, MissingFileGivesFallbacks) {
    testing::TempFolder dir;
    PortableProfileStore store;
    std::string path = dir.File("none.ini");
    EXPECT_FALSE(store.Exists(path));
    EXPECT_EQ(store.ReadInt(path, "param", "n", 12), 12);
    EXPECT_EQ(store.ReadString(path, "param", "n", "x", 64), "x");
    EXPECT_FALSE(store.Exists(dir.path().string()));  // a folder is not a profile file
}

TEST(PortableProfileStore, WritingCreatesFileAndSection) {
    testing::TempFolder dir;
    PortableProfileStore store;
    std::string path = dir.File("new.ini");
    ASSERT_TRUE(store.WriteString(path, "param", "nPicturePause", "7"));
    ASSERT_TRUE(store.WriteString(path, "param", "bMouseMove", "1"));
    ASSERT_TRUE(store.WriteString(path, "Other", "k", "v"));
    EXPECT_EQ(dir.Read("new.ini"), "[param]\r\nnPicturePause=7\r\nbMouseMove=1\r\n[Other]\r\nk=v\r\n");
    EXPECT_TRUE(store.Exists(path));
    EXPECT_TRUE(store.Remove(path));
    EXPECT_FALSE(store.Exists(path));
}

TEST(PortableProfileStore, WritingReplacesInPlaceAndKeepsOtherLines) {
    testing::TempFolder dir;
    PortableProfileStore store;
    std::string path = dir.Write("e.ini",
                                 "; kept comment\n[PARAM]\n  NPicturePause = 3 ; old\n\nx=1\n\n[next]\nn=5");
    ASSERT_TRUE(store.WriteString(path, "param", "nPicturePause", "9"));
    ASSERT_TRUE(store.WriteString(path, "param", "added", "  yes "));
    ASSERT_TRUE(store.WriteString(path, "next", "m", "6"));
    EXPECT_EQ(dir.Read("e.ini"),
              "; kept comment\n[PARAM]\nNPicturePause=9\n\nx=1\nadded=yes\n\n[next]\nn=5\nm=6\n");
    EXPECT_EQ(store.ReadInt(path, "param", "npicturepause", 0), 9);
}

TEST(PortableProfileStore, UnwritableFileReportsFailure) {
    testing::TempFolder dir;
    PortableProfileStore store;
    EXPECT_FALSE(store.WriteString(dir.File("no/such/folder.ini"), "s", "k", "v"));
}

}  // namespace
}  // namespace gd
