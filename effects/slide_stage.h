#pragma once
// The stage of one show window: the off-screen frame that holds the complete next screen,
// the window buffer that mirrors what the window shows, and the only operations through
// which the player and the effects change the window buffer.
//
// The drawing boundary: an effect draws only with Copy, CopyFrom, StretchCopy and
// FillWindow (through the clip set with SetClip), and the stage alone decides when the
// window buffer reaches the real window (see WaitStep) and when the transition ends
// (Present). An effect never touches the window buffer or the presenter itself, so the
// stage queues the drawing (draw_queue.h) and completes it only when someone needs the
// window buffer: every present shows exactly what drawing each step literally would.
//
// Threads: everything here runs on the show thread, except RequestStop / ResetStop and
// IsStopRequested, which any thread may call.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "effects/clock.h"
#include "effects/dirty_tiles.h"
#include "effects/draw_queue.h"
#include "raster/presenter.h"
#include "effects/show_settings.h"
#include "raster/bitmap.h"
#include "raster/region.h"

namespace gd {

class SlideStage;

// How an effect sleeps after a step in the maker's effect demonstration, where the show
// would wait for its schedule: after steps whose counter is a multiple of `every`,
// `repeats` sleeps of `sleep_ms` each; with `stop_first` the stop flag is polled before
// sleeping. Each effect states its own rule where it ends a step (see EndStep).
struct DemoPace {
    int every = 1;
    int sleep_ms = 0;
    int repeats = 1;
    bool stop_first = false;
};

// Composes the next screen into the stage's frame: the show's LoadNextPicture followed
// by PrepareFrame. False when no picture could be loaded; the frame is then untouched.
class FrameSource {
public:
    virtual ~FrameSource() = default;
    virtual bool ComposeNext(SlideStage& stage) = 0;
    // Pan and zoom: draws the picture composed last at progress t (0..1) of its pause
    // and copies it to the window (not presented). False when it does not drift.
    virtual bool DriftTo(SlideStage&, double) { return false; }
};

class SlideStage {
public:
    // The stage takes the window's size from `window` (an owning bitmap, or a view of the
    // platform's window memory). `frame`, when given, must have the same size (a view
    // the platform can also draw into); otherwise the stage allocates it. The stop flag
    // starts set: nothing runs until ResetStop.
    SlideStage(ShowSettings& settings, Bitmap window, Clock& clock, Bitmap frame = {});

    ShowSettings& settings() { return settings_; }
    const ShowSettings& settings() const { return settings_; }
    Clock& clock() { return clock_; }
    int width() const { return width_; }
    int height() const { return height_; }
    Rect client_rect() const { return {0, 0, width_, height_}; }

    Bitmap& frame() { return frame_; }
    const Bitmap& frame() const { return frame_; }
    // What the window shows once everything drawn so far is presented.
    const Bitmap& window() { Flush(); return window_; }
    // The window buffer as it is, queued drawing not yet done: what a repaint may read
    // from another thread while the show thread draws (it reads pixels only).
    const Bitmap& window_buffer() const { return window_; }

    // Set by PrepareFrame: where the picture was drawn into the frame, and when.
    Rect placed;
    uint32_t start_time = 0;

    void set_presenter(Presenter* presenter) { presenter_ = presenter; }
    Presenter* presenter() const { return presenter_; }
    void set_frame_source(FrameSource* source) { source_ = source; }
    // Called after every WaitStep with the number of the call (from 1) and its (i, n),
    // once the window buffer holds everything drawn so far: the effect renderer's and the
    // tests' view of each pacing point.
    std::function<void(int call, int i, int n)> on_wait_step;
    // Called on the show thread after each transition of the show loop, once the window
    // buffer holds its end: where tests compare what two shows showed.
    std::function<void()> on_transition_end;

    // --- Stop flag (manual-reset event semantics) ---
    bool IsStopRequested() const { return stop_.load(std::memory_order_acquire); }
    void RequestStop() { stop_.store(true, std::memory_order_release); }
    void ResetStop() { stop_.store(false, std::memory_order_release); }

    // --- The common start of every effect ---
    // Loads and composes the next screen into the frame. False: draw nothing.
    bool ComposeNextFrame();
    // One frame of the picture's drift during its pause (pan and zoom) at progress t, then
    // the pacing point of it (WaitFrame). False, with nothing done, when it does not drift.
    bool DriftFrame(double t, int elapsed, int duration);
    // How many screens ComposeNextFrame has composed so far: the show loop's way to tell
    // a transition that showed a picture from one that found none it could load.
    uint64_t frames_composed() const { return frames_composed_; }

