#include "runtime/win32/saver_wnd.h"

#include <algorithm>

#include "runtime/show_start_rule.h"
#include "runtime/win32/saver_show.h"
#include "runtime/win32/monitor_list.h"
#include "runtime/win32/platform_services.h"
#include "runtime/win32/present_probe.h"
#include "runtime/win32/resource_ids.h"
#include "runtime/win32/win32_track_files.h"

namespace gd {
namespace {

constexpr char kClassName[] = "ReelhostSaverWnd";
// One-shot timers that replace waits on the window thread, so input is handled while
// they run: the preparation of the next track after the effect duration, and the held
// back show start one second after the first track began.
constexpr UINT_PTR kPrepareTimerId = 100;
constexpr UINT_PTR kShowStartTimerId = 101;

// The preparation timer as a window timer.
class WindowOneShotTimer final : public OneShotTimer {
public:
    WindowOneShotTimer(HWND hwnd, UINT_PTR id) : hwnd_(hwnd), id_(id) {}
    void Arm(uint32_t ms) override { SetTimer(hwnd_, id_, ms, nullptr); }
    void Disarm() override { KillTimer(hwnd_, id_); }

private:
    HWND hwnd_;
    UINT_PTR id_;
};

Point CursorPosition() {
    POINT p{};
    GetCursorPos(&p);
    return {int(p.x), int(p.y)};
}

}  // namespace

CSaverWnd::CSaverWnd(const SaverConfig& config, std::shared_ptr<const ResourceSource> source, const Rect& stage)
    : config_(config), source_(std::move(source)), stage_(stage) {
    flags_.mouse_move = config.mouse_move != 0;
    flags_.left_click = config.mouse_left_click != 0;
    flags_.right_click = config.mouse_right_click != 0;
    flags_.keyboard = config.keyboard_event != 0;
    major_version_ = PlatformMajorVersion();
}

CSaverWnd::~CSaverWnd() = default;

CSaverWnd* CSaverWnd::Create(HINSTANCE instance, const SaverConfig& config,
                             std::shared_ptr<const ResourceSource> source) {
    return Create(instance, config, std::move(source), PlatformFullScreenLayout());
}

CSaverWnd* CSaverWnd::Create(HINSTANCE instance, const SaverConfig& config,
                             std::shared_ptr<const ResourceSource> source, const ScreenLayout& layout) {
    if (!RegisterShowWindowClass(instance, kClassName, &CSaverWnd::WindowProc, nullptr,
                                 LoadCursorA(instance, MAKEINTRESOURCEA(IDC_SAVER_CURSOR)))) {
        return nullptr;
    }
    auto* self = new CSaverWnd(config, std::move(source), layout.stage);
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

LRESULT CALLBACK CSaverWnd::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<CSaverWnd*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        self = static_cast<CSaverWnd*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, LONG_PTR(self));
    }
    if (!self) return DefWindowProcA(hwnd, message, wparam, lparam);
    LRESULT result = self->Handle(message, wparam, lparam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        delete self;
    }
    return result;
}

LRESULT CSaverWnd::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
    const bool idle = !exit_.checking_password;
    switch (message) {
        case WM_CREATE:
            OnCreate();
            break;
        case WM_SYSCOMMAND:
            if (wparam == SC_SCREENSAVE || wparam == SC_CLOSE) return 0;
            break;
        case WM_NCACTIVATE:
            if (wparam == FALSE && idle) return FALSE;
            break;
        case WM_ACTIVATE:
            if (LOWORD(wparam) == WA_INACTIVE) OnInput(SaverInput::kDeactivate);
            break;
        case WM_ACTIVATEAPP:
            if (wparam == FALSE) OnInput(SaverInput::kDeactivate);
            break;
        case WM_MOUSEMOVE: OnInput(SaverInput::kMouseMove); break;
        case WM_LBUTTONDOWN: OnInput(SaverInput::kLeftButton); break;
        case WM_RBUTTONDOWN: OnInput(SaverInput::kRightButton); break;
        case WM_MBUTTONDOWN: OnInput(SaverInput::kMiddleButton); break;
        case WM_KEYDOWN: OnInput(wparam == VK_ESCAPE ? SaverInput::kEscape : SaverInput::kKey); break;
        case WM_SYSKEYDOWN: OnInput(SaverInput::kSystemKey); break;
        case WM_SETCURSOR:
            SetCursor(idle ? nullptr : LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));  // IDC_ARROW
            return TRUE;
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT covers everything
        case WM_PAINT:
            PaintShowWindow(hwnd_, show_.get());
            return 0;
        case WM_CLOSE:
            if (!OnClose()) return 0;
            break;
        case WM_TIMER:
            if (show_ && show_->OnTimer(wparam)) return 0;
            if (wparam == kMusicTimerId || wparam == kPrepareTimerId || wparam == kShowStartTimerId) {
                OnTimer(wparam);
                return 0;
            }
            break;
        case WM_DESTROY:
            OnDestroy();
            break;
    }
    return DefWindowProcA(hwnd_, message, wparam, lparam);
}

