#include "common/path_parts.h"

namespace gd {

size_t WindowsRootLength(std::string_view path) {
    auto separator = [](char c) { return IsPathSeparator(c, kWindowsSeparators); };
    if (path.size() >= 3 && path[1] == ':' && separator(path[2])) return 3;
    if (path.size() >= 2 && separator(path[0]) && separator(path[1])) {
        const size_t server_end = path.find_first_of(kWindowsSeparators.chars, 2);
        if (server_end == path.npos) return path.size();
        const size_t share_end = path.find_first_of(kWindowsSeparators.chars, server_end + 1);
        return share_end == path.npos ? path.size() : share_end + 1;
    }
    if (!path.empty() && separator(path[0])) return 1;
    return 0;
}

}  // namespace gd
