#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <climits>
#include <cstdio>
#include <cstring>

#include "common/path_parts.h"
#include "maker/project/file_io.h"
#include "maker/project/path_rules.h"
#include "maker/project/temporary_files.h"

namespace gd {

namespace {

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    bool Close() {
        int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

// Records errno for `path` and fails; errno is read before anything else can change it.
bool Failed(FileError* error, const std::string& path) {
    int code = errno;
    if (error) *error = {path, std::strerror(code)};
    errno = code;
    return false;
}

bool WriteAll(int fd, const uint8_t* data, size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) errno = ENOSPC;
        if (n <= 0) return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

// Files are created as an ordinary open() would create them, not with mkstemp's 0600.
mode_t NewFileMode() {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// The file a path finally names, following symbolic links (also one whose target does
// not exist yet); the path itself when it is no link.
std::string FollowLinks(std::string path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st;
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
        std::string target(PATH_MAX, '\0');
        ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n <= 0 || size_t(n) >= target.size()) return path;
        target.resize(size_t(n));
        if (target[0] != '/') {
            // Relative to the link's folder (its separator kept, so "/" stays the root).
            target = path.substr(0, PathNameStart(std::string_view(path), kPosixSeparators)) + target;
        }
        path = std::move(target);
    }
    return path;
}

// Runs `fill` on a new temporary file beside `path` with the given mode, then renames it
// over `path`. On failure the temporary file is gone and `error` says why.
template <class Fill>
bool ReplaceThroughTemporary(const std::string& path, mode_t mode, FileError* error, Fill fill) {
    std::string temp = path + ".XXXXXX";
    Fd fd(::mkstemp(temp.data()));
    if (fd.get() < 0) return Failed(error, path);
    TemporaryFileGuard guard(temp);  // a signal before the rename removes it
    bool ok = ::fchmod(fd.get(), mode) == 0 && fill(fd.get()) && ::fsync(fd.get()) == 0;
    if (!ok) Failed(error, path);
    if (!fd.Close() && ok) ok = Failed(error, path);
    if (ok && ::rename(temp.c_str(), path.c_str()) != 0) ok = Failed(error, path);
    if (!ok) {
        int code = errno;
        ::unlink(temp.c_str());
        errno = code;
    }
    return ok;
}

// Writes the bytes into the existing file itself, keeping every hard link to it.
bool RewriteInPlace(int fd, std::span<const uint8_t> bytes) {
    return ::lseek(fd, 0, SEEK_SET) == 0 && WriteAll(fd, bytes.data(), bytes.size()) &&
           ::ftruncate(fd, off_t(bytes.size())) == 0 && ::fsync(fd) == 0;
}

bool WriteHardLinked(const std::string& path, std::span<const uint8_t> bytes, FileError* error) {
    std::vector<uint8_t> old;
    if (ReadWholeFile(path, old, error) != ReadFileStatus::kOk) return false;
    Fd fd(::open(path.c_str(), O_WRONLY | O_CLOEXEC));
    if (fd.get() < 0) return Failed(error, path);
    if (RewriteInPlace(fd.get(), bytes)) return fd.Close() || Failed(error, path);
    Failed(error, path);
    RewriteInPlace(fd.get(), old);
    return false;
}

}  // namespace

ReadFileStatus ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, FileError* error) {
    return ReadFileStart(path, SIZE_MAX, bytes, error);
}

ReadFileStatus ReadFileStart(const std::string& path, size_t limit, std::vector<uint8_t>& bytes, FileError* error) {
    bytes.clear();
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) return Failed(error, path), ReadFileStatus::kOpenFailed;
    struct stat st;
    if (::fstat(fd.get(), &st) != 0) return Failed(error, path), ReadFileStatus::kReadFailed;
    if (S_ISDIR(st.st_mode)) {
        errno = EISDIR;
        return Failed(error, path), ReadFileStatus::kReadFailed;
    }
    if (st.st_size > 0) bytes.reserve((std::min)(size_t(st.st_size), limit));
    uint8_t buffer[1 << 16];
    while (bytes.size() < limit) {
        ssize_t n = ::read(fd.get(), buffer, (std::min)(sizeof buffer, limit - bytes.size()));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return Failed(error, path), ReadFileStatus::kReadFailed;
        if (n == 0) return ReadFileStatus::kOk;
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
    return ReadFileStatus::kOk;
}

bool WriteFileReplacing(const std::string& path, std::span<const uint8_t> bytes, FileError* error) {
    const std::string target = FollowLinks(path);
    mode_t mode = NewFileMode();
    struct stat st;
    if (::stat(target.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) {
            errno = EISDIR;
            return Failed(error, path);
        }
        if (st.st_nlink > 1) return WriteHardLinked(target, bytes, error);
        mode = st.st_mode & 07777;
    }
    return ReplaceThroughTemporary(target, mode, error,
                                   [&](int fd) { return WriteAll(fd, bytes.data(), bytes.size()); });
}

bool CopyFileReplacing(const std::string& from, const std::string& to, FileError* error) {
    Fd in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.get() < 0) return Failed(error, from);
    bool read_failed = false;
    bool ok = ReplaceThroughTemporary(to, NewFileMode(), error, [&](int out) {
        uint8_t buffer[1 << 16];
        for (;;) {
            ssize_t n = ::read(in.get(), buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return !(read_failed = true);
            if (n == 0) return true;
            if (!WriteAll(out, buffer, size_t(n))) return false;
        }
    });
    if (read_failed && error) error->path = from;
    return ok;
}

bool RenameReplacing(const std::string& from, const std::string& to, FileError* error) {
    return ::rename(from.c_str(), to.c_str()) == 0 || Failed(error, to);
}

long long FileSize(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 ? (long long)st.st_size : 0;
}

bool RemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool PathExists(const std::string& path) {
    struct stat st;
    return !path.empty() && ::stat(path.c_str(), &st) == 0;
}

bool IsFolder(const std::string& path) {
    struct stat st;
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return names;
    while (const dirent* entry = ::readdir(dir)) {
        std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(std::move(name));
    }
    ::closedir(dir);
    return names;
}

unsigned long CurrentProcessId() { return (unsigned long)::getpid(); }

bool ProcessIsRunning(unsigned long id) {
    if (id == 0 || id > (unsigned long)INT_MAX) return false;
    return ::kill(pid_t(id), 0) == 0 || errno == EPERM;
}

}  // namespace gd
