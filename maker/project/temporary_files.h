#pragma once
// The files a build has in flight, known to the process as a whole so that a signal or a
// crash handler can remove them before the process ends: the staging file of the
// screensaver being made and the resource editor's files beside it. A build that ends
// normally removes its own files and forgets them here.

#include <string>

namespace gd {

// False when every slot is taken (then only the next run's clean-up removes the file).
bool RegisterTemporaryFile(const std::string& path);
void ForgetTemporaryFile(const std::string& path);

// Registers a file for the life of the guard.
class TemporaryFileGuard {
public:
    explicit TemporaryFileGuard(std::string path) : path_(std::move(path)) { RegisterTemporaryFile(path_); }
    ~TemporaryFileGuard() { ForgetTemporaryFile(path_); }
    TemporaryFileGuard(const TemporaryFileGuard&) = delete;
    TemporaryFileGuard& operator=(const TemporaryFileGuard&) = delete;

private:
    std::string path_;
};

// Deletes every registered file. Safe in a signal handler on Linux: it only reads fixed
// buffers and calls unlink().
void RemoveTemporaryFilesNow();

}  // namespace gd
