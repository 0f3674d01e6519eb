#include "common/music_entry.h"

#include <algorithm>

#include "common/byte_io.h"
#include "common/path_parts.h"

namespace gd {

std::string MusicExtensionTag(std::string_view path) {
    // Only the file name counts: a "." in a folder name is not an extension.
    std::string tag(PathExtension(path, kWindowsSeparators).substr(0, kMusicTagSize));
    for (char& c : tag) {
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    }
    return tag;
}

std::vector<uint8_t> EncodeMusicEntry(const MusicEntry& entry) {
    std::vector<uint8_t> bytes(kMusicTagSize + entry.data.size(), 0);
    WriteFixedText(bytes.data(), kMusicTagSize, kMusicTagSize, entry.extension);
    std::copy(entry.data.begin(), entry.data.end(), bytes.begin() + kMusicTagSize);
    return bytes;
}

std::optional<MusicEntry> DecodeMusicEntry(std::span<const uint8_t> bytes) {
    if (bytes.size() < kMusicTagSize) return std::nullopt;
    MusicEntry entry;
    entry.extension = ReadFixedText(bytes.data(), kMusicTagSize);
    entry.data.assign(bytes.begin() + kMusicTagSize, bytes.end());
    return entry;
}

}  // namespace gd
