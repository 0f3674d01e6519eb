// Effects that reveal the new frame as 1-pixel lines or narrow strips in a fixed order.
#include "common/random15.h"
#include "effects/families.h"
#include "effects/slide_stage.h"

namespace gd::fx {
namespace {

// Blinds: bands of a period P (10, 20 or 30 pixels); every step reveals one more line in
// every band, all bands in step. Offsets -1 .. P-1 over P + 1 steps: the first step's
// lines lie at -1 and are clipped away, yet the step is paced like any other.
void Blinds(SlideStage& stage, bool columns) {
    if (!stage.ComposeNextFrame()) return;
    const int w = stage.width(), h = stage.height();
    const int period = 10 * (1 + NextRandom() % 3);
    const int bands = (columns ? w : h) / period;
    for (int k = 1; k <= period + 1; ++k) {
        if (stage.IsStopRequested()) return;
        for (int j = 0; j <= bands; ++j) {
            if (stage.IsStopRequested()) return;
            int line = k - 2 + j * period;
            if (columns)
                stage.Copy(line, 0, 1, h);
            else
                stage.Copy(0, line, w, 1);
        }
        const int s = stage.settings().demo_speed;
        stage.EndStep(k, period + 1, DemoPace{.sleep_ms = 1, .repeats = (10 * s + 10) / period + 1});
    }
}

}  // namespace

void BlindsHorizontal(SlideStage& stage) { Blinds(stage, true); }
void BlindsVertical(SlideStage& stage) { Blinds(stage, false); }

// Not yet drawn step by step: these show the new frame at once.
void Grid(SlideStage& stage) { DisplayOnly(stage); }
void SlidingJawsHorizontal(SlideStage& stage) { DisplayOnly(stage); }
void SlidingJawsVertical(SlideStage& stage) { DisplayOnly(stage); }
void RollHorizontal(SlideStage& stage) { DisplayOnly(stage); }
void RollVertical(SlideStage& stage) { DisplayOnly(stage); }
void SlideCenter(SlideStage& stage) { DisplayOnly(stage); }
void SlideMiddle(SlideStage& stage) { DisplayOnly(stage); }
void VeilHorizontal(SlideStage& stage) { DisplayOnly(stage); }
void VeilVertical(SlideStage& stage) { DisplayOnly(stage); }

}  // namespace gd::fx
