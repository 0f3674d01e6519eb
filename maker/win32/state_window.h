#pragma once
// The window procedure of a window with one state object, found through the window's
// user data: WM_NCCREATE stores the object passed to CreateWindowEx, every message goes
// to its Handle(), and WM_NCDESTROY forgets the window again. T gives the procedure
// access to `window_` and `Handle` (friend StateWindowProc<T>).

#include <windows.h>

namespace gd {

template <class T> LRESULT CALLBACK StateWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        self = static_cast<T*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, LONG_PTR(self));
    }
    if (!self) return DefWindowProcW(window, message, wparam, lparam);
    LRESULT result = self->Handle(message, wparam, lparam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
    }
    return result;
}

}  // namespace gd
