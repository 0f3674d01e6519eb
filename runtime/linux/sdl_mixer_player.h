#pragma once
// The media layer on Linux: one track at a time through SDL2_mixer, which picks the
// decoder by the file's content (WAV, MP3, and MIDI through its synthesizer with a sound
// font of the system). Where no sound device can be opened (no sound server, no card)
// Open fails with the reason and the music goes on silently, track after track, as the
// runtime does elsewhere without a device.
//
// Threads: the window's thread calls everything here.

#include <string>
#include <vector>

#include "common/media_player.h"

struct _Mix_Music;

namespace gd {

class SdlMixerPlayer final : public MediaPlayer {
public:
    SdlMixerPlayer() = default;
    // Closes the track and the device.
    ~SdlMixerPlayer() override;
    SdlMixerPlayer(const SdlMixerPlayer&) = delete;
    SdlMixerPlayer& operator=(const SdlMixerPlayer&) = delete;

    bool Open(const std::string& path, std::string* why = nullptr) override;
    bool PlayFrom(uint32_t from_ms, std::string* why = nullptr) override;
    void Halt() override;
    void Close() override;
    bool IsOpen() const override { return music_ != nullptr; }
    uint32_t Position() override;
    uint32_t Length() const override { return length_ms_; }
    bool Playing() override;
    bool Stopped() override;

    // The sound fonts tried for MIDI, first found first, unless $SDL_SOUNDFONTS names one.
    static const std::vector<std::string>& SoundFontCandidates();

private:
    // Opens the sound device once; a failure is remembered, so a machine without sound
    // does not try again for every track.
    bool OpenDevice(std::string* why);

    _Mix_Music* music_ = nullptr;
    uint32_t length_ms_ = 0;
    uint32_t started_ticks_ = 0;  // SDL ticks at the play, minus the start position
    bool played_ = false;
    enum class Device { kUnopened, kOpen, kFailed } device_ = Device::kUnopened;
    std::string device_error_;
};

}  // namespace gd
