#pragma once
// The once-a-second music timer of the full-screen window: it notices the end of a
// track, counts the pause after it and starts the next track.

#include <cstdint>

#include "runtime/music_list.h"

namespace gd {

constexpr unsigned kMusicTimerId = 99;
constexpr unsigned kMusicTimerPeriodMs = 1000;

class MusicTimer {
public:
    MusicTimer(CMusicList& list, int32_t track_pause_s) : list_(list), track_pause_(track_pause_s) {}

    // Starts preparing the first track. The counter starts full, so the first track
    // plays without a pause.
    void Start() {
        list_.StartPreparation();
        counter_ = track_pause_;
    }

    // One timer period. True when a track started: the window then schedules the
    // preparation of the track after it. The silence between two tracks lasts between
    // P - 1 and P periods after the tick that finds the track ended.
    bool Tick() {
        if (!list_.IsTrackFinished()) return false;
        if (track_pause_ > counter_) {
            ++counter_;
            return false;
        }
        if (list_.busy()) return false;  // still writing: the next tick tries again
        if (!list_.PlayNextTrack()) return false;
        counter_ = 1;
        return true;
    }

    int32_t pause_counter() const { return counter_; }

private:
    CMusicList& list_;
    int32_t track_pause_;
    int32_t counter_ = 0;
};

}  // namespace gd
