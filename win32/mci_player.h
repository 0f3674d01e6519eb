#pragma once
// Plays one music file at a time through the media control interface, which picks its
// device by the file's extension. Every command is sent without waiting.
//
// The media calls take code-page paths: a UTF-8 path is converted, and a name the code
// page cannot hold reaches them in its short (8.3) form, which finds the same file.

#include <windows.h>
#include <mmsystem.h>

#include <string>

#include "common/media_player.h"

namespace gd {

class CMciPlayer final : public MediaPlayer {
public:
    // `check_devices`: Open refuses at once when the machine has no sound device of the
    // kind the file needs (MIDI a synthesizer, everything else a wave device), rather
    // than let the caller find out that nothing plays.
    explicit CMciPlayer(bool check_devices = false) : check_devices_(check_devices) {}
    ~CMciPlayer() override { Close(); }

    bool Open(const std::string& path, std::string* why = nullptr) override;
    bool PlayFrom(uint32_t from_ms, std::string* why = nullptr) override;
    void Halt() override;
    void Close() override;
    bool IsOpen() const override { return open_; }
    uint32_t Position() override;
    uint32_t Length() const override { return length_; }
    bool Playing() override;
    // True without a device, when the device reports it has stopped, and when it cannot
    // report its mode.
    bool Stopped() override;

    // Whether the last Open got a device.
    bool has_device() const { return device_ != 0; }
    // The error of the last open or play that failed; 0 when it succeeded.
    MCIERROR last_error() const { return error_; }
    // The media layer's own words for an error.
    static std::string ErrorText(MCIERROR error);

private:
    bool check_devices_;
    std::string file_;
    MCIDEVICEID device_ = 0;
    bool open_ = false;
    DWORD length_ = 0;
    MCIERROR error_ = 0;
};

// A UTF-8 path as the code-page media calls can open it: in the system's code page, or
// in its short form when the code page cannot hold the name.
std::string AnsiPathForMedia(const std::string& utf8_path);

}  // namespace gd
