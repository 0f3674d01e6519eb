#include "common/saver_settings_file.h"

#include <algorithm>
#include <array>

#include "common/path_parts.h"
#include "common/show_options.h"

namespace gd {
namespace {

constexpr const char* kSection = "param";


// The file holds every number as a signed decimal, the unsigned colour too.
int32_t Get(const SaverConfig& c, const OptionRow& row) { return int32_t(NumberOf(c, row.field)); }

bool IsPlainName(const std::string& s) {
    if (s.empty()) return false;
    for (char c : s) {
        bool ok = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!ok) return false;
    }
    return true;
}

std::string Join(const std::string& folder, const std::string& name) {
    // Windows paths take either kind of separator; a Linux path ends its folder with '/'.
    return folder.empty() ? std::string() : JoinPathParts(folder, name, kNativeSeparators);
}

// The effect flags are read into a buffer of 64 "1" characters with room for 63 and a
// NUL, so a missing key enables flags 0..62, and every byte after a short value's NUL
// stays "1".
void ReadEffectFlags(SaverConfig& config, ProfileStore& store, const std::string& path, std::string_view key) {
    std::array<char, kEffectFlagCount + 1> buffer;
    buffer.fill('1');
    buffer[kEffectFlagCount] = '\0';
    const std::string all_on(kEffectFlagCount, '1');
    std::string value = store.ReadString(path, kSection, key, all_on, kEffectFlagCount);
    std::copy(value.begin(), value.end(), buffer.begin());
    buffer[value.size()] = '\0';
    for (size_t i = 0; i < kEffectFlagCount; ++i) config.effect_on[i] = buffer[i] == '1' ? 1 : 0;
}

// Character i is "1" when flag i is exactly 1.
std::string EffectFlagsText(const SaverConfig& config) {
    std::string flags(kEffectFlagCount, '0');
    for (size_t i = 0; i < kEffectFlagCount; ++i) {
        if (config.effect_on[i] == 1) flags[i] = '1';
    }
    return flags;
}

// The options with a settings key, in the table's order: the numbers, then the effect
// flags. A number missing from the file keeps the value it had.
void ApplyFile(SaverConfig& config, ProfileStore& store, const std::string& path) {
    for (const OptionRow& row : kOptions) {
        if (row.ini_key.empty()) continue;
        if (IsNumberKind(row.kind))
            SetNumber(config, row.field, store.ReadInt(path, kSection, row.ini_key, Get(config, row)));
        else if (row.kind == OptionKind::kEffectFlags)
            ReadEffectFlags(config, store, path, row.ini_key);
    }
}

bool SaveFile(const SaverConfig& config, ProfileStore& store, const std::string& path) {
    bool ok = true;
    for (const OptionRow& row : kOptions) {
        if (row.ini_key.empty()) continue;
        std::string value = row.kind == OptionKind::kEffectFlags ? EffectFlagsText(config)
                                                                 : std::to_string(Get(config, row));
        ok = store.WriteString(path, kSection, row.ini_key, value) && ok;
    }
    return ok;
}

}  // namespace

SettingsFiles SettingsFilesFor(const SettingsFolders& folders, const std::string& identifier) {
    if (!IsPlainName(identifier)) return {};
    std::string name = identifier + ".ini";
    return {Join(folders.system_dir, name), Join(folders.user_dir, name)};
}

void ApplyIniOverrides(SaverConfig& config, ProfileStore& store, const SettingsFolders& folders) {
    SettingsFiles files = SettingsFilesFor(folders, config.identifier);
    for (const std::string& path : {files.system_file, files.user_file}) {
        if (!path.empty() && store.Exists(path)) ApplyFile(config, store, path);
    }
}

bool SaveIniSettings(const SaverConfig& config, ProfileStore& store, const SettingsFolders& folders) {
    SettingsFiles files = SettingsFilesFor(folders, config.identifier);
    if (!files.system_file.empty() && SaveFile(config, store, files.system_file)) {
        if (!files.user_file.empty() && store.Exists(files.user_file)) store.Remove(files.user_file);
        return true;
    }
    return !files.user_file.empty() && SaveFile(config, store, files.user_file);
}

}  // namespace gd
