#pragma once
// Running a window of the test's own thread: its messages are dispatched while a test
// waits for what the window does.

#include <windows.h>

#include <functional>

namespace gd {

// Dispatches this thread's messages until `done` holds or `milliseconds` pass; whether
// `done` held in the end.
inline bool PumpMessagesUntil(const std::function<bool()>& done, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        if (done()) return true;
        Sleep(10);
    }
    return done();
}

// Drops the messages left in this thread's queue, such as the WM_QUIT that a show window
// posts when it goes, so the next test starts with an empty queue. WM_PAINT is
// dispatched instead: it is not a queued message but the state of a window waiting to be
// painted, and it comes back at every peek until the window has painted.
inline void DropPendingMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        if (message.message == WM_PAINT) DispatchMessageA(&message);
}

}  // namespace gd
