// Where the full-screen window and its shows go for a monitor layout, in each monitor
// mode: one monitor; two side by side; a secondary left of and above the primary;
// monitors of different sizes, a portrait one; three monitors; mirrored monitors.
#include <gtest/gtest.h>

#include <vector>

#include "player/screen_layout.h"

namespace gd {
namespace {

const Rect kFallback = Rect::FromSize(0, 0, 1024, 768);

constexpr MonitorMode kAllModes[] = {MonitorMode::kPrimaryOnly, MonitorMode::kSameShow,
                                     MonitorMode::kDifferentPictures};

std::vector<Rect> StageRects(const ScreenLayout& layout) {
    std::vector<Rect> rects;
    for (const ShowStage& s : layout.stages) rects.push_back(s.rect);
    return rects;
}

TEST(ScreenLayout, OneMonitorIsWindowAndStageInEveryMode) {
    std::vector<MonitorArea> one{{Rect::FromSize(0, 0, 1920, 1080), true, 120}};
    for (MonitorMode mode : kAllModes) {
        ScreenLayout layout = FullScreenLayout(one, kFallback, mode);
        EXPECT_EQ(layout.window, Rect::FromSize(0, 0, 1920, 1080));
        ASSERT_EQ(layout.stages.size(), 1u);
        EXPECT_EQ(layout.stages[0], (ShowStage{Rect::FromSize(0, 0, 1920, 1080), 120}));
    }
}

// Each case: the monitors as the platform lists them, the window (screen coordinates),
// the primary's stage (mode 0) and every monitor's stage from left to right (modes 1
// and 2), in window coordinates.
struct Case {
    const char* name;
    std::vector<MonitorArea> monitors;
    Rect window;
    Rect primary_stage;
    std::vector<Rect> stages;
};

const std::vector<Case>& Cases() {
    static const std::vector<Case> cases = {
        {"two side by side, the secondary right",
         {{Rect::FromSize(0, 0, 1920, 1080), true}, {Rect::FromSize(1920, 0, 1280, 1024), false}},
         {0, 0, 3200, 1080},
         Rect::FromSize(0, 0, 1920, 1080),
         {Rect::FromSize(0, 0, 1920, 1080), Rect::FromSize(1920, 0, 1280, 1024)}},
        {"secondary left, listed first",
         {{Rect::FromSize(-1280, 0, 1280, 1024), false}, {Rect::FromSize(0, 0, 1920, 1080), true}},
         {-1280, 0, 1920, 1080},
         Rect::FromSize(1280, 0, 1920, 1080),
         {Rect::FromSize(0, 0, 1280, 1024), Rect::FromSize(1280, 0, 1920, 1080)}},
        {"secondary left, listed last",
         {{Rect::FromSize(0, 0, 1920, 1080), true}, {Rect::FromSize(-1280, 56, 1280, 1024), false}},
         {-1280, 0, 1920, 1080},
         Rect::FromSize(1280, 0, 1920, 1080),
         {Rect::FromSize(0, 56, 1280, 1024), Rect::FromSize(1280, 0, 1920, 1080)}},
        {"secondary above, smaller and offset",
         {{Rect::FromSize(0, 0, 1600, 900), true}, {Rect::FromSize(200, -768, 1024, 768), false}},
         {0, -768, 1600, 900},
         Rect::FromSize(0, 768, 1600, 900),
         {Rect::FromSize(0, 768, 1600, 900), Rect::FromSize(200, 0, 1024, 768)}},
        {"a 4K primary beside a portrait full-HD one",
         {{Rect::FromSize(0, 0, 3840, 2160), true}, {Rect::FromSize(3840, -400, 1080, 1920), false}},
         {0, -400, 4920, 2160},
         Rect::FromSize(0, 400, 3840, 2160),
         {Rect::FromSize(0, 400, 3840, 2160), Rect::FromSize(3840, 0, 1080, 1920)}},
        {"three, the primary in the middle",
         {{Rect::FromSize(-800, 100, 800, 600), false},
          {Rect::FromSize(0, 0, 1024, 768), true},
          {Rect::FromSize(1024, -200, 1080, 1920), false}},
         {-800, -200, 2104, 1720},
         Rect::FromSize(800, 200, 1024, 768),
         {Rect::FromSize(0, 300, 800, 600), Rect::FromSize(800, 200, 1024, 768),
          Rect::FromSize(1824, 0, 1080, 1920)}},
        {"three, one below another",
         {{Rect::FromSize(0, 0, 1920, 1080), true},
          {Rect::FromSize(0, 1080, 1920, 1080), false},
          {Rect::FromSize(-1920, 0, 1920, 1080), false}},
         {-1920, 0, 1920, 2160},
         Rect::FromSize(1920, 0, 1920, 1080),
         {Rect::FromSize(0, 0, 1920, 1080), Rect::FromSize(1920, 0, 1920, 1080),
          Rect::FromSize(1920, 1080, 1920, 1080)}},
    };
    return cases;
}

TEST(ScreenLayout, TheWindowCoversEveryMonitorInEveryMode) {
    for (const Case& c : Cases())
        for (MonitorMode mode : kAllModes) EXPECT_EQ(FullScreenLayout(c.monitors, kFallback, mode).window, c.window) << c.name;
}

TEST(ScreenLayout, PrimaryOnlyPlaysOneShowOnThePrimary) {
    for (const Case& c : Cases()) {
        ScreenLayout layout = FullScreenLayout(c.monitors, kFallback, MonitorMode::kPrimaryOnly);
        EXPECT_EQ(StageRects(layout), std::vector<Rect>{c.primary_stage}) << c.name;
    }
}

TEST(ScreenLayout, TheOtherModesPlayOnEveryMonitorFromLeftToRight) {
    for (const Case& c : Cases()) {
        for (MonitorMode mode : {MonitorMode::kSameShow, MonitorMode::kDifferentPictures}) {
            ScreenLayout layout = FullScreenLayout(c.monitors, kFallback, mode);
            EXPECT_EQ(StageRects(layout), c.stages) << c.name;
            // Every stage lies in the window, and none overlaps another.
            const Rect window = c.window.translated(-c.window.left, -c.window.top);
            for (size_t i = 0; i < layout.stages.size(); ++i) {
                EXPECT_TRUE(window.contains(layout.stages[i].rect)) << c.name;
                for (size_t j = i + 1; j < layout.stages.size(); ++j)
                    EXPECT_TRUE(layout.stages[i].rect.intersected(layout.stages[j].rect).is_empty()) << c.name;
            }
        }
    }
}

TEST(ScreenLayout, EachStageCarriesItsMonitorsDpi) {
    std::vector<MonitorArea> mixed{{Rect::FromSize(0, 0, 3840, 2160), true, 192},
                                   {Rect::FromSize(-1920, 0, 1920, 1080), false, 96}};
    ScreenLayout layout = FullScreenLayout(mixed, kFallback, MonitorMode::kDifferentPictures);
    ASSERT_EQ(layout.stages.size(), 2u);
    EXPECT_EQ(layout.stages[0].dpi, 96);
    EXPECT_EQ(layout.stages[1].dpi, 192);
    EXPECT_EQ(FullScreenLayout(mixed, kFallback, MonitorMode::kPrimaryOnly).stages[0].dpi, 192);
}

TEST(ScreenLayout, AMirroredMonitorGetsNoShowOfItsOwnAndAnEmptyOneNone) {
    std::vector<MonitorArea> mirrored{{Rect::FromSize(0, 0, 1920, 1080), true},
                                      {Rect::FromSize(0, 0, 1920, 1080), false},
                                      {Rect::FromSize(1920, 0, 0, 0), false}};
    ScreenLayout layout = FullScreenLayout(mirrored, kFallback, MonitorMode::kDifferentPictures);
    EXPECT_EQ(layout.window, Rect::FromSize(0, 0, 1920, 1080));
    EXPECT_EQ(StageRects(layout), std::vector<Rect>{Rect::FromSize(0, 0, 1920, 1080)});
}

TEST(ScreenLayout, WithoutAPrimaryMarkTheMonitorAtTheOriginIsPrimary) {
    std::vector<MonitorArea> unmarked{{Rect::FromSize(-1024, 0, 1024, 768), false},
                                      {Rect::FromSize(0, 0, 800, 600), false}};
    EXPECT_EQ(StageRects(FullScreenLayout(unmarked, kFallback)), std::vector<Rect>{Rect::FromSize(1024, 0, 800, 600)});
}

TEST(ScreenLayout, NoMonitorsFallsBackToThePrimaryScreenSize) {
    for (MonitorMode mode : kAllModes) {
        ScreenLayout layout = FullScreenLayout({}, kFallback, mode);
        EXPECT_EQ(layout.window, kFallback);
        EXPECT_EQ(StageRects(layout), std::vector<Rect>{kFallback});
    }
}

TEST(ScreenLayout, AStoredModeOutOfRangePlaysOnThePrimaryOnly) {
    EXPECT_EQ(MonitorModeOf(0), MonitorMode::kPrimaryOnly);
    EXPECT_EQ(MonitorModeOf(1), MonitorMode::kSameShow);
    EXPECT_EQ(MonitorModeOf(2), MonitorMode::kDifferentPictures);
    EXPECT_EQ(MonitorModeOf(3), MonitorMode::kPrimaryOnly);
    EXPECT_EQ(MonitorModeOf(-1), MonitorMode::kPrimaryOnly);
}

}  // namespace
}  // namespace gd
