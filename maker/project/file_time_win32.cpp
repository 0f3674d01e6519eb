#include <windows.h>

#include "common/utf16.h"
#include "maker/project/file_time.h"

namespace gd {

std::optional<std::time_t> FileChangeTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(Utf8ToUtf16(path).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    // 100-nanosecond ticks since 1601 to seconds since 1970.
    ULARGE_INTEGER ticks{};
    ticks.LowPart = data.ftLastWriteTime.dwLowDateTime;
    ticks.HighPart = data.ftLastWriteTime.dwHighDateTime;
    constexpr unsigned long long kTicksPerSecond = 10000000ULL;
    constexpr unsigned long long kSecondsFrom1601To1970 = 11644473600ULL;
    return std::time_t(ticks.QuadPart / kTicksPerSecond - kSecondsFrom1601To1970);
}

}  // namespace gd
