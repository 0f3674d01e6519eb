#pragma once
// CSaverPreviewThread: the thread of the maker's full-screen preview. It makes the
// PreviewWindow, runs its messages until the window is destroyed, and ends. The maker's
// own windows stay open and keep running on their thread; the preview covers them.
//
// Stopping: RequestClose asks the preview to close the way every exit event does (show
// stopped and joined, music closed, window destroyed), from any thread, at any moment,
// even before the window exists. Join waits for the thread's end while handling the
// messages other threads send to the waiting thread, so a preview that is just being
// activated over the waiting thread's windows cannot deadlock with it.

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "maker/preview/preview_plan.h"
#include "maker/win32/preview_window.h"

namespace gd {

class CSaverPreviewThread {
public:
    CSaverPreviewThread(HINSTANCE instance, PreviewPlan plan, PreviewWindowOptions options);
    // Closes the preview if it still runs and waits for its thread.
    ~CSaverPreviewThread();
    CSaverPreviewThread(const CSaverPreviewThread&) = delete;
    CSaverPreviewThread& operator=(const CSaverPreviewThread&) = delete;

    // Starts the thread (once); false when it could not be started.
    bool Start();
    void RequestClose();
    // True once the thread has ended (within `milliseconds`).
    bool Join(DWORD milliseconds = INFINITE);
    bool ended() const { return WaitForSingleObject(ended_, 0) == WAIT_OBJECT_0; }
    // The preview's window once it exists; nullptr before and after.
    HWND window() const { return window_.load(); }
    // True once the preview's window has left the screen (it is closing, or closed).
    bool closing() const;

    // Runs on the preview's thread as its last action: for tests.
    std::function<void()> on_thread_end;

private:
    void Run();

    HINSTANCE instance_;
    PreviewPlan plan_;
    PreviewWindowOptions options_;
    std::thread thread_;
    HANDLE ended_;  // manual-reset: set when the thread ends
    std::atomic<HWND> window_{nullptr};
    std::atomic<bool> had_window_{false};
    std::atomic<bool> close_requested_{false};
};

// Starts the preview of the maker's open project from its window: one preview at a time;
// a preview asked for while one still runs is not started. One that is closing (its
// window already left the screen) is waited for first: the user who ends a preview and
// asks for it again at once gets it. The previews' threads are joined when they have
// ended, and when the launcher goes.
class PreviewLauncher {
public:
    explicit PreviewLauncher(HINSTANCE instance) : instance_(instance) {}
    ~PreviewLauncher() { Stop(); }

    // False when a preview still runs or the thread could not be started.
    bool Start(HWND maker_window, PreviewPlan plan);
    // How long Start waits for a closing preview's thread.
    static constexpr DWORD kClosingWaitMs = 2000;
    // Closes the running preview and waits for its thread.
    void Stop();
    CSaverPreviewThread* current() const { return current_.get(); }

private:
    HINSTANCE instance_;
    std::unique_ptr<CSaverPreviewThread> current_;
};

}  // namespace gd
