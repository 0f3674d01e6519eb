#include "player/win32/monitor_list.h"

#include <windows.h>

namespace gd {
namespace {

// A monitor's DPI (effective, as the user set its scale); the system's where the platform
// has no DPI per monitor.
int MonitorDpi(HMONITOR monitor) {
    using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const auto get_dpi = [] {
        HMODULE shcore = LoadLibraryW(L"shcore.dll");
        return shcore ? reinterpret_cast<GetDpiForMonitorFn>(
                            reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")))
                      : nullptr;
    }();
    UINT x = 0, y = 0;
    if (get_dpi && SUCCEEDED(get_dpi(monitor, 0 /* MDT_EFFECTIVE_DPI */, &x, &y)) && y > 0) return int(y);
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

}  // namespace

std::vector<MonitorArea> PlatformMonitors() {
    std::vector<MonitorArea> monitors;
    EnumDisplayMonitors(nullptr, nullptr, [](HMONITOR monitor, HDC, LPRECT, LPARAM data) -> BOOL {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        if (GetMonitorInfoW(monitor, &info)) {
            const RECT& r = info.rcMonitor;
            reinterpret_cast<std::vector<MonitorArea>*>(data)->push_back(
                {{int(r.left), int(r.top), int(r.right), int(r.bottom)}, (info.dwFlags & MONITORINFOF_PRIMARY) != 0,
                 MonitorDpi(monitor)});
        }
        return TRUE;
    }, LPARAM(&monitors));
    return monitors;
}

ScreenLayout PlatformFullScreenLayout(MonitorMode mode) {
    const Rect primary = Rect::FromSize(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    return FullScreenLayout(PlatformMonitors(), primary, mode);
}

}  // namespace gd
