#include "win32/window_show.h"

#include <algorithm>

#include "effects/clock.h"
#include "effects/prepare_frame.h"
#include "win32/dib_surface.h"
#include "win32/gdi_presenter.h"
#include "win32/gdi_text_renderer.h"

namespace gd {
namespace {

Rect ClientRect(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return {0, 0, int(r.right - r.left), int(r.bottom - r.top)};
}

constexpr int kSettleRepaints = 3;
constexpr UINT kSettlePeriodMs = 1000;

}  // namespace

// Members in the order of construction; destroyed in reverse, so the runner (and its
// thread) goes first, then the stage, then the settings.
struct WindowShow::Impl {
    Impl(HWND window, std::unique_ptr<PictureSource> source, const Rect& stage_rect)
        : window(window),
          pictures(std::move(source)),
          stage_rect(stage_rect),
          window_buffer(stage_rect.width(), stage_rect.height()),
          frame(stage_rect.width(), stage_rect.height()),
          presenter(window, window_buffer, {stage_rect.left, stage_rect.top}),
          text(frame),
          frame_source(*pictures, &text),
          stage(settings, window_buffer.View(), clock, frame.View()),
          runner(stage) {
        stage.set_presenter(&presenter);
        stage.set_frame_source(&frame_source);
    }

    HWND window;
    std::unique_ptr<PictureSource> pictures;
    Rect stage_rect;  // in the window's client coordinates
    ShowSettings settings;
    SystemClock clock;
    DibSurface window_buffer;
    DibSurface frame;
    GdiPresenter presenter;
    GdiTextRenderer text;
    ShowFrameSource frame_source;
    SlideStage stage;
    ShowRunner runner;
    int settle_repaints = 0;
};

WindowShow::WindowShow(HWND window, std::unique_ptr<PictureSource> pictures, std::optional<Rect> stage)
    : impl_(std::make_unique<Impl>(window, std::move(pictures), stage.value_or(ClientRect(window)))) {}

WindowShow::~WindowShow() { Stop(); }

ShowSettings& WindowShow::settings() { return impl_->settings; }
const ShowSettings& WindowShow::settings() const { return impl_->settings; }
ShowRunner& WindowShow::runner() { return impl_->runner; }
SlideStage& WindowShow::stage() { return impl_->stage; }
bool WindowShow::running() const { return impl_->runner.running(); }

void WindowShow::set_first_present_hook(std::function<void()> hook) {
    impl_->presenter.set_first_present_hook(std::move(hook));
}

void WindowShow::Start() {
    if (impl_->settings.picture_count <= 0) return;
    impl_->runner.Start();
    impl_->settle_repaints = kSettleRepaints;
    SetTimer(impl_->window, kSettleTimerId, kSettlePeriodMs, nullptr);
}

void WindowShow::Stop() {
    KillTimer(impl_->window, kSettleTimerId);
    impl_->settle_repaints = 0;
    impl_->runner.Stop();
}

void WindowShow::Clear() {
    if (running()) return;
    SlideStage& stage = impl_->stage;
    stage.ClearClip();
    stage.FillWindow(stage.client_rect(), 0);
    stage.Present();
}

bool WindowShow::OnTimer(UINT_PTR id) {
    if (id != kSettleTimerId) return false;
    if (--impl_->settle_repaints <= 0) KillTimer(impl_->window, kSettleTimerId);
    InvalidateRect(impl_->window, nullptr, FALSE);
    return true;
}

bool RegisterShowWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure, HICON icon, HCURSOR cursor) {
    WNDCLASSA wc{};
    if (GetClassInfoA(instance, name, &wc)) return true;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hCursor = cursor;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = name;
    return RegisterClassA(&wc) != 0;
}

void PaintShowWindow(HWND window, const WindowShow* show) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (show) {
        show->Paint(dc, ps.rcPaint);
    } else {
        FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    EndPaint(window, &ps);
}

void WindowShow::Paint(HDC dc, const RECT& area) const {
    const Rect& stage = impl_->stage_rect;
    // Black around the stage: the monitors beside the one the show plays on.
    const int saved = SaveDC(dc);
    ExcludeClipRect(dc, stage.left, stage.top, stage.right, stage.bottom);
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    RestoreDC(dc, saved);

    Bitmap buffer = impl_->window_buffer.View();
    const int top = std::max<int>(area.top - stage.top, 0);
    const int bottom = std::min<int>(area.bottom - stage.top, buffer.height());
    if (buffer.empty() || bottom <= top) return;
    // The rows of the area as a DIB of their own, so no source origin is involved.
    const int rows = bottom - top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = buffer.width();
    info.bmiHeader.biHeight = -rows;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    StretchDIBits(dc, stage.left, stage.top + top, buffer.width(), rows, 0, 0, buffer.width(), rows, buffer.row(top),
                  &info, DIB_RGB_COLORS, SRCCOPY);
}

}  // namespace gd
