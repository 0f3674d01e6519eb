#include "maker/ui/recent_projects.h"

#include "common/path_parts.h"
#include "maker/project/path_rules.h"

namespace gd {

void RecentProjects::Add(const std::string& path) {
    if (path.empty()) return;
    for (size_t i = 0; i < paths_.size(); ++i) {
        if (SamePath(paths_[i], path)) {
            paths_.erase(paths_.begin() + std::ptrdiff_t(i));
            break;
        }
    }
    paths_.insert(paths_.begin(), path);
    if (paths_.size() > kRecentProjectCount) paths_.resize(kRecentProjectCount);
}

void RecentProjects::Remove(size_t index) {
    if (index < paths_.size()) paths_.erase(paths_.begin() + std::ptrdiff_t(index));
}

namespace {
std::string EntryKey(size_t index) { return "File" + std::to_string(index + 1); }
}  // namespace

void RecentProjects::Load(UserSettings& settings) {
    paths_.clear();
    for (size_t i = 0; i < kRecentProjectCount; ++i) {
        std::optional<std::string> path = settings.GetString(kRecentSection, EntryKey(i));
        // A hand-edited store may repeat an entry or leave gaps: Add keeps the list sound.
        if (path && !path->empty() && !ContainsPath(paths_, *path)) paths_.push_back(*path);
    }
}

void RecentProjects::Save(UserSettings& settings) const {
    for (size_t i = 0; i < kRecentProjectCount; ++i) {
        if (i < paths_.size())
            settings.SetString(kRecentSection, EntryKey(i), paths_[i]);
        else
            settings.Remove(kRecentSection, EntryKey(i));
    }
}

std::string AbbreviatePath(const std::string& path, size_t max_length) {
    if (path.size() <= max_length) return path;
    const std::string_view separators = kWindowsSeparators.chars;
    size_t root = WindowsRootLength(path);
    size_t name_start = path.find_last_of(separators);
    if (name_start == path.npos || name_start < root) return path;
    // Take whole trailing parts while "root...\parts" still fits.
    size_t tail = name_start;  // the separator before the part kept so far
    for (;;) {
        if (tail <= root) return path;
        size_t previous = path.find_last_of(separators, tail - 1);
        if (previous == path.npos || previous < root) break;
        if (root + 3 + (path.size() - previous) > max_length) break;
        tail = previous;
    }
    if (tail < root) return path;
    return path.substr(0, root) + "..." + path.substr(tail);
}

std::string RecentMenuText(size_t index, const std::string& path) {
    std::string text = "&";
    text += std::to_string(index + 1);
    text += ' ';
    for (char c : AbbreviatePath(path, 40)) {
        if (c == '&') text += '&';
        text += c;
    }
    return text;
}

}  // namespace gd
