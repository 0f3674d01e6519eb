#include "maker/win32/effect_demo_pane.h"

#include <windowsx.h>

#include "effects/picture_source.h"
#include "maker/preview/preview_plan.h"

namespace gd {

namespace {

constexpr char kClassName[] = "GlimmerdeckEffectDemo";
// The demonstration's picture pause is one second, polled every 10 ms.
constexpr uint32_t kDemoPausePollMs = 10;

}  // namespace

EffectDemoPane::~EffectDemoPane() {
    show_.reset();
    if (window_ && IsWindow(window_)) DestroyWindow(window_);
}

bool EffectDemoPane::Create(HINSTANCE instance, HWND parent, int frame_id, const std::string& program_folder) {
    HWND frame = GetDlgItem(parent, frame_id);
    if (!frame || !RegisterShowWindowClass(instance, kClassName, &StateWindowProc<EffectDemoPane>, nullptr,
                                           LoadCursorA(nullptr, MAKEINTRESOURCEA(32512))))
        return false;
    RECT area{};
    GetClientRect(frame, &area);
    MapWindowPoints(frame, parent, reinterpret_cast<POINT*>(&area), 2);
    window_ = CreateWindowExA(0, kClassName, "", WS_CHILD | WS_VISIBLE, area.left, area.top, area.right - area.left,
                              area.bottom - area.top, parent, nullptr, instance, this);
    if (!window_) return false;
    // Above the frame control, so the frame's border stays around it.
    SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetUp(program_folder);
    return true;
}

void EffectDemoPane::SetUp(const std::string& program_folder) {
    show_.reset();
    show_ = std::make_unique<WindowShow>(window_, std::make_unique<FilePictureSource>(DemoPictureFiles(program_folder)));
    show_->settings().picture_count = 2;
    show_->runner().pause_poll_ms = kDemoPausePollMs;
    ready_ = true;
}

void EffectDemoPane::Demonstrate(int32_t id) {
    if (!ready_) return;
    if (id != show_->settings().demo_effect) Stop();
    if (show_->running()) return;
    ShowSettings& settings = show_->settings();
    settings.demo_effect = id;
    settings.demo_mode = true;
    show_->Start();
}

void EffectDemoPane::Stop() {
    if (!ready_) return;
    show_->Stop();
    // A hidden pane is not cleared by the show's stop: it shows black when it comes back.
    show_->Clear();
}

LRESULT EffectDemoPane::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (LRESULT result = 0; AnswerShowWindow(window_, show_.get(), message, wParam, result)) return result;
    if (message == WM_DESTROY) return HANDLE_WM_DESTROY(window_, wParam, lParam, OnDestroy);
    return DefWindowProcA(window_, message, wParam, lParam);
}

void EffectDemoPane::OnDestroy(HWND) {
    // The demonstration ends before its window goes.
    show_.reset();
    ready_ = false;
}

}  // namespace gd
