#include "runtime/track_files.h"

namespace gd {
namespace {

bool IsAsciiAlnum(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

std::string TrackFileName(const std::string& temp_dir, const std::string& identifier, int32_t track_id,
                          const std::string& extension_tag) {
    std::string name = temp_dir;
    for (char c : identifier) name += IsAsciiAlnum(c) ? c : '_';
    name += std::to_string(track_id);
    name += '.';
    for (size_t i = 0; i < extension_tag.size() && i < 3 && extension_tag[i] != '\0'; ++i) {
        if (IsAsciiAlnum(extension_tag[i])) name += extension_tag[i];
    }
    return name;
}

}  // namespace gd
