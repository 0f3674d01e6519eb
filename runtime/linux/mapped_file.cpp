#include "runtime/linux/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace gd {

std::shared_ptr<const MappedFile> MappedFile::Open(const std::string& path, std::string* why) {
    auto fail = [&](const char* what) -> std::shared_ptr<const MappedFile> {
        if (why) *why = std::string(what) + " " + path + ": " + std::strerror(errno);
        return nullptr;
    };
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return fail("cannot open");
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        int e = errno;
        ::close(fd);
        errno = e;
        return fail("cannot read the size of");
    }
    if (!S_ISREG(st.st_mode) || st.st_size <= 0) {
        ::close(fd);
        if (why) *why = path + " is not a screensaver file (empty, or not a file)";
        return nullptr;
    }
    void* data = ::mmap(nullptr, size_t(st.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
    int e = errno;
    ::close(fd);  // the mapping keeps the file
    errno = e;
    if (data == MAP_FAILED) return fail("cannot map");
    return std::shared_ptr<const MappedFile>(new MappedFile(static_cast<const uint8_t*>(data), size_t(st.st_size)));
}

MappedFile::~MappedFile() { ::munmap(const_cast<uint8_t*>(data_), size_); }

}  // namespace gd
