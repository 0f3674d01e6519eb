#include "maker/win32/effect_demo_pane.h"

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
    if (!frame || !RegisterShowWindowClass(instance, kClassName, &EffectDemoPane::WindowProc, nullptr,
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

LRESULT CALLBACK EffectDemoPane::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<EffectDemoPane*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case WM_NCCREATE:
        self = static_cast<EffectDemoPane*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, LONG_PTR(self));
        break;
    case WM_ERASEBKGND:
        return 1;  // WM_PAINT covers everything
    case WM_PAINT:
        if (self && self->playing()) PaintShowWindow(window, self->show_.get());
        else PaintGround(window, ScreenPaneGround());
        return 0;
    case WM_SYSCOLORCHANGE:
        // A demonstration playing starts again on the new ground.
        if (self && self->playing()) {
            const int32_t id = self->effect();
            self->Stop();
            self->Demonstrate(id);
        }
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_TIMER:
        if (self && self->show_ && self->show_->OnTimer(wparam)) return 0;
        break;
    case WM_DESTROY:
        // The demonstration ends before its window goes.
        if (self) {
            self->show_.reset();
            self->ready_ = false;
        }
        break;
    case WM_NCDESTROY:
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        if (self) self->window_ = nullptr;
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace gd
