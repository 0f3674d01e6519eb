#pragma once
// Where one show plays in its window: a rectangle of the window's client area (one
// monitor's, in a full-screen window) and the DPI of the monitor it lies on.

#include "raster/geometry.h"

namespace gd {

struct ShowStage {
    Rect rect;      // client coordinates
    int dpi = 96;
    friend bool operator==(const ShowStage&, const ShowStage&) = default;
};

}  // namespace gd
