#pragma once
// Profile (INI) files: sections of key=value lines, read and written with the platform's
// rules. Windows uses its own profile API; elsewhere the portable implementation follows
// the same rules, and a test under Wine runs both over the same tricky inputs.
//
// The rules, as the platform applies them:
// - lines are trimmed of blanks at both ends; "[name]" starts a section (the name runs
//   to the last "]", trimmed); other lines are "key=value" (both trimmed) or a bare key;
// - section and key names compare case-insensitively, surrounding blanks of the asked
//   names ignored; only the first section of a name is searched, and its first key wins;
// - a value wrapped in a matching pair of double or single quotes loses the pair (when
//   the capacity cuts the value, the platform drops the last kept byte instead once the
//   buffer reaches the closing quote);
// - nothing marks a comment: a ";" line is an ordinary line that no lookup matches.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace gd {

class ProfileStore {
public:
    virtual ~ProfileStore() = default;

    // The number at the start of the value (blanks, sign, decimal digits, or the digits
    // after a lower-case 0x, 0o or 0b prefix; 0 when there are none); `fallback` when the
    // file, section or key is missing or the value is empty.
    virtual int32_t ReadInt(const std::string& path, std::string_view section, std::string_view key,
                            int32_t fallback) = 0;

    // The value, or `fallback` (trailing spaces removed) when there is none, cut to
    // capacity - 1 bytes as in a buffer of `capacity` bytes with its NUL.
    virtual std::string ReadString(const std::string& path, std::string_view section, std::string_view key,
                                   std::string_view fallback, size_t capacity) = 0;

    // Sets key=value, creating the file and the section when needed. False when the file
    // cannot be written.
    virtual bool WriteString(const std::string& path, std::string_view section, std::string_view key,
                             std::string_view value) = 0;

    virtual bool Exists(const std::string& path) = 0;
    virtual bool Remove(const std::string& path) = 0;
};

// The platform's store: the profile API on Windows, the portable one elsewhere.
ProfileStore& PlatformProfileStore();

}  // namespace gd
