// Blends: the new screen shows through the old one.
#include <algorithm>

#include "effects/families.h"
#include "effects/slide_stage.h"
#include "raster/blend.h"

namespace gd::fx {
namespace {

// The demonstration's fade: this many steps of s + 1 ms (s the demo speed, 10: about
// 0.7 s), the pace of the other demonstrations' quick effects.
constexpr int kDemoFadeSteps = 64;

}  // namespace

// Paced by time, not by steps: each display refresh shows the blend for the time that
// has passed, so the fade is as smooth as the display and ends on time however long a
// blend takes. The first frame is the old screen itself (weight 0), the last the new
// frame exactly (copied, not blended).
void CrossFade(SlideStage& stage) {
    if (!stage.ComposeNextFrame()) return;
    stage.HoldOldScreen();
    const ShowSettings& s = stage.settings();
    if (s.demo_mode) {
        for (int i = 0; i < kDemoFadeSteps; ++i) {
            if (stage.IsStopRequested()) return;
            stage.BlendOldScreenWithFrame(i * kBlendWhole / kDemoFadeSteps);
            if (!stage.EndStep(i, kDemoFadeSteps, DemoPace{.every = 1, .sleep_ms = s.demo_speed + 1})) return;
        }
        stage.Copy(0, 0, stage.width(), stage.height());
        return;
    }
    const int64_t duration = std::max(s.effect_duration, 0);
    for (;;) {
        if (stage.IsStopRequested()) return;
        // The blend of the moment this frame reaches the screen.
        const int64_t elapsed = int64_t(uint32_t(stage.NextFrameTime() - stage.start_time));
        if (elapsed >= duration) break;
        stage.BlendOldScreenWithFrame(int(elapsed * kBlendWhole / duration));
        stage.WaitFrame(int(elapsed), int(duration));
    }
    if (stage.IsStopRequested()) return;
    // The new frame itself, at the first refresh from the end of the duration on.
    stage.Copy(0, 0, stage.width(), stage.height());
    if (duration > 0) stage.WaitFrame(int(uint32_t(stage.NextFrameTime() - stage.start_time)), int(duration));
}

}  // namespace gd::fx
