#include "runtime/linux/linux_show.h"

#include "effects/picture_source.h"

namespace gd {

std::unique_ptr<LinuxShow> LinuxShow::Create(const char* display_name, const X11WindowInfo& window,
                                             const SaverConfig& config, std::shared_ptr<const ResourceSource> source,
                                             ShowVariant variant, const ShowCaptureSettings* capture,
                                             std::string* why) {
    auto surface = XShmSurface::Create(display_name, window, why);
    if (!surface) return nullptr;
    std::unique_ptr<LinuxShow> show(new LinuxShow());
    show->surface_ = surface.get();
    // The picture source keeps the resources (and the file's mapping) alive as long as
    // the show reads them.
    auto pictures = std::make_unique<ResourcePictureSource>(
        [source = std::move(source)](uint16_t type, uint16_t id) { return source->Find(type, id); });
    std::unique_ptr<ShowSurface> shown = std::move(surface);
    if (capture) shown = CapturingSurface(std::move(shown), *capture);
    show->host_ = std::make_unique<ShowHost>(std::move(shown), std::move(pictures),
                                             capture ? CaptureClock(*capture) : nullptr);
    if (capture && capture->seed) show->host_->runner().seed = capture->seed;
    SetUpShowSettings(show->host_->settings(), config, variant);
    return show;
}

void LinuxShow::ContinueFrom(const ShowSettings& previous) {
    ShowSettings& s = host_->settings();
    s.current_picture = previous.current_picture;
    s.effect_position = previous.effect_position;
}

}  // namespace gd
