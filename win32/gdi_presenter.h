#pragma once
// Presents the window buffer (a DIB section) to the show window by blitting the dirty
// rectangle, at `origin` of the window (the show's place when it covers only part of
// the window). Runs on the show thread with a drawing context of its own.

#include <windows.h>

#include <functional>

#include "effects/presenter.h"
#include "win32/dib_surface.h"

namespace gd {

class GdiPresenter : public Presenter {
public:
    GdiPresenter(HWND window, const DibSurface& buffer, Point origin = {})
        : window_(window), buffer_(buffer), origin_(origin) {}
    void Present(const Bitmap& window, const Rect& dirty) override;
    bool IsVisible() const override { return IsWindowVisible(window_) != FALSE; }

    // Runs once, on the show thread, right after the first blit reached the window: how
    // a start-up measurement learns when the show first appeared. Set it before the show
    // thread starts.
    void set_first_present_hook(std::function<void()> hook) { first_present_ = std::move(hook); }

private:
    HWND window_;
    std::function<void()> first_present_;
    const DibSurface& buffer_;
    Point origin_;
};

}  // namespace gd
