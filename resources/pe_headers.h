#pragma once
// The headers of a PE32 or PE32+ file: what the resource reader and editor need of the
// COFF file header, the optional header and the section table, with the file offsets of
// the fields the editor patches.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "resources/byte_source.h"
#include "resources/result.h"

namespace gd::res {

constexpr int kResourceDirectory = 2;
constexpr int kCertificateDirectory = 4;
constexpr uint32_t kSectionHeaderSize = 40;

// Section flags of a resource section: initialized data, readable.
constexpr uint32_t kScnInitializedData = 0x00000040;
constexpr uint32_t kScnMemRead = 0x40000000;

// `v` rounded up to a multiple of `alignment` (not zero).
constexpr uint64_t AlignUp(uint64_t v, uint64_t alignment) { return (v + alignment - 1) / alignment * alignment; }

struct SectionHeader {
    std::array<uint8_t, 8> name{};
    uint32_t virtual_size = 0;
    uint32_t virtual_address = 0;
    uint32_t raw_size = 0;
    uint32_t raw_offset = 0;
    uint32_t characteristics = 0;

    // The end of the section in memory (its larger extent, raw or virtual).
    uint64_t virtual_end() const {
        return uint64_t(virtual_address) + (virtual_size > raw_size ? virtual_size : raw_size);
    }
    uint64_t raw_end() const { return uint64_t(raw_offset) + raw_size; }
};

struct DataDirectory {
    uint32_t rva = 0;
    uint32_t size = 0;
};

struct PeHeaders {
    bool pe32_plus = false;
    uint64_t file_size = 0;
    uint32_t coff_offset = 0;      // the COFF file header, after "PE\0\0"
    uint32_t optional_offset = 0;  // the optional header
    uint32_t section_table_offset = 0;
    uint32_t symbol_table_offset = 0;  // COFF symbols of an unstripped file, or 0
    uint32_t section_alignment = 0;
    uint32_t file_alignment = 0;
    uint32_t size_of_image = 0;
    uint32_t size_of_headers = 0;
    uint32_t size_of_initialized_data = 0;
    uint32_t checksum = 0;
    // Only the directories the optional header both declares and has room for.
    std::vector<DataDirectory> directories;
    std::vector<SectionHeader> sections;

    // File offsets of patched fields.
    uint32_t number_of_sections_offset() const { return coff_offset + 2; }
    uint32_t symbol_table_pointer_offset() const { return coff_offset + 8; }
    uint32_t initialized_data_offset() const { return optional_offset + 8; }
    uint32_t size_of_image_offset() const { return optional_offset + 56; }
    uint32_t checksum_offset() const { return optional_offset + 64; }
    uint32_t directory_offset(int index) const {
        return optional_offset + (pe32_plus ? 112 : 96) + 8 * uint32_t(index);
    }
    uint32_t section_header_offset(size_t index) const {
        return section_table_offset + kSectionHeaderSize * uint32_t(index);
    }

    DataDirectory directory(int index) const {
        return index < int(directories.size()) ? directories[index] : DataDirectory{};
    }
    // The section whose memory extent holds `rva`, if any.
    std::optional<size_t> SectionOf(uint32_t rva) const;
    // The file offset of [rva, rva + length) when the range lies wholly in one section's
    // raw data inside the file.
    std::optional<uint64_t> RvaToOffset(uint32_t rva, uint32_t length) const;
    // Where the section data ends in the file: everything after is overlay.
    uint64_t end_of_sections() const;
    // Where the image ends in memory: the end of the last section.
    uint64_t end_of_image() const;
};

Result<PeHeaders> ParsePeHeaders(ByteSource& source);

}  // namespace gd::res
