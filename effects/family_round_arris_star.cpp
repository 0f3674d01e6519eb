// Effects that reveal the new frame through circular rings, diamond rings or edge wedges.
#include "effects/families.h"
#include "effects/slide_stage.h"

namespace gd::fx {

// Not yet drawn step by step: these show the new frame at once.
void RoundIn(SlideStage& stage) { DisplayOnly(stage); }
void RoundOut(SlideStage& stage) { DisplayOnly(stage); }
void ArrisIn(SlideStage& stage) { DisplayOnly(stage); }
void ArrisOut(SlideStage& stage) { DisplayOnly(stage); }
void StarIn(SlideStage& stage) { DisplayOnly(stage); }
void StarOut(SlideStage& stage) { DisplayOnly(stage); }

}  // namespace gd::fx
