#pragma once
// The window procedure of a window with one state object, found through the window's
// user data: WM_NCCREATE stores the object passed to CreateWindowEx (the same field of
// the narrow and the wide CREATESTRUCT), every message from then on goes to its
// Handle(), and after WM_NCDESTROY the window forgets the object. T gives the procedure
// access to `window_` and `Handle` (friend StateWindowProc).
//
// Who ends the object: its owner, which outlives the window (a page's pane, the main
// frame), or the window itself, deleted after its last message (a full-screen show that
// lives on its own).
//
// Handle() dispatches with the crackers of windowsx.h (HANDLE_MSG) to small OnXxx
// members, whose parameters are named wParam and lParam as the crackers expect.

#include <windows.h>

namespace gd {

enum class StateOwner { kOwnerKeeps, kWindowDeletes };

template <class T, StateOwner owner = StateOwner::kOwnerKeeps>
LRESULT CALLBACK StateWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        self = static_cast<T*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, LONG_PTR(self));
    }
    // The messages before WM_NCCREATE (WM_GETMINMAXINFO) in the window's own form.
    if (!self) return IsWindowUnicode(window) ? DefWindowProcW(window, message, wparam, lparam)
                                              : DefWindowProcA(window, message, wparam, lparam);
    const LRESULT result = self->Handle(message, wparam, lparam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        if constexpr (owner == StateOwner::kWindowDeletes) delete self;
        else self->window_ = nullptr;
    }
    return result;
}

}  // namespace gd
