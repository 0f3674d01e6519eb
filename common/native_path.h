#pragma once
// Paths as the programs hold them, to and from the file system's own form. On Linux a path
// is the file system's bytes; on Windows it is UTF-8 text, handed to the wide-character
// API, so names outside the ANSI code page (a Japanese file name) work too.

#include <filesystem>
#include <string>
#include <string_view>

#include "common/native_file.h"

namespace gd {

std::filesystem::path NativePath(std::string_view path);
std::string PathText(const std::filesystem::path& path);

}  // namespace gd
