#include "common/archive_string.h"

#include <gtest/gtest.h>

namespace gd {
namespace {

std::vector<uint8_t> Encode(std::string_view text) {
    ByteWriter w;
    EXPECT_TRUE(WriteArchiveString(w, text));
    return w.Take();
}

std::vector<uint8_t> Prefix(const std::vector<uint8_t>& bytes, size_t n) {
    return std::vector<uint8_t>(bytes.begin(), bytes.begin() + n);
}

TEST(ArchiveString, PicksTheShortestOfThreeLengthForms) {
    EXPECT_EQ(Encode(""), (std::vector<uint8_t>{0x00}));
    EXPECT_EQ(Encode("abc"), (std::vector<uint8_t>{0x03, 'a', 'b', 'c'}));
    EXPECT_EQ(Prefix(Encode(std::string(254, 'x')), 1), (std::vector<uint8_t>{0xFE}));
    EXPECT_EQ(Prefix(Encode(std::string(255, 'x')), 3), (std::vector<uint8_t>{0xFF, 0xFF, 0x00}));
    EXPECT_EQ(Prefix(Encode(std::string(300, 'x')), 3), (std::vector<uint8_t>{0xFF, 0x2C, 0x01}));
    EXPECT_EQ(Prefix(Encode(std::string(65533, 'x')), 3), (std::vector<uint8_t>{0xFF, 0xFD, 0xFF}));
    EXPECT_EQ(Prefix(Encode(std::string(65534, 'x')), 7),
              (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}));
    EXPECT_EQ(Encode(std::string(300, 'x')).size(), 303u);
}

TEST(ArchiveString, RoundTripsAroundEveryBoundary) {
    for (size_t n : {0, 1, 254, 255, 256, 65533, 65534, 65535, 70000}) {
        std::string text(n, 'a');
        if (n) text[n - 1] = 'z';
        ByteWriter w;
        ASSERT_TRUE(WriteArchiveString(w, text));
        w.U8(0x5A);  // what follows must stay unread
        std::vector<uint8_t> bytes = w.Take();
        ByteReader r(bytes);
        EXPECT_EQ(ReadArchiveString(r), text) << n;
        EXPECT_EQ(r.U8(), 0x5A) << n;
        EXPECT_TRUE(r.at_end());
    }
}

TEST(ArchiveString, KeepsBytesThatAreNotText) {
    std::string text("a\0b\xFF", 4);
    std::vector<uint8_t> bytes = Encode(text);
    ByteReader r(bytes);
    EXPECT_EQ(ReadArchiveString(r), text);
}

TEST(ArchiveString, TruncatedInputFailsCleanly) {
    const std::vector<std::vector<uint8_t>> bad = {
        {},                                        // no prefix
        {0x05, 'a', 'b'},                          // text cut short
        {0xFF, 0x2C},                              // two-byte length cut short
        {0xFF, 0xFF, 0xFF, 0x00},                  // four-byte length cut short
        {0xFF, 0x00, 0x01},                        // 256 announced, none present
        {0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0xFF, 'x'},  // ~4 GiB announced
    };
    for (const auto& bytes : bad) {
        ByteReader r(bytes);
        EXPECT_FALSE(ReadArchiveString(r));
        EXPECT_FALSE(r.ok());
    }
}

}  // namespace
}  // namespace gd
