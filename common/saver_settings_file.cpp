#include "common/saver_settings_file.h"

#include <algorithm>
#include <array>

namespace gd {
namespace {

constexpr const char* kSection = "param";
constexpr const char* kEffectKey = "szEffect";

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

struct IntKey {
    const char* key;
    int32_t SaverConfig::*member;
};

// In the order the keys are read and written.
constexpr IntKey kIntKeys[] = {
    {"crBgColor", nullptr},
    {"bMouseMove", &SaverConfig::mouse_move},
    {"bMouseLeftClick", &SaverConfig::mouse_left_click},
    {"bMouseRightClick", &SaverConfig::mouse_right_click},
    {"bKeyboardEvent", &SaverConfig::keyboard_event},
    {"bShuffleAudio", &SaverConfig::shuffle_audio},
    {"nAudioPause", &SaverConfig::audio_pause},
    {"bMuteMusic", &SaverConfig::mute_music},
    {"bShufflePic", &SaverConfig::shuffle_pic},
    {"bAutoAdjustSize", &SaverConfig::auto_adjust_size},
    {"bMovePicture", &SaverConfig::move_picture},
    {"nEffectMilliSecond", &SaverConfig::effect_millisecond},
    {"nPicturePause", &SaverConfig::picture_pause},
};

// The colour is unsigned in the record; the file holds it as a signed decimal.
int32_t Get(const SaverConfig& c, const IntKey& k) { return k.member ? c.*k.member : int32_t(c.bg_color); }
void Set(SaverConfig& c, const IntKey& k, int32_t v) {
    if (k.member) {
        c.*k.member = v;
    } else {
        c.bg_color = ColorRef(v);
    }
}

bool IsPlainName(const std::string& s) {
    if (s.empty()) return false;
    for (char c : s) {
        bool ok = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!ok) return false;
    }
    return true;
}

std::string Join(const std::string& folder, const std::string& name) {
    if (folder.empty()) return {};
    std::string path = folder;
    if (path.back() != kSeparator && path.back() != '/') path += kSeparator;
    return path + name;
}

void ApplyFile(SaverConfig& config, ProfileStore& store, const std::string& path) {
    for (const IntKey& k : kIntKeys) Set(config, k, store.ReadInt(path, kSection, k.key, Get(config, k)));

    // The effect flags are read into a buffer of 64 "1" characters with room for 63 and
    // a NUL, so a missing key enables flags 0..62, and every byte after a short value's
    // NUL stays "1".
    std::array<char, kEffectFlagCount + 1> buffer;
    buffer.fill('1');
    buffer[kEffectFlagCount] = '\0';
    const std::string all_on(kEffectFlagCount, '1');
    std::string value = store.ReadString(path, kSection, kEffectKey, all_on, kEffectFlagCount);
    std::copy(value.begin(), value.end(), buffer.begin());
    buffer[value.size()] = '\0';
    for (size_t i = 0; i < kEffectFlagCount; ++i) config.effect_on[i] = buffer[i] == '1' ? 1 : 0;
}

bool SaveFile(const SaverConfig& config, ProfileStore& store, const std::string& path) {
    bool ok = true;
    for (const IntKey& k : kIntKeys) ok = store.WriteString(path, kSection, k.key, std::to_string(Get(config, k))) && ok;
    std::string flags(kEffectFlagCount, '0');
    for (size_t i = 0; i < kEffectFlagCount; ++i) {
        if (config.effect_on[i] == 1) flags[i] = '1';
    }
    return store.WriteString(path, kSection, kEffectKey, flags) && ok;
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
