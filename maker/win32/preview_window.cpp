#include "maker/win32/preview_window.h"

#include <windowsx.h>

#include <array>

#include "player/win32/monitor_list.h"
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

// A window at `r` (screen coordinates) with one show over all of it.
ScreenLayout WholeWindow(const Rect& r) { return {r, {ShowStage{r.translated(-r.left, -r.top)}}}; }

}  // namespace

ScreenLayout PreviewWindow::PreviewLayout(MonitorMode mode) {
    if (mode == MonitorMode::kPrimaryOnly) return WholeWindow(PrimaryScreen());
    return PlatformFullScreenLayout(mode);
}

PreviewWindow::PreviewWindow(PreviewPlan plan, PreviewWindowOptions options, ScreenLayout layout)
    : plan_(std::move(plan)), options_(std::move(options)), exit_(plan_.exit), layout_(std::move(layout)) {}

ScreenLayout PreviewWindow::LayoutNow() const {
    const MonitorMode mode = MonitorModeOf(plan_.monitor_mode);
    if (options_.rect) return WholeWindow(*options_.rect);
    return options_.layouts ? options_.layouts(mode) : PreviewLayout(mode);
}

PreviewWindow::~PreviewWindow() = default;

PreviewWindow* PreviewWindow::Create(HINSTANCE instance, PreviewPlan plan, PreviewWindowOptions options) {
    if (!RegisterShowWindowClass(instance, kClassName, &StateWindowProc<PreviewWindow, StateOwner::kWindowDeletes>,
                                 nullptr, TransparentCursor(instance)))
        return nullptr;
    auto* self = new PreviewWindow(std::move(plan), std::move(options), {});
    self->layout_ = self->LayoutNow();
    const Rect r = self->layout_.window;
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

LRESULT PreviewWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto input = ShowInputOf(message, wParam); input && session_) {
        session_->OnInput(*input, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        // Keys, buttons and movement end here; activation changes and Alt keys go on
        // to the default handling.
        if (message != WM_ACTIVATE && message != WM_ACTIVATEAPP && message != WM_SYSKEYDOWN) return 0;
    }
    switch (message) {
        HANDLE_MSG(window_, WM_TIMER, OnTimer);
        HANDLE_MSG(window_, WM_ERASEBKGND, OnEraseBkgnd);
        HANDLE_MSG(window_, WM_PAINT, OnPaint);
        HANDLE_MSG(window_, WM_CLOSE, OnClose);
        HANDLE_MSG(window_, WM_DESTROY, OnDestroy);
    case WM_SYSCOMMAND:
        // The system's own screensaver does not start over the preview of one.
        if ((wParam & 0xFFF0) == SC_SCREENSAVE) return 0;
        break;
    case kCloseRequest:
        session_->Close();
        return 0;
    case kTakeKeyboard:
        TakeKeyboard();
        return 0;
    case WM_DISPLAYCHANGE:
        exit_.Rebase();
        if (monitors_) monitors_->OnDisplayChange();
        break;
    case WM_DPICHANGED:
        // A window over several monitors keeps its place: only the shows' DPI changed.
        if (monitors_) monitors_->OnDisplayChange();
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

void PreviewWindow::OnTimer(HWND, UINT id) {
    if (monitors_ && monitors_->OnTimer(id)) {
        Relayout();
        return;
    }
    if (show_ && show_->OnTimer(id)) return;
    if (auto timer = window_side_->TimerOf(id)) session_->OnTimer(*timer);
}

void PreviewWindow::OnPaint(HWND) { PaintShowWindow(window_, show_.get()); }

void PreviewWindow::OnClose(HWND) {
    // Alt+F4 and the like go the way of every exit; only Close's own request destroys
    // the window.
    if (!closing()) {
        session_->Close();
        return;
    }
    if (options_.return_to && IsWindow(options_.return_to)) SetForegroundWindow(options_.return_to);
    DestroyWindow(window_);
}

void PreviewWindow::Setup() {
    monitors_ = std::make_unique<MonitorWatch>(window_, kRelayoutTimerId, kMonitorCheckTimerId);
    monitors_->Start();
    window_side_ = std::make_unique<WindowSession>(
        window_, SessionTimerIds{kShowTimerId, kMusicStartTimerId, kMusicTimerId, kMusicPrepareTimerId});
    auto sharing = std::make_shared<MonitorSharing>(MonitorModeOf(plan_.monitor_mode), options_.seed);
    auto pictures = [this] { return std::make_unique<FilePictureSource>(plan_.pictures, plan_.true_colours); };
    show_ = std::make_unique<WindowShow>(
        window_, layout_.stages, pictures,
        [this, sharing](ShowHost& host, const ShowStage& stage, size_t stages) {
            host.settings() = plan_.show;
            sharing->SetUp(host, stage, stages);
        });

    media_ = options_.media ? std::move(options_.media) : std::make_unique<CMciPlayer>();
    auto music = std::make_unique<PreviewMusic>(*media_, plan_.music, plan_.shuffle_music, plan_.music_pause,
                                                plan_.shuffle_music_rounds);
    music_ = music.get();
    session_ = std::make_unique<SaverSession>(
        *window_side_, &show_->group(), std::move(music),
        [this](ShowInput input, Point cursor) { return exit_.Ends(input, cursor); }, PreviewSessionPlan(plan_));
    session_->on_step = [this](std::string_view step) { Step(step); };
    session_->Start();
}

// The window was activated when it was made, but the platform may have left the
// keyboard with the maker's window: a new thread's first focus request carries no time
// of any input, and a display server that orders focus changes by time refuses it. Once
// this thread has received a message, the same request carries that message's time.
void PreviewWindow::TakeKeyboard() {
    if (closing()) return;
    SetForegroundWindow(window_);
    SetFocus(nullptr);
    SetFocus(window_);
}

void PreviewWindow::Relayout() {
    if (!show_ || closing()) return;
    ScreenLayout layout = LayoutNow();
    if (layout == layout_) return;
    MoveToLayout(window_, *show_, layout_, layout);
    layout_ = std::move(layout);
    exit_.Rebase();
}

void PreviewWindow::OnDestroy(HWND) {
    if (monitors_) monitors_->Stop();
    if (session_) session_->OnWindowDestroyed();
    Step("window destroyed");
    PostQuitMessage(0);
}

void PreviewWindow::Step(std::string_view step) const {
    if (options_.on_step) options_.on_step(step);
}

}  // namespace gd
