#pragma once
// Reading the configuration from the payload: the 744-byte record, with the show extras
// record laid over it when the screensaver has one.

#include <optional>

#include "common/resource_types.h"
#include "common/saver_config.h"
#include "common/saver_extras.h"
#include "runtime/resource_source.h"

namespace gd {

// The configuration record, or nothing when the entry is missing or not exactly 744
// bytes (then no field of it is used and the program ends at once). The show extras
// record, when present and intact, overrides the fields it holds; a missing or damaged
// one changes nothing. The run-time settings file comes after this, over both.
inline std::optional<SaverConfig> LoadSaverConfig(const ResourceSource& source) {
    auto bytes = source.Find(RT_SAVER_CONFIG, kSaverConfigId);
    if (!bytes) return std::nullopt;
    auto config = DecodeSaverConfig(*bytes);
    if (!config) return std::nullopt;
    if (auto extras = source.Find(RT_SAVER_EXTRAS, kSaverExtrasId)) ApplySaverExtras(*extras, *config);
    return config;
}

}  // namespace gd
