#include "runtime/win32/child_preview_wnd.h"

#include "runtime/win32/resource_ids.h"
#include "runtime/win32/saver_show.h"

namespace gd {
namespace {

constexpr char kClassName[] = "ReelhostPreviewWnd";

}  // namespace

CChildPreviewWnd* CChildPreviewWnd::Create(HINSTANCE instance, HWND parent, const SaverConfig& config,
                                           std::shared_ptr<const ResourceSource> source) {
    if (!parent || !IsWindow(parent)) return nullptr;
    if (!RegisterShowWindowClass(instance, kClassName, &CChildPreviewWnd::WindowProc,
                                 LoadIconA(instance, MAKEINTRESOURCEA(IDR_MAINFRAME)), nullptr)) {
        return nullptr;
    }
    RECT client{};
    GetClientRect(parent, &client);
    auto* self = new CChildPreviewWnd();
    HWND hwnd = CreateWindowExA(0, kClassName, "", WS_CHILD | WS_VISIBLE, 0, 0, client.right - client.left,
                                client.bottom - client.top, parent, nullptr, instance, self);
    if (!hwnd) {
        delete self;
        return nullptr;
    }
    self->show_ = MakeSaverShow(hwnd, config, std::move(source), ShowVariant::kPreview);
    self->show_->Start();
    return self;
}

LRESULT CALLBACK CChildPreviewWnd::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<CChildPreviewWnd*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    switch (message) {
        case WM_NCCREATE:
            self = static_cast<CChildPreviewWnd*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
            self->hwnd_ = hwnd;
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, LONG_PTR(self));
            break;
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT covers everything
        case WM_TIMER:
            if (self && self->show_ && self->show_->OnTimer(wparam)) return 0;
            break;
        case WM_PAINT:
            // The window buffer: black until the show thread draws, then what it drew.
            PaintShowWindow(hwnd, self ? self->show_.get() : nullptr);
            return 0;
        case WM_DESTROY:
            if (self) self->show_.reset();  // the show thread ends before the window goes
            PostQuitMessage(0);
            break;
        case WM_NCDESTROY:
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
            delete self;
            break;
    }
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

}  // namespace gd
