#pragma once
// The Music page's player on the media control interface: the MCI player the screensaver
// uses, with the answers the page needs (whether a file opened or played, and why not).

#include <string>

#include "maker/ui/audition_player.h"
#include "win32/mci_player.h"

namespace gd {

class CMciAuditionMedia final : public AuditionMedia {
public:
    // `check_devices`: refuse at once when the machine has no sound device of the kind
    // the file needs, rather than let the player find out that nothing plays.
    explicit CMciAuditionMedia(bool check_devices = true) : check_devices_(check_devices) {}

    bool Open(const std::string& path, std::string& why) override;
    bool PlayFrom(uint32_t from_ms, std::string& why) override;
    void Halt() override { player_.Halt(); }
    void Close() override { player_.Close(); }
    uint32_t Length() override { return player_.Length(); }
    uint32_t Position() override { return player_.Position(); }
    bool Playing() override { return player_.IsPlaying(); }

private:
    CMciPlayer player_;
    bool check_devices_;
};

// A UTF-8 path as the ANSI media calls can open it: in the system's code page, or in its
// short form when the code page cannot hold the name.
std::string AnsiPathForMedia(const std::string& utf8_path);

}  // namespace gd
