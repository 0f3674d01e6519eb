#pragma once
// How the maker compares and tests the paths of a project. Paths are UTF-8 in memory (on
// Linux the file system's bytes, see common/code_page.h); two paths name the same file
// when they are equal ignoring the case of ASCII letters, as on the platform the made
// screensavers run on.

#include <string>
#include <string_view>
#include <vector>

namespace gd {

std::string UpperAscii(std::string_view text);
bool SamePath(std::string_view a, std::string_view b);
bool ContainsPath(const std::vector<std::string>& paths, std::string_view path);

// True when the file-status query succeeds for the path (a folder counts as existing).
// Defined with the platform's other file calls (file_io_posix.cpp, file_io_win32.cpp).
bool PathExists(const std::string& path);

// The platform's separator, used where a path is built from a folder and a name.
#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif
std::string JoinPath(std::string_view folder, std::string_view name);

}  // namespace gd
