#include "runtime/pe_resource_source.h"

#include "resources/byte_source.h"

namespace gd {

std::unique_ptr<PeResourceSource> PeResourceSource::Parse(std::span<const uint8_t> bytes,
                                                          std::shared_ptr<const void> keep_alive, std::string* why) {
    res::MemorySource source(bytes);
    auto parsed = res::ParsePeResources(source);
    if (!parsed) {
        if (why) *why = parsed.error();
        return nullptr;
    }
    return std::unique_ptr<PeResourceSource>(
        new PeResourceSource(bytes, std::move(keep_alive), std::move(parsed->table)));
}

std::optional<std::span<const uint8_t>> PeResourceSource::Find(uint16_t type, uint16_t id) const {
    const res::ResourceEntry* entry = table_.Find(type, id);
    if (!entry) return std::nullopt;
    if (entry->file_offset > bytes_.size() || entry->size > bytes_.size() - entry->file_offset) return std::nullopt;
    return bytes_.subspan(size_t(entry->file_offset), entry->size);
}

}  // namespace gd
