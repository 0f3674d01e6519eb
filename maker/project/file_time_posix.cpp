#include <sys/stat.h>

#include "maker/project/file_time.h"

namespace gd {

std::optional<std::time_t> FileChangeTime(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return std::nullopt;
    return status.st_mtime;
}

}  // namespace gd
