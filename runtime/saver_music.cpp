#include "runtime/saver_music.h"

#include <algorithm>

#include "runtime/show_start_rule.h"

namespace gd {
namespace {

MusicSettings MusicSettingsOf(const SaverConfig& config, std::string temp_dir) {
    MusicSettings music;
    music.count = config.music_count;
    music.shuffle = config.shuffle_audio != 0;
    music.shuffle_rounds = config.shuffle_rounds != 0;
    music.identifier = config.identifier;
    music.temp_dir = std::move(temp_dir);
    return music;
}

}  // namespace

SaverMusic::SaverMusic(const SaverConfig& config, std::shared_ptr<const ResourceSource> source,
                       std::shared_ptr<TrackFiles> files, MediaPlayer& player, std::string temp_dir)
    : list_(MusicSettingsOf(config, std::move(temp_dir)), std::move(source), std::move(files), player),
      track_pause_s_(config.audio_pause),
      // The next track is written one effect duration after a track starts.
      prepare_delay_ms_(uint32_t(std::max<int32_t>(config.effect_millisecond, 1))) {}

void SaverMusic::Begin(OneShotTimer& prepare) {
    timer_ = std::make_unique<MusicTimer>(list_, track_pause_s_, prepare_delay_ms_, prepare);
    timer_->Start();
}

void SaverMusic::Stop() {
    list_.CancelPreparation();
    list_.StopMusic();
    list_.DeleteFiles();
}

SessionPlan SaverSessionPlan(const SaverConfig& config, int platform_major_version) {
    const bool muted = config.mute_music != 0;
    SessionPlan plan;
    plan.music = config.music_count > 0 && !muted;
    plan.show_waits_for_music = !ShowStartsAtOnce(platform_major_version, config.music_count, muted);
    return plan;
}

}  // namespace gd
