#include "resources/pe_headers.h"

#include <algorithm>

#include "common/byte_io.h"

namespace gd::res {

namespace {

constexpr uint16_t kMagicPe32 = 0x10b;
constexpr uint16_t kMagicPe32Plus = 0x20b;
constexpr uint16_t kMaxSections = 96;  // the loader's own limit
constexpr uint32_t kCoffHeaderSize = 20;

SectionHeader ReadSection(const uint8_t* p) {
    SectionHeader s;
    std::copy(p, p + 8, s.name.begin());
    s.virtual_size = ReadU32(p + 8);
    s.virtual_address = ReadU32(p + 12);
    s.raw_size = ReadU32(p + 16);
    s.raw_offset = ReadU32(p + 20);
    s.characteristics = ReadU32(p + 36);
    return s;
}

}  // namespace

std::optional<size_t> PeHeaders::SectionOf(uint32_t rva) const {
    for (size_t i = 0; i < sections.size(); ++i) {
        const auto& s = sections[i];
        if (rva >= s.virtual_address && rva < s.virtual_end()) return i;
    }
    return std::nullopt;
}

std::optional<uint64_t> PeHeaders::RvaToOffset(uint32_t rva, uint32_t length) const {
    auto index = SectionOf(rva);
    if (!index) return std::nullopt;
    const auto& s = sections[*index];
    uint64_t within = rva - s.virtual_address;
    uint64_t raw = std::min<uint64_t>(s.raw_size, s.virtual_size ? s.virtual_size : s.raw_size);
    if (within + length > raw) return std::nullopt;
    uint64_t offset = s.raw_offset + within;
    if (offset + length > file_size) return std::nullopt;
    return offset;
}

uint64_t PeHeaders::end_of_sections() const {
    uint64_t end = size_of_headers;
    for (const auto& s : sections)
        if (s.raw_size) end = std::max(end, s.raw_end());
    return end;
}

uint64_t PeHeaders::end_of_image() const {
    uint64_t end = size_of_headers;
    for (const auto& s : sections) end = std::max(end, s.virtual_end());
    return end;
}

Result<PeHeaders> ParsePeHeaders(ByteSource& source) {
    using R = Result<PeHeaders>;
    PeHeaders h;
    h.file_size = source.size();

    uint8_t dos[64];
    if (!source.ReadAt(0, dos) || dos[0] != 'M' || dos[1] != 'Z') return R::Fail("not an executable (no MZ header)");
    uint32_t pe_offset = ReadU32(dos + 0x3c);
    uint8_t coff[4 + kCoffHeaderSize];
    if (!source.ReadAt(pe_offset, coff) || ReadU32(coff) != 0x00004550)
        return R::Fail("not a PE executable (no PE signature)");
    h.coff_offset = pe_offset + 4;
    uint16_t section_count = ReadU16(coff + 4 + 2);
    h.symbol_table_offset = ReadU32(coff + 4 + 8);
    uint16_t optional_size = ReadU16(coff + 4 + 16);
    h.optional_offset = h.coff_offset + kCoffHeaderSize;
    if (section_count > kMaxSections) return R::Fail("too many sections");

    std::vector<uint8_t> optional(optional_size);
    if (optional_size < 2 || !source.ReadAt(h.optional_offset, optional))
        return R::Fail("truncated optional header");
    uint16_t magic = ReadU16(optional.data());
    if (magic != kMagicPe32 && magic != kMagicPe32Plus) return R::Fail("unknown optional header magic");
    h.pe32_plus = magic == kMagicPe32Plus;
    uint32_t count_field = h.pe32_plus ? 108 : 92;
    uint32_t directories_at = h.pe32_plus ? 112 : 96;
    if (optional_size < directories_at) return R::Fail("truncated optional header");
    const uint8_t* o = optional.data();
    h.size_of_initialized_data = ReadU32(o + 8);
    h.section_alignment = ReadU32(o + 32);
    h.file_alignment = ReadU32(o + 36);
    h.size_of_image = ReadU32(o + 56);
    h.size_of_headers = ReadU32(o + 60);
    h.checksum = ReadU32(o + 64);
    uint32_t declared = std::min<uint32_t>(ReadU32(o + count_field), 16);
    uint32_t room = (optional_size - directories_at) / 8;
    for (uint32_t i = 0; i < std::min(declared, room); ++i)
        h.directories.push_back({ReadU32(o + directories_at + 8 * i), ReadU32(o + directories_at + 8 * i + 4)});

    h.section_table_offset = h.optional_offset + optional_size;
    std::vector<uint8_t> table(size_t(section_count) * kSectionHeaderSize);
    if (!source.ReadAt(h.section_table_offset, table)) return R::Fail("truncated section table");
    for (size_t i = 0; i < section_count; ++i) h.sections.push_back(ReadSection(table.data() + i * kSectionHeaderSize));
    return h;
}

}  // namespace gd::res
