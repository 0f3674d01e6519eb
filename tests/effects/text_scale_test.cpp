// Captions and the banner at the monitor's DPI: a show that scales texts draws their
// fonts and insets larger by the monitor's DPI over 96; one that does not (every
// screensaver made before the option) draws them as always, whatever the monitor.
#include "effects/text_scale.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "effects/clock.h"
#include "effects/prepare_frame.h"
#include "effects/show_setup.h"

namespace gd {
namespace {

struct Drawn {
    std::string text;
    Rect rect;
    int32_t height;
    int32_t width;
};

class RecordingText : public TextRenderer {
public:
    void DrawText(Bitmap&, std::string_view text, TextForm, const Rect& rect, unsigned, const LogFont& font,
                  ColorRef) override {
        drawn.push_back({std::string(text), rect, font.height, font.width});
    }
    std::vector<Drawn> drawn;
};

// The caption (top left) and the banner (bottom) of one frame on a 400 x 300 stage.
std::vector<Drawn> Compose(bool scale_texts, int32_t dpi) {
    ShowSettings settings;
    settings.scale_texts = scale_texts;
    settings.display_dpi = dpi;
    settings.caption_text = "Caption";
    settings.caption_position = 0;
    settings.caption_font.height = -16;
    settings.banner_text = "Banner";
    settings.banner_position = 1;
    settings.banner_font.height = 24;  // a cell height
    settings.banner_font.width = 10;
    FakeClock clock;
    SlideStage stage(settings, Bitmap(400, 300), clock);
    RecordingText text;
    CxImage picture;
    picture.Create(4, 3, 24);
    PrepareFrame(stage, picture, &text);
    return text.drawn;
}

TEST(TextScale, AShowThatScalesDrawsItsTextsAtTheMonitorsDpi) {
    const auto at_200 = Compose(true, 192);
    ASSERT_EQ(at_200.size(), 2u);
    EXPECT_EQ(at_200[0].text, "Caption");
    EXPECT_EQ(at_200[0].height, -32);
    EXPECT_EQ(at_200[0].width, 0);  // the platform's own width stays its own
    EXPECT_EQ(at_200[0].rect, (Rect{100, 100, 300, 200}));  // inset 50 at 96 DPI
    EXPECT_EQ(at_200[1].height, 48);
    EXPECT_EQ(at_200[1].width, 20);
    EXPECT_EQ(at_200[1].rect, (Rect{20, 20, 380, 280}));  // inset 10 at 96 DPI

    const auto at_150 = Compose(true, 144);
    EXPECT_EQ(at_150[0].height, -24);
    EXPECT_EQ(at_150[0].rect, (Rect{75, 75, 325, 225}));
    EXPECT_EQ(at_150[1].rect, (Rect{15, 15, 385, 285}));
}

TEST(TextScale, AShowThatDoesNotScaleOrAMonitorAt96DrawsThemAsAlways) {
    for (const auto& drawn : {Compose(false, 192), Compose(true, 96), Compose(false, 96)}) {
        ASSERT_EQ(drawn.size(), 2u);
        EXPECT_EQ(drawn[0].height, -16);
        EXPECT_EQ(drawn[0].rect, (Rect{50, 50, 350, 250}));
        EXPECT_EQ(drawn[1].height, 24);
        EXPECT_EQ(drawn[1].width, 10);
        EXPECT_EQ(drawn[1].rect, (Rect{10, 10, 390, 290}));
    }
}

TEST(TextScale, LengthsRoundToTheNearestPixelEitherSide) {
    EXPECT_EQ(ScaledLength(13, 120), 16);   // 16.25
    EXPECT_EQ(ScaledLength(-13, 120), -16);
    EXPECT_EQ(ScaledLength(10, 144), 15);
    EXPECT_EQ(ScaledLength(-11, 144), -17);  // 16.5 away from zero
    EXPECT_EQ(ScaledLength(0, 192), 0);
}

// The option reaches the show from a made screensaver's configuration; a record without
// it (made before) leaves the texts unscaled.
TEST(TextScale, TheOptionComesFromTheConfiguration) {
    SaverConfig config;
    ShowSettings before;
    SetUpShowSettings(before, config, ShowVariant::kFullScreen);
    EXPECT_FALSE(before.scale_texts);
    config.scale_texts = 1;
    ShowSettings now;
    SetUpShowSettings(now, config, ShowVariant::kFullScreen);
    EXPECT_TRUE(now.scale_texts);
    now.display_dpi = 192;
    EXPECT_EQ(TextDpi(now), 192);
    EXPECT_EQ(TextDpi(before), 96);
}

}  // namespace
}  // namespace gd
