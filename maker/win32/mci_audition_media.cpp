#include "maker/win32/mci_audition_media.h"

#include "maker/ui/music_rules.h"
#include "maker/win32/ui_text.h"
#include "win32/text_convert.h"

namespace gd {

std::string AnsiPathForMedia(const std::string& utf8_path) {
    const std::wstring wide = Wide(utf8_path);
    std::string ansi = NarrowAnsi(wide);
    if (WidenAnsi(ansi) == wide) return ansi;
    const DWORD length = GetShortPathNameW(wide.c_str(), nullptr, 0);
    if (length == 0) return ansi;
    std::wstring short_path(length, L'\0');
    const DWORD written = GetShortPathNameW(wide.c_str(), short_path.data(), length);
    short_path.resize(written);
    return written ? NarrowAnsi(short_path) : ansi;
}

bool CMciAuditionMedia::Open(const std::string& path, std::string& why) {
    player_.Close();
    if (check_devices_) {
        // MIDI plays on a synthesizer, everything else through a wave device.
        const bool midi = MusicTypeFromPath(path) == kMusicMidi;
        if ((midi ? midiOutGetNumDevs() : waveOutGetNumDevs()) == 0) {
            why = "there is no sound device";
            return false;
        }
    }
    player_.Open(AnsiPathForMedia(path));
    if (!player_.has_device()) {
        why = CMciPlayer::ErrorText(player_.last_error());
        return false;
    }
    return true;
}

bool CMciAuditionMedia::PlayFrom(uint32_t from_ms, std::string& why) {
    if (player_.PlayFrom(from_ms)) return true;
    why = CMciPlayer::ErrorText(player_.last_error());
    return false;
}

}  // namespace gd
