#pragma once
// When the full-screen show starts: at once, or held back until the first track plays.

#include <cstdint>

namespace gd {

// The older platform family (major version 4 or below) plays music with a noticeable
// start-up delay, so the show waits for the first track there; everywhere else, and
// whenever no music will play, it starts at once.
constexpr bool ShowStartsAtOnce(int platform_major_version, int32_t music_count, bool music_muted) {
    return platform_major_version > 4 || music_count <= 0 || music_muted;
}

}  // namespace gd
