#include "imaging/iso_brands.h"

#include "common/byte_io.h"
#include "imaging/codec_list.h"

#include <algorithm>
#include <cstdint>

namespace gd {

bool HasFileBrand(Bytes data, std::initializer_list<std::string_view> brands) {
    // size, 'ftyp', major brand, minor version, then the compatible brands.
    if (data.size() < 16 || std::string_view(reinterpret_cast<const char*>(data.data()) + 4, 4) != "ftyp") return false;
    const uint32_t size = ReadU32BigEndian(data.data());
    if (size < 16 || size % 4 != 0) return false;
    const size_t end = std::min<size_t>(size, data.size());
    auto named = [&](size_t at) {
        const std::string_view brand(reinterpret_cast<const char*>(data.data()) + at, 4);
        return std::find(brands.begin(), brands.end(), brand) != brands.end();
    };
    if (named(8)) return true;
    for (size_t at = 16; at + 4 <= end; at += 4)
        if (named(at)) return true;
    return false;
}

// AVIF: the brands of a still picture and of a sequence.
bool ProbeAvif(Bytes data) { return HasFileBrand(data, {"avif", "avis"}); }

// HEIF other than AVIF: HEVC pictures, or the general image brands an AVIF file lists too.
bool ProbeHeif(Bytes data) {
    if (ProbeAvif(data)) return false;
    return HasFileBrand(data, {"heic", "heix", "heim", "heis", "hevc", "hevx", "mif1", "msf1"});
}

}  // namespace gd
