#include <fcntl.h>
#include <sys/random.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>

#include "common/byte_io.h"
#include "common/guid.h"

namespace gd {
namespace {

bool FillFromGetrandom(uint8_t* p, size_t n) {
    while (n > 0) {
        ssize_t got = getrandom(p, n, 0);
        if (got < 0) {
            if (errno == EINTR) continue;
            return false;  // e.g. ENOSYS on old kernels: try the device
        }
        p += got;
        n -= size_t(got);
    }
    return true;
}

bool FillFromDevice(uint8_t* p, size_t n) {
    int fd = ::open("/dev/urandom", O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    while (n > 0) {
        ssize_t got = ::read(fd, p, n);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        p += got;
        n -= size_t(got);
    }
    ::close(fd);
    return n == 0;
}

}  // namespace

std::optional<Guid> CreateGuid() {
    uint8_t b[16];
    if (!FillFromGetrandom(b, sizeof b) && !FillFromDevice(b, sizeof b)) return std::nullopt;
    Guid g;
    g.data1 = ReadU32(b);
    g.data2 = ReadU16(b + 4);
    g.data3 = uint16_t((ReadU16(b + 6) & 0x0FFF) | 0x4000);  // version 4
    for (int i = 0; i < 8; ++i) g.data4[i] = b[8 + i];
    g.data4[0] = uint8_t((g.data4[0] & 0x3F) | 0x80);  // RFC 4122 variant
    return g;
}

}  // namespace gd
