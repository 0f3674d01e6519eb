#pragma once
// The maker's full-screen preview as a session of the player: its music (the project's
// files played one after another by PreviewMusicPlayer) and its plan (the show starts
// 10 ms after the set-up, the music half a second after it).

#include <memory>
#include <string>
#include <vector>

#include "common/media_player.h"
#include "maker/preview/preview_music_player.h"
#include "maker/preview/preview_plan.h"
#include "player/saver_session.h"

namespace gd {

class PreviewMusic final : public SessionMusic {
public:
    PreviewMusic(MediaPlayer& media, std::vector<std::string> tracks, bool shuffle, int32_t pause_s, bool rounds = false);

    // The first music step: the first track plays.
    void Begin(OneShotTimer&) override { player_.Step(); }
    // The check once a second: the next music step once the track ended and its pause
    // is over.
    bool Tick() override;
    void Stop() override { player_.Stop(); }

    PreviewMusicPlayer& player() { return player_; }

private:
    PreviewMusicPlayer player_;
};

constexpr uint32_t kPreviewShowStartMs = 10;
constexpr uint32_t kPreviewMusicStartMs = 500;

SessionPlan PreviewSessionPlan(const PreviewPlan& plan);

}  // namespace gd
