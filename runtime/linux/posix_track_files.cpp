#include "runtime/platform_track_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace gd {
namespace {

class PosixTrackFileWriter : public TrackFileWriter {
public:
    explicit PosixTrackFileWriter(int fd) : fd_(fd) {}
    ~PosixTrackFileWriter() override { Close(); }
    bool Write(std::span<const uint8_t> bytes) override {
        while (!bytes.empty()) {
            ssize_t n = ::write(fd_, bytes.data(), bytes.size());
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return false;
            bytes = bytes.subspan(size_t(n));
        }
        return true;
    }
    bool Close() override {
        if (fd_ < 0) return true;
        int rc = ::close(fd_);
        fd_ = -1;
        return rc == 0;
    }

private:
    int fd_;
};

}  // namespace

bool PlatformTrackFiles::Exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

void PlatformTrackFiles::Remove(const std::string& path) { ::unlink(path.c_str()); }

std::unique_ptr<TrackFileWriter> PlatformTrackFiles::Create(const std::string& path) {
    // Another user's file or link of that name in a shared folder is never followed:
    // it is removed first (where allowed) and the file is made anew.
    ::unlink(path.c_str());
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return nullptr;
    return std::make_unique<PosixTrackFileWriter>(fd);
}

std::string TemporaryFolder() {
    std::string dir = "/tmp";
    if (const char* t = std::getenv("TMPDIR"); t && *t) {
        struct stat st {};
        if (::stat(t, &st) == 0 && S_ISDIR(st.st_mode)) dir = t;
    }
    if (dir.back() != '/') dir += '/';
    return dir;
}

}  // namespace gd
