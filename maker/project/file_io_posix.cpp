#include "maker/project/file_io.h"
#include "maker/project/path_rules.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

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

bool WriteAll(int fd, const uint8_t* data, size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
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

// Runs `fill` on a new temporary file beside `path`, then renames it over `path`.
template <class Fill> bool ReplaceThroughTemporary(const std::string& path, Fill fill) {
    std::string temp = path + ".XXXXXX";
    Fd fd(::mkstemp(temp.data()));
    if (fd.get() < 0) return false;
    bool ok = ::fchmod(fd.get(), NewFileMode()) == 0 && fill(fd.get()) && ::fsync(fd.get()) == 0;
    ok = fd.Close() && ok;
    if (ok && ::rename(temp.c_str(), path.c_str()) == 0) return true;
    ::unlink(temp.c_str());
    return false;
}

}  // namespace

ReadFileStatus ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
    bytes.clear();
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) return ReadFileStatus::kOpenFailed;
    struct stat st;
    if (::fstat(fd.get(), &st) != 0 || S_ISDIR(st.st_mode)) return ReadFileStatus::kReadFailed;
    if (st.st_size > 0) bytes.reserve(size_t(st.st_size));
    uint8_t buffer[1 << 16];
    for (;;) {
        ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return ReadFileStatus::kReadFailed;
        if (n == 0) return ReadFileStatus::kOk;
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
}

bool WriteFileReplacing(const std::string& path, std::span<const uint8_t> bytes) {
    return ReplaceThroughTemporary(path, [&](int fd) { return WriteAll(fd, bytes.data(), bytes.size()); });
}

bool CopyFileReplacing(const std::string& from, const std::string& to) {
    Fd in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.get() < 0) return false;
    return ReplaceThroughTemporary(to, [&](int out) {
        uint8_t buffer[1 << 16];
        for (;;) {
            ssize_t n = ::read(in.get(), buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return false;
            if (n == 0) return true;
            if (!WriteAll(out, buffer, size_t(n))) return false;
        }
    });
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

}  // namespace gd
