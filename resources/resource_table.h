#pragma once
// The resource table of a PE file: every leaf of the type / name / language tree with
// where its bytes lie in the file. Parsing reads only what the headers allow; a hostile
// or truncated file gives an error, never a read outside the file.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "resources/byte_source.h"
#include "resources/pe_headers.h"
#include "resources/resource_name.h"
#include "resources/result.h"

namespace gd::res {

struct ResourceEntry {
    ResourceKey key;
    uint32_t data_rva = 0;
    uint32_t size = 0;
    uint32_t code_page = 0;
    uint64_t file_offset = 0;  // where the `size` bytes lie in the file
};

struct ResourceTable {
    std::vector<ResourceEntry> entries;  // in directory order

    // The entry of integer type and id; with no language given, the first of that id.
    const ResourceEntry* Find(uint16_t type, uint16_t id, std::optional<uint16_t> language = std::nullopt) const;
};

// Headers and resource table of one file.
struct PeResources {
    PeHeaders headers;
    ResourceTable table;
};

Result<ResourceTable> ParseResourceTable(ByteSource& source, const PeHeaders& headers);
Result<PeResources> ParsePeResources(ByteSource& source);
// Opens and parses a file; the error names the file's problem.
Result<PeResources> ReadPeResources(const std::string& path);
// The bytes of one entry.
Result<std::vector<uint8_t>> ReadEntryBytes(ByteSource& source, const ResourceEntry& entry);

}  // namespace gd::res
