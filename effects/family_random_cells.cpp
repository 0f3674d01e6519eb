// Effects that reveal the new frame in cells or lines in a random or spiral order.
#include "effects/families.h"
#include "effects/slide_stage.h"

namespace gd::fx {

// Not yet drawn step by step: these show the new frame at once.
void Mosaic(SlideStage& stage) { DisplayOnly(stage); }
void RandomLinesHorizontal(SlideStage& stage) { DisplayOnly(stage); }
void RandomLinesVertical(SlideStage& stage) { DisplayOnly(stage); }
void Spire(SlideStage& stage) { DisplayOnly(stage); }

}  // namespace gd::fx
