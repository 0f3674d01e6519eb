#include "common/profile_portable.h"

#include <cstdio>
#include <filesystem>

#include "common/native_path.h"
#include "common/profile_text.h"

namespace gd {
namespace {

// Like the platform, integers are read through a 30-character text buffer.
constexpr size_t kNumberCapacity = 30;

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::FILE* f = OpenFile(path, "rb");
    if (!f) return std::nullopt;
    std::string text;
    char chunk[4096];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) text.append(chunk, n);
    bool ok = !std::ferror(f);
    std::fclose(f);
    if (!ok) return std::nullopt;
    return text;
}

bool WriteFile(const std::string& path, const std::string& text) {
    std::FILE* f = OpenFile(path, "wb");
    if (!f) return false;
    bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    return std::fclose(f) == 0 && ok;
}

// Writes a sibling file and renames it over the old one, so a failed write never leaves
// a half-written settings file. Where renaming over a file is refused, the file is
// written in place.
bool WriteWholeFile(const std::string& path, const std::string& text) {
    const std::string temporary = path + ".new";
    if (WriteFile(temporary, text)) {
        std::error_code error;
        std::filesystem::rename(NativePath(temporary), NativePath(path), error);
        if (!error) return true;
        std::filesystem::remove(NativePath(temporary), error);
    }
    return WriteFile(path, text);
}

std::string_view WithoutTrailingSpaces(std::string_view s) {
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

}  // namespace

int32_t PortableProfileStore::ReadInt(const std::string& path, std::string_view section, std::string_view key,
                                      int32_t fallback) {
    std::string text = ReadString(path, section, key, "", kNumberCapacity);
    if (text.empty()) return fallback;
    return ProfileNumber(text);
}

std::string PortableProfileStore::ReadString(const std::string& path, std::string_view section, std::string_view key,
                                             std::string_view fallback, size_t capacity) {
    std::optional<std::string> value;
    if (std::optional<std::string> text = ReadWholeFile(path)) value = FindProfileValue(*text, section, key);
    if (!value) return CopyProfileEntry(WithoutTrailingSpaces(fallback), capacity);
    return CopyProfileEntry(*value, capacity);
}

bool PortableProfileStore::WriteString(const std::string& path, std::string_view section, std::string_view key,
                                       std::string_view value) {
    std::string text = ReadWholeFile(path).value_or(std::string());
    return WriteWholeFile(path, SetProfileValue(text, section, key, value));
}

bool PortableProfileStore::Exists(const std::string& path) {
    std::error_code error;
    auto status = std::filesystem::status(NativePath(path), error);
    return !error && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

bool PortableProfileStore::Remove(const std::string& path) {
    std::error_code error;
    return std::filesystem::remove(NativePath(path), error) && !error;
}

}  // namespace gd
