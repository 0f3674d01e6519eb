#pragma once
// The music of a made screensaver as its session plays it: the tracks of the payload,
// each written to a temporary file ahead of its turn (CMusicList) and started by the
// once-a-second music timer (MusicTimer); and the session plan of the full-screen show.

#include <memory>
#include <string>

#include "common/media_player.h"
#include "common/saver_config.h"
#include "player/saver_session.h"
#include "runtime/music_list.h"
#include "runtime/music_timer.h"
#include "runtime/resource_source.h"
#include "runtime/track_files.h"

namespace gd {

class SaverMusic final : public SessionMusic {
public:
    // `temp_dir` ends in a path separator.
    SaverMusic(const SaverConfig& config, std::shared_ptr<const ResourceSource> source,
               std::shared_ptr<TrackFiles> files, MediaPlayer& player, std::string temp_dir);

    void Begin(OneShotTimer& prepare) override;
    bool Tick() override { return timer_ && timer_->Tick(); }
    void OnPrepareTimer() override {
        if (timer_) timer_->OnPrepareTimer();
    }
    void Cancel() override { list_.CancelPreparation(); }
    void Stop() override;

    CMusicList& list() { return list_; }

private:
    CMusicList list_;
    int32_t track_pause_s_;
    uint32_t prepare_delay_ms_;
    std::unique_ptr<MusicTimer> timer_;
};

// The full-screen show of `config`: the show and the music start at once, except that
// on the older platform family (major version 4 or below) the show waits for the first
// track; music plays when there are tracks and it is not muted.
SessionPlan SaverSessionPlan(const SaverConfig& config, int platform_major_version);

}  // namespace gd
