#pragma once
// Whole-file reads and writes for the maker's own files, with the platform's file calls
// (file_io_posix.cpp, file_io_win32.cpp). Every call that can fail can say why: the file
// and the system's own text for the error.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace gd {

struct FileError {
    std::string path;  // the file the failing call was about
    std::string text;  // the system's text: "No such file or directory", "Permission denied", ...
};

enum class ReadFileStatus { kOk, kOpenFailed, kReadFailed };

// The whole file, or why not: it could not be opened, or reading it failed (a folder
// cannot be read).
ReadFileStatus ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, FileError* error = nullptr);
// The file's first `limit` bytes (all of a shorter file), or why not.
ReadFileStatus ReadFileStart(const std::string& path, size_t limit, std::vector<uint8_t>& bytes,
                             FileError* error = nullptr);

// Replaces the content of the file at `path`: the file is either the previous one or the
// complete new one, never a part. The new content goes to a temporary file beside the
// target and is renamed over it. A symbolic link is followed and the file it names is
// replaced, the link stays; the file keeps its permissions. A file with other hard links
// is rewritten in place instead (the only way to keep the links), after which the links
// all see the new content; should that rewrite fail, the old content is written back.
bool WriteFileReplacing(const std::string& path, std::span<const uint8_t> bytes, FileError* error = nullptr);

// Copies a file over `to`, through a temporary file beside it.
bool CopyFileReplacing(const std::string& from, const std::string& to, FileError* error = nullptr);

// Renames `from` over `to` in one step, replacing a file there.
bool RenameReplacing(const std::string& from, const std::string& to, FileError* error = nullptr);

// The size of a file in bytes, 0 when it cannot be queried.
long long FileSize(const std::string& path);

// Deletes a file; false when it could not be deleted.
bool RemoveFile(const std::string& path);

// Whether the path names a folder.
bool IsFolder(const std::string& path);

// The names in a folder (no "." or ".."); empty when it cannot be listed.
std::vector<std::string> FolderEntries(const std::string& folder);

// This process's identifier, and whether a process with that identifier runs.
unsigned long CurrentProcessId();
bool ProcessIsRunning(unsigned long id);

}  // namespace gd
