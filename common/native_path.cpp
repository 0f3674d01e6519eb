#include "common/native_path.h"

#ifdef _WIN32
#include "common/utf16.h"
#endif

namespace gd {

#ifdef _WIN32

std::filesystem::path NativePath(std::string_view path) { return std::filesystem::path(Utf8ToUtf16(path)); }

std::string PathText(const std::filesystem::path& path) { return Utf16ToUtf8(path.native()); }

#else

std::filesystem::path NativePath(std::string_view path) { return std::filesystem::path(path); }

std::string PathText(const std::filesystem::path& path) { return path.native(); }

#endif

}  // namespace gd
