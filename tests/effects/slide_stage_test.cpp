#include "effects/slide_stage.h"

#include <gtest/gtest.h>

#include "effects/clock.h"
#include "tests/effects/effect_harness.h"

namespace gd {
namespace {

using testing::NewPixel;
using testing::OldPixel;

struct Stage {
    Stage(int w, int h) : stage(settings, Bitmap(w, h), clock) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) stage.frame().set_pixel(x, y, NewPixel(x, y));
    }
    // '.' where the window is untouched (0), otherwise 'a' + the frame column it shows.
    std::string Row(int y) {
        std::string s;
        const Bitmap& win = stage.window();
        for (int x = 0; x < win.width(); ++x) {
            Pixel p = win.pixel(x, y);
            s += p == 0 ? '.' : char('a' + (p & 0xFFF));
        }
        return s;
    }
    ShowSettings settings;
    FakeClock clock;
    SlideStage stage;
};

TEST(SlideStage, StartsStoppedWithAFrameOfTheWindowsSize) {
    Stage s(7, 5);
    EXPECT_TRUE(s.stage.IsStopRequested());
    EXPECT_EQ(s.stage.frame().width(), 7);
    EXPECT_EQ(s.stage.frame().height(), 5);
    s.stage.ResetStop();
    EXPECT_FALSE(s.stage.IsStopRequested());
}

TEST(SlideStage, CopyIsClippedToTheWindow) {
    Stage s(6, 3);
    s.stage.Copy(-2, 1, 4, 5);
    s.stage.Copy(5, 0, 9, 1);
    s.stage.Copy(1, 0, 0, 3);  // empty
    EXPECT_EQ(s.Row(0), ".....f");
    EXPECT_EQ(s.Row(1), "ab....");
    EXPECT_EQ(s.Row(2), "ab....");
}

TEST(SlideStage, CopyFromCutAtTheFramesRightEdgeKeepsItsRightEdge) {
    Stage s(8, 1);
    s.stage.CopyFrom(0, 0, 3, 1, 1, 0);  // columns 1..3 to 0..2
    EXPECT_EQ(s.Row(0), "bcd.....");
    // Columns 6..9 asked, 6..7 exist: they land at 2..3, the destination's right edge.
    s.stage.CopyFrom(0, 0, 4, 1, 6, 0);
    EXPECT_EQ(s.Row(0), "bcgh....");
}

TEST(SlideStage, CopyFromCutAtTheBottomEdgeMovesDown) {
    Stage s(1, 4);
    s.stage.CopyFrom(0, 0, 1, 3, 0, 2);  // rows 2..4 asked, 2..3 exist: land at rows 1..2
    const Bitmap& win = s.stage.window();
    EXPECT_EQ(win.pixel(0, 0), 0u);
    EXPECT_EQ(win.pixel(0, 1), NewPixel(0, 2));
    EXPECT_EQ(win.pixel(0, 2), NewPixel(0, 3));
    EXPECT_EQ(win.pixel(0, 3), 0u);
}

TEST(SlideStage, StretchCopyTakesTheNearestLowerPixel) {
    Stage s(8, 2);
    s.stage.StretchCopy(0, 0, 8, 1, 2, 0, 4, 1);  // columns 2..5 doubled
    EXPECT_EQ(s.Row(0), "ccddeeff");
    s.stage.StretchCopy(0, 1, 3, 1, 0, 0, 8, 1);  // 8 columns squeezed into 3
    EXPECT_EQ(s.Row(1), "acf.....");
}

TEST(SlideStage, StretchCopyNeverReadsOutsideTheFrame) {
    Stage s(4, 4);
    s.stage.StretchCopy(0, 0, 4, 8, 0, 0, 4, 4);  // double height: lower half runs off
    for (int y = 0; y < 4; ++y) EXPECT_EQ(s.stage.window().pixel(1, y), NewPixel(1, y / 2));
    s.stage.StretchCopy(0, 0, 4, 4, 2, 0, 4, 4);  // columns 4, 5 do not exist
    EXPECT_EQ(s.stage.window().pixel(1, 0), NewPixel(3, 0));
    EXPECT_EQ(s.stage.window().pixel(2, 0), NewPixel(2, 0));  // left from the first copy
}

TEST(SlideStage, ClipLimitsEveryDrawingUntilCleared) {
    Stage s(5, 2);
    s.stage.SetClip(Region::FromRect({1, 0, 3, 1}));
    s.stage.Copy(0, 0, 5, 2);
    s.stage.FillWindow({0, 1, 5, 2}, 0x123);
    EXPECT_EQ(s.Row(0), ".bc..");
    EXPECT_EQ(s.Row(1), ".....");
    s.stage.ClearClip();
    s.stage.Copy(4, 1, 1, 1);
    EXPECT_EQ(s.Row(1), "....e");
}

}  // namespace
}  // namespace gd
