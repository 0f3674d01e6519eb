// Where the move and stretch effects put each part of the frame at a given step, and the
// windows in which their drawing as written would end off the frame's place.
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "common/random15.h"
#include "tests/effects/effect_harness.h"

namespace gd {
namespace {

using testing::EffectRun;
using testing::NewPixel;
using testing::OldPixel;
using testing::WaitCall;

int FirstRandom(uint32_t seed) {
    SeedRandom(seed);
    return NextRandom();
}

// A seed whose first random value is `value` modulo `mod`.
uint32_t SeedFor(int value, int mod) {
    for (uint32_t seed = 1;; ++seed)
        if (FirstRandom(seed) % mod == value) return seed;
}

struct Source {
    int x, y;
};

// Checks the window after WaitStep call `call`: where `source` gives a frame pixel the
// window shows it; elsewhere it still shows the old screen.
void ExpectShows(const EffectRun& run, int call, const std::function<std::optional<Source>(int x, int y)>& source) {
    const Bitmap& shown = run.steps[size_t(call - 1)];
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            std::optional<Source> s = source(x, y);
            ASSERT_EQ(shown.pixel(x, y), s ? NewPixel(s->x, s->y) : OldPixel(x, y))
                << "after wait " << call << " at " << x << "," << y;
        }
}

TEST(MoveHorizontal, SlidesThePictureInThenUncoversTheRestColumnByColumn) {
    const int w = 40, h = 6, left = 8, right = 20;
    const Rect placed{left, 0, right, h};
    EffectRun from_left =
        testing::RunEffect(37, {.width = w, .height = h, .seed = SeedFor(0, 2), .placed = placed, .keep_steps = true});
    for (int i : {1, 7, right})
        ExpectShows(from_left, i, [&](int x, int y) {
            return x < i ? std::optional<Source>({right - i + x, y}) : std::nullopt;
        });
    for (int i : {right + 1, w - 1})
        ExpectShows(from_left, i, [&](int x, int y) { return x < i ? std::optional<Source>({x, y}) : std::nullopt; });

    EffectRun from_right =
        testing::RunEffect(37, {.width = w, .height = h, .seed = SeedFor(1, 2), .placed = placed, .keep_steps = true});
    const int k = w - left;
    for (int i : {1, 9, k})
        ExpectShows(from_right, i, [&](int x, int y) {
            return x >= w - i ? std::optional<Source>({left + x - (w - i), y}) : std::nullopt;
        });
    ExpectShows(from_right, k + 3, [&](int x, int y) {
        return x >= w - k - 3 ? std::optional<Source>({x, y}) : std::nullopt;
    });
    EXPECT_TRUE(from_left.window == from_left.frame);
    EXPECT_TRUE(from_right.window == from_right.frame);
}

TEST(MoveVertical, SlidesThePictureInFromTheTopOrTheBottom) {
    const int w = 5, h = 30, top = 4, bottom = 17;
    const Rect placed{0, top, w, bottom};
    EffectRun from_top =
        testing::RunEffect(38, {.width = w, .height = h, .seed = SeedFor(0, 2), .placed = placed, .keep_steps = true});
    ExpectShows(from_top, 6, [&](int x, int y) { return y < 6 ? std::optional<Source>({x, bottom - 6 + y}) : std::nullopt; });
    ExpectShows(from_top, 20, [&](int x, int y) { return y < 20 ? std::optional<Source>({x, y}) : std::nullopt; });
    EffectRun from_bottom =
        testing::RunEffect(38, {.width = w, .height = h, .seed = SeedFor(1, 2), .placed = placed, .keep_steps = true});
    ExpectShows(from_bottom, 6, [&](int x, int y) {
        return y >= h - 6 ? std::optional<Source>({x, top + y - (h - 6)}) : std::nullopt;
    });
    EXPECT_TRUE(from_top.window == from_top.frame);
    EXPECT_TRUE(from_bottom.window == from_bottom.frame);
}

// A picture larger than the window (placed partly outside it) would slide one step short
// or past its place; the slide is measured inside the window instead.
TEST(MoveHorizontal, PicturePlacedPartlyOutsideTheWindowStillEndsInPlace) {
    for (int id : {37, 38})
        for (int d : {0, 1}) {
            EffectRun run = testing::RunEffect(id, {.width = 30, .height = 20, .seed = SeedFor(d, 2),
                                                    .placed = Rect{-6, -3, 37, 24}});
            EXPECT_EQ(testing::CountDifferent(run.window, run.frame), 0) << "id " << id << " d " << d;
        }
}

TEST(MoveToCenter, HalvesSlideInFromBothEdgesAndMeetInTheirOwnColumns) {
    for (int w : {40, 41}) {
        const int h = 4, m = w / 2;
        EffectRun run = testing::RunEffect(39, {.width = w, .height = h, .keep_steps = true});
        ASSERT_EQ(run.waits.size(), size_t(m + 1));
        for (int i : {1, m / 2, m})
            ExpectShows(run, i, [&](int x, int y) -> std::optional<Source> {
                if (x < i) return Source{m - i + 1 + x, y};
                if (x >= w - i) return Source{m + x - (w - i), y};
                return std::nullopt;
            });
        // The last step copies columns M..W-1 to their own place (with even W the source
        // is cut at the frame's right edge).
        EXPECT_TRUE(run.window == run.frame) << w;
    }
}

TEST(MoveToMiddle, HalvesSlideInFromTopAndBottom) {
    const int w = 3, h = 21, m = h / 2;
    EffectRun run = testing::RunEffect(40, {.width = w, .height = h, .keep_steps = true});
    ExpectShows(run, 4, [&](int x, int y) -> std::optional<Source> {
        if (y < 4) return Source{x, m - 4 + 1 + y};
        if (y >= h - 4) return Source{x, m + y - (h - 4)};
        return std::nullopt;
    });
    EXPECT_TRUE(run.window == run.frame);
}

TEST(MoveCross, QuartersSlideInFromTheCorners) {
    const int w = 30, h = 24, m = w / 2, n = w / 2 + 1;
    EffectRun run = testing::RunEffect(41, {.width = w, .height = h, .keep_steps = true});
    for (int i : {3, 9}) {
        const int e = i * h / w, y1 = (n - i) * h / w;
        ExpectShows(run, i, [&](int x, int y) -> std::optional<Source> {
            const bool top = y < e, bottom = y >= h - e, left = x < i, right = x >= w - i;
            const int sx = left ? m - i + 1 + x : m + x - (w - i);
            if (bottom && (left || right)) return Source{sx, h / 2 + y - (h - e)};
            if (top && (left || right)) return Source{sx, y1 + y};
            return std::nullopt;
        });
    }
}

// With odd H the last quarters are (n x H) / W rows tall; in windows wider than tall with
// odd W, or more than twice as wide as tall with even W, that is a row short of half the
// window, so the lower quarters would end a row below their place over a stale middle row.
TEST(MoveCross, OddHeightInWideWindowsEndsWithTheLowerHalfInPlace) {
    for (auto [w, h] : {std::pair{29, 21}, std::pair{64, 9}, std::pair{7, 1}, std::pair{301, 151}}) {
        EffectRun run = testing::RunEffect(41, {.width = w, .height = h});
        EXPECT_EQ(testing::CountDifferent(run.window, run.frame), 0) << w << "x" << h;
    }
}

TEST(MoveFromCorner, SlidesTheWholeFrameInFromTheChosenCorner) {
    const int w = 20, h = 15;
    EffectRun run = testing::RunEffect(42, {.width = w, .height = h, .seed = SeedFor(0, 4), .keep_steps = true});
    std::vector<WaitCall> expected;
    for (int i = 2; i <= w; i += 2) expected.push_back({i, w});
    EXPECT_EQ(run.waits, expected);
    const int i = 8, e = i * h / w, y1 = (w - i) * h / w;
    ExpectShows(run, i / 2, [&](int x, int y) {
        return x < i && y < e ? std::optional<Source>({w - i + x, y1 + y}) : std::nullopt;
    });
    for (int k = 0; k < 4; ++k) {
        EffectRun any = testing::RunEffect(42, {.width = w, .height = h, .seed = SeedFor(k, 4)});
        EXPECT_TRUE(any.window == any.frame) << "corner " << k;
    }
}

// With odd W the even steps end at W - 1, one column short: the frame would stay a column
// and a few rows off its place (and a 1-pixel-wide window would never change). The slide
// ends with the step i = W.
TEST(MoveFromCorner, OddWidthEndsWithTheStepOfTheFullWidth) {
    for (int k = 0; k < 4; ++k) {
        EffectRun run = testing::RunEffect(42, {.width = 7, .height = 5, .seed = SeedFor(k, 4)});
        EXPECT_EQ(run.waits, (std::vector<WaitCall>{{2, 7}, {4, 7}, {6, 7}, {7, 7}}));
        EXPECT_TRUE(run.window == run.frame) << "corner " << k;
        EXPECT_EQ(run.elapsed_ms, 1000u);
    }
    EffectRun narrow = testing::RunEffect(42, {.width = 1, .height = 9});
    EXPECT_EQ(narrow.waits, (std::vector<WaitCall>{{1, 1}}));
    EXPECT_TRUE(narrow.window == narrow.frame);
}

TEST(Stretch, UnfoldsFromTheMiddleRowInBandsOfTwentyRows) {
    const int w = 6, h = 95;
    EffectRun run = testing::RunEffect(43, {.width = w, .height = h, .keep_steps = true});
    EXPECT_EQ(run.waits.size(), size_t(h / 20 + 1));
    EXPECT_EQ(run.waits.back(), (WaitCall{5, 9}));
    for (int o : {10, 30}) {
        const int top = h / 2 - o;
        ExpectShows(run, o / 10, [&](int x, int y) {
            return y >= top && y < top + 2 * o ? std::optional<Source>({x, (y - top) * h / (2 * o)}) : std::nullopt;
        });
    }
}

// The last band is taller than the window, so as written the effect would end on the
// frame enlarged; its last step ends on the frame at its own scale instead.
TEST(Stretch, LastBandTallerThanTheWindowStillEndsOnTheFrame) {
    for (int h : {3, 20, 95, 100, 1080}) {
        EffectRun run = testing::RunEffect(43, {.width = 4, .height = h});
        EXPECT_EQ(testing::CountDifferent(run.window, run.frame), 0) << h;
    }
}

TEST(Stretch, WindowLowerThanTenPixelsPacesOneStep) {
    for (int h : {1, 5, 9}) {
        EffectRun run = testing::RunEffect(43, {.width = 8, .height = h});
        EXPECT_EQ(run.waits, (std::vector<WaitCall>{{1, 1}})) << h;
        EXPECT_TRUE(run.window == run.frame);
    }
}

}  // namespace
}  // namespace gd
