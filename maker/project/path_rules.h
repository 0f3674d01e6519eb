#pragma once
// How the maker compares and tests the paths of a project. Paths are UTF-8 in memory (on
// Linux the file system's bytes, see common/code_page.h).

#include <string>
#include <string_view>
#include <vector>

namespace gd {

std::string UpperAscii(std::string_view text);
// Whether two full paths name the same file as the platform's file system compares names:
// ignoring case on Windows (every letter, "Ä" as "ä"), byte for byte on Linux, where
// IMG_1.JPG and img_1.jpg are two photos.
bool SamePath(std::string_view a, std::string_view b);
bool ContainsPath(const std::vector<std::string>& paths, std::string_view path);
// A path's form for lookups: two paths have the same key exactly when SamePath holds
// (Windows: every letter upper-cased; Linux: the bytes themselves).
std::string PathKey(std::string_view path);

// True when the file-status query succeeds for the path (a folder counts as existing).
// Defined with the platform's other file calls (file_io_posix.cpp, file_io_win32.cpp).
bool PathExists(const std::string& path);

// `folder` and `name` joined with the platform's separator (common/path_parts.h): one
// between them, none before a name in an empty folder.
std::string JoinPath(std::string_view folder, std::string_view name);

}  // namespace gd
