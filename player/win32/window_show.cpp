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

}  // namespace

WindowShow::WindowShow(HWND window, std::unique_ptr<PictureSource> pictures, std::optional<Rect> stage,
                       const ShowCaptureSettings* capture)
    : WindowShow(window, stage.value_or(ClientRect(window)),
                 std::make_unique<GdiShowSurface>(window, stage.value_or(ClientRect(window))), std::move(pictures),
                 capture) {}

WindowShow::WindowShow(HWND window, const Rect& stage, std::unique_ptr<GdiShowSurface> surface,
                       std::unique_ptr<PictureSource> pictures, const ShowCaptureSettings* capture)
    : window_(window),
      stage_rect_(stage),
      surface_(surface.get()),
      host_(capture ? CapturingSurface(std::move(surface), *capture) : std::move(surface), std::move(pictures),
            capture ? CaptureClock(*capture) : nullptr) {
    if (capture && capture->seed) host_.runner().seed = capture->seed;
}

WindowShow::~WindowShow() { KillSettleTimer(); }

void WindowShow::set_first_present_hook(std::function<void()> hook) {
    surface_->gdi_presenter().set_first_present_hook(std::move(hook));
}

void WindowShow::Start() {
    if (host_.settings().picture_count <= 0) return;
    host_.Start();
    settle_repaints_ = kSettleRepaints;
    SetTimer(window_, kSettleTimerId, kSettlePeriodMs, nullptr);
}

void WindowShow::Stop() {
    KillSettleTimer();
    host_.Stop();
}

bool WindowShow::StopWithin(uint32_t ms) {
    KillSettleTimer();
    return host_.StopWithin(ms);
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

void WindowShow::Paint(HDC dc, const RECT& area) const {
    const Rect& stage = stage_rect_;
    // Black around the stage: the monitors beside the one the show plays on.
    const int saved = SaveDC(dc);
    ExcludeClipRect(dc, stage.left, stage.top, stage.right, stage.bottom);
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    RestoreDC(dc, saved);

    const Bitmap& buffer = host_.window_buffer();
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
