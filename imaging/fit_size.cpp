#include "imaging/fit_size.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace gd {

FittedSize FitIntoBox(int width, int height, int box_width, int box_height) {
    double scale = 1.0;
    if (box_width > 0 && width > box_width) scale = std::min(scale, double(box_width) / width);
    if (box_height > 0 && height > box_height) scale = std::min(scale, double(box_height) / height);
    if (scale >= 1.0) return {width, height};
    // The limiting side comes to the box's length; the other stays within its own (its
    // exact length is at most the box's, so rounding cannot pass it).
    return {std::max(1, int(std::lround(width * scale))), std::max(1, int(std::lround(height * scale)))};
}

int ReducedEighths(int width, int height, int box_width, int box_height) {
    const FittedSize fit = FitIntoBox(width, height, box_width, box_height);
    if (int64_t(width) < 2 * int64_t(fit.width) || int64_t(height) < 2 * int64_t(fit.height)) return 8;
    auto scaled = [](int side, int eighths) { return (int64_t(side) * eighths + 7) / 8; };
    for (int eighths = 1; eighths < 8; ++eighths)
        if (scaled(width, eighths) >= fit.width && scaled(height, eighths) >= fit.height) return eighths;
    return 8;
}

}  // namespace gd
