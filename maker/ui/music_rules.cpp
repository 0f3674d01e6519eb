#include "maker/ui/music_rules.h"

#include <cstdio>

#include "common/path_parts.h"
#include "maker/project/path_rules.h"

namespace gd {

namespace {

std::string Hundredths(int64_t value) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld.%02lld", static_cast<long long>(value / 100),
                  static_cast<long long>(value % 100));
    return text;
}

}  // namespace

int MusicTypeFromPath(std::string_view path) {
    // The file name's own extension: a dot in a folder name does not count.
    const std::string extension = UpperAscii(PathExtension(path, kWindowsSeparators));
    if (extension.empty()) return kMusicUnknown;
    if (extension == "WAV") return kMusicWav;
    if (extension == "WMA") return kMusicWma;
    if (extension == "MP3") return kMusicMp3;
    if (extension == "MIDI" || extension == "MID") return kMusicMidi;
    if (extension == "MPG") return kMusicMpg;
    return kMusicUnknown;
}

int64_t MusicSizeHundredths(uint64_t bytes) {
    constexpr uint64_t kMegabyte = 1048576;
    // bytes * 100 fits 64 bits for any file below 160 petabytes.
    return int64_t((bytes * 100 + kMegabyte / 2) / kMegabyte);
}

std::string MusicSizeText(int64_t hundredths) { return Hundredths(hundredths) + "M"; }

std::string MusicTotalsText(int count, int64_t hundredths) {
    return "Total music num: " + std::to_string(count) + "  Total size: " + Hundredths(hundredths) + " M";
}

namespace {

std::string Clock(uint32_t ms) {
    const uint32_t seconds = ms / 1000;
    char text[32];
    if (seconds >= 3600)
        std::snprintf(text, sizeof text, "%u:%02u:%02u", seconds / 3600, seconds / 60 % 60, seconds % 60);
    else
        std::snprintf(text, sizeof text, "%u:%02u", seconds / 60, seconds % 60);
    return text;
}

}  // namespace

std::string PlayerTimeText(uint32_t position_ms, uint32_t length_ms) {
    return Clock(position_ms) + " / " + Clock(length_ms);
}

std::string PlayerStatusText(AuditionState state, std::string_view file, std::string_view problem) {
    const std::string name(PathName(file, kWindowsSeparators));
    switch (state) {
    case AuditionState::kEmpty: return "Click a music file to listen to it.";
    case AuditionState::kStopped: return "Stopped: " + name;
    case AuditionState::kPlaying: return "Playing: " + name;
    case AuditionState::kCannotPlay: return "Cannot play " + name + ": " + std::string(problem) + ".";
    }
    return {};
}

}  // namespace gd
