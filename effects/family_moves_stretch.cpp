// Effects that move or stretch the new frame into the window.
#include "effects/families.h"
#include "effects/slide_stage.h"

namespace gd::fx {

// Not yet drawn step by step: these show the new frame at once.
void MoveHorizontal(SlideStage& stage) { DisplayOnly(stage); }
void MoveVertical(SlideStage& stage) { DisplayOnly(stage); }
void MoveToCenter(SlideStage& stage) { DisplayOnly(stage); }
void MoveToMiddle(SlideStage& stage) { DisplayOnly(stage); }
void MoveCross(SlideStage& stage) { DisplayOnly(stage); }
void MoveFromCorner(SlideStage& stage) { DisplayOnly(stage); }
void Stretch(SlideStage& stage) { DisplayOnly(stage); }

}  // namespace gd::fx
