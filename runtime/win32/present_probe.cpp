#include "runtime/win32/present_probe.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace gd {
namespace {

constexpr char kLogVariable[] = "REELHOST_PRESENT_LOG";
// 100-ns intervals from 1601-01-01 to 1970-01-01.
constexpr unsigned long long kUnixEpochTicks = 116444736000000000ULL;

long long UnixMicroseconds(const FILETIME& t) {
    unsigned long long ticks = (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    return static_cast<long long>((ticks - kUnixEpochTicks) / 10);
}

// The precise clock where the platform has one (it is looked up, so the program still
// starts where it is missing); the ordinary system time otherwise.
FILETIME Now() {
    using PreciseTime = void(WINAPI*)(LPFILETIME);
    static const auto precise = reinterpret_cast<PreciseTime>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetSystemTimePreciseAsFileTime")));
    FILETIME t{};
    if (precise) precise(&t);
    else GetSystemTimeAsFileTime(&t);
    return t;
}

}  // namespace

std::function<void()> FirstPresentProbeFromEnvironment() {
    char path[MAX_PATH];
    DWORD n = GetEnvironmentVariableA(kLogVariable, path, sizeof path);
    if (n == 0 || n >= sizeof path) return {};
    return [log = std::string(path, n)] {
        FILETIME now = Now();
        FILETIME created{}, exited{}, kernel{}, user{};
        GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
        char line[96];
        int len = std::snprintf(line, sizeof line, "first_present_us=%lld process_created_us=%lld\r\n",
                                UnixMicroseconds(now), UnixMicroseconds(created));
        HANDLE file = CreateFileA(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return;
        DWORD written = 0;
        WriteFile(file, line, DWORD(len), &written, nullptr);
        CloseHandle(file);
    };
}

}  // namespace gd
