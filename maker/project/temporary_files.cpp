#include "maker/project/temporary_files.h"

#include <atomic>
#include <cstring>

#ifdef _WIN32
#include <windows.h>

#include "common/utf16.h"
#else
#include <unistd.h>
#endif

namespace gd {

namespace {

constexpr size_t kSlots = 16;
constexpr size_t kPathBytes = 4096;

// A slot is written only while it is not `used`; the handler reads only used slots.
struct Slot {
    std::atomic<bool> claimed{false};
    std::atomic<bool> used{false};
    char path[kPathBytes];
};

Slot g_slots[kSlots];

void Remove(const char* path) {
#ifdef _WIN32
    DeleteFileW(Utf8ToUtf16(path).c_str());
#else
    ::unlink(path);
#endif
}

}  // namespace

bool RegisterTemporaryFile(const std::string& path) {
    if (path.size() >= kPathBytes) return false;
    for (Slot& slot : g_slots) {
        bool expected = false;
        if (!slot.claimed.compare_exchange_strong(expected, true)) continue;
        std::memcpy(slot.path, path.c_str(), path.size() + 1);
        slot.used.store(true);
        return true;
    }
    return false;
}

void ForgetTemporaryFile(const std::string& path) {
    for (Slot& slot : g_slots) {
        if (!slot.used.load() || path != slot.path) continue;
        slot.used.store(false);
        slot.claimed.store(false);
        return;
    }
}

void RemoveTemporaryFilesNow() {
    for (Slot& slot : g_slots)
        if (slot.used.load()) Remove(slot.path);
}

}  // namespace gd
