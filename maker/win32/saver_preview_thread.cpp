#include "maker/win32/saver_preview_thread.h"

#include "maker/win32/maker_services.h"

#include "common/random15.h"

namespace gd {

CSaverPreviewThread::CSaverPreviewThread(HINSTANCE instance, PreviewPlan plan, PreviewWindowOptions options)
    : instance_(instance),
      plan_(std::move(plan)),
      options_(std::move(options)),
      ended_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

CSaverPreviewThread::~CSaverPreviewThread() {
    RequestClose();
    Join();
    CloseHandle(ended_);
}

bool CSaverPreviewThread::Start() {
    if (thread_.joinable() || !ended_) return false;
    thread_ = std::thread([this] { Run(); });
    return true;
}

void CSaverPreviewThread::Run() {
    // The music's shuffle draws from this thread's generator.
    SeedRandomFromTime();
    if (PreviewWindow* preview = PreviewWindow::Create(instance_, std::move(plan_), std::move(options_))) {
        window_ = preview->hwnd();
        had_window_ = true;
        // A close asked for before the window existed: the request saw no window.
        if (close_requested_) PostMessageW(preview->hwnd(), PreviewWindow::kCloseRequest, 0, 0);
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        window_ = nullptr;
    }
    if (on_thread_end) on_thread_end();
    SetEvent(ended_);
}

bool CSaverPreviewThread::closing() const {
    if (!had_window_) return false;
    HWND window = window_.load();
    return !window || !IsWindowVisible(window);
}

void CSaverPreviewThread::RequestClose() {
    close_requested_ = true;
    if (HWND window = window_.load()) PostMessageW(window, PreviewWindow::kCloseRequest, 0, 0);
}

bool CSaverPreviewThread::Join(DWORD milliseconds) {
    if (!thread_.joinable()) return true;
    const DWORD start = GetTickCount();
    for (;;) {
        DWORD waited = GetTickCount() - start;
        DWORD left = milliseconds == INFINITE ? INFINITE : (waited >= milliseconds ? 0 : milliseconds - waited);
        DWORD result = MsgWaitForMultipleObjects(1, &ended_, FALSE, left, QS_SENDMESSAGE);
        if (result == WAIT_OBJECT_0) break;
        if (result != WAIT_OBJECT_0 + 1) return false;
        // Handles the messages sent to this thread, and only those.
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    thread_.join();
    return true;
}

bool PreviewLauncher::Start(HWND maker_window, PreviewPlan plan) {
    if (current_ && !current_->ended()) {
        if (!current_->closing() || !current_->Join(kClosingWaitMs)) return false;
    }
    current_.reset();
    PreviewWindowOptions options;
    options.return_to = maker_window;
    current_ = std::make_unique<CSaverPreviewThread>(instance_, std::move(plan), std::move(options));
    current_->on_thread_end = [maker_window] { PostMessageW(maker_window, kPreviewEndedMessage, 0, 0); };
    return current_->Start();
}

void PreviewLauncher::Stop() { current_.reset(); }

}  // namespace gd
