#pragma once
// Plays one music file at a time through the media control interface, which picks its
// device by the file's extension. Every command is sent without waiting.

#include <windows.h>
#include <mmsystem.h>

#include <string>

#include "common/media_player.h"

namespace gd {

class CMciPlayer : public MediaPlayer {
public:
    ~CMciPlayer() override { Close(); }
    void Open(const std::string& path) override;
    void Play() override;
    bool IsOpen() const override { return open_; }
    uint32_t Position() override;
    uint32_t Length() const override { return length_; }
    void Close() override;

private:
    std::string file_;
    MCIDEVICEID device_ = 0;
    bool open_ = false;
    DWORD length_ = 0;
};

}  // namespace gd
