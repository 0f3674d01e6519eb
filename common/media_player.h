#pragma once
// The media layer as the music list sees it: one file at a time, chosen by its
// extension, with a position and a length in milliseconds.

#include <cstdint>
#include <string>

namespace gd {

class MediaPlayer {
public:
    virtual ~MediaPlayer() = default;
    // Opens `path` and reads its length. Failures are not reported: a file that cannot be
    // played leaves no open device, so it counts as finished at the next check.
    virtual void Open(const std::string& path) = 0;
    virtual void Play() = 0;
    virtual bool IsOpen() const = 0;
    virtual uint32_t Position() = 0;  // 0 when the device cannot tell
    virtual uint32_t Length() const = 0;
    // Whether the open device says it has stopped (or cannot tell what it does). A
    // device that cannot play, such as a machine without a sound device, opens a file,
    // takes the play command and stops at once at position 0.
    virtual bool Stopped() = 0;
    virtual void Close() = 0;
};

// True when nothing is open, or the open track has played to its end (its position is
// its length), or its device has stopped short of the end; a track found ended is
// closed. Without the last rule a device that stops short would hold its track "playing"
// for ever, and the music would fall silent for the rest of the show.
inline bool TrackFinished(MediaPlayer& player) {
    if (!player.IsOpen()) return true;
    if (player.Position() != player.Length() && !player.Stopped()) return false;
    player.Close();
    return true;
}

}  // namespace gd
