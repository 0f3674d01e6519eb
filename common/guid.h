#pragma once
// 128-bit GUIDs and the identifier text of a made screensaver. The identifier names the
// screensaver's settings file and its temporary music files, so two builds must never
// share one: GUIDs come from the platform's strong random source.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace gd {

struct Guid {
    uint32_t data1 = 0;
    uint16_t data2 = 0;
    uint16_t data3 = 0;
    std::array<uint8_t, 8> data4{};

    friend bool operator==(const Guid&, const Guid&) = default;
};

// A new random (version 4) GUID, or nothing when the platform's random source fails.
std::optional<Guid> CreateGuid();

// The 32 hexadecimal digits "%08X%04X%04x" then the eight bytes of data4 as "%02X": the
// third group is lower case, every other group upper case.
std::string FormatSaverIdentifier(const Guid& guid);

}  // namespace gd
