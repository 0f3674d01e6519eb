#pragma once
// The media layer: one file at a time, its device chosen by the file's extension, with a
// position and a length in milliseconds. The screensaver's music, the maker's preview and
// the Music page's player all play through it. Paths are UTF-8.

#include <cstdint>
#include <string>

namespace gd {

class MediaPlayer {
public:
    virtual ~MediaPlayer() = default;
    // Opens `path` (closing what was open) and reads its length. False when the media
    // layer cannot open it, with its reason in `why` when given; no device is open then.
    virtual bool Open(const std::string& path, std::string* why = nullptr) = 0;
    // Plays the open file from `from_ms` to its end and returns at once. False when
    // refused (or nothing is open), with the reason in `why` when given. Either way the
    // file counts as open (IsOpen) until Close: the music then finds it finished.
    virtual bool PlayFrom(uint32_t from_ms, std::string* why = nullptr) = 0;
    bool Play() { return PlayFrom(0); }
    // Stops playing; the file stays open.
    virtual void Halt() = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    virtual uint32_t Position() = 0;  // 0 when the device cannot tell
    virtual uint32_t Length() const = 0;
    // Whether the device says it is playing.
    virtual bool Playing() = 0;
    // Whether the open device says it has stopped (or cannot tell what it does). A
    // device that cannot play, such as a machine without a sound device, opens a file,
    // takes the play command and stops at once at position 0.
    virtual bool Stopped() = 0;
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
