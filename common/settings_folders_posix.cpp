#include <cstdlib>

#include "common/saver_settings_file.h"

namespace gd {

SettingsFolders PlatformSettingsFolders() {
    SettingsFolders folders;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config) {
        folders.user_dir = config;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        folders.user_dir = std::string(home) + "/.config";
    }
    return folders;
}

}  // namespace gd
