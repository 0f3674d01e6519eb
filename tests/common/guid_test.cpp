#include "common/guid.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>

namespace gd {
namespace {

TEST(SaverIdentifier, ThirdGroupIsLowerCase) {
    Guid g{0x89ABCDEF, 0x0A1B, 0x4A1B, {0xC0, 0xDE, 0x0F, 0xAB, 0x12, 0x34, 0x5E, 0xEF}};
    std::string id = FormatSaverIdentifier(g);
    EXPECT_EQ(id, "89ABCDEF0A1B4a1bC0DE0FAB12345EEF");
    EXPECT_EQ(id.substr(12, 4), "4a1b");
}

TEST(SaverIdentifier, KeepsLeadingZeros) {
    EXPECT_EQ(FormatSaverIdentifier(Guid{}), std::string(32, '0'));
    Guid g{0x1, 0x2, 0xF, {0, 0, 0, 0, 0, 0, 0, 0x7}};
    EXPECT_EQ(FormatSaverIdentifier(g), "000000010002000f0000000000000007");
}

TEST(CreateGuid, GivesDistinctRandomIdentifiers) {
    std::set<std::string> seen;
    for (int i = 0; i < 200; ++i) {
        auto g = CreateGuid();
        ASSERT_TRUE(g);
        EXPECT_EQ(g->data3 >> 12, 4) << "version 4";
        std::string id = FormatSaverIdentifier(*g);
        ASSERT_EQ(id.size(), 32u);
        for (char c : id) ASSERT_TRUE(std::isxdigit(static_cast<unsigned char>(c)));
        seen.insert(id);
    }
    EXPECT_EQ(seen.size(), 200u);
}

}  // namespace
}  // namespace gd
