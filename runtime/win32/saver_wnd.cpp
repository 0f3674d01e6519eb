#include "runtime/win32/saver_wnd.h"

#include <windowsx.h>

#include <algorithm>

#include "player/win32/monitor_list.h"
#include "runtime/saver_music.h"
#include "runtime/win32/saver_show.h"
#include "runtime/win32/platform_services.h"
#include "runtime/win32/present_probe.h"
#include "runtime/win32/resource_ids.h"
#include "runtime/platform_track_files.h"

namespace gd {
namespace {

constexpr char kClassName[] = "ReelhostSaverWnd";

Point CursorPosition() {
    POINT p{};
    GetCursorPos(&p);
    return {int(p.x), int(p.y)};
}

}  // namespace

CSaverWnd::CSaverWnd(const SaverConfig& config, std::shared_ptr<const ResourceSource> source, LayoutSource layouts,
                     ScreenLayout layout)
    : config_(config),
      source_(std::move(source)),
      layouts_(std::move(layouts)),
      mode_(MonitorModeOf(config.monitor_mode)),
      layout_(std::move(layout)) {
    flags_.mouse_move = config.mouse_move != 0;
    flags_.left_click = config.mouse_left_click != 0;
    flags_.right_click = config.mouse_right_click != 0;
    flags_.keyboard = config.keyboard_event != 0;
    major_version_ = PlatformMajorVersion();
}

CSaverWnd::~CSaverWnd() = default;

CSaverWnd* CSaverWnd::Create(HINSTANCE instance, const SaverConfig& config,
                             std::shared_ptr<const ResourceSource> source) {
    return Create(instance, config, std::move(source), PlatformFullScreenLayout);
}

CSaverWnd* CSaverWnd::Create(HINSTANCE instance, const SaverConfig& config,
                             std::shared_ptr<const ResourceSource> source, LayoutSource layouts) {
    if (!RegisterShowWindowClass(instance, kClassName, &StateWindowProc<CSaverWnd, StateOwner::kWindowDeletes>,
                                 nullptr, LoadCursorA(instance, MAKEINTRESOURCEA(IDC_SAVER_CURSOR)))) {
        return nullptr;
    }
    ScreenLayout layout = layouts(MonitorModeOf(config.monitor_mode));
    auto* self = new CSaverWnd(config, std::move(source), std::move(layouts), layout);
    // Over every monitor, so none of them shows the desktop while the show runs.
    const Rect& w = layout.window;
    HWND hwnd = CreateWindowExA(WS_EX_TOPMOST, kClassName, "", WS_POPUP | WS_VISIBLE, w.left, w.top, w.width(),
                                w.height(), nullptr, nullptr, instance, self);
    if (!hwnd) {
        delete self;
        return nullptr;
    }
    self->StartMusicAndShow();
    return self;
}

LRESULT CSaverWnd::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    const bool idle = !exit_.checking_password;
    switch (message) {
        HANDLE_MSG(window_, WM_CREATE, OnCreate);
        HANDLE_MSG(window_, WM_ERASEBKGND, OnEraseBkgnd);
        HANDLE_MSG(window_, WM_PAINT, OnPaint);
        HANDLE_MSG(window_, WM_TIMER, OnTimer);
        HANDLE_MSG(window_, WM_CLOSE, OnClose);
        HANDLE_MSG(window_, WM_DESTROY, OnDestroy);
        case WM_SYSCOMMAND:
            if (wParam == SC_SCREENSAVE || wParam == SC_CLOSE) return 0;
            break;
        case WM_NCACTIVATE:
            if (wParam == FALSE && idle) return FALSE;
            break;
        case WM_ACTIVATE:
        case WM_ACTIVATEAPP:
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (auto input = ShowInputOf(message, wParam); input && session_) session_->OnInput(*input);
            break;
        case WM_SETCURSOR:
            SetCursor(idle ? nullptr : LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));  // IDC_ARROW
            return TRUE;
        case WM_DISPLAYCHANGE:
            OnDisplayChange();
            break;
        case WM_DPICHANGED:
            // The window spans monitors and keeps its place: only the shows' DPI changed.
            OnDisplayChange();
            return 0;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

void CSaverWnd::OnPaint(HWND) { PaintShowWindow(window_, show_.get()); }

void CSaverWnd::OnTimer(HWND, UINT id) {
    if (monitors_ && monitors_->OnTimer(id)) {
        Relayout();
        return;
    }
    if (show_ && show_->OnTimer(id)) return;
    if (auto timer = window_side_ ? window_side_->TimerOf(id) : std::nullopt; timer && session_)
        session_->OnTimer(*timer);
}

void CSaverWnd::OnClose(HWND) {
    if (MayClose()) FORWARD_WM_CLOSE(window_, DefWindowProcA);
}

BOOL CSaverWnd::OnCreate(HWND, LPCREATESTRUCT) {
    exit_.checking_password = false;
    exit_.closing = false;
    BOOL previous = FALSE;
    SystemParametersInfoA(SPI_SCREENSAVERRUNNING, TRUE, &previous, 0);
    exit_.reference = CursorPosition();
    exit_.start_tick = GetTickCount();
    exit_.values = ReadScreenSaverValues();
    return TRUE;
}

void CSaverWnd::StartMusicAndShow() {
    monitors_ = std::make_unique<MonitorWatch>(window_, kRelayoutTimerId, kMonitorCheckTimerId);
    monitors_->Start();
    window_side_ = std::make_unique<WindowSession>(window_, kTimerIds);
    // A password asked for on closing is asked over the show's window.
    window_side_->keep_on_close = [this] {
        return PasswordCheckAsks() && DecideClose(exit_, GetTickCount()) == CloseDecision::kCheckPassword;
    };
    const ShowCaptureSettings* capture = SaverShowCapture();
    auto sharing = std::make_shared<MonitorSharing>(mode_, capture ? capture->seed : std::nullopt);
    show_ = MakeFullScreenShows(window_, config_, source_, layout_.stages, std::move(sharing));
    if (auto probe = FirstPresentProbeFromEnvironment()) show_->set_first_present_hook(std::move(probe));
    auto music = std::make_unique<SaverMusic>(config_, source_, std::make_shared<PlatformTrackFiles>(), player_,
                                              TemporaryFolder());
    music->list().set_thread_start_hook([] { SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_IDLE); });
    session_ = std::make_unique<SaverSession>(*window_side_, &show_->group(), std::move(music),
                                              [this](ShowInput input, Point) { return EndsShow(input); },
                                              SaverSessionPlan(config_, major_version_));
    session_->Start();
}

