#pragma once
// Presents the window buffer (a DIB section) to the show window by blitting the dirty
// rectangles, at `origin` of the window (the show's place when it covers only part of
// the window). Runs on the show thread with a drawing context of its own.
//
// A few rectangles are blitted one by one; more go as one blit of their bounds through
// a clip region made of them, so a present is a handful of GDI calls however scattered
// the drawing was. Each present then wakes the window's thread with an empty message.

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

#include "raster/presenter.h"
#include "win32/dib_surface.h"

namespace gd {

class GdiPresenter : public Presenter {
public:
    GdiPresenter(HWND window, const DibSurface& buffer, Point origin = {})
        : window_(window), buffer_(buffer), origin_(Pack(origin)) {}
    void Present(const Bitmap& window, std::span<const Rect> dirty) override;
    // Up to this many rectangles are blitted one by one.
    static constexpr size_t kSeparateBlits = 4;
    bool IsVisible() const override { return IsWindowVisible(window_) != FALSE; }

    // Runs once, on the show thread, right after the first blit reached the window: how
    // a start-up measurement learns when the show first appeared. Set it before the show
    // thread starts.
    void set_first_present_hook(std::function<void()> hook) { first_present_ = std::move(hook); }

    // Where the buffer goes in the window from the next present on; any thread.
    void set_origin(Point origin) { origin_.store(Pack(origin), std::memory_order_relaxed); }
    Point origin() const { return Unpack(origin_.load(std::memory_order_relaxed)); }

private:
    HWND window_;
    std::function<void()> first_present_;
    std::vector<uint8_t> region_data_;  // the clip region's RGNDATA, kept between presents
    // Both coordinates in one word, so a present never takes one from each of two origins.
    static uint64_t Pack(Point p) { return uint64_t(uint32_t(p.x)) << 32 | uint32_t(p.y); }
    static Point Unpack(uint64_t v) { return {int(int32_t(uint32_t(v >> 32))), int(int32_t(uint32_t(v)))}; }

    const DibSurface& buffer_;
    std::atomic<uint64_t> origin_;
};

}  // namespace gd
