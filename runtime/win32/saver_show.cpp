#include "runtime/win32/saver_show.h"

#include "effects/picture_source.h"

namespace gd {

std::unique_ptr<WindowShow> MakeSaverShow(HWND window, const SaverConfig& config,
                                          std::shared_ptr<const ResourceSource> source, ShowVariant variant,
                                          std::optional<Rect> stage) {
    // The picture source keeps the resources alive as long as the show reads them.
    auto pictures = std::make_unique<ResourcePictureSource>(
        [source = std::move(source)](uint16_t type, uint16_t id) { return source->Find(type, id); });
    // A test's seed, clock and frame capture, when its variables are set (show_capture.h).
    static const std::optional<ShowCaptureSettings> capture = ShowCaptureFromEnvironment();
    auto show = std::make_unique<WindowShow>(window, std::move(pictures), stage, capture ? &*capture : nullptr);
    SetUpShowSettings(show->settings(), config, variant);
    return show;
}

}  // namespace gd
