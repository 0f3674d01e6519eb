// Effects that grow or shrink axis-aligned rectangles along the window's diagonal. Their
// step geometry lives in diagonal_growth.h.
#include "common/random15.h"
#include "effects/diagonal_growth.h"
#include "effects/families.h"
#include "effects/slide_stage.h"

namespace gd::fx {
namespace {

// Draws steps i = 0 .. steps - 1 with `step(sink, d, i, mend)`, polling stop once per
// step before its copies. The mend is decided once, before the first step.
template <class Step>
void RunDiagonal(SlideStage& stage, const Diagonal& d, int steps, bool wide_may_miss, const DemoPace& demo, Step step) {
    const bool mend = MendNeeded(d, steps, wide_may_miss, [&](CoverageMask& mask, int i) { step(mask, d, i, false); });
    for (int i = 0; i < steps; ++i) {
        if (stage.IsStopRequested()) return;
        step(stage, d, i, mend);
        if (!stage.EndStep(i + 1, steps, i, demo)) return;
    }
}

// Cross and Square: steps i = 0 .. W/2 + 1; in the demonstration s + 1 ms after every
// 2nd step.
template <class Step>
void CrossOrSquare(SlideStage& stage, bool wide_may_miss, Step step) {
    if (!stage.ComposeNextFrame()) return;
    const Diagonal d{stage.width(), stage.height()};
    const DemoPace demo{.every = 2, .sleep_ms = stage.settings().demo_speed + 1, .stop_first = true};
    RunDiagonal(stage, d, d.w / 2 + 2, wide_may_miss, demo, step);
}

}  // namespace

void CrossIn(SlideStage& stage) {
    CrossOrSquare(stage, false, [](auto& sink, const Diagonal& d, int i, bool mend) { CrossInStep(sink, d, i, mend); });
}

void CrossOut(SlideStage& stage) {
    // As written, Cross Out misses the bottom row of an odd height (but a height of 1).
    CrossOrSquare(stage, stage.height() % 2 == 1,
                  [](auto& sink, const Diagonal& d, int i, bool mend) { CrossOutStep(sink, d, i, mend); });
}

void SquareIn(SlideStage& stage) {
    CrossOrSquare(stage, false, [](auto& sink, const Diagonal& d, int i, bool mend) { SquareInStep(sink, d, i, mend); });
}

void SquareOut(SlideStage& stage) {
    CrossOrSquare(stage, false,
                  [](auto& sink, const Diagonal& d, int i, bool mend) { SquareOutStep(sink, d, i, mend); });
}

// Slide From Corner: steps i = 0 .. W + 1 from a random corner; in the demonstration
// s / 2 + 1 ms after every 2nd step.
void SlideFromCorner(SlideStage& stage) {
    if (!stage.ComposeNextFrame()) return;
    const Diagonal d{stage.width(), stage.height()};
    const int corner = NextRandom() % 4;
    const DemoPace demo{.every = 2, .sleep_ms = stage.settings().demo_speed / 2 + 1, .stop_first = true};
    RunDiagonal(stage, d, d.w + 2, false, demo, [corner](auto& sink, const Diagonal& g, int i, bool mend) {
        SlideFromCornerStep(sink, g, corner, i, mend);
    });
}

}  // namespace gd::fx
