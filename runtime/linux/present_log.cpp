#include "runtime/linux/present_log.h"

#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace gd {
namespace {

long long RealtimeMicroseconds() {
    timespec t{};
    clock_gettime(CLOCK_REALTIME, &t);
    return (long long)t.tv_sec * 1000000 + t.tv_nsec / 1000;
}

// The process's start: its start in clock ticks after boot (/proc/self/stat, field 22),
// placed on the calendar by the boot's moment as the clocks tell it now (btime of
// /proc/stat is whole seconds only).
long long ProcessStartMicroseconds() {
    std::ifstream stat("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), {});
    size_t close = text.rfind(')');
    if (close == std::string::npos) return 0;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    unsigned long long start_ticks = 0;
    for (int i = 3; i <= 22 && fields >> field; ++i)
        if (i == 22) start_ticks = std::strtoull(field.c_str(), nullptr, 10);
    timespec since_boot{};
    clock_gettime(CLOCK_BOOTTIME, &since_boot);
    const long long boot = RealtimeMicroseconds() - ((long long)since_boot.tv_sec * 1000000 + since_boot.tv_nsec / 1000);
    const long ticks = sysconf(_SC_CLK_TCK);
    return boot + (long long)(start_ticks * 1000000 / (ticks > 0 ? ticks : 100));
}

}  // namespace

std::function<void()> FirstPresentLogFromEnvironment() {
    const char* path = std::getenv("REELHOST_PRESENT_LOG");
    if (!path || !*path) return {};
    return [log = std::string(path)] {
        const long long now = RealtimeMicroseconds();
        if (std::FILE* f = std::fopen(log.c_str(), "a")) {
            std::fprintf(f, "first_present_us=%lld process_created_us=%lld\n", now, ProcessStartMicroseconds());
            std::fclose(f);
        }
    };
}

}  // namespace gd
