#pragma once
// One entry written into an executable in its own update-and-commit cycle, so an entry
// written earlier survives a later failure. For many entries use ResourceEditor: each
// call here rewrites the whole file.

#include <cstdint>
#include <span>
#include <string>

namespace gd::res {

// Adds or replaces the entry of integer type and id, language English (US). False, with
// the reason in `error`, when the file is not a valid executable or cannot be rewritten;
// the file is then unchanged.
bool WriteResource(const std::string& path, uint16_t type, uint16_t id, std::span<const uint8_t> bytes,
                   std::string* error = nullptr);

}  // namespace gd::res
