// Prints the monitors the platform lists, one line each: "left top right bottom" and
// "primary" for the primary monitor; the multi-monitor test reads them.

#include <cstdio>

#include "runtime/win32/monitor_list.h"

int main() {
    for (const gd::MonitorArea& m : gd::PlatformMonitors()) {
        std::printf("%d %d %d %d%s\n", m.rect.left, m.rect.top, m.rect.right, m.rect.bottom,
                    m.primary ? " primary" : "");
    }
    return 0;
}