void CSaverWnd::OnCreate() {
    exit_.checking_password = false;
    exit_.closing = false;
    BOOL previous = FALSE;
    SystemParametersInfoA(SPI_SCREENSAVERRUNNING, TRUE, &previous, 0);
    exit_.reference = CursorPosition();
    exit_.start_tick = GetTickCount();
    exit_.values = ReadScreenSaverValues();
}

void CSaverWnd::StartMusicAndShow() {
    const bool muted = config_.mute_music != 0;
    MusicSettings music;
    music.count = config_.music_count;
    music.shuffle = config_.shuffle_audio != 0;
    music.identifier = config_.identifier;
    music.temp_dir = TemporaryFolder();
    music_ = std::make_unique<CMusicList>(music, source_, std::make_shared<Win32TrackFiles>(), player_);
    music_->set_thread_start_hook([] { SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_IDLE); });
    prepare_timer_ = std::make_unique<WindowOneShotTimer>(hwnd_, kPrepareTimerId);
    music_timer_ = std::make_unique<MusicTimer>(*music_, config_.audio_pause,
                                                uint32_t(std::max<int32_t>(config_.effect_millisecond, 1)),
                                                *prepare_timer_);
    if (config_.music_count > 0 && !muted) {
        music_timer_->Start();
        SetTimer(hwnd_, kMusicTimerId, kMusicTimerPeriodMs, nullptr);
    }

    show_ = MakeSaverShow(hwnd_, config_, source_, ShowVariant::kFullScreen, stage_);
    if (auto probe = FirstPresentProbeFromEnvironment()) show_->set_first_present_hook(std::move(probe));
    if (ShowStartsAtOnce(major_version_, config_.music_count, muted)) {
        StartShow();
    } else {
        show_pending_ = true;
    }
}

void CSaverWnd::StartShow() {
    show_pending_ = false;
    if (show_) show_->Start();
}

void CSaverWnd::OnTimer(UINT_PTR id) {
    if (id == kPrepareTimerId) {
        KillTimer(hwnd_, kPrepareTimerId);
        if (music_timer_) music_timer_->OnPrepareTimer();
        return;
    }
    if (id == kShowStartTimerId) {
        KillTimer(hwnd_, kShowStartTimerId);
        if (show_pending_) StartShow();
        return;
    }
    if (!music_timer_ || !music_timer_->Tick()) return;
    if (show_pending_ && major_version_ <= 4 && !show_start_scheduled_) {
        show_start_scheduled_ = true;
        SetTimer(hwnd_, kShowStartTimerId, 1000, nullptr);
    }
}

bool CSaverWnd::OnInput(SaverInput input) {
    if (!InputEndsShow(input, exit_, flags_, CursorPosition())) return false;
    RequestClose();
    return true;
}

void CSaverWnd::RequestClose() {
    KillTimer(hwnd_, kMusicTimerId);
    KillTimer(hwnd_, kPrepareTimerId);
    KillTimer(hwnd_, kShowStartTimerId);
    show_pending_ = false;
    if (music_) music_->CancelPreparation();
    if (show_) show_->Stop();
    if (music_) {
        music_->StopMusic();
        music_->DeleteFiles();
    }
    exit_.closing = true;
    PostMessageA(hwnd_, WM_CLOSE, 0, 0);
}

bool CSaverWnd::OnClose() {
    switch (DecideClose(exit_, GetTickCount())) {
        case CloseDecision::kIgnore: return false;
        case CloseDecision::kClose: return true;
        case CloseDecision::kCheckPassword: break;
    }
    exit_.checking_password = true;
    bool accepted = VerifyPassword(hwnd_);
    exit_.checking_password = false;
    exit_.reference = CursorPosition();
    return accepted;
}

void CSaverWnd::OnDestroy() {
    KillTimer(hwnd_, kMusicTimerId);
    KillTimer(hwnd_, kPrepareTimerId);
    KillTimer(hwnd_, kShowStartTimerId);
    // The show stops before its window goes away; then the music objects.
    show_.reset();
    if (music_) {
        music_->CancelPreparation();
        music_->StopMusic();
        music_->DeleteFiles();
    }
    BOOL previous = FALSE;
    SystemParametersInfoA(SPI_SCREENSAVERRUNNING, FALSE, &previous, 0);
    PostQuitMessage(0);
}

}  // namespace gd
