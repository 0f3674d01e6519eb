// Effects that grow or shrink axis-aligned rectangles along the window's diagonal.
#include "effects/families.h"
#include "effects/slide_stage.h"

namespace gd::fx {

// Not yet drawn step by step: these show the new frame at once.
void CrossIn(SlideStage& stage) { DisplayOnly(stage); }
void CrossOut(SlideStage& stage) { DisplayOnly(stage); }
void SquareIn(SlideStage& stage) { DisplayOnly(stage); }
void SquareOut(SlideStage& stage) { DisplayOnly(stage); }
void SlideFromCorner(SlideStage& stage) { DisplayOnly(stage); }

}  // namespace gd::fx
