#include "common/profile_win32.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace gd {
namespace {
std::string Z(std::string_view s) { return std::string(s); }
}  // namespace

int32_t Win32ProfileStore::ReadInt(const std::string& path, std::string_view section, std::string_view key,
                                   int32_t fallback) {
    return int32_t(GetPrivateProfileIntA(Z(section).c_str(), Z(key).c_str(), fallback, path.c_str()));
}

std::string Win32ProfileStore::ReadString(const std::string& path, std::string_view section, std::string_view key,
                                          std::string_view fallback, size_t capacity) {
    if (capacity == 0) return {};
    std::vector<char> buffer(capacity, '\0');
    DWORD n = GetPrivateProfileStringA(Z(section).c_str(), Z(key).c_str(), Z(fallback).c_str(), buffer.data(),
                                       DWORD(capacity), path.c_str());
    if (n >= capacity) n = DWORD(capacity - 1);
    (void)n;  // the count can disagree with the buffer when a quote pair is cut
    return std::string(buffer.data(), strnlen(buffer.data(), capacity));
}

bool Win32ProfileStore::WriteString(const std::string& path, std::string_view section, std::string_view key,
                                    std::string_view value) {
    return WritePrivateProfileStringA(Z(section).c_str(), Z(key).c_str(), Z(value).c_str(), path.c_str()) != 0;
}

bool Win32ProfileStore::Exists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32ProfileStore::Remove(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

}  // namespace gd
