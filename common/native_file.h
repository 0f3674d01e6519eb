#pragma once
// Opening a file by the programs' own path text (see common/native_path.h) without the
// path class: the runtime opens files too, and the path class would pull the C++
// library's locale machinery into every made screensaver.

#include <cstdio>
#include <string>

namespace gd {

// std::fopen for such a path.
std::FILE* OpenFile(const std::string& path, const char* mode);

}  // namespace gd
