#pragma once
// The once-a-second music timer of the full-screen window: it notices the end of a
// track, counts the pause after it, starts the next track and has the track after it
// written one effect duration later.

#include <cstdint>

#include "player/one_shot_timer.h"
#include "runtime/music_list.h"

namespace gd {

constexpr unsigned kMusicTimerPeriodMs = 1000;

class MusicTimer {
public:
    // `prepare_delay_ms` is the effect duration: the next track is written after the
    // effect that runs when a track starts, so the writing does not compete with it.
    MusicTimer(CMusicList& list, int32_t track_pause_s, uint32_t prepare_delay_ms, OneShotTimer& prepare_timer)
        : list_(list), track_pause_(track_pause_s), prepare_delay_(prepare_delay_ms ? prepare_delay_ms : 1),
          prepare_timer_(prepare_timer) {}

    // Starts preparing the first track. The counter starts full, so the first track
    // plays without a pause.
    void Start() {
        list_.StartPreparation();
        counter_ = track_pause_;
    }

    // One timer period. True when a track started. The silence between two tracks lasts
    // between P - 1 and P periods after the tick that finds the track ended.
    bool Tick() {
        if (!list_.IsTrackFinished()) return false;
        if (track_pause_ > counter_) {
            ++counter_;
            return false;
        }
        if (list_.busy()) return false;  // still writing: the next tick tries again
        if (preparation_pending_) {
            // The track ended (or could not be played) before its successor was written:
            // write it now rather than play a file that is not there; a later tick plays it.
            PrepareNow();
            return false;
        }
        if (!list_.PlayNextTrack()) return false;
        counter_ = 1;
        // Armed only here, where no preparation is pending, so a pending one is never
        // pushed back by a later start.
        preparation_pending_ = true;
        prepare_timer_.Arm(prepare_delay_);
        return true;
    }

    // The one-shot timer fired.
    void OnPrepareTimer() {
        if (preparation_pending_) PrepareNow();
    }

    int32_t pause_counter() const { return counter_; }
    bool preparation_pending() const { return preparation_pending_; }

private:
    void PrepareNow() {
        prepare_timer_.Disarm();
        preparation_pending_ = false;
        list_.StartPreparation();
    }

    CMusicList& list_;
    int32_t track_pause_;
    uint32_t prepare_delay_;
    OneShotTimer& prepare_timer_;
    int32_t counter_ = 0;
    bool preparation_pending_ = false;
};

}  // namespace gd
