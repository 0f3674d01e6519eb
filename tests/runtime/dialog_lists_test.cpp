#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/dialog_lists.h"

namespace gd {
namespace {

void Record(std::vector<uint8_t>& out, uint16_t control, uint16_t message, const std::string& bytes,
            uint32_t length) {
    out.insert(out.end(), {uint8_t(control), uint8_t(control >> 8), uint8_t(message), uint8_t(message >> 8)});
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(length >> (8 * i)));
    out.insert(out.end(), bytes.begin(), bytes.end());
}

TEST(DialogLists, ReadsItemsInOrderAndSkipsOtherMessages) {
    std::vector<uint8_t> bytes;
    Record(bytes, 1013, kAddListItem, std::string("1\0", 2), 2);
    Record(bytes, 1013, 0x0401, std::string("x\0", 2), 2);
    Record(bytes, 1014, kAddListItem, std::string("1.5\0", 4), 4);
    bytes.insert(bytes.end(), {0, 0});
    Record(bytes, 1021, kAddListItem, std::string("after the end\0", 14), 14);
    auto items = ParseDialogLists(bytes);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].control, 1013);
    EXPECT_EQ(items[0].text, "1");
    EXPECT_EQ(items[1].control, 1014);
    EXPECT_EQ(items[1].text, "1.5");
}

TEST(DialogLists, DamagedRecordsEndTheListSafely) {
    std::vector<uint8_t> bytes;
    Record(bytes, 1013, kAddListItem, std::string("5\0", 2), 2);
    Record(bytes, 1013, kAddListItem, "7", 4000000000u);  // runs past the end
    auto items = ParseDialogLists(bytes);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].text, "5");

    std::vector<uint8_t> no_nul;
    Record(no_nul, 1013, kAddListItem, "12", 2);
    ASSERT_EQ(ParseDialogLists(no_nul).size(), 1u);
    EXPECT_EQ(ParseDialogLists(no_nul)[0].text, "12");
    EXPECT_TRUE(ParseDialogLists(std::vector<uint8_t>{0xF5, 0x03, 0x03}).empty());
}

}  // namespace
}  // namespace gd
