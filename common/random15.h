#pragma once
// The 15-bit random generator every random choice of the show uses: the classic linear
// congruential rule (state = state * 214013 + 2531011, value = (state >> 16) & 0x7FFF),
// values 0..32767, one state per thread. A thread that never seeds starts from 1.

#include <cstdint>

namespace gd {

constexpr int kRandomMax = 0x7FFF;

void SeedRandom(uint32_t seed);
int NextRandom();
// The calling thread's state: seeding with it later goes on from here.
uint32_t RandomState();
// Seeds the calling thread with the current calendar time in seconds.
void SeedRandomFromTime();

}  // namespace gd
