#include <cstdlib>

#include "common/saver_settings_file.h"

namespace gd {

// The Linux runtime's settings files live beside the maker's own settings:
// $XDG_CONFIG_HOME/glimmerdeck (by default ~/.config/glimmerdeck), one <ID>.ini each.

SettingsFolders PlatformSettingsFolders() {
    SettingsFolders folders;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config) {
        folders.user_dir = std::string(config) + "/glimmerdeck";
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        folders.user_dir = std::string(home) + "/.config/glimmerdeck";
    }
    return folders;
}

}  // namespace gd
