#pragma once
// The user's choice of transition effects and the order in which the show plays them.

#include <cstdint>

#include "effects/show_settings.h"

namespace gd {

// Stands for "every effect": the list becomes 1, 2, ..., kEffectCount. It lies beyond the
// 64 effect flags, so no effect will ever take its number.
constexpr int32_t kAllEffects = 64;

// Appends `id` to the selection list (emptied first when `clear_first`). Ids outside
// 0..kEffectCount, other than kAllEffects, are ignored; duplicates are kept.
void AddEffect(ShowSettings& settings, int32_t id, bool clear_first = false);

// The next effect id: 0 (shown at once) when transitions are off or nothing is selected;
// one entry always; two entries alternate starting with the first; three or more follow
// the list in order or, with random order, jump at random but never repeat the last one.
// Draws from the calling thread's random generator.
int32_t PickNextEffect(ShowSettings& settings);

}  // namespace gd
