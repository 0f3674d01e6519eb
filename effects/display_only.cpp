#include "effects/families.h"
#include "effects/slide_stage.h"

namespace gd::fx {

void DisplayOnly(SlideStage& stage) {
    if (!stage.ComposeNextFrame()) return;
    stage.Copy(0, 0, stage.width(), stage.height());
}

}  // namespace gd::fx
