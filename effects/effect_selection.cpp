#include "effects/effect_selection.h"

#include "common/random15.h"
#include "effects/effect_table.h"

namespace gd {

void AddEffect(ShowSettings& settings, int32_t id, bool clear_first) {
    if (clear_first) settings.effects.clear();
    if (id == kAllEffects) {
        settings.effects.clear();
        for (int32_t e = 1; e <= kEffectCount; ++e) settings.effects.push_back(e);
        return;
    }
    if (id < 0 || id > kEffectCount) return;
    settings.effects.push_back(id);
}

int32_t PickNextEffect(ShowSettings& settings) {
    if (!settings.transition_effects) return 0;
    const auto& list = settings.effects;
    int32_t n = int32_t(list.size());
    if (n == 0) return 0;
    int32_t& pos = settings.effect_position;
    if (n == 1) {
        pos = 0;
    } else if (n == 2) {
        pos = pos == 0 ? 1 : 0;
    } else if (settings.random_effect_order) {
        int32_t r;
        do r = NextRandom() % n;
        while (r == pos);
        pos = r;
    } else {
        pos = pos + 1 >= n || pos + 1 < 0 ? 0 : pos + 1;
    }
    return list[size_t(pos)];
}

}  // namespace gd
