#include <cstdlib>

#include "maker/project/settings_folder.h"

namespace gd {

std::string MakerSettingsFolder() {
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config) return std::string(config) + "/glimmerdeck";
    if (const char* home = std::getenv("HOME"); home && *home) return std::string(home) + "/.config/glimmerdeck";
    return {};
}

}  // namespace gd
