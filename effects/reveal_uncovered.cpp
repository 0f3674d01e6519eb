#include "effects/reveal_uncovered.h"

#include "effects/slide_stage.h"

namespace gd {

void RevealUncovered(SlideStage& stage, const Region& covered) {
    Region rest = Region::FromRect(stage.client_rect()).Difference(covered);
    if (rest.is_empty()) return;
    stage.SetClip(std::move(rest));
    stage.Copy(0, 0, stage.width(), stage.height());
}

}  // namespace gd
