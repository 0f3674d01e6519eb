#include "runtime/win32/monitor_list.h"

#include <windows.h>

namespace gd {

std::vector<MonitorArea> PlatformMonitors() {
    std::vector<MonitorArea> monitors;
    EnumDisplayMonitors(nullptr, nullptr, [](HMONITOR monitor, HDC, LPRECT, LPARAM data) -> BOOL {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        if (GetMonitorInfoW(monitor, &info)) {
            const RECT& r = info.rcMonitor;
            reinterpret_cast<std::vector<MonitorArea>*>(data)->push_back(
                {{int(r.left), int(r.top), int(r.right), int(r.bottom)}, (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
        }
        return TRUE;
    }, LPARAM(&monitors));
    return monitors;
}

ScreenLayout PlatformFullScreenLayout() {
    const Rect primary = Rect::FromSize(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    return FullScreenLayout(PlatformMonitors(), primary);
}

}  // namespace gd
