#pragma once
// Keeps a full-screen show window on the monitors there are. The platform announces a
// change of its monitors (one plugged in, removed, rearranged, a scale changed) with
// WM_DISPLAYCHANGE or WM_DPICHANGED, mostly in several steps: the window takes the new
// layout once they settled. Not every platform announces every change (Wine, when the
// display server's outputs change, tells no window), so the window also looks at the
// monitors every few seconds.

#include <windows.h>

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace gd {

class MonitorWatch {
public:
    static constexpr UINT kSettleMs = 300;
    static constexpr UINT kCheckMs = 2000;

    // `settle_timer` and `check_timer`: the window's timer ids for the two waits.
    MonitorWatch(HWND window, UINT_PTR settle_timer, UINT_PTR check_timer)
        : window_(window), settle_timer_(settle_timer), check_timer_(check_timer) {}
    ~MonitorWatch() { Stop(); }
    MonitorWatch(const MonitorWatch&) = delete;
    MonitorWatch& operator=(const MonitorWatch&) = delete;

    // Starts looking every few seconds.
    void Start() { SetTimer(window_, check_timer_, kCheckMs, nullptr); }
    void Stop() {
        KillTimer(window_, settle_timer_);
        KillTimer(window_, check_timer_);
    }
    // The platform announced a change: the layout is taken again once it settled.
    void OnDisplayChange() { SetTimer(window_, settle_timer_, kSettleMs, nullptr); }
    // The window's WM_TIMER: true when `id` was one of the watch's and the window should
    // take the monitors' layout again now (nothing changes when it is the same).
    bool OnTimer(UINT_PTR id) {
        if (id == settle_timer_) KillTimer(window_, settle_timer_);
        return id == settle_timer_ || id == check_timer_;
    }

private:
    HWND window_;
    UINT_PTR settle_timer_;
    UINT_PTR check_timer_;
};

}  // namespace gd
