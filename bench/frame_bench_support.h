#pragma once
// What the benchmarks of the show's drawing share: the process's CPU time, a presenter
// that costs what a real window's would, and this machine's memcpy rate for a frame.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

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

// Calls `on_cap` (stopping what is measured) when `cap` passes, unless finished first.
class Watchdog {
public:
    Watchdog(std::function<void()> on_cap, std::chrono::milliseconds cap);
    // True when the cap had passed.
    bool Finish();

private:
    std::mutex mutex_;
    std::condition_variable cv_;
    bool done_ = false;
    bool fired_ = false;
    std::thread thread_;
};

// The numbers of a list such as "1,37" or "1920x1080,3840x2160".
std::vector<int> ParseNumbers(const char* text);

}  // namespace gd::bench
