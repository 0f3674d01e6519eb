#include "maker/preview/preview_music_player.h"

#include "common/random15.h"

namespace gd {

void PreviewMusicPlayer::SetTracks(std::vector<std::string> paths, bool shuffle, int32_t pause_s, bool rounds) {
    Stop();
    paths_ = std::move(paths);
    shuffle_ = shuffle;
    rounds_ = rounds;
    round_.Reset();
    pause_ = pause_s;
    index_ = -1;
    gap_ = 0;
}

int32_t PreviewMusicPlayer::NextIndex(int32_t current, int32_t count, bool shuffle) {
    if (count <= 0) return -1;
    if (count == 1) return 0;
    if (count == 2) return current == 0 ? 1 : 0;
    if (shuffle) {
        SeedRandomFromTime();
        int32_t r;
        do r = NextRandom() % count;
        while (r == current);
        return r;
    }
    return current + 1 >= count || current < 0 ? 0 : current + 1;
}

void PreviewMusicPlayer::Step() {
    media_.Close();
    gap_ = 0;
    const int32_t count = int32_t(paths_.size());
    index_ = shuffle_ && rounds_ && count >= 3 ? round_.Next(count, index_) : NextIndex(index_, count, shuffle_);
    if (index_ < 0) return;
    media_.Open(paths_[size_t(index_)]);
    media_.Play();
}

bool PreviewMusicPlayer::IsTrackFinished() { return TrackFinished(media_); }

bool PreviewMusicPlayer::OnSecond() {
    if (!IsTrackFinished()) return false;
    if (gap_ < pause_) {
        ++gap_;
        return false;
    }
    return true;
}

}  // namespace gd
