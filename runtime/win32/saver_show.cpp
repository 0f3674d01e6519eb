#include "runtime/win32/saver_show.h"

#include "effects/picture_source.h"

namespace gd {
namespace {

// The picture source keeps the resources alive as long as the show reads them.
std::unique_ptr<PictureSource> PicturesOf(std::shared_ptr<const ResourceSource> source) {
    return std::make_unique<ResourcePictureSource>(
        [source = std::move(source)](uint16_t type, uint16_t id) { return source->Find(type, id); });
}

}  // namespace

const ShowCaptureSettings* SaverShowCapture() {
    static const std::optional<ShowCaptureSettings> capture = ShowCaptureFromEnvironment();
    return capture ? &*capture : nullptr;
}

std::unique_ptr<WindowShow> MakeSaverShow(HWND window, const SaverConfig& config,
                                          std::shared_ptr<const ResourceSource> source, ShowVariant variant,
                                          std::optional<Rect> stage) {
    auto show = std::make_unique<WindowShow>(window, PicturesOf(std::move(source)), stage, SaverShowCapture());
    SetUpShowSettings(show->settings(), config, variant);
    return show;
}

std::unique_ptr<WindowShow> MakeFullScreenShows(HWND window, const SaverConfig& config,
                                                std::shared_ptr<const ResourceSource> source,
                                                const std::vector<ShowStage>& stages,
                                                std::shared_ptr<MonitorSharing> sharing) {
    return std::make_unique<WindowShow>(
        window, stages, [source] { return PicturesOf(source); },
        [config, sharing = std::move(sharing)](ShowHost& host, const ShowStage& stage, size_t stages) {
            SetUpShowSettings(host.settings(), config, ShowVariant::kFullScreen);
            sharing->SetUp(host, stage, stages);
        },
        SaverShowCapture());
}

}  // namespace gd
