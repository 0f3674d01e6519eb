#pragma once
// Whole-file reads and writes for the maker's own files, with the platform's file calls
// (file_io_posix.cpp, file_io_win32.cpp).

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace gd {

enum class ReadFileStatus { kOk, kOpenFailed, kReadFailed };

// The whole file, or why not: it could not be opened, or reading it failed.
ReadFileStatus ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes);

// Writes the bytes to a new temporary file in the target's folder and renames it over the
// target: the target is either the previous file or the complete new one, never a part.
bool WriteFileReplacing(const std::string& path, std::span<const uint8_t> bytes);

// Copies a file over `to`, through a temporary file beside it.
bool CopyFileReplacing(const std::string& from, const std::string& to);

// The size of a file in bytes, 0 when it cannot be queried.
long long FileSize(const std::string& path);

// Deletes a file; false when it could not be deleted.
bool RemoveFile(const std::string& path);

}  // namespace gd
