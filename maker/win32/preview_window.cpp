#include "maker/win32/preview_window.h"

#include <windowsx.h>

#include <array>

#include "maker/win32/mci_audition_media.h"
#include "win32/mci_player.h"

namespace gd {

namespace {

constexpr char kClassName[] = "GlimmerdeckPreview";
constexpr char kTitle[] = "Glimmerdeck Preview";

// A 32 x 32 cursor whose every pixel is transparent (AND mask set, XOR mask clear): the
// pointer vanishes over the preview. Made once; the window class keeps it.
HCURSOR TransparentCursor(HINSTANCE instance) {
    static HCURSOR cursor = [instance] {
        std::array<BYTE, 32 * 32 / 8> and_mask;
        std::array<BYTE, 32 * 32 / 8> xor_mask{};
        and_mask.fill(0xFF);
        return CreateCursor(instance, 0, 0, 32, 32, and_mask.data(), xor_mask.data());
    }();
    return cursor;
}

Rect PrimaryScreen() { return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

}  // namespace

PreviewWindow::PreviewWindow(PreviewPlan plan, PreviewWindowOptions options)
    : plan_(std::move(plan)), options_(std::move(options)), exit_(plan_.exit) {}

PreviewWindow::~PreviewWindow() = default;

PreviewWindow* PreviewWindow::Create(HINSTANCE instance, PreviewPlan plan, PreviewWindowOptions options) {
    if (!RegisterShowWindowClass(instance, kClassName, &PreviewWindow::WindowProc, nullptr,
                                 TransparentCursor(instance)))
        return nullptr;
    const Rect r = options.rect.value_or(PrimaryScreen());
    auto* self = new PreviewWindow(std::move(plan), std::move(options));
    HWND window = CreateWindowExA(WS_EX_TOPMOST, kClassName, kTitle, WS_POPUP | WS_VISIBLE, r.left, r.top,
                                  r.width(), r.height(), nullptr, nullptr, instance, self);
    if (!window) {
        delete self;
        return nullptr;
    }
    SetForegroundWindow(window);
    self->Setup();
    PostMessageA(window, kTakeKeyboard, 0, 0);
    return self;
}

LRESULT CALLBACK PreviewWindow::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<PreviewWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        self = static_cast<PreviewWindow*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, LONG_PTR(self));
    }
    if (!self) return DefWindowProcA(window, message, wparam, lparam);
    LRESULT result = self->Handle(message, wparam, lparam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        delete self;
    }
    return result;
}

LRESULT PreviewWindow::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_KEYDOWN:
        OnInput(wparam == VK_ESCAPE ? PreviewInput::kEscape : PreviewInput::kKey);
        return 0;
    case WM_LBUTTONDOWN: OnInput(PreviewInput::kLeftButton); return 0;
    case WM_MBUTTONDOWN: OnInput(PreviewInput::kMiddleButton); return 0;
    case WM_RBUTTONDOWN: OnInput(PreviewInput::kRightButton); return 0;
    case WM_MOUSEMOVE:
        OnInput(PreviewInput::kMouseMove, {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wparam) == WA_INACTIVE) OnInput(PreviewInput::kDeactivate);
        break;
    case WM_ACTIVATEAPP:
        if (wparam == FALSE) OnInput(PreviewInput::kDeactivate);
        break;
    case WM_SYSCOMMAND:
        // The system's own screensaver does not start over the preview of one.
        if ((wparam & 0xFFF0) == SC_SCREENSAVE) return 0;
        break;
    case WM_TIMER:
        if (show_ && show_->OnTimer(wparam)) return 0;
        OnTimer(wparam);
        return 0;
    case kCloseRequest:
        Close();
        return 0;
    case kTakeKeyboard:
        TakeKeyboard();
        return 0;
    case WM_ERASEBKGND:
        return 1;  // WM_PAINT covers everything
    case WM_PAINT:
        PaintShowWindow(window_, show_.get());
        return 0;
    case WM_CLOSE:
        // Alt+F4 and the like go the way of every exit; only Close's own request
        // destroys the window.
        if (!closing_) {
            Close();
            return 0;
        }
        if (options_.return_to && IsWindow(options_.return_to)) SetForegroundWindow(options_.return_to);
        DestroyWindow(window_);
        return 0;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window_, message, wparam, lparam);
}

void PreviewWindow::Setup() {
    show_.reset();
    show_ = std::make_unique<WindowShow>(window_, std::make_unique<FilePictureSource>(plan_.pictures));
    show_->settings() = plan_.show;
    show_->runner().seed = options_.seed;
    if (plan_.show.picture_count > 0) SetTimer(window_, kShowTimerId, 10, nullptr);

    media_ = options_.media ? std::move(options_.media) : std::make_unique<CMciPlayer>();
    music_ = std::make_unique<PreviewMusicPlayer>(*media_);
    // The media calls take ANSI paths: a name outside the code page plays by its short form.
    std::vector<std::string> tracks;
    for (const std::string& path : plan_.music) tracks.push_back(AnsiPathForMedia(path));
    music_->SetTracks(std::move(tracks), plan_.shuffle_music, plan_.music_pause);
    if (!plan_.music.empty()) SetTimer(window_, kMusicStartTimerId, 500, nullptr);
}

// The window was activated when it was made, but the platform may have left the
// keyboard with the maker's window: a new thread's first focus request carries no time
// of any input, and a display server that orders focus changes by time refuses it. Once
// this thread has received a message, the same request carries that message's time.
void PreviewWindow::TakeKeyboard() {
    if (closing_) return;
    SetForegroundWindow(window_);
    SetFocus(nullptr);
    SetFocus(window_);
}

void PreviewWindow::OnTimer(UINT_PTR id) {
    switch (id) {
    case kShowTimerId:
        KillTimer(window_, kShowTimerId);
        if (!closing_) show_->Start();
        break;
    case kMusicStartTimerId:
        KillTimer(window_, kMusicStartTimerId);
        MusicStep();
        break;
    case kMusicTimerId:
        if (music_->OnSecond()) {
            KillTimer(window_, kMusicTimerId);
            MusicStep();
        }
        break;
    default:
        break;
    }
}

void PreviewWindow::MusicStep() {
    if (closing_) return;
    music_->Step();
    SetTimer(window_, kMusicTimerId, 1000, nullptr);
}

void PreviewWindow::OnInput(PreviewInput input, Point cursor) {
    if (closing_) return;
    if (exit_.Ends(input, cursor)) Close();
}

void PreviewWindow::KillTimers() {
    KillTimer(window_, kShowTimerId);
    KillTimer(window_, kMusicStartTimerId);
    KillTimer(window_, kMusicTimerId);
}

void PreviewWindow::Close() {
    if (closing_) return;
    closing_ = true;
    KillTimers();
    // Waits for the show thread without a time limit; it polls its stop flag at every
    // step of an effect and every 100 ms of a pause.
    if (show_) show_->Stop();
    Step("show stopped");
    if (music_) music_->Stop();
    PostMessageA(window_, WM_CLOSE, 0, 0);
}

void PreviewWindow::OnDestroy() {
    KillTimers();
    show_.reset();
    music_.reset();
    media_.reset();
    Step("window destroyed");
    PostQuitMessage(0);
}

void PreviewWindow::Step(std::string_view step) const {
    if (options_.on_step) options_.on_step(step);
}

}  // namespace gd
