#include "maker/project/skipped_inputs.h"

#include <algorithm>

#include "common/path_parts.h"

namespace gd {

namespace {

constexpr size_t kNamedFiles = 5;

std::string FileName(const std::string& path) { return std::string(PathName(path, kWindowsSeparators)); }

std::string SkippedLine(const std::vector<std::string>& skipped, size_t total, const char* one, const char* many) {
    if (skipped.empty()) return {};
    std::string line = std::to_string(skipped.size()) + " of " + std::to_string(total) + " " + (total == 1 ? one : many) +
                       " could not be used: ";
    const size_t named = std::min(skipped.size(), kNamedFiles);
    for (size_t i = 0; i < named; ++i) line += (i ? ", " : "") + FileName(skipped[i]);
    if (skipped.size() > named) line += " and " + std::to_string(skipped.size() - named) + " more";
    return line;
}

}  // namespace

std::string SkippedPicturesLine(const std::vector<std::string>& skipped, size_t total) {
    return SkippedLine(skipped, total, "picture", "pictures");
}

std::string SkippedMusicLine(const std::vector<std::string>& skipped, size_t total) {
    return SkippedLine(skipped, total, "music file", "music files");
}

}  // namespace gd
