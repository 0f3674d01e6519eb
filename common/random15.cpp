#include "common/random15.h"

#include <ctime>

namespace gd {
namespace {
thread_local uint32_t g_state = 1;
}

void SeedRandom(uint32_t seed) { g_state = seed; }
uint32_t RandomState() { return g_state; }

int NextRandom() {
    g_state = g_state * 214013u + 2531011u;
    return int((g_state >> 16) & 0x7FFF);
}

void SeedRandomFromTime() { SeedRandom(uint32_t(std::time(nullptr))); }

}  // namespace gd
