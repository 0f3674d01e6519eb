#pragma once
// One music track of a made screensaver (resource RT_SAVER_MUSIC): a three-byte
// extension tag, then the source file's bytes unchanged. The runtime writes the bytes to
// a temporary file with that extension, because the media layer picks its device by it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace gd {

constexpr size_t kMusicTagSize = 3;

struct MusicEntry {
    std::string extension;      // the tag up to its first NUL, at most 3 characters
    std::vector<uint8_t> data;  // the music file's bytes

    friend bool operator==(const MusicEntry&, const MusicEntry&) = default;
};

// The first three characters of the text after the last "." of the path's file name,
// upper-cased ("midi" gives "MID", "ra" gives "RA"); empty when the name has no ".".
std::string MusicExtensionTag(std::string_view path);

// The tag in three bytes (NUL where it is shorter) followed by the data.
std::vector<uint8_t> EncodeMusicEntry(const MusicEntry& entry);
// Refuses an entry shorter than its tag.
std::optional<MusicEntry> DecodeMusicEntry(std::span<const uint8_t> bytes);

}  // namespace gd
