#include "win32/mci_player.h"

#include <string_view>

#include "common/path_parts.h"
#include "common/utf16.h"
#include "win32/text_convert.h"

namespace gd {
namespace {

// MIDI plays on a synthesizer, everything else through a wave device.
bool IsMidiFile(std::string_view path) {
    std::string extension;
    for (char c : PathExtension(path, kWindowsSeparators)) extension += char(c >= 'a' && c <= 'z' ? c - 32 : c);
    return extension == "MID" || extension == "MIDI" || extension == "RMI";
}

bool Refuse(std::string* why, std::string text) {
    if (why) *why = std::move(text);
    return false;
}

}  // namespace

std::string AnsiPathForMedia(const std::string& utf8_path) {
    const std::wstring wide = Utf8ToUtf16(utf8_path);
    std::string ansi = NarrowAnsi(wide);
    if (WidenAnsi(ansi) == wide) return ansi;
    const DWORD length = GetShortPathNameW(wide.c_str(), nullptr, 0);
    if (length == 0) return ansi;
    std::wstring short_path(length, L'\0');
    const DWORD written = GetShortPathNameW(wide.c_str(), short_path.data(), length);
    short_path.resize(written);
    return written ? NarrowAnsi(short_path) : ansi;
}

bool CMciPlayer::Open(const std::string& path, std::string* why) {
    // Close first, even for the same file: opening again must not leave a device behind.
    Close();
    length_ = 0;
    error_ = 0;
    if (check_devices_ && (IsMidiFile(path) ? midiOutGetNumDevs() : waveOutGetNumDevs()) == 0)
        return Refuse(why, "there is no sound device");
    file_ = AnsiPathForMedia(path);
    MCI_OPEN_PARMSA open{};
    open.lpstrElementName = file_.c_str();
    error_ = mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT, DWORD_PTR(&open));
    if (error_ != 0) return Refuse(why, ErrorText(error_));
    device_ = open.wDeviceID;
    MCI_SET_PARMS set{};
    set.dwTimeFormat = MCI_FORMAT_MILLISECONDS;
    mciSendCommandA(device_, MCI_SET, MCI_SET_TIME_FORMAT, DWORD_PTR(&set));
    MCI_STATUS_PARMS status{};
    status.dwItem = MCI_STATUS_LENGTH;
    if (mciSendCommandA(device_, MCI_STATUS, MCI_STATUS_ITEM, DWORD_PTR(&status)) == 0) {
        length_ = DWORD(status.dwReturn);
    }
    return true;
}

bool CMciPlayer::PlayFrom(uint32_t from_ms, std::string* why) {
    error_ = MCIERR_DEVICE_NOT_READY;
    if (device_ != 0) {
        // To the whole length: a track end cut short would never equal the length, and
        // the music would stop for good after it.
        MCI_PLAY_PARMS play{};
        play.dwFrom = from_ms;
        play.dwTo = length_;
        error_ = mciSendCommandA(device_, MCI_PLAY, MCI_FROM | MCI_TO, DWORD_PTR(&play));
    }
    open_ = true;
    return error_ == 0 || Refuse(why, ErrorText(error_));
}

void CMciPlayer::Halt() {
    if (device_ != 0) mciSendCommandA(device_, MCI_STOP, 0, 0);
}

bool CMciPlayer::Playing() {
    if (device_ == 0) return false;
    MCI_STATUS_PARMS status{};
    status.dwItem = MCI_STATUS_MODE;
    if (mciSendCommandA(device_, MCI_STATUS, MCI_STATUS_ITEM, DWORD_PTR(&status)) != 0) return false;
    return status.dwReturn == MCI_MODE_PLAY;
}

bool CMciPlayer::Stopped() {
    if (device_ == 0) return true;
    MCI_STATUS_PARMS status{};
    status.dwItem = MCI_STATUS_MODE;
    if (mciSendCommandA(device_, MCI_STATUS, MCI_STATUS_ITEM, DWORD_PTR(&status)) != 0) return true;
    return status.dwReturn == MCI_MODE_STOP;
}

uint32_t CMciPlayer::Position() {
    if (device_ == 0) return 0;
    MCI_STATUS_PARMS status{};
    status.dwItem = MCI_STATUS_POSITION;
    if (mciSendCommandA(device_, MCI_STATUS, MCI_STATUS_ITEM, DWORD_PTR(&status)) != 0) return 0;
    return uint32_t(status.dwReturn);
}

void CMciPlayer::Close() {
    if (device_ != 0) mciSendCommandA(device_, MCI_CLOSE, 0, 0);
    device_ = 0;
    open_ = false;
}

std::string CMciPlayer::ErrorText(MCIERROR error) {
    char text[256] = {};
    if (!mciGetErrorStringA(error, text, sizeof text) || !text[0]) return "media error " + std::to_string(error);
    return text;
}

}  // namespace gd
