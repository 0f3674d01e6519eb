#pragma once
// Runs one effect the way the show does (RunTransition on a stage), on a small window
// with a fake clock and a seeded generator, and records what a test needs: the old
// screen, the composed frame, the window afterwards and every pacing call.
//
//   EffectRun run = RunEffect(1, {.width = 64, .height = 48, .seed = 7});
//   EXPECT_TRUE(run.window == run.frame);               // the whole new frame arrived
//   EXPECT_EQ(run.waits.front(), (WaitCall{1, 11}));    // (i, n) of the first WaitStep

#include <cstdint>
#include <functional>
#include <vector>

#include "effects/slide_stage.h"
#include "raster/bitmap.h"

namespace gd::testing {

struct WaitCall {
    int i = 0;
    int n = 0;
    friend bool operator==(const WaitCall&, const WaitCall&) = default;
};

struct EffectRunOptions {
    int width = 64;
    int height = 48;
    uint32_t seed = 1;
    int32_t duration = 1000;
    // Requests a stop right after this WaitStep call (counted from 1); 0: never.
    int stop_after_wait = 0;
    // Paces with the demonstration's fixed sleeps instead of WaitStep.
    bool demo_mode = false;
    // Where the composed picture lies in the frame (the stage's placed rectangle); empty:
    // the whole window.
    Rect placed;
    // Keeps a copy of the window after every WaitStep call.
    bool keep_steps = false;
    // Called after every WaitStep with the stage; may inspect the window.
    std::function<void(SlideStage&, int call)> on_wait;
};

struct EffectRun {
    Bitmap old_screen;
    Bitmap frame;
    Bitmap window;
    std::vector<WaitCall> waits;
    std::vector<Bitmap> steps;  // with keep_steps: the window after each WaitStep
    uint32_t elapsed_ms = 0;    // fake time from the frame's start time to the end
    int presents = 0;
    std::vector<uint32_t> sleeps;  // every clock sleep, in ms, in order
};

// Distinct pixels for the old screen and the new frame, so any pixel tells which one it
// shows.
Pixel OldPixel(int x, int y);
Pixel NewPixel(int x, int y);

EffectRun RunEffect(int32_t id, const EffectRunOptions& options);

// Composes the new-frame pattern into the stage, as a loaded picture would.
class PatternFrameSource : public FrameSource {
public:
    bool ComposeNext(SlideStage& stage) override;
    Rect placed;  // empty: the whole window
};

// Pixels where `window` differs from `frame` (sizes must match).
int64_t CountDifferent(const Bitmap& window, const Bitmap& frame);

}  // namespace gd::testing
