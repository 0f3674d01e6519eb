#include "runtime/linux/reelhost_app.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <optional>

#include "common/saver_extras.h"
#include "common/profile_store.h"
#include "common/saver_settings_file.h"
#include "player/saver_session.h"
#include "runtime/exit_rules.h"
#include "runtime/linux/linux_show.h"
#include "runtime/linux/mapped_file.h"
#include "runtime/platform_track_files.h"
#include "runtime/linux/present_log.h"
#include "runtime/linux/sdl_mixer_player.h"
#include "runtime/linux/timer_table.h"
#include "runtime/linux/x11_target.h"
#include "runtime/payload_reader.h"
#include "runtime/pe_resource_source.h"
#include "runtime/saver_music.h"

namespace gd {
namespace {

// The platform family the session plan asks about: music starts without delay here.
constexpr int kPlatformMajorVersion = 10;
// A window being resized sends many sizes: the show is made again once it rests.
constexpr unsigned kResizeTimer = 100;
constexpr uint32_t kResizeSettleMs = 150;
// A window at least this share of the screen in each direction plays the screensaver's
// full show (captions, banner, music); a smaller one is a settings screen's preview.
constexpr double kFullShowShare = 0.5;

int g_signal_pipe[2] = {-1, -1};

void OnSignal(int) {
    const int saved = errno;
    char c = 1;
    [[maybe_unused]] ssize_t n = ::write(g_signal_pipe[1], &c, 1);
    errno = saved;
}

bool InstallSignalPipe() {
    if (::pipe2(g_signal_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return false;
    struct sigaction sa {};
    sa.sa_handler = OnSignal;
    sigemptyset(&sa.sa_mask);
    for (int s : {SIGTERM, SIGINT, SIGHUP}) sigaction(s, &sa, nullptr);
    signal(SIGPIPE, SIG_IGN);
    return true;
}

uint64_t NowMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return uint64_t(t.tv_sec) * 1000 + uint64_t(t.tv_nsec) / 1000000;
}

// The session's window: timers in the loop's table, hiding and closing through the target.
class LoopWindow final : public SessionWindow {
public:
    LoopWindow(TimerTable& timers, X11Target& target) : timers_(timers), target_(target) {}
    void SetTimer(SessionTimer timer, uint32_t ms) override { timers_.Set(unsigned(timer), ms, NowMs()); }
    void KillTimer(SessionTimer timer) override { timers_.Kill(unsigned(timer)); }
    void Hide() override { target_.Hide(); }
    void Close() override { closed = true; }
    bool closed = false;

private:
    TimerTable& timers_;
    X11Target& target_;
};

TargetKind TargetOf(ReelhostMode mode) {
    switch (mode) {
        case ReelhostMode::kWindow: return TargetKind::kOwnWindow;
        case ReelhostMode::kFullScreen: return TargetKind::kOwnFullScreen;
        case ReelhostMode::kRoot: return TargetKind::kRoot;
        case ReelhostMode::kForeignWindow: return TargetKind::kForeign;
    }
    return TargetKind::kOwnWindow;
}

ShowVariant VariantOf(const X11Target& target) {
    if (target.kind() != TargetKind::kForeign) return ShowVariant::kFullScreen;
    const X11WindowInfo& w = target.window();
    return w.width >= target.screen_width() * kFullShowShare && w.height >= target.screen_height() * kFullShowShare
               ? ShowVariant::kFullScreen
               : ShowVariant::kPreview;
}

// Which input ends the show: the author's exit rules over a full-screen window, Escape
// in an ordinary one, nothing in a window someone else owns (its owner decides).
ExitRule ExitRuleOf(const SaverConfig& config, X11Target& target) {
    switch (target.kind()) {
        case TargetKind::kOwnFullScreen: {
            ExitFlags flags;
            flags.mouse_move = config.mouse_move != 0;
            flags.left_click = config.mouse_left_click != 0;
            flags.right_click = config.mouse_right_click != 0;
            flags.keyboard = config.keyboard_event != 0;
            ExitState state;
            state.reference = target.Pointer();
            return [flags, state, &target](ShowInput input, Point) {
                return InputEndsShow(input, state, flags, target.Pointer());
            };
        }
        case TargetKind::kOwnWindow:
            return [](ShowInput input, Point) { return input == ShowInput::kEscape; };
        default:
            return [](ShowInput, Point) { return false; };
    }
}

std::optional<SaverConfig> ReadConfig(const ResourceSource& source, const ReelhostOptions& options) {
    auto config = LoadSaverConfig(source);
    if (!config) return std::nullopt;
    ApplyIniOverrides(*config, PlatformProfileStore(), PlatformSettingsFolders());
    if (options.effect_ms) config->effect_millisecond = *options.effect_ms;
    if (options.picture_pause_s) config->picture_pause = *options.picture_pause_s;
    return config;
}

std::unique_ptr<SessionMusic> MakeMusic(const SaverConfig& config, std::shared_ptr<const ResourceSource> source,
                                        MediaPlayer& player) {
    auto music = std::make_unique<SaverMusic>(config, std::move(source), std::make_shared<PlatformTrackFiles>(), player,
                                              TemporaryFolder());
    // Writing a track must not take time from the show.
    music->list().set_thread_start_hook([] { setpriority(PRIO_PROCESS, pid_t(syscall(SYS_gettid)), 19); });
    return music;
}

}  // namespace

int RunReelhost(const ReelhostOptions& options) {
    std::string why;
    auto file = MappedFile::Open(options.file, &why);
    if (!file) {
        std::fprintf(stderr, "reelhost: %s\n", why.c_str());
        return 1;
    }
    std::shared_ptr<const ResourceSource> source = PeResourceSource::Parse(file->bytes(), file, &why);
    if (!source) {
        std::fprintf(stderr, "reelhost: %s is not a screensaver file: %s\n", options.file.c_str(), why.c_str());
        return 1;
    }
    auto config = ReadConfig(*source, options);
    if (!config) {
        std::fprintf(stderr, "reelhost: %s holds no screensaver made with Glimmerdeck\n", options.file.c_str());
        return 1;
    }
    if (!InstallSignalPipe()) {
        std::perror("reelhost: pipe");
        return 1;
    }
    // The window's title: the name in Unicode when the screensaver carries it so.
    const std::string name = ShownTexts(*config).name;
    const std::string title = name.empty() ? "Reelhost" : name;
    auto target = X11Target::Open(TargetOf(options.mode), options.window_id, title, options.width, options.height, &why);
    if (!target) {
        std::fprintf(stderr, "reelhost: %s\n", why.c_str());
        return 1;
    }
    static const std::optional<ShowCaptureSettings> capture = ShowCaptureFromEnvironment();
    const ShowCaptureSettings* capture_settings = capture ? &*capture : nullptr;
    const ShowVariant variant = VariantOf(*target);
    auto show = LinuxShow::Create(target->display_name(), target->window(), *config, source, variant,
                                  capture_settings, &why);
    if (!show) {
        std::fprintf(stderr, "reelhost: %s\n", why.c_str());
        return 1;
    }
    if (auto log = FirstPresentLogFromEnvironment()) show->surface().set_first_present_hook(std::move(log));

    TimerTable timers;
    LoopWindow window(timers, *target);
    SdlMixerPlayer player;
    std::unique_ptr<SessionMusic> music;
    SessionPlan plan = SaverSessionPlan(*config, kPlatformMajorVersion);
    if (variant == ShowVariant::kFullScreen && plan.music) music = MakeMusic(*config, source, player);
    else plan.music = false;
    SaverSession session(window, &show->host(), std::move(music), ExitRuleOf(*config, *target), plan);
    session.Start();

    std::optional<X11WindowInfo> pending_size;
    bool gone = false;
    while (!window.closed && !gone) {
        pollfd fds[2] = {{target->connection_fd(), POLLIN, 0}, {g_signal_pipe[0], POLLIN, 0}};
        // Events already read into Xlib's queue are not on the socket any more.
        const bool queued = XPending(target->display()) > 0;
        std::optional<uint64_t> due = timers.NextDueIn(NowMs());
        int timeout = queued ? 0 : due ? int(std::min<uint64_t>(*due, 60000)) : -1;
        if (::poll(fds, 2, timeout) < 0 && errno != EINTR) break;
        if (fds[1].revents & POLLIN) {
            char drain[16];
            while (::read(g_signal_pipe[0], drain, sizeof drain) > 0) {
            }
            session.Close();
            break;
        }
        for (const TargetEvent& e : target->TakeEvents()) {
            switch (e.kind) {
                case TargetEvent::kExpose: show->surface().Repaint(e.area); break;
                case TargetEvent::kResize:
                    pending_size = target->window();
                    timers.Set(kResizeTimer, kResizeSettleMs, NowMs());
                    break;
                case TargetEvent::kInput: session.OnInput(e.input, target->Pointer()); break;
                case TargetEvent::kCloseRequest: session.Close(); break;
                case TargetEvent::kGone: gone = true; break;
            }
        }
        if (gone || window.closed) break;
        for (unsigned id : timers.TakeDue(NowMs())) {
            if (!timers.pending(id)) continue;  // killed by a timer before it
            if (id == kResizeTimer) {
                timers.Kill(id);
                if (!pending_size || session.closing()) continue;
                // The old show stops first: its thread must not draw on a window of
                // another size. Then the new one goes on where it was.
                show->host().StopWithin(SessionPlan{}.show_stop_bound_ms);
                auto resized = LinuxShow::Create(target->display_name(), *pending_size, *config, source, variant,
                                                 capture_settings, &why);
                pending_size.reset();
                if (!resized) continue;
                resized->ContinueFrom(show->host().settings());
                session.ReplaceShow(&resized->host());
                show = std::move(resized);
            } else {
                session.OnTimer(SessionTimer(id));
            }
        }
    }
    // A window gone or the loop left otherwise: whatever the close has not done yet.
    session.OnWindowDestroyed();
    return 0;
}

}  // namespace gd
