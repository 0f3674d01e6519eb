#pragma once
// When a file last changed, from the platform's file status.

#include <ctime>
#include <optional>
#include <string>

namespace gd {

// Nothing when the file's status cannot be read. `path` is UTF-8.
std::optional<std::time_t> FileChangeTime(const std::string& path);

}  // namespace gd
