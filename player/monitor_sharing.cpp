#include "player/monitor_sharing.h"

#include <ctime>

namespace gd {

MonitorSharing::MonitorSharing(MonitorMode mode, std::optional<uint32_t> seed) : mode_(mode), seed_(seed) {
    if (mode_ == MonitorMode::kPrimaryOnly) return;
    if (!seed_) seed_ = uint32_t(std::time(nullptr));
    sequence_ = std::make_shared<PictureSequence>(
        mode_ == MonitorMode::kSameShow ? PictureSharing::kSamePictures : PictureSharing::kDifferentPictures, *seed_);
}

void MonitorSharing::SetUp(ShowHost& host, const ShowStage& stage, size_t shows) {
    ShowSettings& settings = host.settings();
    settings.display_dpi = stage.dpi;
    if (sequence_) {
        settings.shared_pictures = sequence_->Join();
        settings.frame_interval_ms = SlideStage::FrameIntervalForShows(int(shows));
    }
    if (seed_) host.runner().seed = *seed_ + shows_made_;
    ++shows_made_;
}

}  // namespace gd
