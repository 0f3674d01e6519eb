#include "runtime/win32/window_show.h"

#include "effects/clock.h"
#include "effects/picture_source.h"
#include "effects/prepare_frame.h"
#include "effects/show_runner.h"
#include "effects/show_settings.h"
#include "effects/slide_stage.h"
#include "runtime/win32/dib_surface.h"
#include "runtime/win32/gdi_presenter.h"
#include "runtime/win32/gdi_text_renderer.h"

namespace gd {
namespace {

Rect ClientSize(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return {0, 0, int(r.right - r.left), int(r.bottom - r.top)};
}

}  // namespace

// Members in the order of construction; destroyed in reverse, so the runner (and its
// thread) goes first, then the stage, then the settings.
struct WindowShow::Impl {
    Impl(HWND window, const SaverConfig& config, std::shared_ptr<const ResourceSource> resources,
         ShowVariant variant)
        : resources(std::move(resources)),
          pictures([this](uint16_t type, uint16_t id) { return this->resources->Find(type, id); }),
          size(ClientSize(window)),
          window_buffer(size.width(), size.height()),
          frame(size.width(), size.height()),
          presenter(window, window_buffer),
          text(frame),
          frame_source(pictures, &text),
          stage(settings, window_buffer.View(), clock, frame.View()),
          runner(stage) {
        SetUpShowSettings(settings, config, variant);
        stage.set_presenter(&presenter);
        stage.set_frame_source(&frame_source);
    }

    std::shared_ptr<const ResourceSource> resources;
    ResourcePictureSource pictures;
    Rect size;
    ShowSettings settings;
    SystemClock clock;
    DibSurface window_buffer;
    DibSurface frame;
    GdiPresenter presenter;
    GdiTextRenderer text;
    ShowFrameSource frame_source;
    SlideStage stage;
    ShowRunner runner;
};

WindowShow::WindowShow(HWND window, const SaverConfig& config, std::shared_ptr<const ResourceSource> source,
                       ShowVariant variant)
    : impl_(std::make_unique<Impl>(window, config, std::move(source), variant)) {}

WindowShow::~WindowShow() { Stop(); }

void WindowShow::Start() {
    if (impl_->settings.picture_count > 0) impl_->runner.Start();
}

void WindowShow::Stop() { impl_->runner.Stop(); }

}  // namespace gd
