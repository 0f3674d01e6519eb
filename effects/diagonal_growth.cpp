#include "effects/diagonal_growth.h"

#include <algorithm>

namespace gd::fx {

void CoverageMask::Copy(int x, int y, int w, int h) {
    const int left = std::max(x, 0), right = std::min(x + w, w_);
    const int top = std::max(y, 0), bottom = std::min(y + h, h_);
    for (int row = top; row < bottom; ++row)
        for (int column = left; column < right; ++column) reached_[size_t(row) * size_t(w_) + size_t(column)] = true;
}

bool CoverageMask::full() const { return std::find(reached_.begin(), reached_.end(), false) == reached_.end(); }

}  // namespace gd::fx
