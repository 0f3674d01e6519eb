#pragma once
// Reading the configuration record from the payload.

#include <optional>

#include "common/resource_types.h"
#include "common/saver_config.h"
#include "runtime/resource_source.h"

namespace gd {

// The configuration record, or nothing when the entry is missing or not exactly 744
// bytes (then no field of it is used and the program ends at once).
inline std::optional<SaverConfig> LoadSaverConfig(const ResourceSource& source) {
    auto bytes = source.Find(RT_SAVER_CONFIG, kSaverConfigId);
    if (!bytes) return std::nullopt;
    return DecodeSaverConfig(*bytes);
}

}  // namespace gd
