#pragma once
// Where the runtime finds its payload: resource entries addressed by integer type and id.
// On Windows these are the module's own resources; tests use an in-memory table.

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace gd {

class ResourceSource {
public:
    virtual ~ResourceSource() = default;
    // The bytes of entry (type, id), valid as long as the source lives; nothing when the
    // entry is missing or cannot be loaded.
    virtual std::optional<std::span<const uint8_t>> Find(uint16_t type, uint16_t id) const = 0;
};

// A resource table held in memory.
class MemoryResourceSource : public ResourceSource {
public:
    void Add(uint16_t type, uint16_t id, std::vector<uint8_t> bytes) {
        entries_[{type, id}] = std::move(bytes);
    }
    std::optional<std::span<const uint8_t>> Find(uint16_t type, uint16_t id) const override {
        auto it = entries_.find({type, id});
        if (it == entries_.end()) return std::nullopt;
        return std::span<const uint8_t>(it->second);
    }

private:
    std::map<std::pair<uint16_t, uint16_t>, std::vector<uint8_t>> entries_;
};

}  // namespace gd
