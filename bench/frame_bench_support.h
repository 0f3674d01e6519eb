#pragma once
// What the benchmarks of the show's drawing share: the process's CPU time, a presenter
// that costs what a real window's would, and this machine's memcpy rate for a frame.

#include <cstdint>
#include <span>

#include "raster/bitmap.h"
#include "raster/presenter.h"

namespace gd::bench {

// CPU time of the whole process (every thread), in milliseconds.
double ProcessCpuMs();

// Copies the dirty rectangles into its own screen buffer, as a window's blit would.
class CopyingPresenter : public Presenter {
public:
    CopyingPresenter(int w, int h) : screen_(w, h) {}
    void Present(const Bitmap& window, std::span<const Rect> dirty) override;
    int presents = 0;
    int64_t copied = 0;  // pixels presented

private:
    Bitmap screen_;
};

// Milliseconds one memcpy of a w x h frame of 32-bit pixels takes (best of a few).
double MemcpyFrameMs(int w, int h);

}  // namespace gd::bench
