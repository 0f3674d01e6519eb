// Effects that reveal the new frame through thin triangles sweeping around the centre or a corner.
#include "effects/families.h"
#include "effects/slide_stage.h"

namespace gd::fx {

// Not yet drawn step by step: these show the new frame at once.
void Clock(SlideStage& stage) { DisplayOnly(stage); }
void ClockBack(SlideStage& stage) { DisplayOnly(stage); }
void DoubleClock(SlideStage& stage) { DisplayOnly(stage); }
void Wheel(SlideStage& stage) { DisplayOnly(stage); }
void WheelBack(SlideStage& stage) { DisplayOnly(stage); }
void Fan(SlideStage& stage) { DisplayOnly(stage); }
void FanBack(SlideStage& stage) { DisplayOnly(stage); }
void Coalition(SlideStage& stage) { DisplayOnly(stage); }
void Abruption(SlideStage& stage) { DisplayOnly(stage); }
void SlideBevel(SlideStage& stage) { DisplayOnly(stage); }
void SlideBevelBack(SlideStage& stage) { DisplayOnly(stage); }

}  // namespace gd::fx
