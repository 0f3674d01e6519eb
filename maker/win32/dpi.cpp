#include "maker/win32/dpi.h"

namespace gd {

UINT WindowDpi(HWND window) {
    // Looked up at run time: older systems do not have the per-window query.
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static auto get_dpi_for_window =
        reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (get_dpi_for_window && window) {
        if (UINT dpi = get_dpi_for_window(window)) return dpi;
    }
    HDC screen = GetDC(nullptr);
    UINT dpi = UINT(GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    return dpi ? dpi : kDefaultDpi;
}

}  // namespace gd
