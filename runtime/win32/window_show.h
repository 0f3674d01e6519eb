#pragma once
// The slideshow of one show window: its settings, stage and runner, a window buffer
// presented to the window with GDI, and text drawn with GDI.

#include <windows.h>

#include <memory>
#include <optional>

#include "common/saver_config.h"
#include "raster/geometry.h"
#include "runtime/resource_source.h"
#include "runtime/show_setup.h"

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
    // The show plays in `stage` of the window's client area; without one, in the whole
    // client rectangle as it is now. The rest of the window stays black.
    WindowShow(HWND window, const SaverConfig& config, std::shared_ptr<const ResourceSource> source,
               ShowVariant variant, std::optional<Rect> stage = std::nullopt);
    ~WindowShow();
    WindowShow(const WindowShow&) = delete;
    WindowShow& operator=(const WindowShow&) = delete;

    // Starts the show thread when there are pictures; with none the window stays black.
    void Start();
    // Stops the show thread, waiting for it, then clears the window to black.
    void Stop();
    // Repaints `area` of the window from the window buffer, which mirrors what the show
    // drew, and black outside the stage: a window uncovered or exposed keeps its picture
    // instead of turning black until the next transition. Reads the buffer's pixels only,
    // so it never waits for the show thread.
    void Paint(HDC dc, const RECT& area) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace gd
