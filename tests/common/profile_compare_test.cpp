// Runs the tricky profile inputs through the Windows profile API and the portable store
// and asks for the same answers, so the portable store keeps the platform's rules.
#include <gtest/gtest.h>

#include "common/profile_portable.h"
#include "common/profile_win32.h"
#include "tests/common/profile_cases.h"
#include "tests/common/temp_folder.h"

namespace gd {
namespace {

using profile_cases::kFallbackInt;
using profile_cases::kReadCases;

TEST(ProfileStores, AgreeOnEveryReadCase) {
    testing::TempFolder dir;
    PortableProfileStore portable;
    Win32ProfileStore platform;
    int n = 0;
    for (const auto& c : kReadCases) {
        // A file per case: the platform caches profile files between calls.
        std::string path = dir.Write("case" + std::to_string(n++) + ".ini", c.file);
        std::string expected = platform.ReadString(path, c.section, c.key, c.fallback, c.capacity);
        EXPECT_EQ(portable.ReadString(path, c.section, c.key, c.fallback, c.capacity), expected) << c.name;
        EXPECT_EQ(expected, c.text) << "platform, " << c.name;
        int32_t number = platform.ReadInt(path, c.section, c.key, kFallbackInt);
        EXPECT_EQ(portable.ReadInt(path, c.section, c.key, kFallbackInt), number) << c.name;
        EXPECT_EQ(number, c.number) << "platform, " << c.name;
    }
}

struct Write {
    const char* section;
    const char* key;
    const char* value;
};

// Each store writes into its own copy of the same file; reading both copies back through
// the platform must give the same values.
TEST(ProfileStores, WritesReadBackTheSame) {
    const char* start = "; note\r\n[PARAM]\r\n  nA = 1 \r\n\r\n[other]\r\nx=2";
    const Write writes[] = {
        {"param", "na", "5"},        {"param", "nB", "  7"},     {"Fresh", "k", "v"},
        {"other", "X", "\"q\""},     {" param ", " nC ", "8 "},  {"param", "szEffect", "0101"},
    };
    const Write reads[] = {
        {"param", "nA", ""}, {"param", "nB", ""}, {"fresh", "K", ""}, {"other", "x", ""},
        {"param", "nC", ""}, {"PARAM", "szeffect", ""}, {"note", "x", ""},
    };
    for (const char* initial : {start, ""}) {
        testing::TempFolder dir;
        PortableProfileStore portable;
        Win32ProfileStore platform;
        std::string a = dir.Write("a.ini", initial);
        std::string b = dir.Write("b.ini", initial);
        if (!*initial) {
            std::filesystem::remove(a);
            std::filesystem::remove(b);
        }
        for (const Write& w : writes) {
            EXPECT_TRUE(portable.WriteString(a, w.section, w.key, w.value));
            EXPECT_TRUE(platform.WriteString(b, w.section, w.key, w.value));
        }
        for (const Write& r : reads) {
            EXPECT_EQ(platform.ReadString(a, r.section, r.key, "-", 64), platform.ReadString(b, r.section, r.key, "-", 64))
                << r.section << "/" << r.key << "\nportable file:\n" << dir.Read("a.ini") << "\nplatform file:\n"
                << dir.Read("b.ini");
        }
    }
}

}  // namespace
}  // namespace gd
