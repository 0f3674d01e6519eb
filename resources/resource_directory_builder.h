#pragma once
// Lays out a resource section: the three directory levels, the data entries and the
// names, then every entry's bytes at an 8-byte boundary. Only the layout is built here;
// the bytes of the entries are streamed in by the writer, so memory stays bounded by the
// directory however large the entries are.

#include <cstdint>
#include <vector>

#include "resources/resource_name.h"

namespace gd::res {

struct PlannedEntry {
    ResourceKey key;
    uint32_t size = 0;
    uint32_t code_page = 0;
};

struct SectionLayout {
    std::vector<uint8_t> directory;     // the first directory.size() bytes of the section
    std::vector<uint32_t> data_offset;  // per entry, from the start of the section
    uint64_t total_size = 0;            // bytes of the section, the last entry's end
};

constexpr uint32_t kResourceDataAlignment = 8;

// `entries` must be sorted by key without duplicates; `section_rva` is where the section
// will be mapped (the data entries hold real RVAs).
SectionLayout LayOutResourceSection(const std::vector<PlannedEntry>& entries, uint32_t section_rva);

}  // namespace gd::res
