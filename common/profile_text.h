#pragma once
// The text side of profile files, shared by the portable store: classifying lines,
// looking a value up and editing one key, all on the file's bytes in memory.

#include <optional>
#include <string>
#include <string_view>

namespace gd {

// The value of `key` in the first section named `section`: nothing when the section or
// the key is missing or the key has no "=" (quotes are not yet removed).
std::optional<std::string> FindProfileValue(std::string_view text, std::string_view section, std::string_view key);

// `text` with key=value set in the first section named `section`: an existing key keeps
// its line's name and gets the new value, a new key follows the section's last entry, a
// new section is appended; the value loses surrounding blanks. Every other line is kept byte for byte.
std::string SetProfileValue(std::string_view text, std::string_view section, std::string_view key,
                            std::string_view value);

// The platform's number reading: blanks, a sign, then decimal digits, or hexadecimal,
// octal or binary digits after a lower-case 0x, 0o or 0b; wraps modulo 2^32.
int32_t ProfileNumber(std::string_view text);

// Removes one pair of matching double or single quotes around `value`, with the
// platform's capacity cut.
std::string CopyProfileEntry(std::string_view value, size_t capacity);

}  // namespace gd
