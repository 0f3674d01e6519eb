#include "common/native_file.h"

#ifdef _WIN32
#include "common/utf16.h"
#endif

namespace gd {

#ifdef _WIN32

std::FILE* OpenFile(const std::string& path, const char* mode) {
    return _wfopen(Utf8ToUtf16(path).c_str(), Utf8ToUtf16(mode).c_str());
}

#else

std::FILE* OpenFile(const std::string& path, const char* mode) { return std::fopen(path.c_str(), mode); }

#endif

}  // namespace gd
