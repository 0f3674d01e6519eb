#pragma once
// The payload as resources of the running module.

#include <windows.h>

#include "runtime/resource_source.h"

namespace gd {

class ModuleResources : public ResourceSource {
public:
    explicit ModuleResources(HMODULE module) : module_(module) {}
    // Loaded resources stay mapped as long as the module, so the bytes never move.
    std::optional<std::span<const uint8_t>> Find(uint16_t type, uint16_t id) const override;

private:
    HMODULE module_;
};

}  // namespace gd
