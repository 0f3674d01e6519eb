#pragma once
// The show's sense of time: 32-bit millisecond ticks that wrap, and a sleep. The show
// thread reads time only through a Clock, so tests and the effect renderer can run a
// ten-second transition in microseconds with a FakeClock whose sleep advances time.

#include <atomic>
#include <cstdint>
#include <functional>

namespace gd {

class Clock {
public:
    virtual ~Clock() = default;
    virtual uint32_t Now() const = 0;
    virtual void Sleep(uint32_t ms) = 0;
};

// The platform's monotonic millisecond counter and a real sleep.
class SystemClock final : public Clock {
public:
    uint32_t Now() const override;
    void Sleep(uint32_t ms) override;
};

// Time stands still until someone sleeps or advances it. `on_sleep` (when set) runs after
// every sleep with the new time, so a test can act at a chosen moment of a transition.
class FakeClock final : public Clock {
public:
    explicit FakeClock(uint32_t start = 0) : now_(start) {}
    uint32_t Now() const override { return now_.load(); }
    void Sleep(uint32_t ms) override {
        now_ += ms;
        ++sleeps_;
        if (on_sleep) on_sleep(now_.load());
    }
    void Advance(uint32_t ms) { now_ += ms; }
    uint64_t sleeps() const { return sleeps_.load(); }

    std::function<void(uint32_t now)> on_sleep;

private:
    std::atomic<uint32_t> now_;
    std::atomic<uint64_t> sleeps_{0};
};

}  // namespace gd
