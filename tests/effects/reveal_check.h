#pragma once
// Compares a step of an effect with the shape it should have revealed so far.
//
//   EXPECT_EQ(RevealMismatch(run.steps[k - 1], [&](int x, int y) { return x < k; }), "");

#include <sstream>
#include <string>

#include "raster/bitmap.h"
#include "tests/effects/effect_harness.h"

namespace gd::testing {

// The first pixel of `shown` that does not show the new frame where `revealed(x, y)` holds
// and the old screen elsewhere, described as text; empty when every pixel agrees.
template <class Revealed>
std::string RevealMismatch(const Bitmap& shown, Revealed revealed) {
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            bool want_new = revealed(x, y);
            if (shown.pixel(x, y) != (want_new ? NewPixel(x, y) : OldPixel(x, y))) {
                std::ostringstream text;
                text << "pixel " << x << "," << y << " should show the " << (want_new ? "new" : "old") << " picture";
                return text.str();
            }
        }
    }
    return {};
}

// Whether pixel (x, y) of a step shows the new frame.
inline bool ShowsNew(const Bitmap& shown, int x, int y) { return shown.pixel(x, y) == NewPixel(x, y); }

}  // namespace gd::testing
