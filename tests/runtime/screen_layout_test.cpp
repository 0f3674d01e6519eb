#include <gtest/gtest.h>

#include <vector>

#include "runtime/screen_layout.h"

namespace gd {
namespace {

const Rect kFallback = Rect::FromSize(0, 0, 1024, 768);

TEST(ScreenLayout, OneMonitorIsWindowAndStage) {
    std::vector<MonitorArea> one{{Rect::FromSize(0, 0, 1920, 1080), true}};
    ScreenLayout layout = FullScreenLayout(one, kFallback);
    EXPECT_EQ(layout.window, Rect::FromSize(0, 0, 1920, 1080));
    EXPECT_EQ(layout.stage, Rect::FromSize(0, 0, 1920, 1080));
}

TEST(ScreenLayout, TheWindowCoversEveryMonitorAndTheStageIsThePrimary) {
    struct Case {
        const char* name;
        std::vector<MonitorArea> monitors;
        Rect window, stage;
    };
    const Case cases[] = {
        {"secondary right",
         {{Rect::FromSize(0, 0, 1920, 1080), true}, {Rect::FromSize(1920, 0, 1280, 1024), false}},
         {0, 0, 3200, 1080},
         Rect::FromSize(0, 0, 1920, 1080)},
        {"secondary left, listed first",
         {{Rect::FromSize(-1280, 0, 1280, 1024), false}, {Rect::FromSize(0, 0, 1920, 1080), true}},
         {-1280, 0, 1920, 1080},
         Rect::FromSize(1280, 0, 1920, 1080)},
        {"secondary above, smaller and offset",
         {{Rect::FromSize(0, 0, 1600, 900), true}, {Rect::FromSize(200, -768, 1024, 768), false}},
         {0, -768, 1600, 900},
         Rect::FromSize(0, 768, 1600, 900)},
        {"three, primary in the middle",
         {{Rect::FromSize(-800, 100, 800, 600), false},
          {Rect::FromSize(0, 0, 1024, 768), true},
          {Rect::FromSize(1024, -200, 1080, 1920), false}},
         {-800, -200, 2104, 1720},
         Rect::FromSize(800, 200, 1024, 768)},
    };
    for (const Case& c : cases) {
        ScreenLayout layout = FullScreenLayout(c.monitors, kFallback);
        EXPECT_EQ(layout.window, c.window) << c.name;
        EXPECT_EQ(layout.stage, c.stage) << c.name;
    }
}

TEST(ScreenLayout, WithoutAPrimaryMarkTheMonitorAtTheOriginIsPrimary) {
    std::vector<MonitorArea> unmarked{{Rect::FromSize(-1024, 0, 1024, 768), false},
                                      {Rect::FromSize(0, 0, 800, 600), false}};
    EXPECT_EQ(FullScreenLayout(unmarked, kFallback).stage, Rect::FromSize(1024, 0, 800, 600));
}

TEST(ScreenLayout, NoMonitorsFallsBackToThePrimaryScreenSize) {
    ScreenLayout layout = FullScreenLayout({}, kFallback);
    EXPECT_EQ(layout.window, kFallback);
    EXPECT_EQ(layout.stage, kFallback);
}

}  // namespace
}  // namespace gd
