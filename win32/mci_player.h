#pragma once
// Plays one music file at a time through the media control interface, which picks its
// device by the file's extension. Every command is sent without waiting.
//
// The screensaver's music only opens, plays from the start, polls (position and whether
// the device stopped) and closes, and does not look at failures. The maker's Music page also plays from a position, stops without
// closing, asks whether the device plays and tells the user why a file cannot play.

#include <windows.h>
#include <mmsystem.h>

#include <string>

#include "common/media_player.h"

namespace gd {

class CMciPlayer : public MediaPlayer {
public:
    ~CMciPlayer() override { Close(); }
    void Open(const std::string& path) override;
    void Play() override { PlayFrom(0); }
    bool IsOpen() const override { return open_; }
    uint32_t Position() override;
    uint32_t Length() const override { return length_; }
    // True without a device, when the device reports it has stopped, and when it cannot
    // report its mode.
    bool Stopped() override;
    void Close() override;

    // Whether the last Open got a device.
    bool has_device() const { return device_ != 0; }
    // Plays from `from_ms` to the end; false when the device refused (last_error() says
    // why).
    bool PlayFrom(uint32_t from_ms);
    // Stops playing; the device stays open.
    void Halt();
    // Whether the device reports that it is playing.
    bool IsPlaying();
    // The error of the last open or play that failed; 0 when it succeeded.
    MCIERROR last_error() const { return error_; }
    // The media layer's own words for an error.
    static std::string ErrorText(MCIERROR error);

private:
    std::string file_;
    MCIDEVICEID device_ = 0;
    bool open_ = false;
    DWORD length_ = 0;
    MCIERROR error_ = 0;
};

}  // namespace gd
