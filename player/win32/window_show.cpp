#include "player/win32/window_show.h"

#include <algorithm>

#include "player/win32/gdi_show_surface.h"

namespace gd {
namespace {

Rect ClientRect(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return {0, 0, int(r.right - r.left), int(r.bottom - r.top)};
}

constexpr int kSettleRepaints = 3;
constexpr UINT kSettlePeriodMs = 1000;

// Hands out one picture source, once: the pictures of a window's only show.
WindowShow::MakePictures Once(std::unique_ptr<PictureSource> pictures) {
    auto held = std::make_shared<std::unique_ptr<PictureSource>>(std::move(pictures));
    return [held] { return std::move(*held); };
}

// The rows of `buffer` that `area` (client coordinates) covers, drawn at `stage`.
void PaintBuffer(HDC dc, const RECT& area, const Rect& stage, const Bitmap& buffer) {
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

}  // namespace

WindowShow::WindowShow(HWND window, std::unique_ptr<PictureSource> pictures, std::optional<Rect> stage,
                       const ShowCaptureSettings* capture)
    : WindowShow(window, {ShowStage{stage.value_or(ClientRect(window))}}, Once(std::move(pictures)), nullptr,
                 capture) {}

WindowShow::WindowShow(HWND window, const std::vector<ShowStage>& stages, MakePictures pictures, SetUpShow set_up,
                       const ShowCaptureSettings* capture)
    : window_(window),
      make_pictures_(std::move(pictures)),
      set_up_(std::move(set_up)),
      capture_(capture ? std::optional<ShowCaptureSettings>(*capture) : std::nullopt),
      group_([this](const ShowStage& stage, size_t stages) { return MakeHost(stage, stages); }) {
    group_.Lay(stages);
}

WindowShow::~WindowShow() { KillSettleTimer(); }

std::unique_ptr<ShowHost> WindowShow::MakeHost(const ShowStage& stage, size_t stages) {
    auto gdi = std::make_unique<GdiShowSurface>(window_, stage.rect);
    const bool first = first_surface_ == nullptr;
    if (first) first_surface_ = gdi.get();
    std::unique_ptr<ShowSurface> surface = std::move(gdi);
    if (capture_ && first) surface = CapturingSurface(std::move(surface), *capture_);
    auto host = std::make_unique<ShowHost>(std::move(surface), make_pictures_(), capture_ ? CaptureClock(*capture_) : nullptr);
    if (set_up_) set_up_(*host, stage, stages);
    if (capture_ && capture_->seed && first) host->runner().seed = capture_->seed;
    return host;
}

void WindowShow::set_first_present_hook(std::function<void()> hook) {
    first_surface_->gdi_presenter().set_first_present_hook(std::move(hook));
}

void WindowShow::Start() {
    if (settings().picture_count <= 0) return;
    group_.Start();
    settle_repaints_ = kSettleRepaints;
    SetTimer(window_, kSettleTimerId, kSettlePeriodMs, nullptr);
}

void WindowShow::Stop() {
    KillSettleTimer();
    group_.Stop();
}

bool WindowShow::StopWithin(uint32_t ms) {
    KillSettleTimer();
    return group_.StopWithin(ms);
}

bool WindowShow::running() const {
    for (size_t i = 0; i < group_.size(); ++i)
        if (group_.host(i).running()) return true;
    return false;
}

void WindowShow::Clear() {
    for (size_t i = 0; i < group_.size(); ++i) group_.host(i).Clear();
}

void WindowShow::Lay(const std::vector<ShowStage>& stages) {
    group_.Lay(stages);
    InvalidateRect(window_, nullptr, FALSE);
}

void WindowShow::KillSettleTimer() {
    KillTimer(window_, kSettleTimerId);
    settle_repaints_ = 0;
}

bool WindowShow::OnTimer(UINT_PTR id) {
    if (id != kSettleTimerId) return false;
    if (--settle_repaints_ <= 0) KillTimer(window_, kSettleTimerId);
    InvalidateRect(window_, nullptr, FALSE);
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

bool AnswerShowWindow(HWND window, WindowShow* show, UINT message, WPARAM wparam, LRESULT& result) {
    result = 0;
    switch (message) {
    case WM_ERASEBKGND:
        result = 1;  // the paint covers every pixel
        return true;
    case WM_PAINT:
        PaintShowWindow(window, show);
        return true;
    case WM_TIMER:
        return show && show->OnTimer(wparam);
    default:
        return false;
    }
}

void WindowShow::Paint(HDC dc, const RECT& area) const {
    // Black around the stages: monitors without a show, and what lies on no monitor.
    const int saved = SaveDC(dc);
    for (size_t i = 0; i < group_.size(); ++i) {
        const Rect& stage = group_.stage(i).rect;
        ExcludeClipRect(dc, stage.left, stage.top, stage.right, stage.bottom);
    }
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    RestoreDC(dc, saved);
    for (size_t i = 0; i < group_.size(); ++i) PaintBuffer(dc, area, group_.stage(i).rect, group_.host(i).window_buffer());
}

void MoveToLayout(HWND window, WindowShow& show, const ScreenLayout& from, const ScreenLayout& to) {
    if (to == from) return;
    const Rect& w = to.window;
    if (w != from.window) SetWindowPos(window, HWND_TOPMOST, w.left, w.top, w.width(), w.height(), SWP_NOACTIVATE);
    show.Lay(to.stages);
}

}  // namespace gd
