#include "effects/effect_table.h"
#include "effects/slide_stage.h"

namespace gd {

std::array<char, kEffectNameField> EffectNameField(int32_t id) {
    std::array<char, kEffectNameField> field{};
    std::string_view name = EffectName(id);
    name.copy(field.data(), name.size());
    return field;
}

void RunTransition(SlideStage& stage, int32_t id) {
    if (id < 0 || id > kEffectCount) id = DISPLAY_ONLY;
    stage.ClearClip();
    kEffectTable[size_t(id)].run(stage);
    stage.ClearClip();
    stage.Present();
}

}  // namespace gd
