#include "common/saver_config.h"

#include <gtest/gtest.h>

#include "common/byte_io.h"

namespace gd {
namespace {

SaverConfig FullConfig() {
    SaverConfig c;
    c.identifier = "0123456789ABCDEF0123456789abcdef";
    c.maker_value = -5;
    c.name = "Harbour lights";
    c.author = "A. Painter";
    c.email = "painter@example.org";
    c.home_page = "http://example.org/";
    c.copyright = "(c) 2026";
    c.description = "Boats at dusk.";
    c.build_time = "2026-12-08 16:20:00";
    c.bg_color = 0x00112233;
    c.mouse_move = 1;
    c.mouse_left_click = 1;
    c.mouse_right_click = 0;
    c.keyboard_event = 1;
    c.has_music = 1;
    c.shuffle_audio = 1;
    c.music_count = 3;
    c.audio_pause = 2;
    c.mute_music = 0;
    c.has_pictures = 1;
    c.shuffle_pic = 1;
    c.picture_count = 12;
    c.auto_adjust_size = 1;
    c.move_picture = 1;
    c.effect_millisecond = 1500;
    c.picture_pause = 4;
    for (size_t i = 0; i < c.effect_on.size(); ++i) c.effect_on[i] = uint8_t(i % 3 == 0);
    c.banner = "Welcome";
    c.banner_font.height = -24;
    c.banner_font.weight = 700;
    c.banner_font.face_name = "Arial";
    c.banner_color = 0x0000FF00;
    c.banner_pos = 1;
    return c;
}

TEST(SaverConfig, RoundTripsEveryField) {
    SaverConfig c = FullConfig();
    std::vector<uint8_t> bytes = EncodeSaverConfig(c);
    ASSERT_EQ(bytes.size(), 744u);
    auto back = DecodeSaverConfig(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, c);
}

TEST(SaverConfig, FieldsSitAtTheirOffsets) {
    std::vector<uint8_t> b = EncodeSaverConfig(FullConfig());
    const uint8_t* p = b.data();
    EXPECT_EQ(ReadFixedText(p + 0, 33), "0123456789ABCDEF0123456789abcdef");
    EXPECT_EQ(ReadI32(p + 32), 0);
    EXPECT_EQ(ReadI32(p + 36), -5);
    EXPECT_EQ(ReadFixedText(p + 40, 31), "Harbour lights");
    EXPECT_EQ(ReadFixedText(p + 71, 31), "A. Painter");
    EXPECT_EQ(ReadFixedText(p + 102, 51), "painter@example.org");
    EXPECT_EQ(ReadFixedText(p + 153, 51), "http://example.org/");
    EXPECT_EQ(ReadFixedText(p + 204, 51), "(c) 2026");
    EXPECT_EQ(ReadFixedText(p + 255, 201), "Boats at dusk.");
    EXPECT_EQ(ReadFixedText(p + 456, 20), "2026-12-08 16:20:00");
    EXPECT_EQ(ReadU32(p + 476), 0x00112233u);
    EXPECT_EQ(ReadI32(p + 480), 1);
    EXPECT_EQ(ReadI32(p + 488), 0);
    EXPECT_EQ(ReadI32(p + 504), 3);
    EXPECT_EQ(ReadI32(p + 508), 2);
    EXPECT_EQ(ReadI32(p + 524), 12);
    EXPECT_EQ(ReadI32(p + 536), 1500);
    EXPECT_EQ(ReadI32(p + 540), 4);
    EXPECT_EQ(p[544], 1);
    EXPECT_EQ(p[545], 0);
    EXPECT_EQ(p[544 + 63], 1);
    EXPECT_EQ(ReadFixedText(p + 608, 65), "Welcome");
    EXPECT_EQ(ReadI32(p + 676), -24);
    EXPECT_EQ(ReadFixedText(p + 676 + 28, 32), "Arial");
    EXPECT_EQ(ReadU32(p + 736), 0x0000FF00u);
    EXPECT_EQ(ReadI32(p + 740), 1);
    for (size_t i = 673; i < 676; ++i) EXPECT_EQ(p[i], 0) << i;
}

TEST(SaverConfig, OnlyExactlySizedRecordsDecode) {
    std::vector<uint8_t> bytes = EncodeSaverConfig(FullConfig());
    std::vector<uint8_t> shorter(bytes.begin(), bytes.end() - 1);
    std::vector<uint8_t> longer = bytes;
    longer.push_back(0);
    EXPECT_FALSE(DecodeSaverConfig(shorter));
    EXPECT_FALSE(DecodeSaverConfig(longer));
    EXPECT_FALSE(DecodeSaverConfig({}));
}

TEST(SaverConfig, TextsAreCutToTheirLimitAndKeepTheirNul) {
    SaverConfig c;
    c.name = std::string(40, 'n');
    c.description = std::string(300, 'd');
    c.banner = "   " + std::string(70, 'b') + "  ";
    std::vector<uint8_t> b = EncodeSaverConfig(c);
    EXPECT_EQ(b[40 + 29], 'n');
    EXPECT_EQ(b[40 + 30], 0);
    EXPECT_EQ(b[255 + 199], 'd');
    EXPECT_EQ(b[255 + 200], 0);
    auto back = DecodeSaverConfig(b);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->name, std::string(30, 'n'));
    EXPECT_EQ(back->description, std::string(200, 'd'));
    // The banner is trimmed before it is cut.
    EXPECT_EQ(back->banner, std::string(64, 'b'));
    // Regression (found by fuzzing): a cut that ends in blanks stored them, so the banner
    // read back differently each time it was written.
    c.banner = std::string(60, 'b') + "    cut here";
    back = DecodeSaverConfig(EncodeSaverConfig(c));
    EXPECT_EQ(back->banner, std::string(60, 'b'));
}

TEST(SaverConfig, FieldsWithoutNulStayInsideTheirField) {
    // A record from elsewhere may fill a text field to its last byte.
    std::vector<uint8_t> b(744, 'x');
    auto c = DecodeSaverConfig(b);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->identifier.size(), 32u);
    EXPECT_EQ(c->name.size(), 31u);
    EXPECT_EQ(c->build_time.size(), 20u);
    EXPECT_EQ(c->banner.size(), 65u);
    EXPECT_EQ(c->banner_font.face_name.size(), 31u);  // the last byte is the NUL's place
}

}  // namespace
}  // namespace gd
