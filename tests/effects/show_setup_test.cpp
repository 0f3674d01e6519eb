#include "effects/show_setup.h"

#include <gtest/gtest.h>

namespace gd {
namespace {

SaverConfig Config() {
    SaverConfig c;
    c.bg_color = 0x00123456;
    c.shuffle_pic = 0;
    c.picture_pause = 7;
    c.effect_millisecond = 2500;
    c.auto_adjust_size = 0;
    c.move_picture = 0;
    c.picture_count = 3;
    c.banner = "Hello";
    c.banner_font.face_name = "Arial";
    c.banner_color = 0x00FFFFFF;
    c.banner_pos = 1;
    return c;
}

TEST(ShowSetup, TakesTheConfigurationAndListsOnlyEffectsEnabledWithExactlyOne) {
    SaverConfig c = Config();
    c.effect_on[0] = 1;   // byte 0 is not an effect
    c.effect_on[3] = 1;
    c.effect_on[7] = 2;   // not exactly 1
    c.effect_on[44] = 1;
    c.effect_on[45] = 1;  // beyond the effects
    ShowSettings s;
    s.effects = {9, 9};
    SetUpShowSettings(s, c, ShowVariant::kFullScreen);
    EXPECT_EQ(s.effects, (std::vector<int32_t>{3, 44}));
    EXPECT_EQ(s.background_color, 0x00123456u);
    EXPECT_FALSE(s.shuffle_pictures);
    EXPECT_EQ(s.picture_pause, 7);
    EXPECT_EQ(s.effect_duration, 2500);
    EXPECT_FALSE(s.auto_adjust_size);
    EXPECT_FALSE(s.move_picture);
    EXPECT_EQ(s.picture_count, 3);
    EXPECT_TRUE(s.show_captions);
    EXPECT_TRUE(s.transition_effects);
    EXPECT_TRUE(s.random_effect_order);
    EXPECT_EQ(s.banner_text, "Hello");
    EXPECT_EQ(s.banner_font.face_name, "Arial");
    EXPECT_EQ(s.banner_color, 0x00FFFFFFu);
    EXPECT_EQ(s.banner_position, 1);
}

TEST(ShowSetup, ThePreviewShowsNoCaptionsAndNoBanner) {
    ShowSettings s;
    SetUpShowSettings(s, Config(), ShowVariant::kPreview);
    EXPECT_FALSE(s.show_captions);
    EXPECT_EQ(s.banner_text, "");
    EXPECT_TRUE(s.effects.empty());
}

}  // namespace
}  // namespace gd
