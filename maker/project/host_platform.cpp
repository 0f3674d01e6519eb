// The Linux maker makes Windows screensavers; there is no active Windows screensaver to
// set on this host.
#include "maker/project/build_hooks.h"

namespace gd {

namespace {

class NoScreensaverSetting : public ScreensaverPlatform {
public:
    bool CanSetDefaultSaver() const override { return false; }
    std::string SystemFolder() const override { return {}; }
    bool ActivateScreensaver(const std::string&) override { return false; }
};

}  // namespace

ScreensaverPlatform& HostScreensaverPlatform() {
    static NoScreensaverSetting platform;
    return platform;
}

}  // namespace gd
