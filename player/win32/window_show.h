#pragma once
// The show of one window on Windows, for every window that plays a show (the made
// screensaver's full-screen and preview windows, the maker's full-screen preview and its
// effect demonstration): a ShowHost over the window's GDI surface, the window's repaint
// from the window buffer, and a few repaints while the window settles on the screen.
// Where the pictures come from is the window's business (a made screensaver's resources,
// the maker's picture files).

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>

#include "effects/picture_source.h"
#include "player/show_capture.h"
#include "player/show_host.h"
#include "raster/geometry.h"

namespace gd {

// Registers a show window class once: horizontal and vertical redraw on resize, a black
// background brush, and the given icon and cursor (either may be null). False when the
// class cannot be registered.
bool RegisterShowWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure, HICON icon, HCURSOR cursor);

class WindowShow;
// The WM_PAINT of a show window: the window buffer of `show`, or black before it exists.
void PaintShowWindow(HWND window, const WindowShow* show);

class WindowShow {
public:
    // The show plays `pictures` in `stage` of the window's client area; without one, in
    // the whole client rectangle as it is now. The rest of the window stays black. The
    // settings start with the values of a new show: set them up before Start. `capture`
    // (a test's seed, clock and frame capture, see show_capture.h) changes nothing when
    // null.
    WindowShow(HWND window, std::unique_ptr<PictureSource> pictures, std::optional<Rect> stage = std::nullopt,
               const ShowCaptureSettings* capture = nullptr);
    ~WindowShow();
    WindowShow(const WindowShow&) = delete;
    WindowShow& operator=(const WindowShow&) = delete;

    ShowHost& host() { return host_; }
    // Only while the show thread is not running: the thread reads them.
    ShowSettings& settings() { return host_.settings(); }
    const ShowSettings& settings() const { return host_.settings(); }
    // The runner's seed and poll interval, and the stage's hooks, for the window and tests.
    ShowRunner& runner() { return host_.runner(); }
    SlideStage& stage() { return host_.stage(); }

    // Runs once, on the show thread, when the show's first present reached the window.
    // Only while the show thread is not running.
    void set_first_present_hook(std::function<void()> hook);

    // Starts the show thread when there are pictures; with none the window stays black.
    // For a while after the start the window is repainted from the window buffer now and
    // then (see OnTimer).
    void Start();
    // Stops the show thread, waiting for it, then clears the window to black.
    void Stop();
    // Stops the show thread, waiting at most `ms` (see ShowHost::StopWithin).
    bool StopWithin(uint32_t ms);
    bool running() const { return host_.running(); }
    // Fills the stage black, on the window and in the window buffer, whether the window
    // is visible or not. Does nothing while the show thread runs.
    void Clear() { host_.Clear(); }

    // The window's WM_TIMER: true when `id` was the show's own repaint timer. A present
    // made before the platform really put a new window on the screen can be lost without
    // any repaint request following it, which would leave the first picture black for its
    // whole pause; so the first seconds of a show repaint from the window buffer.
    bool OnTimer(UINT_PTR id);
    static constexpr UINT_PTR kSettleTimerId = 0x5E77;

    // Repaints `area` of the window from the window buffer, which mirrors what the show
    // drew, and black outside the stage: a window uncovered or exposed keeps its picture
    // instead of turning black until the next transition. Reads the buffer's pixels only,
    // so it never waits for the show thread.
    void Paint(HDC dc, const RECT& area) const;

private:
    WindowShow(HWND window, const Rect& stage, std::unique_ptr<class GdiShowSurface> surface,
               std::unique_ptr<PictureSource> pictures, const ShowCaptureSettings* capture);
    void KillSettleTimer();

    HWND window_;
    Rect stage_rect_;  // in the window's client coordinates
    class GdiShowSurface* surface_;  // owned by the host
    ShowHost host_;
    int settle_repaints_ = 0;
};

}  // namespace gd
