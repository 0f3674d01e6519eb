// The run-time settings file of a made screensaver: whatever its text, the settings it
// gives, once saved, read back the same.
#include <cstddef>
#include <cstdint>
#include <filesystem>

#include "common/profile_portable.h"
#include "common/saver_config.h"
#include "common/saver_settings_file.h"
#include "fuzz/fuzz_support.h"

namespace {

gd::SaverConfig ReadFrom(const std::string& folder) {
    gd::SaverConfig config;
    config.identifier = "FUZZ";
    gd::PortableProfileStore store;
    gd::ApplyIniOverrides(config, store, {folder, ""});
    return config;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string given = gd::fuzz::ScratchPath("given"), saved = gd::fuzz::ScratchPath("saved");
    std::filesystem::create_directories(given);
    std::filesystem::remove_all(saved);
    std::filesystem::create_directories(saved);
    gd::fuzz::WriteFile(given + "/FUZZ.ini", {data, size});

    gd::SaverConfig config = ReadFrom(given);
    gd::PortableProfileStore store;
    gd::fuzz::Require(gd::SaveIniSettings(config, store, {saved, ""}), "settings saved");
    gd::SaverConfig again = ReadFrom(saved);
    // The last effect flag is the one the reading buffer has no room for: it never
    // survives a save, as on the platform.
    again.effect_on[gd::kEffectFlagCount - 1] = config.effect_on[gd::kEffectFlagCount - 1];
    gd::fuzz::Require(again == config, "saved settings read back the same");
    return 0;
}
