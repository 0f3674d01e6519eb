#pragma once
// The shows of one window on Windows, for every window that plays a show (the made
// screensaver's full-screen and preview windows, the maker's full-screen preview and its
// effect demonstration): a ShowHost over the window's GDI surface on each of the window's
// stages (one, or one per monitor, played as a ShowGroup), the window's repaint from
// their window buffers, and a few repaints while the window settles on the screen.
// Where the pictures come from is the window's business (a made screensaver's resources,
// the maker's picture files).

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "effects/picture_source.h"
#include "player/screen_layout.h"
#include "player/show_capture.h"
#include "player/show_group.h"
#include "player/show_host.h"
#include "player/show_stage.h"
#include "raster/geometry.h"

namespace gd {

// Registers a show window class once: horizontal and vertical redraw on resize, a black
// background brush, and the given icon and cursor (either may be null). False when the
// class cannot be registered.
bool RegisterShowWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure, HICON icon, HCURSOR cursor);

class WindowShow;
// The WM_PAINT of a show window: the window buffers of `show`, or black before it exists.
void PaintShowWindow(HWND window, const WindowShow* show);
// The messages a window whose every pixel is the show's answers alike: no background to
// erase, the paint from the show (black without one), the show's timers. True, with the
// message's `result`, for those; false for any other message.
bool AnswerShowWindow(HWND window, WindowShow* show, UINT message, WPARAM wparam, LRESULT& result);

class WindowShow {
public:
    // The pictures of one more show.
    using MakePictures = std::function<std::unique_ptr<PictureSource>()>;
    // Sets up a new show for its stage, one of `stages`, before it starts (its settings,
    // its seed).
    using SetUpShow = std::function<void(ShowHost& host, const ShowStage& stage, size_t stages)>;

    // One show of `pictures` in `stage` of the window's client area; without one, in the
    // whole client rectangle as it is now. The rest of the window stays black. The
    // settings start with the values of a new show: set them up before Start. This show
    // keeps its stage (no Lay). `capture` (a test's seed, clock and frame capture, see
    // show_capture.h) changes nothing when null.
    WindowShow(HWND window, std::unique_ptr<PictureSource> pictures, std::optional<Rect> stage = std::nullopt,
               const ShowCaptureSettings* capture = nullptr);
    // A show on each of `stages` (at least one), each with pictures of its own, set up by
    // `set_up` as it is made; the rest of the window stays black. Under `capture` every
    // show takes its clock, the first show made its seed and only that show's frames are
    // recorded.
    WindowShow(HWND window, const std::vector<ShowStage>& stages, MakePictures pictures, SetUpShow set_up,
               const ShowCaptureSettings* capture = nullptr);
    ~WindowShow();
    WindowShow(const WindowShow&) = delete;
    WindowShow& operator=(const WindowShow&) = delete;

    // The show of the first stage, and all of them.
    ShowHost& host() { return group_.host(0); }
    ShowGroup& group() { return group_; }
    // Only while the show threads are not running: the threads read them.
    ShowSettings& settings() { return host().settings(); }
    const ShowSettings& settings() const { return group_.host(0).settings(); }
    // The first show's runner (its seed and poll interval) and stage (its hooks), for the
    // window and tests.
    ShowRunner& runner() { return host().runner(); }
    SlideStage& stage() { return host().stage(); }

    // Runs once, on its show thread, when the first show's first present reached the
    // window. Only while the show thread is not running.
    void set_first_present_hook(std::function<void()> hook);

    // Starts the show threads when there are pictures; with none the window stays black.
    // For a while after the start the window is repainted from the window buffers now and
    // then (see OnTimer).
    void Start();
    // Stops the show threads, waiting for them, then clears the window to black.
    void Stop();
    // Stops the show threads, waiting at most `ms` in all (see ShowHost::StopWithin).
    bool StopWithin(uint32_t ms);
    bool running() const;
    // Fills the stages black, on the window and in the window buffers, whether the window
    // is visible or not. Does nothing while a show thread runs.
    void Clear();

    // The stages moved, came or went (the monitors changed): see ShowGroup::Lay. The
    // whole window is repainted.
    void Lay(const std::vector<ShowStage>& stages);

    // The window's WM_TIMER: true when `id` was the show's own repaint timer. A present
    // made before the platform really put a new window on the screen can be lost without
    // any repaint request following it, which would leave the first picture black for its
    // whole pause; so the first seconds of a show repaint from the window buffers.
    bool OnTimer(UINT_PTR id);
    static constexpr UINT_PTR kSettleTimerId = 0x5E77;

    // Repaints `area` of the window from the window buffers, which mirror what the shows
    // drew, and black outside the stages: a window uncovered or exposed keeps its
    // pictures instead of turning black until the next transition. Reads the buffers'
    // pixels only, so it never waits for a show thread.
    void Paint(HDC dc, const RECT& area) const;

private:
    std::unique_ptr<ShowHost> MakeHost(const ShowStage& stage, size_t stages);
    void KillSettleTimer();

    HWND window_;
    MakePictures make_pictures_;
    SetUpShow set_up_;
    std::optional<ShowCaptureSettings> capture_;
    class GdiShowSurface* first_surface_ = nullptr;  // of the first show made, owned by its host
    ShowGroup group_;
    int settle_repaints_ = 0;
};

// A full-screen show window whose monitors changed, from layout `from` to `to`: the
// window goes over `to.window` (top-most, not activated) and its shows are laid over
// `to.stages`. Nothing happens when the layouts are the same.
void MoveToLayout(HWND window, WindowShow& show, const ScreenLayout& from, const ScreenLayout& to);

}  // namespace gd
