#include "common/archive_string.h"

#include <cstdint>

namespace gd {
namespace {
constexpr uint8_t kWidePrefix = 0xFF;
constexpr uint16_t kWiderPrefix = 0xFFFF;
constexpr size_t kLongestShort = 254;
constexpr size_t kLongestMedium = 65533;
}  // namespace

bool WriteArchiveString(ByteWriter& out, std::string_view text) {
    size_t n = text.size();
    if (n > UINT32_MAX) return false;
    if (n <= kLongestShort) {
        out.U8(uint8_t(n));
    } else if (n <= kLongestMedium) {
        out.U8(kWidePrefix);
        out.U16(uint16_t(n));
    } else {
        out.U8(kWidePrefix);
        out.U16(kWiderPrefix);
        out.U32(uint32_t(n));
    }
    out.Text(text);
    return true;
}

std::optional<std::string> ReadArchiveString(ByteReader& in) {
    size_t n = in.U8();
    if (n == kWidePrefix) {
        n = in.U16();
        if (n == kWiderPrefix) n = in.U32();
    }
    // Bytes() checks the length against what remains before anything is copied.
    auto bytes = in.Bytes(n);
    if (!in.ok()) return std::nullopt;
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace gd