    // --- Drawing onto the window (window coordinates; clipped to the window and the clip) ---
    // The frame's w x h rectangle at (x, y) to the same place.
    void Copy(int x, int y, int w, int h);
    // The frame's w x h rectangle at (sx, sy) to (dx, dy). A source that runs past the
    // frame's right (bottom) edge is cut there and keeps its destination's right (bottom)
    // edge: the destination moves right (down) by what was cut.
    void CopyFrom(int dx, int dy, int w, int h, int sx, int sy);
    // The frame's (sx, sy, sw, sh) scaled to (dx, dy, dw, dh), nearest pixel, no smoothing.
    void StretchCopy(int dx, int dy, int dw, int dh, int sx, int sy, int sw, int sh);
    void FillWindow(const Rect& r, Pixel p);
    // Later drawing changes only pixels inside `clip` (window coordinates).
    void SetClip(Region clip) { clip_ = std::make_shared<const SharedClip>(std::move(clip)); }
    void ClearClip() { clip_.reset(); }
    const Region* clip() const { return clip_ ? &clip_->region : nullptr; }

    // --- Pacing ---
    // Waits until i / n of the effect duration has passed since start_time, or until a
    // stop is requested. n <= 0 counts as 1.
    //
    // Presents at most once per display refresh (kRefreshMs): a display shows no more
    // than that, and presenting, like drawing what no present shows, only costs time.
    // The window is presented whenever a refresh interval has passed since the last
    // present, both while waiting (ahead of schedule) and when the step is already late:
    // an effect that falls behind then still moves on the screen at the display's pace
    // and catches up, instead of showing nothing until it ends.
    void WaitStep(int i, int n);
    static constexpr uint32_t kRefreshMs = 16;

    // The pacing of an effect paced by time rather than by steps (the cross-fade, the
    // drift of pan and zoom), a frame each display refresh: the frame shown next goes on
    // the screen at NextFrameTime(), so the effect draws what belongs to that moment, then
    // WaitFrame waits for it (or a stop) and presents. Drawing and presenting thus overlap
    // the wait instead of adding to it. WaitFrame counts as a WaitStep for on_wait_step,
    // with (elapsed, duration) in milliseconds as (i, n).
    uint32_t NextFrameTime() const;
    void WaitFrame(int elapsed, int duration);
    // The time between two time-paced frames: a display refresh, or the longer interval
    // the settings ask for.
    uint32_t FrameInterval() const;
    // The frame interval of each of `shows` shows playing at once (one per monitor): a
    // full-screen cross-fade costs most of a core at 4K, so together they take about as
    // much as one show.
    static constexpr int32_t FrameIntervalForShows(int shows) { return int32_t(kRefreshMs) * (shows > 1 ? shows : 1); }

    // Ends step i of n: WaitStep(i, n) in a show; in demonstration mode the effect's
    // demonstration sleep instead, tested against `counter` (the loop counter the rule
    // names, usually i). False when a stop was seen before a demonstration sleep that
    // polls first: the effect returns at once.
    bool EndStep(int i, int n, int counter, const DemoPace& demo);
    bool EndStep(int i, int n, const DemoPace& demo) { return EndStep(i, n, i, demo); }

    // --- The old screen (the cross-fade) ---
    // Keeps what the window shows now as the old screen. The buffer is made on first use
    // and kept for the stage's life, so no transition allocates.
    void HoldOldScreen();
    // The whole window becomes the held old screen blended with the frame: `weight` / 256
    // of the frame (raster/blend.h). Not clipped.
    void BlendOldScreenWithFrame(int weight);

    // Completes queued drawing in the window buffer.
    void Flush() { queue_.Flush(); }
    // Pushes everything drawn since the last present to the presenter: the tiles drawn
    // into (see DirtyTiles), so a present copies little more than what changed.
    void Present();

    // Draws every operation at once instead of queueing: the reference the queued
    // drawing is checked against.
    void set_immediate_drawing(bool immediate) { queue_.set_immediate(immediate); }
    const DrawStats& draw_stats() const { return queue_.stats(); }

    int wait_calls() const { return wait_calls_; }
    void reset_wait_calls() { wait_calls_ = 0; }

private:
    void MarkDirty(const Rect& r) { pending_ = pending_ || !r.is_empty(); }
    // Presents when there is something new and a refresh interval has passed.
    void PresentIfDue();

    ShowSettings& settings_;
    Clock& clock_;
    Bitmap window_;
    int width_;
    int height_;
    Bitmap frame_;
    Presenter* presenter_ = nullptr;
    FrameSource* source_ = nullptr;
    DirtyTiles drawn_{width_, height_};
    DrawQueue queue_{window_, frame_, drawn_, false};
    std::shared_ptr<const SharedClip> clip_;
    bool pending_ = false;  // drawing queued or done since the last present
    std::vector<Rect> present_rects_;
    Bitmap old_screen_;
    uint32_t last_present_ = 0;
    std::atomic<bool> stop_{true};
    int wait_calls_ = 0;
    uint64_t frames_composed_ = 0;
};

}  // namespace gd
