#include "player/show_host.h"

#include <mutex>

#include "effects/prepare_frame.h"

namespace gd {
namespace {

// Passes presents on to the surface's presenter until it is closed: a show thread that
// was given up must not draw on a window that is going, or already gone.
class GatedPresenter final : public Presenter {
public:
    explicit GatedPresenter(Presenter* inner) : inner_(inner) {}
    void Present(const Bitmap& window, std::span<const Rect> dirty) override {
        std::lock_guard lock(mutex_);
        if (open_ && inner_) inner_->Present(window, dirty);
    }
    bool IsVisible() const override { return !inner_ || inner_->IsVisible(); }
    // Waits for a present under way, so none follows the return.
    void Close() {
        std::lock_guard lock(mutex_);
        open_ = false;
    }

private:
    Presenter* inner_;
    std::mutex mutex_;
    bool open_ = true;
};

}  // namespace

// Members in the order of construction; destroyed in reverse, so the runner (and its
// thread) goes first and the surface last.
struct ShowHost::Core {
    Core(std::unique_ptr<ShowSurface> surface_in, std::unique_ptr<PictureSource> pictures_in,
         std::unique_ptr<Clock> clock_in)
        : clock(clock_in ? std::move(clock_in) : std::make_unique<SystemClock>()),
          surface(std::move(surface_in)),
          pictures(std::move(pictures_in)),
          presenter(surface->presenter()),
          frame_source(*pictures, surface->text()),
          stage(settings, surface->WindowBuffer(), *clock, surface->Frame()),
          runner(stage) {
        stage.set_presenter(&presenter);
        stage.set_frame_source(&frame_source);
    }

    std::unique_ptr<Clock> clock;
    std::unique_ptr<ShowSurface> surface;
    std::unique_ptr<PictureSource> pictures;
    GatedPresenter presenter;
    ShowSettings settings;
    ShowFrameSource frame_source;
    SlideStage stage;
    ShowRunner runner;
};

ShowHost::ShowHost(std::unique_ptr<ShowSurface> surface, std::unique_ptr<PictureSource> pictures,
                   std::unique_ptr<Clock> clock)
    : core_(std::make_shared<Core>(std::move(surface), std::move(pictures), std::move(clock))) {}

ShowHost::~ShowHost() {
    if (!given_up_) core_->runner.Stop();
}

ShowSettings& ShowHost::settings() { return core_->settings; }
const ShowSettings& ShowHost::settings() const { return core_->settings; }
ShowRunner& ShowHost::runner() { return core_->runner; }
SlideStage& ShowHost::stage() { return core_->stage; }
ShowSurface& ShowHost::surface() { return *core_->surface; }
const Bitmap& ShowHost::window_buffer() const { return core_->stage.window_buffer(); }
bool ShowHost::running() const { return core_->runner.running(); }

void ShowHost::Start() {
    if (given_up_ || core_->settings.picture_count <= 0) return;
    core_->runner.Start(core_);
}

void ShowHost::Stop() {
    if (!given_up_) core_->runner.Stop();
}

void ShowHost::RequestStop() {
    if (!given_up_) core_->stage.RequestStop();
}

bool ShowHost::StopWithin(uint32_t ms) {
    if (given_up_) return false;
    if (core_->runner.StopWithin(ms)) return true;
    given_up_ = true;
    core_->presenter.Close();
    return false;
}

void ShowHost::Clear() {
    if (given_up_ || running()) return;
    SlideStage& stage = core_->stage;
    stage.ClearClip();
    stage.FillWindow(stage.client_rect(), 0);
    stage.Present();
}

}  // namespace gd
