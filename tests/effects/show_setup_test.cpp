#include "effects/show_setup.h"

#include <gtest/gtest.h>

#include "effects/effect_table.h"

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
    c.effect_on[45] = 1;  // a record without an effect count knew 44 effects: not cross-fade
    c.effect_on[46] = 1;  // beyond the effects
    ShowSettings s;
    s.effects = {9, 9};
    SetUpShowSettings(s, c, ShowVariant::kFullScreen);
    EXPECT_EQ(s.effects, (std::vector<int32_t>{3, 44}));
    c.effect_count = kKnownEffects;  // a record that knows cross-fade
    SetUpShowSettings(s, c, ShowVariant::kFullScreen);
    EXPECT_EQ(s.effects, (std::vector<int32_t>{3, 44, 45}));
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
    EXPECT_EQ(s.banner_form, TextForm::kAnsi) << "a record without texts in Unicode: ANSI, as always";
}

TEST(ShowSetup, TheBannerIsDrawnFromItsUnicodeTextWhenTheRecordHasOne) {
    SaverConfig c = Config();
    c.texts = SaverTexts{"Ελλάδα 2026", "", "", "", "", "", "Москва", "Шрифт"};
    ShowSettings s;
    SetUpShowSettings(s, c, ShowVariant::kFullScreen);
    EXPECT_EQ(s.banner_text, "Москва");
    EXPECT_EQ(s.banner_font.face_name, "Шрифт");
    EXPECT_EQ(s.banner_font.height, c.banner_font.height);
    EXPECT_EQ(s.banner_form, TextForm::kUtf8);
}

// A screensaver made before the newer options (no extras record, so each at its absent
// value) and one whose record turns every one of them off set up the same show, with
// everything new off: it draws frame for frame as shows always did.
TEST(ShowSetup, WithoutTheNewerOptionsTheShowIsTheOldOne) {
    SaverConfig made_before = Config();
    made_before.effect_on.fill(1);
    SaverConfig all_off = made_before;
    all_off.effect_count = kEffectsOfOldRecords;
    all_off.smooth_scaling = all_off.shuffle_rounds = all_off.pan_zoom = all_off.backdrop = 0;
    ShowSettings a, b;
    SetUpShowSettings(a, made_before, ShowVariant::kFullScreen);
    SetUpShowSettings(b, all_off, ShowVariant::kFullScreen);
    for (const ShowSettings* s : {&a, &b}) {
        EXPECT_FALSE(s->smooth_scaling);
        EXPECT_FALSE(s->shuffle_rounds);
        EXPECT_FALSE(s->pan_zoom);
        EXPECT_EQ(s->backdrop, 0);
        ASSERT_EQ(s->effects.size(), 44u);
        EXPECT_EQ(s->effects.back(), 44);
    }
    EXPECT_EQ(a.effects, b.effects);
    EXPECT_EQ(a.picture_pause, b.picture_pause);
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
