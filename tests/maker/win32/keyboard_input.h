#pragma once
// Keys as the main window's message loop meets them, for the keyboard tests: the
// modifiers held through the thread's keyboard state, each key through the frame's
// PreTranslateMessage first, then translated and dispatched.

#include <windows.h>

#include <initializer_list>
#include <string_view>

#include "maker/win32/main_frame.h"

namespace gd::test {

// The modifier keys held while the next keys are pressed (none: all let go).
inline void Hold(std::initializer_list<int> keys) {
    BYTE state[256] = {};
    GetKeyboardState(state);
    for (int key : {VK_CONTROL, VK_SHIFT, VK_MENU}) state[key] = 0;
    for (int key : keys) state[key] = 0x80;
    SetKeyboardState(state);
}

// One key message to the control with the focus (or the frame).
inline void Press(CMainFrame& frame, UINT key, UINT message = WM_KEYDOWN) {
    MSG msg{};
    msg.hwnd = GetFocus() ? GetFocus() : frame.hwnd();
    msg.message = message;
    msg.wParam = key;
    msg.lParam = message == WM_SYSCHAR ? (1 | (1 << 29)) : message == WM_KEYUP ? LPARAM(0xC0000001) : 1;
    if (!frame.PreTranslateMessage(msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Characters typed into the control with the focus.
inline void Type(CMainFrame& frame, std::wstring_view text) {
    for (wchar_t c : text) Press(frame, c, WM_CHAR);
}

}  // namespace gd::test
