#pragma once
// The maker's own per-user folder, for what it cannot keep in its program folder (an
// installed program folder may be read-only): Windows "<application data>\Glimmerdeck",
// elsewhere "$XDG_CONFIG_HOME/glimmerdeck" (default "~/.config/glimmerdeck"). Not
// created here; empty when the platform names no such place.

#include <string>

namespace gd {

std::string MakerSettingsFolder();

}  // namespace gd
