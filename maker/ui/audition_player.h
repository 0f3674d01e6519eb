#pragma once
// The Music page's player: the user listens to one file of the list at a time. Setting a
// file opens it and plays it from its start to its end, where it stops and goes back to
// the start; Play, Stop and a position the page shows (and the user may move) drive it.
//
// The media layer behind it may refuse a file, or accept it and play nothing (a machine
// without a sound device). The player never waits for it: the page polls the player a
// few times a second while it plays, and a file that does not move on is given up with a
// reason the page shows, the player stopped.
//
// Threads: the page's user-interface thread alone. Times are the caller's millisecond
// ticks, so that tests drive the player without waiting.

#include <cstdint>
#include <string>

#include "common/media_player.h"

namespace gd {

enum class AuditionState {
    kEmpty,      // no file set
    kStopped,    // a file is open, not playing
    kPlaying,
    kCannotPlay  // the file was refused or played nothing; problem() says why
};

class AuditionPlayer {
public:
    // A file that plays must leave its start within this time after Play...
    static constexpr uint32_t kStartLimitMs = 1500;
    // ...and, while the device says it plays, never stand still for longer than this.
    static constexpr uint32_t kStallLimitMs = 4000;
    // How often the page polls a playing file.
    static constexpr uint32_t kPollPeriodMs = 250;

    explicit AuditionPlayer(MediaPlayer& media) : media_(media) {}
    ~AuditionPlayer() { media_.Close(); }
    AuditionPlayer(const AuditionPlayer&) = delete;
    AuditionPlayer& operator=(const AuditionPlayer&) = delete;

    // Sets the file name: opens the file and plays it from its start. An empty name
    // closes what was open. The name is kept even when the file cannot play.
    void SetFile(const std::string& path, uint32_t now_ms);
    const std::string& file() const { return file_; }

    // Plays from the position shown (from the start when that is the end); a file that
    // could not play is opened and tried again.
    void Play(uint32_t now_ms);
    // Stops and goes back to the start; the file stays set.
    void Stop();
    // Moves the position (clamped to the length); a playing file goes on from there.
    void Seek(uint32_t position_ms, uint32_t now_ms);
    // The poll while playing: follows the position, stops at the end, gives up on a file
    // that does not move on. Does nothing unless playing.
    void Poll(uint32_t now_ms);

    AuditionState state() const { return state_; }
    bool playing() const { return state_ == AuditionState::kPlaying; }
    uint32_t position() const { return position_; }
    uint32_t length() const { return length_; }
    // Why the file cannot play; empty otherwise.
    const std::string& problem() const { return problem_; }

private:
    void Open();
    void StartAt(uint32_t from_ms, uint32_t now_ms);
    void GiveUp(std::string why);
    void EndReached();

    MediaPlayer& media_;
    std::string file_;
    AuditionState state_ = AuditionState::kEmpty;
    uint32_t position_ = 0;
    uint32_t length_ = 0;
    std::string problem_;
    // Since when, and from where, the file should be moving.
    uint32_t started_ms_ = 0;
    uint32_t started_at_ = 0;
    bool moved_ = false;
    uint32_t last_move_ms_ = 0;
};

}  // namespace gd
