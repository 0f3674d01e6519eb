#pragma once
// The preview's music: the project's music files played one after another straight from
// where they are, through a media back end that picks its device by the file's
// extension. The preview's window drives it with its timers: a music step starts the next
// track, and a check once a second counts the pause after a track has ended.
//
// Threads: used by the preview's own thread alone.

#include <cstdint>
#include <string>
#include <vector>

#include "common/media_player.h"
#include "common/shuffle_rounds.h"

namespace gd {

class PreviewMusicPlayer {
public:
    explicit PreviewMusicPlayer(MediaPlayer& media) : media_(media) {}
    ~PreviewMusicPlayer() { Stop(); }
    PreviewMusicPlayer(const PreviewMusicPlayer&) = delete;
    PreviewMusicPlayer& operator=(const PreviewMusicPlayer&) = delete;

    // The tracks, in project order, and whether they play shuffled (with `rounds`, every
    // track once a round: common/shuffle_rounds.h); the pause in seconds between the end
    // of one and the start of the next.
    void SetTracks(std::vector<std::string> paths, bool shuffle, int32_t pause_s, bool rounds = false);
    const std::vector<std::string>& tracks() const { return paths_; }

    // The music step: stops the track that plays, chooses the next one and plays it from
    // its start to its end, and starts counting the pause afresh.
    void Step();
    // The once-a-second check: true when the track has ended and its pause is over, so
    // the next music step is due. Counts one second of the pause otherwise.
    bool OnSecond();
    // True when nothing is open, or the track played to its end (it is closed then).
    bool IsTrackFinished();
    // Closes the open track.
    void Stop() { media_.Close(); }

    // The track after `current` among `count`: one track plays again and again, two
    // alternate (starting with the first), more follow in order or, shuffled, jump at
    // random but never to the one that just played. -1 when there are none. Shuffling
    // reseeds the calling thread's generator with the time.
    static int32_t NextIndex(int32_t current, int32_t count, bool shuffle);

    int32_t current_index() const { return index_; }
    int32_t gap_seconds() const { return gap_; }

private:
    MediaPlayer& media_;
    std::vector<std::string> paths_;
    bool shuffle_ = true;
    bool rounds_ = false;
    ShuffleRounds round_;
    int32_t pause_ = 0;
    int32_t index_ = -1;
    int32_t gap_ = 0;
};

}  // namespace gd
