#include "effects/clock.h"

#include <chrono>
#include <thread>

namespace gd {

uint32_t SystemClock::Now() const {
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch());
    return uint32_t(ms.count());
}

void SystemClock::Sleep(uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace gd