// The exit rule: the cursor is read where it is now, not where a message says it was.
bool CSaverWnd::EndsShow(ShowInput input) {
    if (!InputEndsShow(input, exit_, flags_, CursorPosition())) return false;
    exit_.closing = true;
    return true;
}

void CSaverWnd::OnDisplayChange() {
    exit_.reference = CursorPosition();
    if (monitors_) monitors_->OnDisplayChange();
}

void CSaverWnd::Relayout() {
    if (!show_ || !session_ || session_->closing()) return;
    ScreenLayout layout = layouts_(mode_);
    if (layout == layout_) return;
    MoveToLayout(window_, *show_, layout_, layout);
    layout_ = std::move(layout);
    // The platform may have moved the pointer off a monitor that went: no movement.
    exit_.reference = CursorPosition();
}

bool CSaverWnd::MayClose() {
    switch (DecideClose(exit_, GetTickCount())) {
        case CloseDecision::kIgnore: return false;
        case CloseDecision::kClose: return true;
        case CloseDecision::kCheckPassword: break;
    }
    exit_.checking_password = true;
    bool accepted = VerifyPassword(window_);
    exit_.checking_password = false;
    exit_.reference = CursorPosition();
    return accepted;
}

void CSaverWnd::OnDestroy(HWND) {
    if (monitors_) monitors_->Stop();
    // The shows stop before their window goes away; then the music.
    if (session_) session_->OnWindowDestroyed();
    BOOL previous = FALSE;
    SystemParametersInfoA(SPI_SCREENSAVERRUNNING, FALSE, &previous, 0);
    PostQuitMessage(0);
}

}  // namespace gd
