#include "effects/slide_stage.h"

#include <utility>

#include "raster/blend.h"
#include "raster/blit.h"

namespace gd {

SlideStage::SlideStage(ShowSettings& settings, Bitmap window, Clock& clock, Bitmap frame)
    : settings_(settings), clock_(clock), window_(std::move(window)), width_(window_.width()),
      height_(window_.height()) {
    if (frame.width() == width_ && frame.height() == height_ && !frame.empty())
        frame_ = std::move(frame);
    else
        frame_ = Bitmap(width_, height_);
    last_present_ = clock_.Now() - kRefreshMs;
}

bool SlideStage::ComposeNextFrame() {
    if (!source_ || !source_->ComposeNext(*this)) return false;
    ++frames_composed_;
    return true;
}

bool SlideStage::DriftFrame(double t, int elapsed, int duration) {
    if (!source_ || !source_->DriftTo(*this, t)) return false;
    WaitFrame(elapsed, duration);
    return true;
}

void SlideStage::Copy(int x, int y, int w, int h) {
    if (w <= 0 || h <= 0) return;
    MarkDirty(queue_.Copy(x, y, Rect::FromSize(x, y, w, h), clip_));
}

void SlideStage::CopyFrom(int dx, int dy, int w, int h, int sx, int sy) {
    if (w <= 0 || h <= 0) return;
    if (int cut = sx + w - frame_.width(); cut > 0) {
        w -= cut;
        dx += cut;
    }
    if (int cut = sy + h - frame_.height(); cut > 0) {
        h -= cut;
        dy += cut;
    }
    if (w <= 0 || h <= 0) return;
    MarkDirty(queue_.Copy(dx, dy, Rect::FromSize(sx, sy, w, h), clip_));
}

void SlideStage::StretchCopy(int dx, int dy, int dw, int dh, int sx, int sy, int sw, int sh) {
    MarkDirty(queue_.Stretch(Rect::FromSize(dx, dy, dw, dh), Rect::FromSize(sx, sy, sw, sh), clip_));
}

void SlideStage::FillWindow(const Rect& r, Pixel p) { MarkDirty(queue_.Fill(r, p, clip_)); }

void SlideStage::WaitStep(int i, int n) {
    int count = n > 0 ? n : 1;
    // In 64 bits: i x D overflows 32 bits for long durations with thousands of steps.
    int64_t target = int64_t(i) * settings_.effect_duration / count;
    for (;;) {
        PresentIfDue();
        // Unsigned difference, so a wrap of the tick counter is harmless.
        uint32_t elapsed = clock_.Now() - start_time;
        if (int64_t(elapsed) >= target || IsStopRequested()) break;
        clock_.Sleep(1);
    }
    ++wait_calls_;
    if (on_wait_step) {
        Flush();
        on_wait_step(wait_calls_, i, n);
    }
}

uint32_t SlideStage::FrameInterval() const {
    return settings_.frame_interval_ms > int32_t(kRefreshMs) ? uint32_t(settings_.frame_interval_ms) : kRefreshMs;
}

uint32_t SlideStage::NextFrameTime() const {
    const uint32_t now = clock_.Now(), interval = FrameInterval();
    return now - last_present_ >= interval ? now : last_present_ + interval;
}

void SlideStage::WaitFrame(int elapsed, int duration) {
    const uint32_t interval = FrameInterval();
    while (clock_.Now() - last_present_ < interval && !IsStopRequested()) clock_.Sleep(1);
    Present();
    ++wait_calls_;
    if (on_wait_step) {
        Flush();
        on_wait_step(wait_calls_, elapsed, duration);
    }
}

void SlideStage::HoldOldScreen() {
    Flush();
    if (old_screen_.width() != width_ || old_screen_.height() != height_) old_screen_ = Bitmap(width_, height_);
    CopyPixels(old_screen_, 0, 0, window_, window_.rect(), nullptr);
}

void SlideStage::BlendOldScreenWithFrame(int weight) {
    Flush();
    BlendSurfaces(window_, old_screen_, frame_, weight);
    drawn_.Mark(client_rect());
    MarkDirty(client_rect());
}

bool SlideStage::EndStep(int i, int n, int counter, const DemoPace& demo) {
    if (!settings_.demo_mode) {
        WaitStep(i, n);
        return true;
    }
    if (demo.every <= 0 || counter % demo.every != 0) return true;
    if (demo.stop_first && IsStopRequested()) return false;
    Present();
    for (int r = 0; r < demo.repeats; ++r) clock_.Sleep(uint32_t(demo.sleep_ms));
    return true;
}

void SlideStage::Present() {
    if (!pending_) return;
    // The refresh interval counts from the start of a present, not from its end: the
    // time the queued drawing and the copy to the window take must not slow the
    // presents down.
    const uint32_t now = clock_.Now();
    Flush();
    pending_ = false;
    drawn_.Take(present_rects_);
    if (present_rects_.empty()) return;
    last_present_ = now;
    if (presenter_) presenter_->Present(window_, present_rects_);
}

void SlideStage::PresentIfDue() {
    if (pending_ && clock_.Now() - last_present_ >= kRefreshMs) Present();
}

}  // namespace gd
