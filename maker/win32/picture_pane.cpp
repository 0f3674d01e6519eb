#include "maker/win32/picture_pane.h"

#include <windowsx.h>

#include <algorithm>

#include "imaging/cx_image.h"
#include "common/utf16.h"
#include "maker/ui/picture_fit.h"
#include "raster/pixel.h"
#include "win32/accessible_window.h"
#include "win32/dib_surface.h"
#include "win32/high_contrast.h"

namespace gd {

namespace {
constexpr wchar_t kPaneClass[] = L"GlimmerdeckPicturePane";
}  // namespace

struct CPicturePane::Decoded {
    CxImage image;
};

CPicturePane::CPicturePane() = default;

CPicturePane::~CPicturePane() {
    if (window_ && IsWindow(window_)) DestroyWindow(window_);
}

bool CPicturePane::Create(HINSTANCE instance, HWND parent, int frame_id) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &StateWindowProc<CPicturePane>;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kPaneClass;
    RegisterClassExW(&wc);
    parent_ = parent;
    frame_id_ = frame_id;
    window_ = CreateWindowExW(0, kPaneClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 1, 1, parent, nullptr, instance, this);
    if (!window_) return false;
    LabelForScreenReaders(window_, {L"Picture preview", ROLE_SYSTEM_GRAPHIC, [this] {
                              return has_picture() ? Utf8ToUtf16(file_) : std::wstring(L"No picture");
                          }});
    Place();
    return true;
}

void CPicturePane::Place() {
    HWND frame = GetDlgItem(parent_, frame_id_);
    RECT r{};
    GetWindowRect(frame, &r);
    MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&r), 2);
    InflateRect(&r, -1, -1);
    SetWindowPos(window_, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOACTIVATE);
    Render();
}

bool CPicturePane::Load(const std::string& path) {
    file_ = path;
    auto decoded = std::make_unique<Decoded>();
    const bool loaded = !path.empty() && decoded->image.Load(path) && decoded->image.IsValid();
    decoded_ = loaded ? std::move(decoded) : nullptr;
    picture_width_ = loaded ? decoded_->image.GetWidth() : 0;
    picture_height_ = loaded ? decoded_->image.GetHeight() : 0;
    Render();
    return loaded;
}

void CPicturePane::Clear() {
    file_.clear();
    decoded_.reset();
    picture_width_ = picture_height_ = 0;
    Render();
}

void CPicturePane::Render() {
    RECT client{};
    GetClientRect(window_, &client);
    canvas_ = std::make_unique<DibSurface>(client.right, client.bottom);
    if (canvas_->dc()) {
        Bitmap view = canvas_->View();
        const Pixel ground = PixelFromColorRef(ScreenPaneGround());
        view.Fill(ground);
        if (decoded_) {
            const Rect fit = FitPictureInBox(picture_width_, picture_height_, view.width(), view.height());
            if (!fit.is_empty()) {
                // Transparent parts of the picture show the pane's ground.
                DibSurface scaled(fit.width(), fit.height());
                if (scaled.dc()) {
                    Bitmap part = scaled.View();
                    part.Fill(ground);
                    decoded_->image.Draw2(part, 0, 0, fit.width(), fit.height());
                    BitBlt(canvas_->dc(), fit.left, fit.top, fit.width(), fit.height(), scaled.dc(), 0, 0, SRCCOPY);
                }
            }
        }
        GdiFlush();
    }
    InvalidateRect(window_, nullptr, FALSE);
}

Bitmap CPicturePane::Shown() const {
    if (!canvas_ || !canvas_->dc()) return Bitmap();
    Bitmap view = canvas_->View();
    Bitmap copy(view.width(), view.height());
    for (int y = 0; y < view.height(); ++y) std::copy(view.row(y), view.row(y) + view.width(), copy.row(y));
    return copy;
}

LRESULT CPicturePane::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        HANDLE_MSG(window_, WM_ERASEBKGND, OnEraseBkgnd);
        HANDLE_MSG(window_, WM_PAINT, OnPaint);
    case WM_SYSCOLORCHANGE:
        Render();
        return 0;
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

void CPicturePane::OnPaint(HWND) {
    if (!canvas_ || !canvas_->dc()) {
        PaintGround(window_, ScreenPaneGround());
        return;
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    BitBlt(dc, 0, 0, canvas_->width(), canvas_->height(), canvas_->dc(), 0, 0, SRCCOPY);
    EndPaint(window_, &paint);
}

}  // namespace gd
