#pragma once
// The platform's colour dialog, as both programs open it.

#include <windows.h>

#include <optional>

#include "common/color_ref.h"

namespace gd {

// The colour chooser, fully open (custom colours shown), preset to `initial`; the chosen
// colour, or nothing when cancelled. The custom colours are kept while the program runs.
std::optional<ColorRef> ChooseColorFullyOpen(HWND owner, ColorRef initial);

}  // namespace gd
