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

TEST(ArchiveString, WesternTextIsStoredNarrowInTheCodePage) {
    EXPECT_EQ(Encode("Köln €"), (std::vector<uint8_t>{0x06, 'K', 0xF6, 'l', 'n', ' ', 0x80}));
    std::vector<uint8_t> bytes = Encode("Köln €");
    ByteReader r(bytes);
    EXPECT_EQ(ReadArchiveString(r), "Köln €");
}

TEST(ArchiveString, TextTheCodePageCannotHoldIsStoredWide) {
    // 0xFF, the marker 0xFFFE, the length in UTF-16 units, the units.
    EXPECT_EQ(Encode("写真a"), (std::vector<uint8_t>{0xFF, 0xFE, 0xFF, 0x03, 0x99, 0x51, 0x1F, 0x77, 'a', 0x00}));
    const std::string texts[] = {"C:\\Users\\Zoë\\写真\\IMG_0001.JPG", "/home/k/K\xF6ln/a.jpg",
                                 std::string(300, 'x') + "東", std::string(70000, 'y') + "東"};
    for (const std::string& text : texts) {
        std::vector<uint8_t> bytes = Encode(text);
        ASSERT_EQ(bytes[0], 0xFF);
        EXPECT_EQ(ReadU16(bytes.data() + 1), 0xFFFE);
        ByteReader r(bytes);
        EXPECT_EQ(ReadArchiveString(r), text);
        EXPECT_TRUE(r.at_end());
    }
}

TEST(ArchiveString, WesternTextWhoseCodePageBytesLookLikeUtf8IsStoredWide) {
    // "Ã©" in the code page is C3 A9, which reads as the UTF-8 of "é": narrow, it would
    // come back as another text. "Ã" alone, or "é", reads back as written and stays narrow.
    const std::string texts[] = {"Ã©", "x Ã© y", "Ã¼ber"};
    for (const std::string& text : texts) {
        std::vector<uint8_t> bytes = Encode(text);
        ASSERT_EQ(bytes[0], 0xFF) << text;
        EXPECT_EQ(ReadU16(bytes.data() + 1), 0xFFFE);
        ByteReader r(bytes);
        EXPECT_EQ(ReadArchiveString(r), text);
    }
    EXPECT_EQ(Encode("Ã"), (std::vector<uint8_t>{0x01, 0xC3}));
    EXPECT_EQ(Encode("é"), (std::vector<uint8_t>{0x01, 0xE9}));
}

TEST(ArchiveString, ReadsNarrowUtf8ThatTheLinuxMakerWroteBefore) {
    std::vector<uint8_t> utf8 = {0x06, 'G', 'r', 0xC3, 0xBC, 0xC3, 0x9F};  // "Grüß" as UTF-8 bytes
    ByteReader r(utf8);
    EXPECT_EQ(ReadArchiveString(r), "Grüß");
    std::vector<uint8_t> western = {0x04, 'G', 'r', 0xFC, 0xDF};  // the same in the code page
    ByteReader w(western);
    EXPECT_EQ(ReadArchiveString(w), "Grüß");
}

TEST(ArchiveString, MalformedWideFormsFailCleanly) {
    const std::vector<std::vector<uint8_t>> bad = {
        {0xFF, 0xFE, 0xFF},                                // marker, no length
        {0xFF, 0xFE, 0xFF, 0x02, 'a', 0x00},               // one unit of two
        {0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF, 0x00},        // marker after marker
        {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'a', 0},  // ~2^31 units
    };
    for (const auto& bytes : bad) {
        ByteReader r(bytes);
        EXPECT_FALSE(ReadArchiveString(r));
        EXPECT_FALSE(r.ok());
    }
}

}  // namespace
}  // namespace gd
