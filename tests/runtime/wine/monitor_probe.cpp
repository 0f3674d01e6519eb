// Prints the monitors the platform lists, one line each: "left top right bottom", the
// monitor's DPI and "primary" for the primary monitor; the multi-monitor test reads them.
//   monitor_probe               the monitors now
//   monitor_probe --watch MS    the monitors now, then "display change" and the monitors
//                               again at every change the platform announces, for MS ms

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "player/win32/monitor_list.h"

namespace {

void PrintMonitors() {
    for (const gd::MonitorArea& m : gd::PlatformMonitors()) {
        std::printf("%d %d %d %d %d dpi%s\n", m.rect.left, m.rect.top, m.rect.right, m.rect.bottom, m.dpi,
                    m.primary ? " primary" : "");
    }
    std::fflush(stdout);
}

LRESULT CALLBACK Watch(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_DISPLAYCHANGE) {
        std::printf("display change\n");
        PrintMonitors();
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int main(int argc, char** argv) {
    PrintMonitors();
    if (argc < 3 || std::strcmp(argv[1], "--watch") != 0) return 0;
    WNDCLASSW wc{};
    wc.lpfnWndProc = Watch;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"MonitorProbe";
    RegisterClassW(&wc);
    // A top-level window: the platform announces display changes to those.
    CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance, nullptr);
    const DWORD end = GetTickCount() + DWORD(std::atoi(argv[2]));
    std::vector<gd::MonitorArea> last = gd::PlatformMonitors();
    while (GetTickCount() < end) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 250, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        std::vector<gd::MonitorArea> now = gd::PlatformMonitors();
        bool same = now.size() == last.size();
        for (size_t i = 0; same && i < now.size(); ++i) same = now[i].rect == last[i].rect;
        if (!same) {
            std::printf("monitors changed\n");
            PrintMonitors();
            last = now;
        }
    }
    return 0;
}
