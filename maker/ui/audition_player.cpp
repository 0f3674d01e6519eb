#include "maker/ui/audition_player.h"

#include <algorithm>

namespace gd {

void AuditionPlayer::SetFile(const std::string& path, uint32_t now_ms) {
    file_ = path;
    if (file_.empty()) {
        media_.Close();
        state_ = AuditionState::kEmpty;
        position_ = length_ = 0;
        problem_.clear();
        return;
    }
    Open();
    if (state_ == AuditionState::kStopped) StartAt(0, now_ms);
}

void AuditionPlayer::Open() {
    position_ = length_ = 0;
    problem_.clear();
    std::string why;
    if (!media_.Open(file_, &why)) {
        GiveUp(why.empty() ? "the media layer cannot open it" : why);
        return;
    }
    length_ = media_.Length();
    if (length_ == 0) {
        GiveUp("the media layer finds nothing to play in it");
        return;
    }
    state_ = AuditionState::kStopped;
}

void AuditionPlayer::StartAt(uint32_t from_ms, uint32_t now_ms) {
    std::string why;
    if (!media_.PlayFrom(from_ms, &why)) {
        GiveUp(why.empty() ? "the media layer refuses to play it" : why);
        return;
    }
    state_ = AuditionState::kPlaying;
    position_ = from_ms;
    started_ms_ = now_ms;
    started_at_ = from_ms;
    moved_ = false;
    last_move_ms_ = now_ms;
}

void AuditionPlayer::GiveUp(std::string why) {
    media_.Close();
    state_ = AuditionState::kCannotPlay;
    position_ = length_ = 0;
    problem_ = std::move(why);
}

void AuditionPlayer::EndReached() {
    media_.Halt();
    state_ = AuditionState::kStopped;
    position_ = 0;
}

void AuditionPlayer::Play(uint32_t now_ms) {
    switch (state_) {
    case AuditionState::kStopped:
        StartAt(position_ >= length_ ? 0 : position_, now_ms);
        break;
    case AuditionState::kCannotPlay:
        Open();
        if (state_ == AuditionState::kStopped) StartAt(0, now_ms);
        break;
    case AuditionState::kEmpty:
    case AuditionState::kPlaying:
        break;
    }
}

void AuditionPlayer::Stop() {
    if (state_ != AuditionState::kPlaying && state_ != AuditionState::kStopped) return;
    media_.Halt();
    state_ = AuditionState::kStopped;
    position_ = 0;
}

void AuditionPlayer::Seek(uint32_t position_ms, uint32_t now_ms) {
    position_ms = std::min(position_ms, length_);
    if (state_ == AuditionState::kPlaying) {
        // Moved to the very end, a playing file has ended (a device may refuse to play
        // from there).
        if (position_ms >= length_) EndReached();
        else StartAt(position_ms, now_ms);
    } else if (state_ == AuditionState::kStopped) {
        position_ = position_ms;
    }
}

void AuditionPlayer::Poll(uint32_t now_ms) {
    if (state_ != AuditionState::kPlaying) return;
    const uint32_t position = std::min(media_.Position(), length_);
    const bool device_plays = media_.Playing();
    if (position != position_) {
        position_ = position;
        last_move_ms_ = now_ms;
    }
    if (position != started_at_) moved_ = true;
    if (position >= length_) {
        EndReached();
        return;
    }
    if (!device_plays) {
        // A device that stops by itself after it played has reached the end (its last
        // position may fall a little short of the length). One that never started is
        // given time to start, then given up.
        if (moved_) EndReached();
        else if (now_ms - started_ms_ >= kStartLimitMs) GiveUp("no sound device plays it");
        return;
    }
    // The device says it plays, but the position stands still.
    if (now_ms - last_move_ms_ >= kStallLimitMs) GiveUp("the sound device does not play it");
}

}  // namespace gd
