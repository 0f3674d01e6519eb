#include "maker/win32/effect_demo_pane.h"

#include <windowsx.h>

#include "effects/picture_source.h"
#include "maker/preview/preview_plan.h"
#include "win32/high_contrast.h"

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
    // Around the sample pictures (which keep their colours): the pane's ground.
    settings.background_color = ColorRef(ScreenPaneGround());
    show_->Start();
}

void EffectDemoPane::Stop() {
    if (!ready_) return;
    show_->Stop();
    // A hidden pane is not cleared by the show's stop: it shows its ground when it comes
    // back, and the next demonstration starts from black.
    show_->Clear();
    InvalidateRect(window_, nullptr, FALSE);
}

LRESULT EffectDemoPane::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        if (playing()) break;
        PaintGround(window_, ScreenPaneGround());
        return 0;
    case WM_SYSCOLORCHANGE:
        OnSysColorChange();
        return 0;
    case WM_DESTROY:
        return HANDLE_WM_DESTROY(window_, wParam, lParam, OnDestroy);
    default:
        break;
    }
    if (LRESULT result = 0; AnswerShowWindow(window_, show_.get(), message, wParam, result)) return result;
    return DefWindowProcA(window_, message, wParam, lParam);
}

void EffectDemoPane::OnSysColorChange() {
    // A demonstration playing starts again on the new ground.
    if (playing()) {
        const int32_t id = effect();
        Stop();
        Demonstrate(id);
    }
    InvalidateRect(window_, nullptr, FALSE);
}

void EffectDemoPane::OnDestroy(HWND) {
    // The demonstration ends before its window goes.
    show_.reset();
    ready_ = false;
}

}  // namespace gd
