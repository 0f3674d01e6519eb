#pragma once
// The recent-project list of the File menu: at most four project files, the most recent
// first, each listed once (paths compared as the file system compares names: SamePath). Kept in the per-user settings,
// section "Recent File List", keys "File1" to "File4", so it survives restarts.

#include <string>
#include <vector>

#include "maker/ui/user_settings.h"

namespace gd {

inline constexpr size_t kRecentProjectCount = 4;
inline constexpr std::string_view kRecentSection = "Recent File List";

class RecentProjects {
public:
    // Opened or saved: the path moves to the front.
    void Add(const std::string& path);
    // Could not be opened: the entry leaves the list.
    void Remove(size_t index);

    const std::vector<std::string>& paths() const { return paths_; }

    void Load(UserSettings& settings);
    void Save(UserSettings& settings) const;

private:
    std::vector<std::string> paths_;
};

// The text of entry `index` (from 0) in the File menu: "&1 " and the path, shortened to
// its drive or share, "..." and its last folders when long; "&" in a path is doubled so
// the menu shows it.
std::string RecentMenuText(size_t index, const std::string& path);

// A path cut to about `max_length` characters: the root, "\..." and as many trailing
// parts as fit; the file name itself is always kept.
std::string AbbreviatePath(const std::string& path, size_t max_length);

}  // namespace gd
