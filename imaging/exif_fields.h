#pragma once
// The TIFF structure that EXIF data is kept in: a byte-order mark ("II" little-endian,
// "MM" big-endian), the offset of the first directory, and directories of 12-byte
// entries (tag, type, count, then the value itself when it fits in 4 bytes, else its
// offset). Offsets count from the start of the structure. Every read is bounds-checked:
// a damaged block gives nothing, never a read outside it.
//
// JPEG keeps the structure in an APP1 segment after "Exif\0\0"; TIFF files are the
// structure; WebP, PNG, HEIF and AVIF carry it in a chunk or item of their own.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace gd {

class TiffFields {
public:
    // The structure in `exif`, with or without the "Exif\0\0" before it; nothing without
    // a byte-order mark and room for the first directory's offset.
    static std::optional<TiffFields> Open(std::span<const uint8_t> exif);

    // The first directory: the main picture's fields.
    size_t FirstDirectory() const;
    // The directory an entry of `directory` points to (0x8769: the EXIF details).
    std::optional<size_t> SubDirectory(size_t directory, uint16_t tag) const;
    // The value of an entry of type SHORT.
    std::optional<uint16_t> Short(size_t directory, uint16_t tag) const;
    // The text of an entry of type ASCII, up to its first NUL.
    std::optional<std::string> Ascii(size_t directory, uint16_t tag) const;

private:
    struct Entry {
        uint16_t type;
        uint32_t count;
        size_t at;  // where the entry starts
    };
    explicit TiffFields(std::span<const uint8_t> tiff) : tiff_(tiff), big_endian_(tiff[0] == 'M') {}
    std::optional<Entry> Find(size_t directory, uint16_t tag) const;
    bool Has(size_t at, size_t n) const { return at <= tiff_.size() && n <= tiff_.size() - at; }
    uint16_t U16(size_t at) const;
    uint32_t U32(size_t at) const;

    std::span<const uint8_t> tiff_;
    bool big_endian_;
};

// The TIFF structure of a JPEG file's EXIF block: the first APP1 "Exif" segment among
// the markers before the first scan; nothing when there is none.
std::optional<std::span<const uint8_t>> JpegExifBlock(std::span<const uint8_t> jpeg);

}  // namespace gd
