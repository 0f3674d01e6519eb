#pragma once
// The show's surface on X11: the window buffer lives in a shared-memory image (MIT-SHM)
// that the X server reads directly, so presenting a changed rectangle is one request
// and no copy. The presenter has a display connection of its own, used from the show
// thread (and, under a lock, for repainting from the window's thread), so the two
// threads never share a connection. Where the server offers no shared memory (a remote
// display) the same buffer is sent with ordinary image requests.
//
// The window's visual must be true colour with 8 bits per channel (red 0xFF0000, green
// 0xFF00, blue 0xFF: the layout of a Bitmap pixel), as every current X server offers.

#include <X11/Xlib.h>

#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "player/show_surface.h"
#include "raster/freetype_text_renderer.h"

namespace gd {

struct X11WindowInfo {
    Window window = 0;
    Visual* visual = nullptr;
    int depth = 0;
    int width = 0, height = 0;
};

// True when the visual stores a Bitmap pixel as it is; else a reason.
bool VisualTakesBitmapPixels(Display* display, const X11WindowInfo& window, std::string* why);

class XShmSurface final : public ShowSurface, private Presenter {
public:
    // A surface of the window's size on display `display_name` (null: $DISPLAY); nothing
    // and the reason when the display cannot be opened. `use_shm` false forces ordinary
    // image requests (for measurements).
    static std::unique_ptr<XShmSurface> Create(const char* display_name, const X11WindowInfo& window,
                                               std::string* why, bool use_shm = true);
    ~XShmSurface() override;

    Bitmap WindowBuffer() override;
    Bitmap Frame() override { return {}; }
    Presenter* presenter() override { return this; }
    TextRenderer* text() override { return text_.get(); }

    // Puts `area` of the window buffer on the window again (an exposed window); any
    // thread.
    void Repaint(const Rect& area);
    bool uses_shm() const;
    // Runs once, on the show thread, after the first present reached the server. Only
    // before the show starts.
    void set_first_present_hook(std::function<void()> hook) { first_present_ = std::move(hook); }
    int width() const { return width_; }
    int height() const { return height_; }

private:
    struct Image;
    XShmSurface() = default;
    void Present(const Bitmap& window, std::span<const Rect> dirty) override;
    void PutLocked(const Rect& r);

    Display* display_ = nullptr;  // the presenter's own connection
    Window window_ = 0;
    GC gc_ = nullptr;
    int width_ = 0, height_ = 0;
    std::unique_ptr<Image> image_;
    std::unique_ptr<FreeTypeTextRenderer> text_;
    std::mutex mutex_;
    std::function<void()> first_present_;
};

}  // namespace gd
