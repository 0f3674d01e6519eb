#pragma once
// A sine tone as a 16-bit mono PCM WAV file, for the tests that give the media layer
// music of their own.

#include <cmath>
#include <cstdint>
#include <vector>

namespace gd::test {

inline std::vector<uint8_t> WaveTone(double seconds, double hertz = 440) {
    const uint32_t rate = 8000;
    const uint32_t samples = uint32_t(seconds * rate);
    std::vector<uint8_t> w;
    w.reserve(44 + size_t(samples) * 2);
    auto u32 = [&](uint32_t v) { for (int i = 0; i < 4; ++i) w.push_back(uint8_t(v >> (8 * i))); };
    auto u16 = [&](uint16_t v) { w.push_back(uint8_t(v)); w.push_back(uint8_t(v >> 8)); };
    auto tag = [&](const char* t) { for (int i = 0; i < 4; ++i) w.push_back(uint8_t(t[i])); };
    tag("RIFF"); u32(36 + samples * 2); tag("WAVE");
    tag("fmt "); u32(16); u16(1); u16(1); u32(rate); u32(rate * 2); u16(2); u16(16);
    tag("data"); u32(samples * 2);
    for (uint32_t i = 0; i < samples; ++i) u16(uint16_t(int16_t(3000 * std::sin(i * 2 * 3.14159265 * hertz / rate))));
    return w;
}

}  // namespace gd::test
