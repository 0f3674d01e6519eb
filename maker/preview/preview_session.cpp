#include "maker/preview/preview_session.h"

namespace gd {

PreviewMusic::PreviewMusic(MediaPlayer& media, std::vector<std::string> tracks, bool shuffle, int32_t pause_s,
                           bool rounds)
    : player_(media) {
    player_.SetTracks(std::move(tracks), shuffle, pause_s, rounds);
}

bool PreviewMusic::Tick() {
    if (!player_.OnSecond()) return false;
    player_.Step();
    return true;
}

SessionPlan PreviewSessionPlan(const PreviewPlan& plan) {
    SessionPlan session;
    session.music = !plan.music.empty();
    session.show_start_ms = kPreviewShowStartMs;
    session.music_start_ms = kPreviewMusicStartMs;
    return session;
}

}  // namespace gd
