#pragma once
// What the Music page shows of a music file: its type mark, its size in megabytes and the
// totals line under the list.

#include <cstdint>
#include <string>
#include <string_view>

#include "maker/ui/audition_player.h"

namespace gd {

// The type mark of a music file from the extension after its last "." (any case).
enum MusicType : int {
    kMusicUnknown = -1,
    kMusicWav = 0,
    kMusicWma = 1,
    kMusicMp3 = 2,
    kMusicMidi = 3,  // .mid and .midi
    kMusicMpg = 4,
};
int MusicTypeFromPath(std::string_view path);

// A file's size as the list shows it, in hundredths of a megabyte (1048576 bytes),
// rounded half up: the same figure on every platform, so the totals add what is shown.
int64_t MusicSizeHundredths(uint64_t bytes);
// "0.25M": the Size column.
std::string MusicSizeText(int64_t hundredths);
// "Total music num: 3  Total size: 1.50 M": the count and the sum of the shown sizes.
std::string MusicTotalsText(int count, int64_t hundredths);

// The player's time, "1:05 / 3:20" (hours when a file is that long: "1:02:03").
std::string PlayerTimeText(uint32_t position_ms, uint32_t length_ms);
// The line under the player: what plays, or why the file cannot play. `file` is a full
// path; the line names only the file.
std::string PlayerStatusText(AuditionState state, std::string_view file, std::string_view problem);

}  // namespace gd
