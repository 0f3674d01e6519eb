#include "imaging/exif_fields.h"

#include <cstring>

namespace gd {
namespace {

constexpr uint16_t kTypeAscii = 2;
constexpr uint16_t kTypeShort = 3;
constexpr uint16_t kTypeLong = 4;
constexpr uint16_t kTypeIfd = 13;

std::span<const uint8_t> WithoutExifHeader(std::span<const uint8_t> exif) {
    if (exif.size() > 6 && std::memcmp(exif.data(), "Exif\0\0", 6) == 0) return exif.subspan(6);
    return exif;
}

}  // namespace

std::optional<TiffFields> TiffFields::Open(std::span<const uint8_t> exif) {
    const std::span<const uint8_t> tiff = WithoutExifHeader(exif);
    if (tiff.size() < 8) return std::nullopt;
    if (!((tiff[0] == 'I' && tiff[1] == 'I') || (tiff[0] == 'M' && tiff[1] == 'M'))) return std::nullopt;
    return TiffFields(tiff);
}

uint16_t TiffFields::U16(size_t at) const {
    return big_endian_ ? uint16_t((tiff_[at] << 8) | tiff_[at + 1]) : uint16_t(tiff_[at] | (tiff_[at + 1] << 8));
}

uint32_t TiffFields::U32(size_t at) const {
    return big_endian_ ? (uint32_t(U16(at)) << 16) | U16(at + 2) : uint32_t(U16(at)) | (uint32_t(U16(at + 2)) << 16);
}

size_t TiffFields::FirstDirectory() const { return U32(4); }

std::optional<TiffFields::Entry> TiffFields::Find(size_t directory, uint16_t tag) const {
    if (!Has(directory, 2)) return std::nullopt;
    const int count = U16(directory);
    for (int i = 0; i < count; ++i) {
        const size_t entry = directory + 2 + size_t(i) * 12;
        if (!Has(entry, 12)) return std::nullopt;
        if (U16(entry) == tag) return Entry{U16(entry + 2), U32(entry + 4), entry};
    }
    return std::nullopt;
}

std::optional<size_t> TiffFields::SubDirectory(size_t directory, uint16_t tag) const {
    const std::optional<Entry> e = Find(directory, tag);
    if (!e || (e->type != kTypeLong && e->type != kTypeIfd) || e->count != 1) return std::nullopt;
    const size_t at = U32(e->at + 8);
    // A directory pointing at itself would make a reader that follows it loop.
    if (at == directory || !Has(at, 2)) return std::nullopt;
    return at;
}

std::optional<uint16_t> TiffFields::Short(size_t directory, uint16_t tag) const {
    const std::optional<Entry> e = Find(directory, tag);
    if (!e || e->type != kTypeShort) return std::nullopt;
    return U16(e->at + 8);
}

std::optional<std::string> TiffFields::Ascii(size_t directory, uint16_t tag) const {
    const std::optional<Entry> e = Find(directory, tag);
    if (!e || e->type != kTypeAscii) return std::nullopt;
    const size_t at = e->count <= 4 ? e->at + 8 : size_t(U32(e->at + 8));
    if (!Has(at, e->count)) return std::nullopt;
    const char* text = reinterpret_cast<const char*>(tiff_.data() + at);
    const void* end = std::memchr(text, 0, e->count);
    return std::string(text, end ? static_cast<const char*>(end) : text + e->count);
}

std::optional<std::span<const uint8_t>> JpegExifBlock(std::span<const uint8_t> jpeg) {
    if (jpeg.size() < 4 || jpeg[0] != 0xFF || jpeg[1] != 0xD8) return std::nullopt;
    size_t pos = 2;
    // The EXIF block sits among the first markers, before the first scan.
    while (pos + 4 <= jpeg.size() && jpeg[pos] == 0xFF) {
        const uint8_t marker = jpeg[pos + 1];
        if (marker == 0xDA || marker == 0xD9) break;
        const size_t length = size_t(jpeg[pos + 2] << 8) | jpeg[pos + 3];
        if (length < 2 || pos + 2 + length > jpeg.size()) break;
        const std::span<const uint8_t> body = jpeg.subspan(pos + 4, length - 2);
        if (marker == 0xE1 && body.size() > 6 && std::memcmp(body.data(), "Exif\0\0", 6) == 0) return body.subspan(6);
        pos += 2 + length;
    }
    return std::nullopt;
}

}  // namespace gd
